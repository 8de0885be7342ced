#!/usr/bin/env bash
# The Debian package from cpack installs with apt-get on this system and brings a working
# program with its desktop files; it is removed again afterwards. Needs root and a system
# without tarvok-pro installed otherwise; skipped (77) without them.
#   deb-package-test.sh BUILD_DIR
set -euo pipefail
build=$1
if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "SKIP: installing a package needs root and apt-get"
    exit 77
fi
if dpkg-query -W -f='${Status}' tarvok-pro 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIP: a tarvok-pro package is installed already; it is left alone"
    exit 77
fi
tmp=$(mktemp -d)
installed=""
cleanup() {
    [ -n "$installed" ] && DEBIAN_FRONTEND=noninteractive timeout 120 apt-get purge -y -qq tarvok-pro >/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$tmp" && timeout 300 cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null) ||
    fail "cpack"
deb=$(ls "$tmp"/tarvok-pro_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6serialport6 libphonenumber qt6-qpa-plugins; do
    grep -q "$need" <<<"$depends" || fail "Depends does not name $need: $depends"
done

installed=yes
(cd "$tmp" && DEBIAN_FRONTEND=noninteractive timeout 300 apt-get install -y -qq \
    -o DPkg::Lock::Timeout=60 "./$(basename "$deb")" >/dev/null) || fail "apt-get install"
for file in /usr/bin/tarvok-pro /usr/share/applications/tarvok-pro.desktop \
    /usr/share/icons/hicolor/scalable/apps/tarvok-pro.svg \
    /usr/share/icons/hicolor/48x48/apps/tarvok-pro.png \
    /usr/share/metainfo/org.example.TarvokPro.metainfo.xml; do
    [ -f "$file" ] || fail "$file is not installed"
done
[ "$(env -u DISPLAY /usr/bin/tarvok-pro --version)" = "Tarvok-Pro 2.2" ] || fail "--version"
echo "PASS"
