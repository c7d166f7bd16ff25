#!/usr/bin/env bash
# The start-up as the operator sees it: the real program launched on a virtual X display (Xvfb), timed on the
# wall clock from the launch until its main window has painted the listing's grid and until the listing's last
# row is in the grid, with its peak RSS; beside the listing's join run by the engines' own command-line clients
# (sqlite3, psql in unaligned output) with the rows sent to /dev/null. At 0, 10k, 100k and 300k pairs (db/generate-pairs.sh) on
# SQLite and on PostgreSQL. The machine may be shared: every configuration is run once per round, the rounds
# interleave them, and each figure is the median of the rounds.
#
#   bench/end-to-end.sh BENCH_LAUNCH PG_PORT PROGRAM [PROGRAM…]
#
# PG_PORT: a PostgreSQL server on 127.0.0.1 with trust authentication (scripts/pg-throwaway.sh). With more than
# one PROGRAM (builds to compare) each gets its own columns, measured in the same rounds.
# MNT4820_BENCH_ROUNDS (default 3) and MNT4820_BENCH_SIZES (default "0 10000 100000 300000") change the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
launch=$1 port=$2
shift 2
programs=("$@")
rounds=${MNT4820_BENCH_ROUNDS:-3}
read -r -a sizes <<<"${MNT4820_BENCH_SIZES:-0 10000 100000 300000}"
timeout=120

# The listing's statement, as the program runs it.
join="SELECT  FL1915センタ利用企業マスタ.センターコード, FL1915センタ利用企業マスタ.相手先企業コード,\
 FL1903EDI制御マスタ.センター名  FROM FL1915センタ利用企業マスタ, FL1903EDI制御マスタ \
 WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード\
 ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード"

# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
work=$xvfb_dir

pg() { psql -q -X -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" "$@"; }

echo "loading the tables..." >&2
for n in "${sizes[@]}"; do
  script=$work/pairs-$n.sql
  { cat "$root/db/schema.sql"; sh "$root/db/generate-pairs.sh" "$n"; } >"$script"
  sqlite3 "$work/pairs-$n.db" <"$script"
  pg -U postgres -d postgres -c "DROP DATABASE IF EXISTS pairs_$n" \
    -c "CREATE DATABASE pairs_$n OWNER mnt4820 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0" \
    2>/dev/null
  { echo "SET client_min_messages = warning;"; cat "$script"; echo "ANALYZE FL1915センタ利用企業マスタ; ANALYZE FL1903EDI制御マスタ;"; } | pg -U mnt4820 -d "pairs_$n" >/dev/null
  rm "$script"
  "$root/scripts/odbc-config.sh" "$work/odbc-$n" "$work/pairs-$n.db" "$port" "pairs_$n"
done

# Each program in the deployed layout, once per engine: EDI.ini (Shift-JIS) two folder levels above it.
for i in "${!programs[@]}"; do
  for engine in SQLITE PG; do
    run=$work/run-$i-$engine
    mkdir -p "$run/EDI/MNT4820"
    install -m 0755 "${programs[$i]}" "$run/EDI/MNT4820/mnt4820"
    user=edi
    [[ $engine == PG ]] && user=mnt4820
    sed -e "s/^DBSTRING=.*/DBSTRING=MNT4820_$engine/" -e "s/^USERID=.*/USERID=$user/" "$root/config/demo/EDI.ini" |
      iconv -f UTF-8 -t CP932 >"$run/EDI.ini"
  done
done

# One measurement: KEY then its figures, appended to the results.
results=$work/results
measure() {
  local key=$1
  shift
  echo "$key $("$launch" "$@")" >>"$results"
}

for round in $(seq "$rounds"); do
  echo "round $round of $rounds..." >&2
  for n in "${sizes[@]}"; do
    export ODBCSYSINI=$work/odbc-$n ODBCINI=$work/odbc-$n/odbc.ini
    measure "sqlite3 $n" --exit "$timeout" sqlite3 "$work/pairs-$n.db" "$join"
    measure "psql $n" --exit "$timeout" psql -q -X -h 127.0.0.1 -p "$port" -U mnt4820 -d "pairs_$n" -A -t -c "$join"
    for i in "${!programs[@]}"; do
      for engine in SQLITE PG; do
        measure "program$i-$engine $n" --moments "$timeout" "$work/run-$i-$engine/EDI/MNT4820/mnt4820" 0001
      done
    done
  done
done

# Medians of the rounds, one line per engine, size and program, with the goals: at 10k pairs the window within
# 15 ms of the empty table's; from there on the window within the empty table's plus 2 x the join, the last row
# within it plus 3 x the join; at 300k pairs at most 80 MB.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
figure() { awk -v k="$1 $2" -v c="$3" 'substr($0, 1, length(k) + 1) == k " " { split(substr($0, length(k) + 2), f, " "); print f[c] }' "$results" | median; }

printf 'median of %s rounds; ms on the wall clock from the launch until the main window on Xvfb has painted its rows
' "$rounds"
printf '(window) and until the last row is in the grid (last row); the join run by the engine'"'"'s client, rows to /dev/null
'
printf '| engine | pairs | program | window ms | last row ms | peak MB | join ms | join MB | goals: window, last row, MB | met |\n'
printf '|---|---:|---|---:|---:|---:|---:|---:|---|---|\n'
for engine in SQLITE PG; do
  client=sqlite3 name=SQLite
  [[ $engine == PG ]] && client=psql name=PostgreSQL
  for i in "${!programs[@]}"; do
    empty=$(figure "program$i-$engine" "${sizes[0]}" 1)
    for n in "${sizes[@]}"; do
      shown=$(figure "program$i-$engine" "$n" 1) last=$(figure "program$i-$engine" "$n" 2)
      peak=$(figure "program$i-$engine" "$n" 3) join=$(figure "$client" "$n" 1) joinMb=$(figure "$client" "$n" 2)
      goals=$(awk -v n="$n" -v e="$empty" -v j="$join" -v s="$shown" -v l="$last" -v m="$peak" 'BEGIN {
        if (n == 0) { print "- | -"; exit }
        w = (n <= 10000) ? e + 15 : e + 2 * j; r = e + 3 * j; mb = (n >= 300000) ? 80 : 0
        met = (s <= w ? "yes" : "no") ", " (l <= r ? "yes" : "no") (mb ? ", " (m <= mb ? "yes" : "no") : "")
        printf "<= %.0f, <= %.0f%s | %s\n", w, r, (mb ? ", <= 80" : ""), met }')
      printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$n" "$((i + 1))" "$shown" "$last" "$peak" \
        "$join" "$joinMb" "$goals"
    done
  done
done
