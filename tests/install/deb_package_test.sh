#!/usr/bin/env bash
# The Debian package: cpack -G DEB builds it, it holds the installed files
# under /usr, and it depends on the libraries the program links (found by
# dpkg-shlibdeps) and on the CJK font.
#   deb_package_test.sh <build folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$tmp"/orvel-helper_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
id=org.orvel.OrvelHelper
for file in ./usr/bin/OrvelHelper ./usr/share/orvel-helper/skin.zip \
  ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/icons/hicolor/128x128/apps/$id.png \
  ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/applications/$id.desktop \
  ./usr/share/metainfo/$id.metainfo.xml; do
  grep -qx "$file" "$tmp/files" || { cat "$tmp/files" >&2; fail "not in the package: $file"; }
done
! grep -q -e orvel-demo-services -e '\.a$' -e '/include/' "$tmp/files" || fail "build-only files in the package"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-wqy-microhei libqt6widgets6 libjsoncpp25 libzip4; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
echo "PASS: $(basename "$deb"): $(wc -l <"$tmp/files") entries; Depends: $depends"
