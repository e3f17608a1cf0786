#!/bin/sh
# Installs the build into a scratch folder and runs the freedesktop
# validators on what a desktop reads from it.
# usage: check-desktop-files.sh BUILD_DIR APP_ID VERSION
set -eu
build=$1 id=$2 version=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" >/dev/null
share=$stage/usr/share
failed=0

# desktop-file-validate exits 0 on hints; a clean entry prints nothing.
out=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) || failed=1
[ -z "$out" ] || { echo "$out"; failed=1; }
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || failed=1
if ! grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml"; then
    echo "the AppStream file has no release $version"
    failed=1
fi
# The MIME package must compile into a type that carries the icon.
out=$(update-mime-database "$share/mime" 2>&1) || { echo "$out"; failed=1; }
if ! grep -q "application/x-dialtally-report:$id" "$share/mime/icons" 2>/dev/null; then
    echo "the MIME package gives .rep files no icon"
    failed=1
fi
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$id.png
    case $(file -b "$png") in
    "PNG image data, $size x $size,"*) ;;
    *) echo "$png is not a $size x $size PNG"; failed=1 ;;
    esac
done
exit $failed
