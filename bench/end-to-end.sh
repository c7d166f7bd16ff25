#!/usr/bin/env bash
# The start-up and a save as the operator sees them: the real program launched on a virtual X display (Xvfb),
# timed on the wall clock from the launch until its main window has painted the listing's grid and until the
# listing's last row is in the grid; then, once that listing is complete, a change of the listing's first pair
# saved through the window with key events (Enter on the empty search field opens the pair, a new partner code,
# Enter, Yes), timed from the end of the save's statements until the reloaded listing's first rows and its last
# row are in the grid; with the program's peak RSS over the whole run. Beside it the listing's join run by the
# engines' own command-line clients (sqlite3, psql in unaligned output) with the rows sent to /dev/null. At 0,
# 300k and 1M pairs (db/generate-pairs.sh) on SQLite and on PostgreSQL. After every save the changed pair gets
# its partner code back, so that every run starts from the same rows. The machine may be shared: every
# configuration is run once per round, the rounds interleave them, and each figure is the median of the rounds.
#
#   bench/end-to-end.sh BENCH_LAUNCH PG_PORT PROGRAM [PROGRAM…]
#
# PG_PORT: a PostgreSQL server on 127.0.0.1 with trust authentication (scripts/pg-throwaway.sh). With more than
# one PROGRAM (builds to compare) each gets its own lines, measured in the same rounds.
# MNT4820_BENCH_ROUNDS (default 3) and MNT4820_BENCH_SIZES (default "0 300000 1000000"; the first size is the
# empty table that the goals count from, e.g. "0 10000 100000 300000" for a shorter run) change the run. The
# default run takes about 2 minutes for one program on a 2-core machine, half of it loading the tables.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The pair the save changes: the listing's first, given this partner code, which no generated pair has.
first_partner=P00000000001 saved_partner=Z00000000001

# The driver of the save, run by bench_launch --save once the start-up's listing is complete: Enter on the empty
# KCNTCD opens the listing's first pair, the new code replaces ATKCD's selected text, Enter asks
# "この内容で更新しますか" and Enter answers Yes. It ends at once, so that it takes no CPU from the reload.
if [[ ${1:-} == --save-keys ]]; then
  # shellcheck source=scripts/window-steps.sh
  source "$root/scripts/window-steps.sh"
  steps_main_window || { echo "the main window did not appear with the focus" >&2 && exit 1; }
  xdotool key Return
  xdotool type --delay 30 "$saved_partner"
  xdotool key Return
  steps_dialog '^MNT4820$' "the question before the change"
  xdotool key --clearmodifiers Return
  exit 0
fi

launch=$1 port=$2
shift 2
programs=("$@")
rounds=${MNT4820_BENCH_ROUNDS:-3}
read -r -a sizes <<<"${MNT4820_BENCH_SIZES:-0 300000 1000000}"
[[ ${sizes[0]} == 0 ]] || { echo "MNT4820_BENCH_SIZES must start with 0, the empty table" >&2 && exit 2; }
timeout=120
driver=$(printf '%q --save-keys' "$root/bench/end-to-end.sh")

# The listing's statement, as the program runs it.
join="SELECT  FL1915センタ利用企業マスタ.センターコード, FL1915センタ利用企業マスタ.相手先企業コード,\
 FL1903EDI制御マスタ.センター名  FROM FL1915センタ利用企業マスタ, FL1903EDI制御マスタ \
 WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード\
 ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード"
# Gives the saved pair its partner code back: after a save it changes exactly one pair.
restore="UPDATE FL1915センタ利用企業マスタ SET 相手先企業コード = '$first_partner'\
 WHERE 相手先企業コード = '$saved_partner'"

# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
work=$xvfb_dir

pg() { psql -q -X -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" "$@"; }

for n in "${sizes[@]}"; do
  echo "loading $n pairs..." >&2
  loaded=$SECONDS
  script=$work/pairs-$n.sql
  { cat "$root/db/schema.sql"; sh "$root/db/generate-pairs.sh" "$n"; } >"$script"
  sqlite3 "$work/pairs-$n.db" <"$script"
  pg -U postgres -d postgres -c "DROP DATABASE IF EXISTS pairs_$n" \
    -c "CREATE DATABASE pairs_$n OWNER mnt4820 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0" \
    2>/dev/null
  { echo "SET client_min_messages = warning;"; cat "$script"; echo "ANALYZE FL1915センタ利用企業マスタ; ANALYZE FL1903EDI制御マスタ;"; } | pg -U mnt4820 -d "pairs_$n" >/dev/null
  rm "$script"
  "$root/scripts/odbc-config.sh" "$work/odbc-$n" "$work/pairs-$n.db" "$port" "pairs_$n"
  echo "loaded $n pairs in $((SECONDS - loaded)) s" >&2
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

# One measurement: KEY then its figures, appended to the results; a launch that fails ends the run.
results=$work/results
measure() {
  local key=$1 figures
  shift
  figures=$("$launch" "$@")
  echo "$key $figures" >>"$results"
}

# The program at N pairs on ENGINE: the start-up alone on the empty table, with the save otherwise, after which
# the saved pair gets its partner code back.
measure_program() {
  local i=$1 engine=$2 n=$3 program=$work/run-$1-$2/EDI/MNT4820/mnt4820 changed
  if ((n == 0)); then
    measure "program$i-$engine $n" --moments "$timeout" "$program" 0001
    return
  fi
  measure "program$i-$engine $n" --save "$timeout" "$driver" "$program" 0001
  if [[ $engine == SQLITE ]]; then
    changed=$(sqlite3 "$work/pairs-$n.db" "$restore; SELECT changes();")
  else
    changed=$(pg -U mnt4820 -d "pairs_$n" -A -t -c "WITH r AS ($restore RETURNING 1) SELECT count(*) FROM r")
  fi
  [[ $changed == 1 ]] || { echo "the save did not change $first_partner into $saved_partner" >&2 && exit 1; }
}

started=$SECONDS
for round in $(seq "$rounds"); do
  echo "round $round of $rounds..." >&2
  for n in "${sizes[@]}"; do
    export ODBCSYSINI=$work/odbc-$n ODBCINI=$work/odbc-$n/odbc.ini
    measure "sqlite3 $n" --exit "$timeout" sqlite3 "$work/pairs-$n.db" "$join"
    measure "psql $n" --exit "$timeout" psql -q -X -h 127.0.0.1 -p "$port" -U mnt4820 -d "pairs_$n" -A -t -c "$join"
    for i in "${!programs[@]}"; do
      for engine in SQLITE PG; do
        measure_program "$i" "$engine" "$n"
      done
    done
  done
done
echo "the rounds took $((SECONDS - started)) s" >&2

# Medians of the rounds, one line per engine, size and program, with the goals: the window within 20 ms of the
# empty table's, the last row within the empty table's plus 1.5 x the join, the peak at most the empty table's
# plus 100 bytes a pair; the reload's first rows within 20 ms of the save's statements, its last row within
# 1.5 x the join.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
figure() { awk -v k="$1 $2" -v c="$3" 'substr($0, 1, length(k) + 1) == k " " { split(substr($0, length(k) + 2), f, " "); print f[c] }' "$results" | median; }

printf 'median of %s rounds; ms on the wall clock from the launch until the main window on Xvfb has painted its
rows (window) and until the last row is in the grid (last row); peak RSS over the whole run and when the start-up
listing was complete (start-up); the join run by the engine'"'"'s client, rows to /dev/null; after a saved change,
ms from the end of its statements until the reloaded listing'"'"'s first rows (reload first) and its last row
(reload whole) are in the grid\n' "$rounds"
printf '| engine | pairs | program | window ms | last row ms | peak MB | start-up MB | join ms | reload first ms |'
printf ' reload whole ms | goals: window, last row, MB, reload first, reload whole | met |\n'
printf '|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---|---|\n'
for engine in SQLITE PG; do
  client=sqlite3 name=SQLite
  [[ $engine == PG ]] && client=psql name=PostgreSQL
  for i in "${!programs[@]}"; do
    key=program$i-$engine
    emptyShown=$(figure "$key" 0 1) emptyLast=$(figure "$key" 0 2) emptyPeak=$(figure "$key" 0 3)
    for n in "${sizes[@]}"; do
      shown=$(figure "$key" "$n" 1) last=$(figure "$key" "$n" 2) peak=$(figure "$key" "$n" 3)
      join=$(figure "$client" "$n" 1) first=- whole=- startup=$peak
      ((n == 0)) || first=$(figure "$key" "$n" 5) whole=$(figure "$key" "$n" 6) startup=$(figure "$key" "$n" 7)
      goals=$(awk -v n="$n" -v es="$emptyShown" -v el="$emptyLast" -v ep="$emptyPeak" -v j="$join" -v s="$shown" \
        -v l="$last" -v m="$peak" -v f="$first" -v w="$whole" 'BEGIN {
        if (n == 0) { print "- | -"; exit }
        gs = es + 20; gl = el + 1.5 * j; gm = ep + n * 100 / 1048576; gf = 20; gw = 1.5 * j
        met = (s <= gs ? "yes" : "no") ", " (l <= gl ? "yes" : "no") ", " (m <= gm ? "yes" : "no") ", " \
          (f <= gf ? "yes" : "no") ", " (w <= gw ? "yes" : "no")
        printf "<= %.0f, <= %.0f, <= %.1f, <= %.0f, <= %.0f | %s\n", gs, gl, gm, gf, gw, met }')
      printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$n" "$((i + 1))" "$shown" \
        "$last" "$peak" "$startup" "$join" "$first" "$whole" "$goals"
    done
  done
done
