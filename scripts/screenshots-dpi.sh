#!/usr/bin/env bash
# Saves the demo's header, both pages of the customizing dialog and the
# property page at other pixel densities (default: 120, 144 and 192 pixels
# per inch): docs/screenshot-NNNdpi.png, docs/customize-general-NNNdpi.png,
# docs/customize-sections-NNNdpi.png, docs/property-page-NNNdpi.png.
# The demo runs in a Wine prefix of its own per density whose screen is set
# to it (<tree>/wineprefix-NNNdpi; the tree's shared prefix stays at 96),
# with the tree's CorvaneC.ocx registered there, on a hidden X server.
# Builds the demo and the control first. Usage: screenshots-dpi.sh [DPI...]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}
densities=("$@")
[ ${#densities[@]} -gt 0 ] || densities=(120 144 192)

"$ROOT/scripts/setup.sh"

usable() { grep -q '^CORVANE_WINE_USABLE:INTERNAL=TRUE$' "$1/CMakeCache.txt"; }

# The product's 32-bit build, or the 64-bit one where 32-bit code cannot run.
tree=build/cross
toolchain=cmake/toolchain-mingw-i686.cmake
cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/$toolchain" >/dev/null
if ! usable "$tree"; then
    tree=build/cross64
    toolchain=cmake/toolchain-mingw-x86_64.cmake
    cmake -S "$ROOT" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/$toolchain" >/dev/null
fi
cmake --build "$tree" -j "$JOBS" --target corvane-demo CorvaneC

loader=$(sed -n 's/^CORVANE_WINE_LOADER:FILEPATH=//p' "$tree/CMakeCache.txt")
arch=win32
[ "$tree" = build/cross64 ] && arch=win64

for dpi in "${densities[@]}"; do
    wine_env=("$ROOT/cmake/wine-env.sh" exec "$tree/wine-state" "$loader"
        "$ROOT/$tree/wineprefix-${dpi}dpi" "$arch")
    header=docs/screenshot-${dpi}dpi.png
    general=docs/customize-general-${dpi}dpi.png
    sections=docs/customize-sections-${dpi}dpi.png
    page=docs/property-page-${dpi}dpi.png
    # One X server for the whole Wine sequence.
    xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
        set -e
        dpi=$1 ocx=$2 demo=$3 header=$4 general=$5 sections=$6 page=$7
        shift 7
        "$@" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
        "$@" regsvr32 /s "$ocx"
        "$@" "$demo" --screenshot "$header"
        "$@" "$demo" --customize-screenshots "$general" "$sections"
        "$@" "$demo" --property-page "$page"
    ' wine-env "$dpi" "$ROOT/$tree/CorvaneC.ocx" "$tree/corvane-demo.exe" "$header" "$general" \
        "$sections" "$page" "${wine_env[@]}"
    # The demo stores the pixels uncompressed; ImageMagick (from setup.sh) packs them.
    if command -v convert >/dev/null; then
        for file in "$header" "$general" "$sections" "$page"; do
            convert "$file" -strip "$file"
        done
    fi
    echo "screenshots-dpi.sh: wrote $header, $general, $sections, $page"
done
