#!/usr/bin/env bash
# Lays out a run folder for the program on the embedded demo database:
#   RUN/EDI.ini (Shift-JIS), RUN/EDI/MNT4820/mnt4820, RUN/odbc/{odbcinst,odbc}.ini, RUN/data/mnt4820.db;
# with SIGNON_BINARY also RUN/EDI/MNT4820/mnt4820-signon beside the program, reading the same EDI.ini.
# The database is created with the demo rows when it does not exist yet.
#   scripts/layout-run-folder.sh RUN PROGRAM_BINARY [SIGNON_BINARY]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run=$1 binary=$2 signon=${3:-}

mkdir -p "$run/EDI/MNT4820" "$run/odbc" "$run/data"
install -m 0755 "$binary" "$run/EDI/MNT4820/mnt4820"
if [[ -n $signon ]]; then install -m 0755 "$signon" "$run/EDI/MNT4820/mnt4820-signon"; fi
iconv -f UTF-8 -t CP932 "$root/config/demo/EDI.ini" > "$run/EDI.ini"
db="$run/data/mnt4820.db"
if [[ ! -f $db ]]; then
  sqlite3 "$db" < "$root/db/schema.sql"
  sqlite3 "$db" < "$root/db/demo-data.sql"
  echo "demo database created: $db"
fi
"$root/scripts/odbc-config.sh" "$run/odbc" "$db"
