# shellcheck shell=bash
# Sourced after scripts/xvfb-lib.sh by the scripts that drive the real main window with key events. Every wait
# is bounded and waits for a state (a window shown and holding the X focus, a window gone, a picture that has
# changed and settled), never for a fixed time.
# Xvfb has no window manager: the program gives the X focus to each window it shows, and when a message box
# or the code search closes the focus falls back to the root window, from where keys go to the window under
# the pointer. steps_main_window therefore puts the pointer on the main window once.

# steps_wait SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; fails after SECONDS.
steps_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

steps_focused_window() { # TITLE_REGEX: prints the id of the visible window of that title when it has the X focus
  local id
  id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || return 1
  [[ -n $id && $(xdotool getwindowfocus 2>/dev/null) == "$id" ]] && echo "$id"
}

steps_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# steps_main_window: waits up to 30 s for the main window to be shown with the focus; sets main_window.
steps_main_window() {
  main_window=$(steps_wait 30 steps_focused_window 'センタ利用企業マスタ保守') || return 1
  eval "$(xdotool getwindowgeometry --shell "$main_window")"
  main_geometry="${WIDTH}x${HEIGHT}+${X}+${Y}"
  xdotool mousemove --window "$main_window" 5 5
  steps_last_picture=
}

# steps_dialog TITLE_REGEX WHAT: waits up to 15 s until a window of that title is shown and holds the focus.
steps_dialog() {
  steps_wait 15 steps_focused_window "$1" >/dev/null || { echo "no window for: $2" >&2; return 1; }
}

# steps_close TITLE_REGEX WHAT KEY...: presses the keys in the focused dialog and waits up to 15 s for it to go.
steps_close() {
  local title=$1 what=$2
  shift 2
  xdotool key --clearmodifiers "$@"
  steps_wait 15 steps_gone "$title" || { echo "the window stayed open: $what" >&2; return 1; }
}

# steps_answer WHAT KEY: answers the program's message box (titled MNT4820) with KEY.
steps_answer() { steps_dialog '^MNT4820$' "$1" && steps_close '^MNT4820$' "$1" "$2"; }

steps_grab() { import -window root -crop "$main_geometry" +repage "${1:-rgb:-}"; }

# steps_picture FILE: saves the main window's place on the screen (with any box standing over it) once the
# picture differs from the one saved last and has not changed for 150 ms; fails after 10 s.
steps_picture() {
  local deadline=$((SECONDS + 10)) before now
  before=$(steps_grab | md5sum)
  while ((SECONDS < deadline)); do
    sleep 0.15
    now=$(steps_grab | md5sum)
    if [[ $now == "$before" && $now != "$steps_last_picture" ]]; then
      steps_last_picture=$now
      steps_grab "$1"
      return
    fi
    before=$now
  done
  echo "the window did not settle on a new picture for $1" >&2
  return 1
}
