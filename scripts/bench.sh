#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench), starts a throwaway PostgreSQL server on 127.0.0.1, prints the
# table of the program's figures on 10k, 100k and 300k pairs on SQLite and PostgreSQL, each beside its baseline,
# and stops the server. With --all the micro-benchmarks of the code search and the code-page helpers follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
all=0
[[ ${1:-} == --all ]] && all=1

"$root/scripts/install-deps.sh"
build=$root/build-bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target bench_listing bench_search bench_text >/dev/null

source "$root/scripts/pg-throwaway.sh"
pg_throwaway_start "$root" bench >/dev/null
work=$pg_work
"$root/scripts/odbc-config.sh" "$work/odbc" "$work/unused.db" "$pg_port" mnt4820
export ODBCSYSINI="$work/odbc" ODBCINI="$work/odbc/odbc.ini"
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 0700 "$XDG_RUNTIME_DIR"

"$build/bench/bench_listing" --pg-odbc "DSN=MNT4820_PG;UID=mnt4820;PWD=;" \
  --pg-libpq "host=127.0.0.1 port=$pg_port dbname=mnt4820 user=mnt4820"
if [[ $all == 1 ]]; then
  QT_QPA_PLATFORM=offscreen "$build/bench/bench_search"
  "$build/bench/bench_text"
fi
