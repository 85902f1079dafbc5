#!/usr/bin/env bash
# Builds the Windows demo and the control, registers the built CorvaneC.ocx in
# the tree's own Wine prefix (the demo hosts it through COM), and runs the demo
# under Wine: in a window when there is a display, otherwise on a hidden X
# server, saving docs/screenshot.png.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}

"$ROOT/scripts/setup.sh"

build_tree() { # DIR TOOLCHAIN
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/$2" >/dev/null
    cmake --build "$1" -j "$JOBS" --target all
}

usable() { grep -q '^CORVANE_WINE_USABLE:INTERNAL=TRUE$' "$1/CMakeCache.txt"; }

# The 32-bit build is the product; where this host cannot run 32-bit code the
# 64-bit build of the same sources stands in.
tree=build/cross
build_tree build/cross cmake/toolchain-mingw-i686.cmake
if ! usable build/cross; then
    echo "demo.sh: this host cannot run 32-bit Windows programs; using the 64-bit build"
    tree=build/cross64
    build_tree build/cross64 cmake/toolchain-mingw-x86_64.cmake
    usable "$tree" || {
        echo "demo.sh: Wine cannot run programs of $tree either" >&2
        exit 1
    }
fi

demo=$tree/corvane-demo.exe
if [ ! -f "$demo" ]; then
    echo "demo.sh: the demo is not built yet (no sources in src/demo)"
    exit 0
fi

loader=$(sed -n 's/^CORVANE_WINE_LOADER:FILEPATH=//p' "$tree/CMakeCache.txt")
arch=win32
[ "$tree" = build/cross64 ] && arch=win64
wine_env=("$ROOT/cmake/wine-env.sh" exec "$tree/wine-state" "$loader" "$ROOT/$tree/wineprefix" "$arch")

# The demo makes the control by its ProgID: register the module built beside
# it, in this tree's prefix only.
ocx=$tree/CorvaneC.ocx
if [ ! -f "$ocx" ]; then
    echo "demo.sh: $ocx is not built" >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${wine_env[@]}" regsvr32 /s "$ROOT/$ocx"
else
    "${wine_env[@]}" regsvr32 /s "$ROOT/$ocx"
fi
echo "demo.sh: registered $ocx in $tree/wineprefix"

if [ -z "${DISPLAY:-}" ]; then
    mkdir -p docs
    marker=$(mktemp)
    trap 'rm -f "$marker"' EXIT
    sleep 1 # so a new screenshot is strictly newer than the marker
    xvfb-run -a -s "-screen 0 1280x1024x24" "${wine_env[@]}" "$demo" \
        --screenshot docs/screenshot.png
    if [ ! docs/screenshot.png -nt "$marker" ]; then
        echo "demo.sh: the demo did not write docs/screenshot.png" >&2
        exit 1
    fi
    # The demo stores the pixels uncompressed; ImageMagick (from setup.sh) packs them.
    if command -v convert >/dev/null; then
        convert docs/screenshot.png -strip docs/screenshot.png
    fi
    echo "demo.sh: wrote docs/screenshot.png"
    # Both pages of the customizing dialog, opened from the context menu.
    xvfb-run -a -s "-screen 0 1280x1024x24" "${wine_env[@]}" "$demo" \
        --customize-screenshots docs/customize-general.png docs/customize-sections.png
    if command -v convert >/dev/null; then
        for page in general sections; do
            convert "docs/customize-$page.png" -strip "docs/customize-$page.png"
        done
    fi
    echo "demo.sh: wrote docs/customize-general.png, docs/customize-sections.png"
    # The property page in the system's property frame.
    xvfb-run -a -s "-screen 0 1280x1024x24" "${wine_env[@]}" "$demo" \
        --property-page docs/property-page.png
    if command -v convert >/dev/null; then
        convert docs/property-page.png -strip docs/property-page.png
    fi
    echo "demo.sh: wrote docs/property-page.png"
else
    "${wine_env[@]}" "$demo"
fi
