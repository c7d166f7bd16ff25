#!/usr/bin/env bash
# A real Japanese input method (fcitx5 with mozc) under Xvfb, switched on with Ctrl+Space: "nihon", Space,
# Enter in a field whose input-method mode is on commits 日本; "abc" typed into KCNTCD of the main window,
# whose mode is off, arrives as ABC. mozc refuses to run as root, so a root run drops to an unprivileged user.
#   tests/e2e/input-method.sh IME_PROBE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_until SECONDS COMMAND...: retries the command every 0.1 s until it succeeds.
wait_until() {
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    ((--tries > 0)) || return 1
    sleep 0.1
  done
}

fcitx_state_is() { [[ $(fcitx5-remote 2>/dev/null) == "$1" ]]; }
last_line_is() { [[ -s $1 && $(tail -n 1 "$1") == "$2" ]]; }
fcitx_on_bus() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q 'boolean true'
}

# start_probe OUTPUT TITLE ARGUMENTS...: starts the probe in probe_pid and gives its window the focus.
start_probe() {
  local output=$1 title=$2
  shift 2
  "$run/EDI/MNT4820/ime-probe" "$@" >"$output" 2>>"$run/probe.log" &
  probe_pid=$!
  window=$(xvfb_wait_window "$title" 30) || fail "the window '$title' did not appear"
  xdotool windowfocus --sync "$window"
}

stop_probe() {
  kill "$probe_pid" 2>/dev/null || true
  wait "$probe_pid" 2>/dev/null || true
  probe_pid=
}

# The part that runs inside the unprivileged user's D-Bus session.
if [[ ${1:-} == --session ]]; then
  run=$2
  # shellcheck source=scripts/xvfb-lib.sh
  source "$run/scripts/xvfb-lib.sh"
  probe_pid=
  trap 'stop_probe; kill "$fcitx_pid" 2>/dev/null || true; wait "$fcitx_pid" 2>/dev/null || true' EXIT
  fcitx5 -D --disable=classicui,notificationitem,kimpanel,wayland,waylandim,spell,emoji,quickphrase,unicode,clipboard,notifications \
    >"$run/fcitx5.log" 2>&1 &
  fcitx_pid=$!
  # Asked earlier, fcitx5-remote would start a second fcitx5 and the first would leave.
  wait_until 20 fcitx_on_bus || fail "fcitx5 did not come up on the session bus (see $run/fcitx5.log)"

  start_probe "$run/field.txt" '^IME probe$' field
  wait_until 20 fcitx_state_is 1 || fail "the field's window has no input context of fcitx5"
  xdotool key --clearmodifiers ctrl+space
  wait_until 10 fcitx_state_is 2 || fail "Ctrl+Space did not switch the input method on"
  xdotool type --delay 30 nihon
  xdotool key space
  xdotool key Return
  wait_until 10 last_line_is "$run/field.txt" '日本' ||
    fail "the field whose mode is on holds '$(tail -n 1 "$run/field.txt")', expected 日本"
  stop_probe

  start_probe "$run/kcntcd.txt" 'センタ利用企業マスタ保守' main " 0001 "
  wait_until 20 fcitx_state_is 1 || fail "the main window has no input context of fcitx5"
  # Ctrl+Space would switch the input method on for a field that takes it; a code field passes the keys on.
  xdotool key --clearmodifiers ctrl+space
  xdotool type --delay 30 abc
  wait_until 10 last_line_is "$run/kcntcd.txt" 'ABC' ||
    fail "KCNTCD holds '$(tail -n 1 "$run/kcntcd.txt")', expected ABC"
  stop_probe
  exit 0
fi

probe=$1
for tool in Xvfb xdotool fcitx5 fcitx5-remote dbus-run-session dbus-send setpriv sqlite3 iconv; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
for package in fcitx5-mozc fcitx5-frontend-qt6; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    fail "$package is missing (scripts/install-deps.sh installs it)"
done

run=$(mktemp -d /tmp/mnt4820-ime.XXXXXX)
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
stop_mozc() {
  # mozc_server leaves the session behind; ours is the one started with this run's home folder.
  local process
  for process in /proc/[0-9]*; do
    if tr '\0' '\n' 2>/dev/null <"$process/environ" | grep -qx "HOME=$run/home" &&
      [[ $(cat "$process/comm" 2>/dev/null) == mozc_server ]]; then
      kill "${process#/proc/}" 2>/dev/null || true
      wait_until 5 test ! -e "$process" || true
    fi
  done
}
trap 'stop_mozc; xvfb_stop; rm -rf "$run"' EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$probe" >/dev/null
mv "$run/EDI/MNT4820/mnt4820" "$run/EDI/MNT4820/ime-probe"
cp "$0" "$run/input-method.sh"
mkdir -p "$run/scripts" "$run/home/.config/fcitx5" "$run/xdg"
cp "$root/scripts/xvfb-lib.sh" "$run/scripts/"
cat >"$run/home/.config/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
cat >"$run/home/.config/fcitx5/config" <<'EOF'
[Hotkey/TriggerKeys]
0=Control+space
EOF
chmod 0700 "$run/xdg"
user=()
if [[ $(id -u) -eq 0 ]]; then
  chown -R 65534:65534 "$run"
  user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

status=0
"${user[@]}" env -i PATH="$PATH" HOME="$run/home" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$run/xdg" LANG=C.UTF-8 \
  QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini" \
  dbus-run-session -- bash "$run/input-method.sh" --session "$run" || status=$?
if [[ $status -ne 0 ]]; then
  tail -n 20 "$run/probe.log" "$run/fcitx5.log" >&2 2>/dev/null || true
  exit 1
fi
echo "input method on: 日本 in the field whose mode is on, ABC in KCNTCD"
