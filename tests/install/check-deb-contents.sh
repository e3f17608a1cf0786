#!/bin/sh
# Builds the Debian package into a scratch folder and checks its control
# fields and its file list.
# usage: check-deb-contents.sh BUILD_DIR APP_ID VERSION
set -eu
build=$1 id=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
deb=$out/dialtally_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb"; ls "$out"; exit 1; }
failed=0
fail() { echo "$*"; failed=1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dialtally ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
field Maintainer | grep -qE '^[^<]+ <[^@>]+@[^>]+>$' || fail "Maintainer: $(field Maintainer)"
# Found from the shared libraries, so each library the programs link shows.
for library in libc6 libstdc++6 libqt6widgets6 libqt6charts6 libqt6svg6 libqt6printsupport6 \
    libxlsxwriter4 libzip4 libsystemd0 zlib1g; do
    # (libsystemd0's symbols file gives no version.)
    printf ', %s,' "$(field Depends)" | grep -qF -e ", $library (>=" -e ", $library," ||
        fail "Depends lacks $library: $(field Depends)"
done
[ "$(field Description | wc -l)" -gt 2 ] || fail "Description has no long text"

# Each path with its mode and owner, as the package would unpack it.
list=$(dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }')
for path in bin/dialtally bin/dialtally-report; do
    printf '%s\n' "$list" | grep -qx -- "-rwxr-xr-x root/root ./usr/$path" || fail "no executable /usr/$path"
done
expected="share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg
    share/man/man1/dialtally.1.gz share/man/man1/dialtally-report.1.gz
    share/dialtally/help/index.html share/dialtally/formats/pppd-syslog.log"
for size in 16 22 24 32 48 64 128 256; do
    expected="$expected share/icons/hicolor/${size}x$size/apps/$id.png"
done
for path in $expected; do
    printf '%s\n' "$list" | grep -qx -- "-rw-r--r-- root/root ./usr/$path" || fail "no /usr/$path"
done
# Nothing outside the folders named above.
stray=$(printf '%s\n' "$list" | awk '{ print $3 }' | grep -vE '^\./(usr/?|usr/share/?)?$' |
    grep -vE '^\./usr/(bin|share/(applications|metainfo|mime|icons|man|dialtally|doc))(/|$)' || true)
[ -z "$stray" ] || fail "files outside the expected folders: $stray"
exit $failed
