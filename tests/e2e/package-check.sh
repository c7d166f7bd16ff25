#!/usr/bin/env bash
# Makes the Debian package from a build folder with cpack and checks it: lintian reports no error, the files
# and their modes are the suite's layout, the control fields carry the computed and declared relations, and
# dpkg installs and purges it in a throwaway root (root only: nothing is installed on this machine).
#   tests/e2e/package-check.sh BUILD_DIR OUT_DIR VERSION
set -euo pipefail
build=$1 out=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack lintian dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
rm -rf "$out" && mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb="$out/mnt4820_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || fail "no $deb"

lintian --fail-on error "$deb" || fail "lintian reports errors"

# Every folder is root's and 0755; the files are exactly these.
listing=$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')
folders=$(grep '^d' <<<"$listing")
! grep -qv '^drwxr-xr-x root/root ' <<<"$folders" || fail "folders not 0755 root: $folders"
expected='-rw-r--r-- root/root ./opt/edi/EDI.ini.example
-rwxr-xr-x root/root ./opt/edi/EDI/MNT4820/mnt4820
-rwxr-xr-x root/root ./opt/edi/EDI/MNT4820/mnt4820-signon
-rwxr-xr-x root/root ./opt/edi/EDI/MNT4820/mnt4820-start
-rw-r--r-- root/root ./usr/share/applications/mnt4820.desktop
-rw-r--r-- root/root ./usr/share/doc/mnt4820/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/mnt4820/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/mnt4820.svg
-rw-r--r-- root/root ./usr/share/lintian/overrides/mnt4820'
files=$(grep -v '^d' <<<"$listing" | sort -k3)
[[ $files == "$expected" ]] || fail "the package holds
$files
instead of
$expected"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == mnt4820 && $(field Version) == "$version" ]] || fail "package $(field Package) $(field Version)"
depends=$(field Depends)
for relation in 'adduser' 'unixodbc' 'libodbc2 (' 'libqt6widgets6 (' 'libc6 ('; do
  [[ ", $depends," == *", $relation"* ]] || fail "Depends lacks $relation: $depends"
done
[[ $(field Recommends) == 'libsqliteodbc | odbc-postgresql, fonts-ipafont-gothic' ]] || fail "Recommends: $(field Recommends)"
[[ $(field Suggests) == 'fcitx5, fcitx5-mozc, fcitx5-frontend-qt6' ]] || fail "Suggests: $(field Suggests)"
[[ $(dpkg-deb -I "$deb") =~ lines\ +\*\ +postinst\  ]] || fail "no executable postinst"

# The maintainer scripts through dpkg, in a copy-on-write root of this machine (an overlay of / mounted in a
# mount namespace of its own, gone with it). Each row: what stands at EDI.ini before the install, what the admin
# does after it; then EDI.ini's mode, owner and group after the install, whether it is there after the purge,
# and whether the purge says it kept it.
[[ $(id -u) -eq 0 ]] || fail "the install and purge need root (for the throwaway root's mounts)"
rows=(
  "template copy||:|640 root edi gone"
  "filled in||sed -i 's/^PASSWD=.*/PASSWD=secret/' /opt/edi/EDI.ini|640 root edi there kept"
  "the site's own|mkdir -p /opt/edi && echo DBSTRING=SITE >/opt/edi/EDI.ini|:|644 root root there"
)
# In a chroot (as in scripts/check-debian13.sh) / is no mount point and keeps its propagation: the chroot's own
# mount namespace must then be private.
propagation=private && mountpoint -q / || propagation=unchanged
for row in "${rows[@]}"; do
  IFS='|' read -r name before after expected <<<"$row"
  t=$(mktemp -d "$out/root.XXXXXX") && chmod 0755 "$t" && mkdir -m 0755 "$t/upper" "$t/work" "$t/root"
  cp "$deb" "$t/upper/mnt4820.deb"
  got=$(unshare --mount --propagation "$propagation" --fork sh -c 'set -e
    mount -t overlay overlay -o "lowerdir=/,upperdir=$1/upper,workdir=$1/work" "$1/root"
    mount --rbind /dev "$1/root/dev" && mount -t proc proc "$1/root/proc"
    exec chroot "$1/root" sh -c "$2"' sh "$t" "set -e; $before
      dpkg -i /mnt4820.deb >/install.log 2>&1 || { cat /install.log; exit 1; }
      stat -c '%a %U %G' /opt/edi/EDI.ini; $after
      dpkg --purge mnt4820 >/purge.log 2>&1; [ -e /opt/edi/EDI.ini ] && echo there || echo gone
      grep -q '^mnt4820: /opt/edi/EDI.ini is kept' /purge.log && echo kept || true" 2>&1 | paste -sd' ') ||
    fail "$name: install or purge failed: $got"
  [[ $got == "$expected" ]] || fail "$name: install and purge gave '$got' instead of '$expected'"
  rm -rf "$t"
done
echo "$deb: lintian clean of errors, layout, modes and fields as expected; purge keeps a filled-in EDI.ini"
