# Shared by the wine helpers: environment for a 64-bit wine with the Chinese ANSI code page.
wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver64
[ -x "$wine_server" ] || wine_server=/usr/lib/wine/wineserver
wine_cache=${WAVORO_CACHE:-$HOME/.cache/wavoro}/wine
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No Mono or Gecko: nothing of ours needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

# start_xvfb: starts Xvfb on a free display (1024x768x24) and exports DISPLAY; sets xvfb_pid.
start_xvfb() {
    local n
    for n in $(seq 90 190); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
            xvfb_pid=$!
            for _ in $(seq 1 100); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.05
            done
            if kill -0 "$xvfb_pid" 2>/dev/null; then
                export DISPLAY=":$n"
                return 0
            fi
        fi
    done
    echo "wine: no free X display" >&2
    return 1
}
