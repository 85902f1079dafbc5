#!/usr/bin/env bash
# Runs Windows test programs under Wine for CTest.
#
#   wine-env.sh setup   STATE_DIR LOADER PREFIX WINEARCH TEMPLATE TESTS_DIR
#   wine-env.sh own     STATE_DIR LOADER TEMPLATE WINEARCH WORK_DIR PROGRAM [ARGS...]
#   wine-env.sh run     STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh cleanup STATE_DIR LOADER PREFIX WINEARCH TEMPLATE TESTS_DIR
#   wine-env.sh exec    STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh exec-once STATE_DIR LOADER PREFIX WINEARCH PROGRAM [ARGS...]
#   wine-env.sh setup-prefix STATE_DIR LOADER PREFIX WINEARCH PIXELS_PER_INCH TEMPLATE
#   wine-env.sh setup-theme STATE_DIR LOADER PREFIX WINEARCH TEMPLATE
#
# setup makes the tree's template prefix once (wineboot, without a display)
# and from it the shared prefix, and starts one hidden X server (Xvfb) and
# one Wine server that stays until cleanup for that shared prefix.
# own runs one test program on an X server and in a prefix of its own: the
# prefix is a copy of TEMPLATE (or of $CORVANE_WINE_TEMPLATE) made in
# WORK_DIR, so programs never share activation, focus, clipboard or
# registry and run side by side. It exits with the program's exit code and
# removes WORK_DIR when the program passed (kept for a look when it failed);
# with $CORVANE_WINE_KEEP_PREFIX set, a passing run's prefix is moved there
# instead, a template for later tests (e.g. with a module registered).
# run executes a program in the shared prefix on the shared display (for
# console programs that need no setting of their own). cleanup stops the
# shared Wine server and X server, and whatever a killed own run left behind.
# exec (used by scripts/demo.sh) creates the prefix if needed, runs the program
# on the caller's $DISPLAY and waits for the Wine server to finish.
# exec-once does the same in a prefix that it removes afterwards (build steps:
# a prefix is 0.6-1.3 GB, more than the disk of a build machine can spare for
# each of them).
# setup-prefix makes PREFIX as a copy of TEMPLATE with its screen set to
# PIXELS_PER_INCH (a template for tests of another density).
# The tests' template has visual styles off (a new prefix has Wine's light
# theme on): tests of the classic look see it whatever the prefix. setup-theme
# makes PREFIX as a copy of TEMPLATE with the theme on again.
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
    mkdir -p "$state"
    rm -f "$state/display"
    # -displayfd lets the server pick a free display number, so parallel
    # tests and builds on one machine do not collide.
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 \
        3>"$state/display" >"$state/xvfb.log" 2>&1 </dev/null &
    echo $! >"$state/xvfb.pid"
    disown
    local i
    for i in $(seq 200); do
        if grep -q '^[0-9]' "$state/display" 2>/dev/null; then
            return 0
        fi
        sleep 0.05
    done
    echo "wine-env: Xvfb did not start; log:" >&2
    cat "$state/xvfb.log" >&2
    return 1
}

# Made without a display: no Wine server of the template is ever used by a
# test, each copy gets its own server that sees its own display from the
# start.
init_prefix() {
    mkdir -p "$state"
    export WINEPREFIX=$prefix
    if [ ! -f "$prefix/.corvane-ready" ]; then
        rm -rf "$prefix"
        local start
        start=$(date +%s)
        env -u DISPLAY "$loader" wineboot -i >"$state/wineboot.log" 2>&1 || {
            cat "$state/wineboot.log" >&2
            return 1
        }
        if [ "$mode" = setup ]; then
            # No window manager runs on the tests' hidden X servers: windows
            # Wine leaves to one would wait up to two seconds for it each time
            # one is hidden or destroyed (every box, menu and dialog a test
            # closes). Prefixes for a real desktop (exec) keep the default.
            env -u DISPLAY "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N \
                /f >>"$state/wineboot.log" 2>&1
            # A test that crashes ends with the debugger's backtrace on
            # stderr, not behind a crash dialog nobody closes until the
            # test's timeout.
            env -u DISPLAY "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
                /t REG_DWORD /d 0 /f >>"$state/wineboot.log" 2>&1
        fi
        # The registry is written when the server exits.
        "$(wineserver_bin)" -w
        touch "$prefix/.corvane-ready"
        echo "wine-env: created prefix $prefix in $(($(date +%s) - start)) s"
    fi
}

# copy_prefix FROM TO: a prefix of its own in well under a second. The
# binaries Wine installed (nearly all of the 0.6-1.3 GB) are hard links to
# the template's, as Wine never writes them; the registry, ini files and
# everything else a program might change in place are copies.
copy_prefix() {
    local from=$1 to=$2
    rm -rf "$to"
    cp -al "$from" "$to"
    (cd "$from" && find . -type f ! \( -name '*.dll' -o -name '*.exe' -o -name '*.sys' \
        -o -name '*.drv' -o -name '*.ocx' -o -name '*.acm' -o -name '*.cpl' -o -name '*.nls' \
        -o -name '*.tlb' -o -name '*.ds' \) -print0 |
        xargs -0 cp -p --parents --remove-destination -t "$to")
}

# set_theme PREFIX 0|1: visual styles off or on, from the next program on.
set_theme() {
    WINEPREFIX=$1 env -u DISPLAY "$loader" reg add \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d "$2" \
        /f >/dev/null
    # The registry is written when the server exits.
    WINEPREFIX=$1 "$(wineserver_bin)" -w
}

stop_server() {
    if [ -d "$1" ]; then
        WINEPREFIX=$1 "$(wineserver_bin)" -k 2>/dev/null || true
    fi
}

case $mode in
setup)
    template=$1
    (prefix=$template && init_prefix)
    # Also for a template made before the tests wanted it unthemed.
    if [ ! -f "$template/.corvane-unthemed" ]; then
        set_theme "$template" 0
        touch "$template/.corvane-unthemed"
    fi
    if [ ! -f "$prefix/.corvane-ready" ]; then
        copy_prefix "$template" "$prefix"
    fi
    start_xvfb
    # One server for all of the run's console programs, kept until cleanup:
    # a new one would start Wine's services again for each of them. They are
    # started here, so they never hold the output of a test (CTest would
    # wait for it).
    stop_server "$prefix" # one left behind by an interrupted run
    "$(wineserver_bin)" -p </dev/null >/dev/null 2>&1
    DISPLAY=:$(head -n1 "$state/display") "$loader" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
    echo "wine-env: display :$(head -n1 "$state/display"), prefix $prefix ($arch), template $template"
    ;;
own)
    work=$1
    shift
    template=${CORVANE_WINE_TEMPLATE:-$prefix}
    if [ ! -f "$template/.corvane-ready" ]; then
        echo "wine-env: no template prefix $template; run the wine_env_setup test first" >&2
        exit 1
    fi
    state=$work
    stop_server "$work/prefix" # one left behind by a run that was killed
    start_xvfb
    copy_prefix "$template" "$work/prefix"
    export WINEPREFIX=$work/prefix
    export DISPLAY=:$(head -n1 "$state/display")
    rc=0
    "$loader" "$@" || rc=$?
    # Kept: its registry must be on disk, which the server writes as it
    # exits. Otherwise nobody reads it again; no need to wait.
    if [ $rc -eq 0 ] && [ -n "${CORVANE_WINE_KEEP_PREFIX:-}" ]; then
        "$(wineserver_bin)" -w
    else
        "$(wineserver_bin)" -k 2>/dev/null || true
    fi
    stop_xvfb
    if [ $rc -ne 0 ]; then
        echo "wine-env: exit code $rc; prefix kept in $work" >&2
        exit $rc
    fi
    if [ -n "${CORVANE_WINE_KEEP_PREFIX:-}" ]; then
        rm -rf "$CORVANE_WINE_KEEP_PREFIX"
        mv "$work/prefix" "$CORVANE_WINE_KEEP_PREFIX"
    fi
    rm -rf "$work"
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
    template=$2
    if [ ! -f "$template/.corvane-ready" ]; then
        echo "wine-env: no template prefix $template; run the wine_env_setup test first" >&2
        exit 1
    fi
    copy_prefix "$template" "$prefix"
    env -u DISPLAY "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$1" /f >/dev/null
    # The registry is written when the server exits.
    "$(wineserver_bin)" -w
    echo "wine-env: prefix $prefix at $1 pixels per inch"
    ;;
setup-theme)
    template=$1
    if [ ! -f "$template/.corvane-ready" ]; then
        echo "wine-env: no template prefix $template; run the wine_env_setup test first" >&2
        exit 1
    fi
    copy_prefix "$template" "$prefix"
    rm -f "$prefix/.corvane-unthemed"
    set_theme "$prefix" 1
    echo "wine-env: prefix $prefix with visual styles on"
    ;;
cleanup)
    tests=$2
    stop_server "$prefix"
    stop_xvfb
    # Tests killed at their timeout leave their X server and Wine server.
    for work in "$tests"/*/; do
        [ -d "$work" ] || continue
        stop_server "$work/prefix"
        state=${work%/} stop_xvfb
    done
    ;;
*)
    echo "wine-env: unknown mode $mode" >&2
    exit 2
    ;;
esac
