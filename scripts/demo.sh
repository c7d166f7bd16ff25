#!/usr/bin/env bash
# Builds the program, lays out a run folder with the embedded demo database (SQLite through ODBC) and starts
# it with an operator code. Without a display the window runs on a virtual display: a screenshot is saved
# and the program is closed through its own exit question.
#   scripts/demo.sh [--postgres] [OPERATOR_CODE]      (default operator code: 0001)
# With --postgres the same demo runs against a throwaway PostgreSQL server on 127.0.0.1 (schema and demo rows
# loaded, reached through the psqlODBC data source MNT4820_PG), the set-up of a site's shared server; the
# server is stopped and removed when the demo ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
postgres=0
if [[ ${1:-} == --postgres ]]; then
  postgres=1
  shift
fi
operator=${1:-0001}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=OFF >/dev/null
cmake --build "$root/build-release" -j2 --target mnt4820 mnt4820-signon x-close-window

# The program reads EDI.ini two folder levels above its own folder.
run="$root/demo"
"$root/scripts/layout-run-folder.sh" "$run" "$root/build-release/mnt4820" "$root/build-release/mnt4820-signon"
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"

if ((postgres)); then
  source "$root/scripts/pg-throwaway.sh"
  pg_throwaway_start "$root" demo
  for sql in schema.sql demo-data.sql; do
    psql -q -X -h 127.0.0.1 -p "$pg_port" -U mnt4820 -d mnt4820 -v ON_ERROR_STOP=1 -f "$root/db/$sql" >/dev/null
  done
  "$root/scripts/odbc-config.sh" "$run/odbc" "$run/data/mnt4820.db" "$pg_port"
  # EDI.ini names the server's data source and user; its other lines stay as the suite keeps them.
  LC_ALL=C sed -i -e 's/^DBSTRING=.*/DBSTRING=MNT4820_PG/' -e 's/^USERID=.*/USERID=mnt4820/' -e 's/^PASSWD=.*/PASSWD=/' \
    "$run/EDI.ini"
fi

if [[ -n ${DISPLAY:-} ]]; then
  echo "the sign-on dialog on its own: ODBCSYSINI=$run/odbc ODBCINI=$run/odbc/odbc.ini $run/EDI/MNT4820/mnt4820-signon"
  status=0
  "$run/EDI/MNT4820/mnt4820" "$operator" || status=$?
  exit "$status"
fi

# No display: a virtual one, a screenshot, then the close box and "はい" to the exit question.
"$root/scripts/xvfb-session.sh" "$run/EDI/MNT4820/mnt4820" "$operator" "$run/screenshot.png" "$root/build-release/x-close-window"
echo "screenshot of the main window: $run/screenshot.png"
