# Sourced by the scripts that run the program in a real window on a virtual display.
# xvfb_start: starts Xvfb on a free display and exports DISPLAY; xvfb_stop ends it (and a program left running).

xvfb_start() {
  local n=$((90 + RANDOM % 400))
  while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/mnt4820-xdg.XXXXXX)}
  chmod 0700 "$XDG_RUNTIME_DIR"
  export QT_QPA_PLATFORM=xcb
  program_pid=
  trap xvfb_stop EXIT
}

xvfb_stop() {
  [[ -n ${program_pid:-} ]] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}

# xvfb_wait_window TITLE_REGEX SECONDS: prints the id of the first visible window whose title matches.
xvfb_wait_window() {
  timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -1
}
