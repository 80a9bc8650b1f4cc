#!/usr/bin/env bash
# Cross-builds the C libraries the Windows builds link, from Debian's source packages:
# libjpeg-turbo (the banner picture) and liblzma from xz-utils (the skin file), for
# i686-w64-mingw32 and x86_64-w64-mingw32. Results are cached outside the repository,
# keyed by target and source version, so later runs only print the prefixes.
#
# Usage: tools/deps.sh TRIPLE   -> prints a ;-separated CMAKE_PREFIX_PATH on stdout
set -euo pipefail
shopt -s inherit_errexit

triple=$1
here=$(cd "$(dirname "$0")" && pwd)
cache=${WAVORO_CACHE:-$HOME/.cache/wavoro}
log() { echo "deps: $*" >&2; }

srcver() { apt-cache showsrc "$1" | awk '/^Version:/ {print $2}' | sort -V | tail -n 1; }

fetch_source() { # package version -> unpacked source directory (Debian patches applied)
    local pkg=$1 ver=$2
    local dir=$cache/src/$pkg-${ver//:/_}
    if [ ! -f "$dir/.done" ]; then
        log "fetching source package $pkg $ver"
        rm -rf "$dir" && mkdir -p "$dir"
        (cd "$dir" && apt-get source -qq "$pkg=$ver" >/dev/null 2>&1)
        mv "$dir"/"$pkg"-*/ "$dir/src"
        touch "$dir/.done"
    fi
    echo "$dir/src"
}

build_jpeg() {
    local ver prefix src
    ver=$(srcver libjpeg-turbo)
    prefix=$cache/deps/$triple/libjpeg-turbo-${ver//:/_}
    if [ ! -f "$prefix/.done" ]; then
        src=$(fetch_source libjpeg-turbo "$ver")
        log "building libjpeg-turbo $ver for $triple"
        rm -rf "$prefix" "$prefix.build"
        cmake -Wno-dev -S "$src" -B "$prefix.build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/toolchain-$triple.cmake" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
            -DWITH_JPEG8=OFF -DWITH_ARITH_ENC=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
        cmake --build "$prefix.build" --target jpeg-static >/dev/null
        cmake --install "$prefix.build" >/dev/null 2>&1 || true
        # Only the static library and headers are needed.
        mkdir -p "$prefix/lib" "$prefix/include"
        cp "$prefix.build/libjpeg.a" "$prefix/lib/"
        cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$prefix.build/jconfig.h" "$prefix/include/"
        rm -rf "$prefix.build"
        touch "$prefix/.done"
    fi
    echo "$prefix"
}

build_lzma() {
    local ver prefix src
    ver=$(srcver xz-utils)
    prefix=$cache/deps/$triple/xz-utils-${ver//:/_}
    if [ ! -f "$prefix/.done" ]; then
        src=$(fetch_source xz-utils "$ver")
        log "building liblzma $ver for $triple"
        rm -rf "$prefix" "$prefix.build" && mkdir -p "$prefix.build"
        (cd "$prefix.build" && "$src/configure" --host="$triple" --prefix="$prefix" \
            --disable-shared --enable-static --disable-threads --disable-nls \
            --disable-xz --disable-xzdec --disable-lzmadec --disable-lzmainfo \
            --disable-lzma-links --disable-scripts --disable-doc >/dev/null &&
            make -j"$(nproc)" -C src/liblzma >/dev/null && make -C src/liblzma install >/dev/null)
        rm -rf "$prefix.build"
        touch "$prefix/.done"
    fi
    echo "$prefix"
}

jpeg=$(build_jpeg)
lzma=$(build_lzma)
echo "$jpeg;$lzma"
