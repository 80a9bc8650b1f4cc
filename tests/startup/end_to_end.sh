#!/usr/bin/env bash
# Runs tests/startup/end_to_end.py (or the start-up benchmark with --bench) with wine's
# environment: code page 936, the cached base prefix, and Xvfb when no DISPLAY is set.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/tools/wine/common.sh"

base=$("$root/tools/wine/prefix") || exit 1
mkdir -p "$wine_runs"
export WAVORO_BASE_PREFIX=$base WAVORO_WINE_RUNS=$wine_runs WAVORO_WINE_LOADER=$wine_loader WAVORO_WINE_SERVER=$wine_server

xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
if [ -z "${DISPLAY:-}" ]; then start_xvfb || exit 1; fi

script=$here/end_to_end.py
if [ "${1:-}" = --bench ]; then
    shift
    script=$here/bench_startup.py
fi
python3 "$script" "$@"
