# Shared by the wine helpers: environment for a 64-bit wine with the Chinese ANSI code page.
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver64
[ -x "$wine_server" ] || wine_server=/usr/lib/wine/wineserver
wine_cache=${WAVORO_CACHE:-$HOME/.cache/wavoro}/wine
# Per-run prefixes live beside the base one, on the same file system, so that hard links work.
wine_runs=$wine_cache/runs
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No Mono or Gecko: nothing of ours needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

# start_xvfb: starts Xvfb on a free display (1024x768x24) and exports DISPLAY; sets xvfb_pid.
# Xvfb picks the display itself (-displayfd) and reports it once it accepts connections, so
# runs started at the same moment never share a display.
start_xvfb() {
    local report n=""
    report=$(mktemp "${TMPDIR:-/tmp}/wavoro-xvfb.XXXXXX")
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$report" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 200); do
        n=$(head -n 1 "$report" 2>/dev/null)
        [ -n "$n" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$report"
    if [ -n "$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
    fi
    echo "wine: Xvfb did not start" >&2
    return 1
}

# copy_prefix BASE DEST: a fresh prefix made from the base one. Hard links make it instant; the
# registry files, which wine rewrites, are real copies, and nothing may change an existing file
# of the prefix in place. Across file systems the files are copied.
copy_prefix() {
    local base=$1 dest=$2 f
    if ! cp -al "$base" "$dest" 2>/dev/null; then
        rm -rf "$dest"
        cp -a "$base" "$dest"
    fi
    for f in "$base"/*.reg; do
        cp --remove-destination "$f" "$dest/$(basename "$f")"
    done
    rm -f "$dest/.done"
}
