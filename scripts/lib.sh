# Shared by scripts/test and scripts/run: install what is missing, configure, build.
# shellcheck shell=bash

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ensure_packages LISTFILE...: apt-get installs the packages of the lists that are missing.
ensure_packages() {
    local wanted=() missing=() pkg
    mapfile -t wanted < <(cat "$@" | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d')
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# build_tree DIR [cmake options...] [-- TARGET...]: configure (once) and build with Ninja,
# everything or only the targets named after "--".
build_tree() {
    local dir=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift && targets=(--target "$@")
    cmake -S "$TOP" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
    cmake --build "$dir" "${targets[@]}"
}
