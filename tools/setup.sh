#!/usr/bin/env bash
# Installs what building and testing Wavoro needs on a Debian 12 machine: compilers for the
# host and both Windows targets, wine with a Chinese locale and fonts, Xvfb, qemu for the
# 32-bit check, and the source-package access used by tools/deps.sh. Quiet when all is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    googletest libgtest-dev libbenchmark-dev liblzma-dev
    g++-multilib qemu-user-static
    wine wine64 xvfb xdotool x11-utils fonts-wqy-microhei locales imagemagick
    dpkg-dev hyperfine python3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_src=0
if ! grep -rqs '^deb-src .*bookworm main' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    need_src=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_src = 1 ]; then
    if [ $need_src = 1 ]; then
        echo "setup: adding Debian source packages to apt"
        echo 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main' \
            > /etc/apt/sources.list.d/wavoro-src.list
    fi
    echo "setup: installing ${missing[*]:-(none)}"
    apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
fi

# The ANSI code page under wine follows LANG: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    echo "setup: generating the zh_CN.UTF-8 locale"
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
