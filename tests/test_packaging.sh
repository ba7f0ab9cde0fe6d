#!/usr/bin/env bash
# Installs into a scratch prefix and builds the Debian package as a distribution would
# (Debian's flags, lintian); checks what they hold.
set -euo pipefail
build=$1
version=$2
source=$(cd "$(dirname "$0")/.." && pwd)
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
icons=share/icons/hicolor
for f in bin/velorix share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml \
         $icons/scalable/apps/$id.svg share/doc/velorix/copyright \
         share/doc/velorix/changelog.gz share/man/man1/velorix.1.gz; do
    check "installs $f" test -s "$root/$f"
done
for size in 16 32 48 64 128; do
    check "the $size x $size icon" bash -c "file '$root/$icons/${size}x${size}/apps/$id.png' | grep -q '$size x $size'"
done
check "the program is executable" test -x "$root/bin/velorix"
check "desktop-file-validate" desktop-file-validate "$root/share/applications/$id.desktop"
check "one main category" bash -c "test \"\$(grep '^Categories=' '$root/share/applications/$id.desktop')\" = 'Categories=Utility;Calculator;'"
check "the desktop entry opens files" grep -qx 'Exec=velorix %F' "$root/share/applications/$id.desktop"
check "the desktop entry takes miniSEED and catalogues" grep -qx 'MimeType=application/vnd.fdsn.mseed;application/x-velorix-catalogue;' "$root/share/applications/$id.desktop"
check "the MIME data: *.mseed and *.miniseed are miniSEED" bash -c "
    cp -r '$root/share/mime' '$scratch/mime' && update-mime-database '$scratch/mime' &&
    grep -qx 'application/vnd.fdsn.mseed:\*.mseed' '$scratch/mime/globs' &&
    grep -qx 'application/vnd.fdsn.mseed:\*.miniseed' '$scratch/mime/globs' &&
    grep -qx 'application/x-velorix-catalogue:\*.velorix' '$scratch/mime/globs'"
check "the desktop entry's Hungarian name" grep -q '^Comment\[hu\]=Épületek' "$root/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml"
check "the release" grep -q "<release version=\"$version\"" "$root/share/metainfo/$id.metainfo.xml"
check "the licence in the metainfo" grep -q '<project_license>MIT</project_license>' "$root/share/metainfo/$id.metainfo.xml"
check "the changelog's version" bash -c "zcat '$root/share/doc/velorix/changelog.gz' | head -1 | grep -q '^velorix ($version)'"
check "the man page renders without warnings" bash -c "! MANWIDTH=80 man --warnings -l '$root/share/man/man1/velorix.1.gz' 2>&1 >/dev/null | grep ."

# The package, built with Debian's flags as the distribution builds it
"$source/script/package" "$scratch/build" >"$scratch/package.log" 2>&1 ||
    { tail -30 "$scratch/package.log"; exit 1; }
deb=$(ls "$scratch"/build/package/*.deb)
check "the package's version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
check "the package depends on Qt's widgets" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "the package depends on Qt's translations" bash -c "dpkg-deb -f '$deb' Depends | grep -q qt6-translations-l10n"
lintian --pedantic -I "$deb" >"$scratch/lintian" 2>&1 || true
check "lintian: no error and no warning" bash -c "! grep -E '^[EW]: ' '$scratch/lintian'"
grep -E '^[IPN]: ' "$scratch/lintian" | sed 's/^/  lintian says: /' || true
unpacked="$scratch/unpacked"
dpkg-deb -x "$deb" "$unpacked"
program="$unpacked/usr/bin/velorix"
check "full RELRO" bash -c "readelf -lW '$program' | grep -q GNU_RELRO && readelf -dW '$program' | grep -q BIND_NOW"
check "position independent" bash -c "readelf -hW '$program' | grep -q 'DYN'"
check "fortified functions" bash -c "readelf --dyn-syms -W '$program' | grep -q '_chk@'"
check "stack protector" bash -c "readelf --dyn-syms -W '$program' | grep -q '__stack_chk_fail'"
check "appstreamcli compose lists it with its icon" \
    bash -c "appstreamcli compose --origin velorix --result-root='$scratch/compose' '$unpacked' && \
             ls '$scratch'/compose/usr/share/swcatalog/icons/velorix/*/$id.png"

echo "$failures failed"
[ "$failures" -eq 0 ]
