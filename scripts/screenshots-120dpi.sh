#!/usr/bin/env bash
# Saves both pages of the customizing dialog at 120 pixels per inch
# (docs/customize-general-120dpi.png, docs/customize-sections-120dpi.png).
# The demo runs in a Wine prefix of its own whose screen is set to 120
# (<tree>/wineprefix-120dpi; the tree's shared prefix stays at 96), with the
# tree's CorvaneC.ocx registered there, on a hidden X server. Builds the
# demo and the control first.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}

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
wine_env=("$ROOT/cmake/wine-env.sh" exec "$tree/wine-state" "$loader"
    "$ROOT/$tree/wineprefix-120dpi" "$arch")
general=docs/customize-general-120dpi.png
sections=docs/customize-sections-120dpi.png

# One X server for the whole Wine sequence.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -e
    "$@" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 120 /f >/dev/null
    "$@" regsvr32 /s "'"$ROOT/$tree/CorvaneC.ocx"'"
    "$@" "'"$tree/corvane-demo.exe"'" --customize-screenshots "'"$general"'" "'"$sections"'"
' wine-env "${wine_env[@]}"
if command -v convert >/dev/null; then
    for file in "$general" "$sections"; do
        convert "$file" -strip "$file"
    done
fi
echo "screenshots-120dpi.sh: wrote $general, $sections"
