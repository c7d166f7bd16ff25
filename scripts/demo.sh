#!/usr/bin/env bash
# Builds the program, lays out a run folder with the embedded demo database (SQLite through ODBC) and starts
# it with an operator code. Without a display the window runs on a virtual display: a screenshot is saved
# and the program is closed through its own exit question.
#   scripts/demo.sh [OPERATOR_CODE]      (default operator code: 0001)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
operator=${1:-0001}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target mnt4820 mnt4820-signon x-close-window

# The program reads EDI.ini two folder levels above its own folder.
run="$root/demo"
"$root/scripts/layout-run-folder.sh" "$run" "$root/build-release/mnt4820" "$root/build-release/mnt4820-signon"
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"

if [[ -n ${DISPLAY:-} ]]; then
  echo "the sign-on dialog on its own: ODBCSYSINI=$run/odbc ODBCINI=$run/odbc/odbc.ini $run/EDI/MNT4820/mnt4820-signon"
  exec "$run/EDI/MNT4820/mnt4820" "$operator"
fi

# No display: a virtual one, a screenshot, then the close box and "はい" to the exit question.
"$root/scripts/xvfb-session.sh" "$run/EDI/MNT4820/mnt4820" "$operator" "$run/screenshot.png" "$root/build-release/x-close-window"
echo "screenshot of the main window: $run/screenshot.png"
