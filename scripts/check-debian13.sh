#!/usr/bin/env bash
# Tries this checkout on the current Debian (13, "trixie") as a new user would: makes a Debian 13 root with
# debootstrap from the mirror this machine's apt uses, clones the checkout's committed HEAD into it, runs the
# README's two commands in the clone (scripts/demo.sh 0001, then scripts/test.sh), installs the package built on
# this machine with scripts/package.sh (or the one given) there, checks the EDI.ini the install made, purges it
# once as made and once filled in, and reports each step. Root only; about 30 minutes on 2 cores;
# not part of scripts/test.sh.
#   scripts/check-debian13.sh [--package DEB] [--keep] [WORK_DIR]
# WORK_DIR (default /var/tmp/mnt4820-debian13) keeps one log per step; the root in it is removed at the end
# unless --keep. The root's mounts (/proc, /sys, /dev) and every process started in it live in a mount and
# process namespace of their own: when the script ends, however it ends, they are gone with it.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
package='' keep=0
while (($#)); do
  case $1 in
    --package) package=$(realpath "$2") && shift 2 ;;
    --keep) keep=1 && shift ;;
    -*) echo "usage: $0 [--package DEB] [--keep] [WORK_DIR]" >&2 && exit 2 ;;
    *) break ;;
  esac
done
work=$(realpath -m "${1:-/var/tmp/mnt4820-debian13}")
root=$work/root
[[ $(id -u) -eq 0 ]] || { echo "$0: run it as root (debootstrap, chroot and mounts)" >&2; exit 1; }
command -v debootstrap >/dev/null ||
  { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap; }
# The Debian mirror of this machine's sources, not its security archive nor a commented-out one.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
  grep -v '^[[:space:]]*#' | grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n1 | tr -d ' ') || true
mirror=${mirror:-http://deb.debian.org/debian}

mkdir -p "$work"
rm -f "$work"/*.log
results=()
# step NAME LOG COMMAND...: runs it with its output in WORK_DIR/LOG and notes whether it passed.
step() {
  local name=$1 log=$work/$2 started=$SECONDS status=0
  shift 2
  echo "$(date +%T) $name (log: $log)"
  "$@" >"$log" 2>&1 </dev/null || status=$?
  results+=("$(printf '%-6s %-52s %4d s  %s' "$( ((status)) && echo FAIL || echo pass)" "$name" \
    $((SECONDS - started)) "$log")")
  return "$status"
}
# in_root COMMAND: runs it as root in the Debian 13 root, with a new user's plain environment and /proc, /sys and
# /dev mounted there.
in_root() {
  unshare --mount --pid --fork --propagation private bash -c 'set -e
    mount -t proc proc "$1/proc" && mount -t sysfs sysfs "$1/sys" && mount --rbind /dev "$1/dev"
    exec chroot "$1" env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$2"' in_root "$root" "$1"
}
report() {
  echo
  echo "Debian 13 check of $(git -C "$src" rev-parse --short HEAD) ($(git -C "$src" log -1 --format=%s | cut -c1-60)):"
  printf '  %s\n' "${results[@]}"
  # The namespaces are gone: nothing is mounted below the root any more, so it can go.
  if ((!keep)) && [[ -d $root ]] && ! findmnt -R -n "$root" >/dev/null; then rm -rf "$root"; fi
}
trap report EXIT

rm -rf "$root"
step "Debian 13 root from $mirror" debootstrap.log \
  debootstrap --variant=minbase --include=git,ca-certificates trixie "$root" "$mirror"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Services that packages install are not started in the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" && chmod 0755 "$root/usr/sbin/policy-rc.d"
step "clean clone of $(git -C "$src" rev-parse --short HEAD)" clone.log \
  git clone --no-hardlinks "$src" "$root/usr/local/src/mnt4820"
clone=/usr/local/src/mnt4820
step "scripts/demo.sh 0001 in the clone" demo.log in_root "cd $clone && scripts/demo.sh 0001" || true
step "scripts/test.sh in the clone" test.log in_root "cd $clone && scripts/test.sh" || true
grep -E 'tests passed|tests failed' "$work/test.log" | sed 's/^/    /' >&2 || true

# The package as a site installs it (its relations resolved by Debian 13's apt), the EDI.ini the install makes,
# and the purge of it, untouched and filled in. Built on this machine after the long steps in the root.
if [[ -z $package ]]; then
  step "package built on this machine (scripts/package.sh)" package.log "$src/scripts/package.sh"
  package=$(ls "$src"/build-package/mnt4820_*.deb)
fi
cp "$package" "$root/tmp/"
deb=/tmp/$(basename "$package")
step "install $(basename "$package"), EDI.ini 0640 root:edi" install.log in_root "set -e
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q $deb
  stat -c '%a %U %G' /opt/edi/EDI.ini; [ \"\$(stat -c '%a %U %G' /opt/edi/EDI.ini)\" = '640 root edi' ]" || true
step "purge of the EDI.ini as made removes it" purge.log in_root "set -e
  apt-get purge -y -q mnt4820; [ ! -e /opt/edi/EDI.ini ]" || true
step "purge of a filled-in EDI.ini keeps it and says so" purge-filled.log in_root "set -e
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q $deb
  sed -i 's/^PASSWD=.*/PASSWD=secret/' /opt/edi/EDI.ini
  apt-get purge -y -q mnt4820 | tee /tmp/purge.out; grep -q 'EDI.ini is kept' /tmp/purge.out
  grep -q '^PASSWD=secret' /opt/edi/EDI.ini" || true

for r in "${results[@]}"; do [[ $r != FAIL* ]] || exit 1; done
