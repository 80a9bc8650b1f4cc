#!/usr/bin/env bash
# Builds Wavoro in its four configurations (or the ones named): native, asan, win32, win64.
# Installs what is missing first and cross-builds the C libraries once (cached).
#   build/win32/wavoro.exe  the product (32-bit)    build/win64/wavoro.exe  the same, 64-bit
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(native asan win32 win64)

"$root/tools/setup.sh"

configure() { # name extra-args...
    local name=$1
    shift
    cmake -S "$root" -B "$root/build/$name" -G Ninja -Wno-dev "$@" >/dev/null
}

for c in "${configs[@]}"; do
    echo "== building $c" >&2
    case $c in
    native)
        configure native -DCMAKE_BUILD_TYPE=RelWithDebInfo
        ;;
    asan)
        CC=clang CXX=clang++ configure asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVORO_SANITIZE=ON
        ;;
    win32 | win64)
        triple=i686-w64-mingw32
        [ "$c" = win64 ] && triple=x86_64-w64-mingw32
        # The payloads need the skin file that the native configuration's host tool makes.
        [ -f "$root/build/native/build.ninja" ] || "$0" native
        deps=$("$root/tools/deps.sh" "$triple")
        configure "$c" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" \
            -DCMAKE_PREFIX_PATH="$deps" -DWAVORO_HOST_DIR="$root/build/native"
        ;;
    *)
        echo "unknown configuration: $c" >&2
        exit 2
        ;;
    esac
    cmake --build "$root/build/$c" -j 2
done
