#!/bin/sh
# A throwaway PostgreSQL cluster for tests and benchmarks, reachable on 127.0.0.1 only.
#
#   scripts/pg-server.sh start DATADIR PORT   # (re)creates the cluster, role and database mnt4820
#   scripts/pg-server.sh restart DATADIR      # restarts it as a nightly maintenance does (fast shutdown)
#   scripts/pg-server.sh stop DATADIR         # stops it and removes DATADIR
#
# Trust authentication, UTF8, locale C (byte order, the same as SQLite's), durability off.
set -eu

role=mnt4820
database=mnt4820

usage() {
    echo "usage: $0 start DATADIR PORT | restart DATADIR | stop DATADIR" >&2
    exit 2
}

fail() {
    echo "$0: $*" >&2
    exit 1
}

find_bindir() {
    for candidate in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
        if [ -x "$candidate/initdb" ]; then
            echo "$candidate"
            return 0
        fi
    done
    fail "no PostgreSQL server binaries under /usr/lib/postgresql (package postgresql)"
}

# initdb and the server refuse to run as root: hand them to the postgres user.
as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

# A folder is removed only when it is empty or plainly a cluster, never anything else.
is_cluster_or_empty() {
    [ ! -e "$1" ] || [ -f "$1/PG_VERSION" ] || [ -z "$(ls -A "$1")" ]
}

stop_cluster() {
    datadir=$1
    if [ -f "$datadir/postmaster.pid" ]; then
        as_server_user "$bindir/pg_ctl" -D "$datadir" -m fast -w -t 30 stop >/dev/null 2>&1 ||
            as_server_user "$bindir/pg_ctl" -D "$datadir" -m immediate -w -t 30 stop >/dev/null 2>&1 || true
    fi
}

start() {
    datadir=$1
    port=$2
    case $port in ''|*[!0-9]*) fail "PORT must be a number: $port" ;; esac
    is_cluster_or_empty "$datadir" || fail "$datadir exists and is not a PostgreSQL cluster; not touching it"

    # A cluster left by an earlier run is stopped and thrown away.
    stop_cluster "$datadir"
    rm -rf "$datadir"

    mkdir -p "$datadir"
    datadir=$(realpath "$datadir")
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres:postgres "$datadir"
        runuser -u postgres -- test -x "$(dirname "$datadir")" ||
            fail "the postgres user cannot reach $(dirname "$datadir"); choose a folder such as /tmp/..."
    fi
    chmod 0700 "$datadir"

    if ! output=$(as_server_user "$bindir/initdb" -D "$datadir" -U postgres -E UTF8 --locale=C \
        --auth-local=trust --auth-host=trust --no-sync 2>&1); then
        echo "$output" >&2
        fail "initdb failed"
    fi

    # The socket lives in the data folder: /var/run/postgresql may not exist on a fresh machine.
    as_server_user "$bindir/pg_ctl" -D "$datadir" -l "$datadir/server.log" -w -t 30 \
        -o "-c listen_addresses=127.0.0.1 -p $port -c unix_socket_directories='$datadir' -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
        start >/dev/null || fail "the server did not start: see $datadir/server.log"

    tries=0
    until "$bindir/pg_isready" -q -h 127.0.0.1 -p "$port"; do
        tries=$((tries + 1))
        [ "$tries" -lt 60 ] || fail "the server on port $port is not ready: see $datadir/server.log"
        sleep 0.5
    done

    "$bindir/psql" -q -X -h 127.0.0.1 -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 \
        -c "CREATE ROLE $role LOGIN" \
        -c "CREATE DATABASE $database OWNER $role ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0" >/dev/null ||
        fail "could not create role and database $role/$database"
    echo "PostgreSQL on 127.0.0.1:$port, database $database, user $role (data in $datadir)"
}

# The server keeps its port and options; it answers again when this returns.
restart() {
    [ -f "$1/PG_VERSION" ] || fail "$1 is not a PostgreSQL cluster"
    as_server_user "$bindir/pg_ctl" -D "$1" -l "$1/server.log" -m fast -w -t 30 restart >/dev/null || fail "the server did not restart: see $1/server.log"
}

stop() {
    datadir=$1
    [ -e "$datadir" ] || return 0
    is_cluster_or_empty "$datadir" || fail "$datadir is not a PostgreSQL cluster; not touching it"
    stop_cluster "$datadir"
    rm -rf "$datadir"
}

[ $# -ge 1 ] || usage
bindir=$(find_bindir)
case $1 in
    start) [ $# -eq 3 ] || usage; start "$2" "$3" ;;
    restart) [ $# -eq 2 ] || usage; restart "$2" ;;
    stop) [ $# -eq 2 ] || usage; stop "$2" ;;
    *) usage ;;
esac
