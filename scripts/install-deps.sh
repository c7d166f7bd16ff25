#!/usr/bin/env bash
# Installs the Debian packages the program, its demo and its tests need; does nothing when all are there.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3 libsqlite3-dev odbc-postgresql
  postgresql
  fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev libpq-dev
  xvfb xdotool imagemagick libx11-dev
  dpkg-dev lintian
  clang libclang-rt-dev clang-format-19
  fcitx5 fcitx5-frontend-qt6 fcitx5-mozc dbus x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
