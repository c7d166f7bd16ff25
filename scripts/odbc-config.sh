#!/bin/sh
# Writes a private ODBC driver and data-source setup for tests, benchmarks and demo runs.
#
#   scripts/odbc-config.sh DIR SQLITE_DB_FILE [PG_PORT [PG_DB]]
#
# Then: export ODBCSYSINI=DIR ODBCINI=DIR/odbc.ini
# Data sources: MNT4820_SQLITE (the file) and, when a port is given, MNT4820_PG (127.0.0.1).
set -eu

usage() {
    echo "usage: $0 DIR SQLITE_DB_FILE [PG_PORT [PG_DB]]" >&2
    exit 2
}
[ $# -ge 2 ] && [ $# -le 4 ] || usage

dir=$1
sqlite_file=$2
pg_port=${3:-}
pg_db=${4:-mnt4820}

case $pg_port in
    *[!0-9]*) echo "$0: PG_PORT must be a number: $pg_port" >&2; exit 2 ;;
esac

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch 2>/dev/null || true)
driver_dir=/usr/lib/${multiarch:+$multiarch/}odbc
sqlite_driver=$driver_dir/libsqlite3odbc.so
pg_driver=$driver_dir/psqlodbcw.so

[ -f "$sqlite_driver" ] || { echo "$0: SQLite3 ODBC driver not found: $sqlite_driver (package libsqliteodbc)" >&2; exit 1; }
if [ -n "$pg_port" ] && [ ! -f "$pg_driver" ]; then
    echo "$0: PostgreSQL ODBC driver not found: $pg_driver (package odbc-postgresql)" >&2
    exit 1
fi

mkdir -p "$dir"
# The driver manager resolves the file relative to the program's working folder otherwise.
sqlite_file=$(realpath -m "$sqlite_file")

# Full driver paths: Debian's own odbcinst.ini names a SQLite library that is not shipped.
cat >"$dir/odbcinst.ini" <<INI
[MNT4820 SQLite3]
Description=SQLite3 ODBC driver
Driver=$sqlite_driver
UsageCount=1

[MNT4820 PostgreSQL]
Description=PostgreSQL ODBC driver (Unicode)
Driver=$pg_driver
UsageCount=1
INI

# Timeout is SQLite's busy time-out in milliseconds: a second connection waits for a
# writer instead of failing at once with "database is locked". NoCreat=1: a mistyped or
# missing file fails the connection instead of becoming a new, empty database.
cat >"$dir/odbc.ini" <<INI
[MNT4820_SQLITE]
Description=MNT4820 SQLite database
Driver=MNT4820 SQLite3
Database=$sqlite_file
Timeout=10000
NoCreat=1
INI

if [ -n "$pg_port" ]; then
    cat >>"$dir/odbc.ini" <<INI

[MNT4820_PG]
Description=MNT4820 PostgreSQL database
Driver=MNT4820 PostgreSQL
Servername=127.0.0.1
Port=$pg_port
Database=$pg_db
INI
fi
