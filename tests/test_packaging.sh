#!/usr/bin/env bash
# Installs into a scratch prefix and builds the Debian package; checks what they hold.
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() { # description, command...
    local what=$1; shift
    if "$@" >"$scratch/out" 2>&1; then
        echo "ok: $what"
    else
        echo "FAILED: $what"; cat "$scratch/out"; failures=$((failures + 1))
    fi
}

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
root="$scratch/root/usr"
id=hu.example.Velorix
for f in bin/velorix share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/32x32/apps/$id.png \
         share/doc/Velorix/LiberationSans-copyright; do
    check "installs $f" test -s "$root/$f"
done
check "the program is executable" test -x "$root/bin/velorix"
check "the 16 x 16 icon" bash -c "file '$root/share/icons/hicolor/16x16/apps/$id.png' | grep -q '16 x 16'"
check "the 32 x 32 icon" bash -c "file '$root/share/icons/hicolor/32x32/apps/$id.png' | grep -q '32 x 32'"
check "desktop-file-validate" desktop-file-validate "$root/share/applications/$id.desktop"
check "the desktop entry's Hungarian name" grep -q '^Comment\[hu\]=Épületek' "$root/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml"
check "the release" grep -q "<release version=\"$version\"" "$root/share/metainfo/$id.metainfo.xml"

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >cpack.log 2>&1) ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/pkg/*.deb)
check "the package's version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
check "the package depends on Qt's widgets" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "the package depends on Qt's translations" bash -c "dpkg-deb -f '$deb' Depends | grep -q qt6-translations-l10n"
dpkg-deb -c "$deb" >"$scratch/contents"
for f in ./usr/bin/velorix ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/32x32/apps/$id.png ./usr/share/icons/hicolor/16x16/apps/$id.png; do
    check "the package holds $f" grep -q " $f\$" "$scratch/contents"
done

echo "$failures failed"
[ "$failures" -eq 0 ]
