#!/usr/bin/env bash
# Builds the program Release (with Debian's hardening flags) in build-package and makes the Debian package
# there: build-package/mnt4820_<version>_<arch>.deb. Extra arguments go to CMake's configuration, for example
# -DMNT4820_SUITE_ROOT=/srv/edi for a suite rooted elsewhere.
#   scripts/package.sh [CMAKE_OPTION...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-package
"$root/scripts/install-deps.sh"
# CFLAGS, CXXFLAGS and LDFLAGS with fortify, stack protector, relro and bindnow, as Debian packages are built.
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMNT4820_TESTS=OFF -DMNT4820_BENCH=OFF "$@" \
  >/dev/null
nice cmake --build "$build" -j2
(cd "$build" && cpack -B "$build" >/dev/null)
deb=$(ls "$build"/mnt4820_*.deb)
echo "package: $deb"
