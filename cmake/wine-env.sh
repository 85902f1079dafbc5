#!/usr/bin/env bash
# Runs Windows test programs under Wine for CTest.
#
#   wine-env.sh setup   STATE_DIR LOADER PREFIX WINEARCH
#   wine-env.sh run     STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh cleanup STATE_DIR LOADER PREFIX WINEARCH
#   wine-env.sh exec    STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh exec-once STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh setup-prefix STATE_DIR LOADER PREFIX WINEARCH PIXELS_PER_INCH
#   wine-env.sh stop-prefix  STATE_DIR LOADER PREFIX WINEARCH
#
# setup starts one hidden X server (Xvfb) for the whole CTest run and creates
# the Wine prefix once; run executes a program in that prefix on that display
# and exits with the program's exit code; cleanup stops the Wine server and the
# X server that setup started. All tests of a tree share one display, so the
# Wine desktop process never sees two different X servers.
# exec (used by scripts/demo.sh) creates the prefix if needed, runs the program
# on the caller's $DISPLAY and waits for the Wine server to finish.
# exec-once does the same in a prefix that it removes afterwards (build steps:
# a prefix is 0.6-1.3 GB, more than the disk of a build machine can spare for
# each of them).
# setup-prefix makes a second prefix on the display setup started, with its
# screen set to PIXELS_PER_INCH (for tests of another density; run then works
# with that prefix), and stop-prefix stops that prefix's Wine server.
set -euo pipefail

mode=$1
state=$2
loader=$3
prefix=$4
arch=$5
shift 5

export WINEPREFIX=$prefix
export WINEARCH=$arch
export WINEDEBUG=${CORVANE_WINEDEBUG:--all}
# No Mono or Gecko install dialogs, which would block a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Collation follows the user locale; pin it so results do not depend on the
# machine running the tests. C.UTF-8 exists on every Debian system and Wine
# maps it to en-US.
export LANG=C.UTF-8
unset LC_ALL LC_COLLATE
export GTEST_COLOR=no

wineserver_bin() {
    local dir
    dir=$(dirname "$(readlink -f "$loader")")
    for candidate in "$dir/wineserver64" "$dir/wineserver32" "$dir/wineserver"; do
        if [ -x "$candidate" ] && [ "$(head -c 4 "$candidate")" = $'\x7fELF' ]; then
            echo "$candidate"
            return
        fi
    done
    command -v wineserver
}

stop_xvfb() {
    if [ -f "$state/xvfb.pid" ]; then
        local pid
        pid=$(cat "$state/xvfb.pid")
        if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
            kill "$pid" 2>/dev/null || true
        fi
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

start_xvfb() {
    stop_xvfb # one left behind by an interrupted run
    rm -f "$state/display"
    # -displayfd lets the server pick a free display number, so parallel
    # builds on one machine do not collide.
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 \
        3>"$state/display" >"$state/xvfb.log" 2>&1 </dev/null &
    echo $! >"$state/xvfb.pid"
    disown
    local i
    for i in $(seq 100); do
        if grep -q '^[0-9]' "$state/display" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    echo "wine-env: Xvfb did not start; log:" >&2
    cat "$state/xvfb.log" >&2
    return 1
}

init_prefix() {
    mkdir -p "$state"
    if [ ! -f "$prefix/.corvane-ready" ]; then
        rm -rf "$prefix"
        local start
        start=$(date +%s)
        "$loader" wineboot -i >"$state/wineboot.log" 2>&1 || {
            cat "$state/wineboot.log" >&2
            return 1
        }
        # The registry is written when the server exits.
        "$(wineserver_bin)" -w
        touch "$prefix/.corvane-ready"
        echo "wine-env: created prefix $prefix in $(($(date +%s) - start)) s"
    fi
}

case $mode in
setup)
    mkdir -p "$state"
    start_xvfb
    export DISPLAY=:$(head -n1 "$state/display")
    init_prefix
    echo "wine-env: display $DISPLAY, prefix $prefix ($arch)"
    ;;
exec | exec-once)
    init_prefix
    rc=0
    "$loader" "$@" || rc=$?
    # Let Wine's helper processes leave while their X server still exists.
    "$(wineserver_bin)" -w || true
    if [ "$mode" = exec-once ]; then
        rm -rf "$prefix"
    fi
    exit $rc
    ;;
run)
    if [ ! -f "$state/display" ] || [ ! -f "$prefix/.corvane-ready" ]; then
        echo "wine-env: no display or prefix; run the wine_env_setup test first" >&2
        exit 1
    fi
    export DISPLAY=:$(head -n1 "$state/display")
    exec "$loader" "$@"
    ;;
setup-prefix)
    if [ ! -f "$state/display" ]; then
        echo "wine-env: no display; run the wine_env_setup test first" >&2
        exit 1
    fi
    export DISPLAY=:$(head -n1 "$state/display")
    init_prefix
    "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null
    # The registry is written when the server exits; the next server reads it.
    "$(wineserver_bin)" -w
    echo "wine-env: prefix $prefix at $1 pixels per inch"
    ;;
stop-prefix)
    if [ -d "$prefix" ]; then
        "$(wineserver_bin)" -k 2>/dev/null || true
    fi
    ;;
cleanup)
    if [ -d "$prefix" ]; then
        "$(wineserver_bin)" -k 2>/dev/null || true
    fi
    stop_xvfb
    ;;
*)
    echo "wine-env: unknown mode $mode" >&2
    exit 2
    ;;
esac
