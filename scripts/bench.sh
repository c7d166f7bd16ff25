#!/usr/bin/env bash
# Builds the program and the benchmarks (Release, in build-bench, through ccache), starts a throwaway PostgreSQL
# server on 127.0.0.1, prints the start-up and a save as the operator sees them (bench/end-to-end.sh: the real
# program on a virtual display, on 0, 300k and 1M pairs; MNT4820_BENCH_SIZES and MNT4820_BENCH_ROUNDS change
# that) and then the table of the program's figures measured inside the process, on 10k, 100k and 300k pairs on
# SQLite and PostgreSQL, each beside its baseline, and stops the server. With --all the micro-benchmarks of the
# code search and the code-page helpers follow; with --compare PROGRAM (repeatable) other builds of the program
# are measured end to end in the same rounds, beside this one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
all=0
compare=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --all) all=1 ;;
    --compare) compare+=("$2") && shift ;;
    *) echo "usage: $0 [--all] [--compare PROGRAM]..." >&2 && exit 2 ;;
  esac
  shift
done

"$root/scripts/install-deps.sh"
build=$root/build-bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=ON \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" -j2 --target mnt4820 bench_launch bench_listing bench_search bench_text >/dev/null

source "$root/scripts/pg-throwaway.sh"
pg_throwaway_start "$root" bench >/dev/null
work=$pg_work

"$root/bench/end-to-end.sh" "$build/bench/bench_launch" "$pg_port" "$build/mnt4820" "${compare[@]}"
echo

"$root/scripts/odbc-config.sh" "$work/odbc" "$work/unused.db" "$pg_port" mnt4820
export ODBCSYSINI="$work/odbc" ODBCINI="$work/odbc/odbc.ini"
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 0700 "$XDG_RUNTIME_DIR"

"$build/bench/bench_listing" --pg-odbc "DSN=MNT4820_PG;UID=mnt4820;PWD=;" \
  --pg-libpq "host=127.0.0.1 port=$pg_port dbname=mnt4820 user=mnt4820"
if [[ $all == 1 ]]; then
  QT_QPA_PLATFORM=offscreen "$build/bench/bench_search"
  "$build/bench/bench_text"
fi
