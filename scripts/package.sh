#!/usr/bin/env bash
# Builds the program Release (with Debian's hardening flags) in build-package and makes the Debian package
# there: build-package/mnt4820_<version>_<arch>.deb, and fails when lintian finds an error or a warning in it
# (its informational tags pass). Extra arguments go to CMake's configuration, for example
# -DMNT4820_SUITE_ROOT=/srv/edi for a suite rooted elsewhere.
#   scripts/package.sh [CMAKE_OPTION...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-package
"$root/scripts/install-deps.sh"
# Debian's hardening flags (fortify, stack protector, relro, bindnow); CMake reads CXXFLAGS but not CPPFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=OFF "$@" \
  >/dev/null
nice cmake --build "$build" -j2
(cd "$build" && cpack -B "$build" >/dev/null)
deb=$(ls "$build"/mnt4820_*.deb)
lintian --fail-on error,warning "$deb" || { echo "$0: lintian finds errors or warnings in $deb" >&2; exit 1; }
echo "package: $deb"
