#!/usr/bin/env bash
# Installs what is missing, checks the layout of the C++ files, builds (plain, with the address and undefined-behaviour sanitizers, and the fuzz
# targets with clang; MNT4820_SKIP_SANITIZERS=1 leaves out the second, MNT4820_SKIP_FUZZ=1 the third), starts a
# throwaway PostgreSQL server on 127.0.0.1, runs every test with CTest against SQLite and PostgreSQL through
# the real ODBC drivers (two at a time: each test has a database of its own), and stops the server. Among the
# tests of the plain build, the Debian package is made from that build with cpack, checked with lintian and
# dpkg-deb, and its start-up is run unpacked (tests/e2e/package-check.sh, tests/e2e/installed-start.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Layout is clang-format's: a file that differs fails the run before anything is built.
"$root/scripts/check-format.sh"

build() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  cmake --build "$dir" -j2
}
build "$root/build"
[[ ${MNT4820_SKIP_SANITIZERS:-0} == 1 ]] || build "$root/build-asan" -DMNT4820_SANITIZE=ON
# The fuzz targets (clang, libFuzzer, ASan and UBSan): each is a test of its own build that replays its seeds
# and fuzzes briefly, so a crash or a broken property fails the run.
fuzz=0
if [[ ${MNT4820_SKIP_FUZZ:-0} != 1 ]]; then
  fuzz=1
  cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMNT4820_FUZZ=ON -DMNT4820_TESTS=OFF -DMNT4820_BENCH=OFF >/dev/null
  cmake --build "$root/build-fuzz" -j2 --target mnt4820_fuzz
fi

source "$root/scripts/pg-throwaway.sh"
pg_throwaway_start "$root" test
work=$pg_work
"$root/scripts/odbc-config.sh" "$work/odbc" "$work/sqlite.db" "$pg_port" mnt4820

export ODBCSYSINI="$work/odbc" ODBCINI="$work/odbc/odbc.ini"
export MNT4820_TEST_PG_CONNECT="DSN=MNT4820_PG;UID=mnt4820;PWD=;"
# The restart test restarts this server under an open connection (scripts/pg-server.sh restart).
export MNT4820_TEST_PG_DATA="$work/pg"
export XDG_RUNTIME_DIR="$work/xdg" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
# ODBC drivers are unloaded before the leak check; full stacks let it see that the driver manager made them.
export ASAN_OPTIONS="fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

status=0
(cd "$root/build" && ctest -j2 --output-on-failure) || status=1
if [[ ${MNT4820_SKIP_SANITIZERS:-0} != 1 ]]; then
  (cd "$root/build-asan" && ctest -j2 --output-on-failure) || status=1
fi
if ((fuzz)); then
  (cd "$root/build-fuzz" && ctest -j2 --output-on-failure) || status=1
fi
exit "$status"
