#!/usr/bin/env bash
# Makes the Debian package from a build folder with cpack and checks it: lintian reports no error, the files
# and their modes are the suite's layout, the control fields carry the computed and declared relations.
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
echo "$deb: lintian clean of errors, layout, modes and fields as expected"
