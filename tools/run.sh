#!/usr/bin/env bash
# Builds everything and runs Wavoro: under wine64 (the 64-bit build) on Linux, in $DISPLAY
# when there is one, else in Xvfb, where a screenshot is saved to build/wavoro.png and the
# window is closed again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"

. "$root/tools/wine/common.sh"
base=$("$root/tools/wine/prefix")
prefix=$wine_cache/run-prefix
[ -d "$prefix" ] || copy_prefix "$base" "$prefix"
export WINEPREFIX=$prefix

if [ -n "${DISPLAY:-}" ]; then
    exec "$wine_loader" "$root/build/win64/wavoro.exe"
fi

start_xvfb
trap 'kill $xvfb_pid 2>/dev/null; "$wine_server" -k 2>/dev/null' EXIT
"$wine_loader" "$root/build/win64/wavoro.exe" &
app=$!
win=""
for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name '^Wavoro' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
    sleep 0.2
done
if [ -z "$win" ]; then
    echo "run: the window did not appear" >&2
    exit 1
fi
sleep 1
import -window root "$root/build/wavoro.png"
echo "run: Wavoro is running in Xvfb; screenshot saved to build/wavoro.png" >&2
# Esc closes the window on the key press, so sending the release may find it gone already.
xdotool key --window "$win" Escape 2>/dev/null || true
wait "$app"
