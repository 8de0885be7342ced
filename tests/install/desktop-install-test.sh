#!/usr/bin/env bash
# The program installed with `cmake --install` into a temporary prefix: every file in its
# place, the desktop entry and the AppStream file accepted by their validators, and a tel:
# link opened with xdg-open reaching the running instance started from that install, which
# dials it on the simulated modem.
#   desktop-install-test.sh BUILD_DIR FAKE_MODEM
set -euo pipefail
build=$1
fake_modem=$2
tmp=$(mktemp -d)
instance=""
modem=""
cleanup() {
    [ -n "$instance" ] && kill "$instance" 2>/dev/null && wait "$instance" 2>/dev/null
    [ -n "$modem" ] && kill "$modem" 2>/dev/null && wait "$modem" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# wait_for SECONDS COMMAND...: polls until COMMAND succeeds.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for file in bin/tarvok-pro share/applications/tarvok-pro.desktop \
    share/icons/hicolor/scalable/apps/tarvok-pro.svg \
    share/metainfo/org.example.TarvokPro.metainfo.xml; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# Each PNG is as large as its folder says.
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/tarvok-pro.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    read -r width height < <(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$png")
    [ "$width $height" = "$size $size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done
desktop-file-validate "$share/applications/tarvok-pro.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.example.TarvokPro.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"

# A user of the temporary install, on a desktop that xdg-open does not know by name.
home=$tmp/home
mkdir -p "$home/.config" "$home/.local/share/Tarvok-Pro"
user_env() {
    user=(env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" XDG_CONFIG_HOME="$home/.config"
        XDG_DATA_HOME="$home/.local/share" XDG_DATA_DIRS="$share" DISPLAY=:4711
        QT_QPA_PLATFORM=offscreen TARVOK_COM1="${device:-/nonexistent}")
}
run() {
    user_env
    "${user[@]}" "$@"
}
run xdg-mime default tarvok-pro.desktop x-scheme-handler/tel
[ "$(run xdg-mime query default x-scheme-handler/tel)" = tarvok-pro.desktop ] ||
    fail "xdg-mime does not name tarvok-pro.desktop for tel:"

"$fake_modem" --log "$tmp/modem.log" >"$tmp/modem.out" &
modem=$!
wait_for 10 test -s "$tmp/modem.out" || fail "fake-modem did not start"
device=$(head -n 1 "$tmp/modem.out")

# Started as the menu entry starts it: the files live in the user's data folder.
data=$home/.local/share/Tarvok-Pro
printf '[BRISEL VERSION 2.2]\r\n1,0,0,"",0,"00","49|89",12,"","",0\r\n"B\xfcro 1","B\xfcro 2","Privat 1","Privat 2"\r\n' \
    >"$data/Brisel.DAT"
# env hands its process over to the program, so that $! is the program itself.
user_env
"${user[@]}" tarvok-pro --desktop 2>/dev/null &
instance=$!
holds_lock() { [ "$(head -n 1 "$data/Tarvok-Pro.lock" 2>/dev/null)" = "$instance" ]; }
wait_for 20 holds_lock || fail "the installed program did not take its data folder"

run timeout 20 xdg-open "tel:+49-30-7654321" || fail "xdg-open tel: failed"
expected=$(printf 'ATDT030 7654321;H0\r' | od -An -c)
dialled() { [ "$(od -An -c "$tmp/modem.log" 2>/dev/null)" = "$expected" ]; }
wait_for 10 dialled || fail "the modem received: $(od -An -c "$tmp/modem.log")"
kill -0 "$instance" || fail "the running instance ended"
[ -z "$(ls "$home" | grep -v '^\.')" ] || fail "files scattered in the home folder: $(ls "$home")"
echo "PASS"
