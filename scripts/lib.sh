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

# build_tree DIR [cmake options...]: configure (once) and build with Ninja.
build_tree() {
    local dir=$1
    shift
    cmake -S "$TOP" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir"
}
