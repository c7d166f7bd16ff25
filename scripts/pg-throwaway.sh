# shellcheck shell=bash
# Sourced by the scripts that need a PostgreSQL server of their own for one run (tests, benchmarks, demo).
#
#   pg_throwaway_start ROOT NAME
#
# Starts a throwaway cluster (scripts/pg-server.sh) on 127.0.0.1, on MNT4820_PG_PORT or else the first free
# port from 55433, with its data in a new folder /tmp/mnt4820-NAME.XXXXXX. Leaves the folder in $pg_work and
# the port in $pg_port; the server is stopped and the folder removed when the calling shell exits.
pg_throwaway_start() {
  pg_root=$1
  pg_port=${MNT4820_PG_PORT:-}
  if [[ -z $pg_port ]]; then
    pg_port=55433
    while (exec 3<>"/dev/tcp/127.0.0.1/$pg_port") 2>/dev/null; do pg_port=$((pg_port + 1)); done
  fi
  pg_work=$(mktemp -d "/tmp/mnt4820-$2.XXXXXX")
  chmod 0755 "$pg_work" # the postgres user must reach its data folder inside
  trap pg_throwaway_stop EXIT
  "$pg_root/scripts/pg-server.sh" start "$pg_work/pg" "$pg_port"
}

pg_throwaway_stop() {
  "$pg_root/scripts/pg-server.sh" stop "$pg_work/pg" || true
  rm -rf "$pg_work"
}
