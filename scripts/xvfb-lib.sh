# Sourced by the scripts that run the program in a real window on a virtual display.
# xvfb_start: starts Xvfb on a display it picks itself and exports DISPLAY; xvfb_stop ends it (and a program
# left running in program_pid).

xvfb_start() {
  local fifo
  xvfb_dir=$(mktemp -d /tmp/mnt4820-xvfb.XXXXXX)
  chmod 0700 "$xvfb_dir"
  fifo="$xvfb_dir/display"
  mkfifo "$fifo"
  # Xvfb writes the number of the display it chose, so parallel runs never race for one. Without -noreset it
  # resets whenever its last client leaves, and a program connecting in that moment is refused.
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  program_pid=
  trap xvfb_stop EXIT
  local number
  read -r -t 30 number <"$fifo" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$number
  export XDG_RUNTIME_DIR="$xvfb_dir"
  export QT_QPA_PLATFORM=xcb
}

xvfb_stop() {
  [[ -n ${program_pid:-} ]] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$xvfb_dir"
}

# xvfb_wait_window TITLE_REGEX SECONDS: prints the id of the first visible window whose title matches.
xvfb_wait_window() {
  timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -1
}
