#!/bin/sh
# A throwaway PostgreSQL cluster for tests and benchmarks, reachable on 127.0.0.1 only.
#
#   scripts/pg-server.sh start DATADIR PORT   # (re)creates the cluster, role and database mnt4820
#   scripts/pg-server.sh restart DATADIR      # restarts it as a nightly maintenance does (fast shutdown)
#   scripts/pg-server.sh stop DATADIR         # stops it and removes DATADIR
#   scripts/pg-server.sh standby DATADIR PORT ADDRESS
#                                             # a streaming standby of the cluster on 127.0.0.1:PORT, made with
#                                             # pg_basebackup -R and reachable on ADDRESS:PORT (e.g. 127.0.0.2)
#   scripts/pg-server.sh promote DATADIR      # makes a standby the primary
#
# Trust authentication, UTF8, locale C (byte order, the same as SQLite's), durability off.
set -eu

role=mnt4820
database=mnt4820

usage() {
    echo "usage: $0 start DATADIR PORT | restart DATADIR | stop DATADIR | standby DATADIR PORT ADDRESS | promote DATADIR" >&2
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

# An empty folder for a cluster, owned by the server's user; the caller has checked that it may go.
new_datadir() {
    stop_cluster "$1"
    rm -rf "$1"
    mkdir -p "$1"
    datadir=$(realpath "$1")
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres:postgres "$datadir"
        runuser -u postgres -- test -x "$(dirname "$datadir")" ||
            fail "the postgres user cannot reach $(dirname "$datadir"); choose a folder such as /tmp/..."
    fi
    chmod 0700 "$datadir"
}

start() {
    datadir=$1
    port=$2
    case $port in ''|*[!0-9]*) fail "PORT must be a number: $port" ;; esac
    is_cluster_or_empty "$datadir" || fail "$datadir exists and is not a PostgreSQL cluster; not touching it"

    # A cluster left by an earlier run is stopped and thrown away.
    new_datadir "$datadir"

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

standby() {
    port=$2
    case $port in ''|*[!0-9]*) fail "PORT must be a number: $port" ;; esac
    is_cluster_or_empty "$1" || fail "$1 exists and is not a PostgreSQL cluster; not touching it"
    new_datadir "$1"
    if ! output=$(as_server_user "$bindir/pg_basebackup" -h 127.0.0.1 -p "$port" -U postgres -D "$datadir" -R \
        -X stream -c fast --no-sync 2>&1); then
        echo "$output" >&2
        fail "pg_basebackup from 127.0.0.1:$port failed"
    fi
    # The copy holds the primary's socket lock (its socket lives in its data folder).
    rm -f "$datadir"/.s.PGSQL.*
    as_server_user "$bindir/pg_ctl" -D "$datadir" -l "$datadir/server.log" -w -t 30 \
        -o "-c listen_addresses=$3 -p $port -c unix_socket_directories='$datadir' -c fsync=off" \
        start >/dev/null || fail "the standby did not start: see $datadir/server.log"
}

promote() {
    [ -f "$1/PG_VERSION" ] || fail "$1 is not a PostgreSQL cluster"
    as_server_user "$bindir/pg_ctl" -D "$1" -w -t 30 promote >/dev/null || fail "the standby was not promoted"
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
    standby) [ $# -eq 4 ] || usage; standby "$2" "$3" "$4" ;;
    promote) [ $# -eq 2 ] || usage; promote "$2" ;;
    *) usage ;;
esac
