#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs all tests:
#   build/native   host build: unit tests, the same under ASan/UBSan, benchmarks
#   build/cross    32-bit Windows build (the product), tests under Wine
#   build/cross64  64-bit Windows build, tests under 64-bit Wine; this is where
#                  the Windows tests run on hosts that cannot execute 32-bit code
#   build/package  the release zip (scripts/package.sh --verify), then
#                  build/package-tests/{x86,x64}: its samples under Wine
#   build/fuzz     libFuzzer targets from fuzz/*.cpp, each run FUZZ_SECONDS
# Exits non-zero if any build or test failed.
#
# Prints the ten slowest tests at the end.
# Environment: JOBS (default 2), FUZZ_SECONDS (default 60), FUZZ_SEED (default 1),
# KEEP_WINE_PREFIXES=1 to keep each tree's Wine prefixes after its tests (by
# default they go: 0.6-1.3 GB each, and the next run makes them in seconds).
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}
export FUZZ_SECONDS=${FUZZ_SECONDS:-60}
LOGS=$ROOT/build/logs
T0=$(date +%s)

"$ROOT/scripts/setup.sh" || {
    echo "test.sh: setup failed" >&2
    exit 1
}
mkdir -p "$LOGS"
rm -f "$LOGS/test-times.txt"
# The type library writer of every tree (the package's too) runs in one
# prefix, made once for the run.
export CORVANE_TOOL_WINEPREFIX=$ROOT/build/wine-tools/wineprefix
mkdir -p "$ROOT/build/wine-tools"

failures=()
summaries=()
total_passed=0
total_failed=0
total_skipped=0

# Each step says how much disk is left: a full disk shows up as crashing Wine
# servers and failing configures, far from its cause.
step() { echo "=== $* ($(($(date +%s) - T0)) s, $(df -h --output=avail . | tail -n1 | tr -d ' ') free)"; }

# configure_and_build NAME DIR [cmake args...]; SOURCE=<dir> for another
# project than the repository's own.
configure_and_build() {
    local name=$1 dir=$2
    shift 2
    step "$name: configure and build"
    if ! cmake -S "${SOURCE:-$ROOT}" -B "$dir" -G Ninja "$@" >"$LOGS/$name-configure.log" 2>&1; then
        cat "$LOGS/$name-configure.log"
        failures+=("$name: configure")
        return 1
    fi
    grep -E '^-- (Wine|The following)' "$LOGS/$name-configure.log" || true
    # Keep going past a failed target so the tests that did build still run;
    # the build failure is reported either way.
    if ! cmake --build "$dir" -j "$JOBS" -- -k 0; then
        failures+=("$name: build")
    fi
}

# run_ctest NAME DIR [REGEX]
run_ctest() {
    local name=$1 dir=$2 log=$LOGS/$1-ctest.log
    local select=()
    if [ -n "${3:-}" ]; then
        select=(-R "$3")
    fi
    step "$name: ctest"
    ctest --test-dir "$dir" -j "$JOBS" --output-on-failure --no-tests=error "${select[@]}" 2>&1 |
        tee "$log"
    local rc=${PIPESTATUS[0]}
    local line
    line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n1)
    if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        local failed=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
        total_failed=$((total_failed + failed))
        total_passed=$((total_passed + total - failed))
    fi
    summaries+=("$name: ${line:-no summary (ctest exit $rc)}")
    # "  3/97 Test  #12: name ......   Passed   41.20 sec": seconds, tree: name.
    sed -nE "s/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec\$/\2 $name: \1/p" \
        "$log" >>"$LOGS/test-times.txt"
    if [ "$rc" -ne 0 ]; then
        failures+=("$name: tests")
    fi
}

# Wine tests are registered but disabled in a tree whose loader cannot run
# here (e.g. a kernel without 32-bit support); count them as skipped.
wine_usable() {
    grep -q '^CORVANE_WINE_USABLE:INTERNAL=TRUE$' "$1/CMakeCache.txt" 2>/dev/null
}

drop_wine_prefixes() {
    if [ "${KEEP_WINE_PREFIXES:-0}" != 1 ]; then
        rm -rf "$1"/wineprefix*
    fi
}

skip_tree() {
    local name=$1 dir=$2 reason=$3 count
    count=$(ctest --test-dir "$dir" -N 2>/dev/null | sed -n 's/^Total Tests: //p')
    count=${count:-0}
    total_skipped=$((total_skipped + count))
    summaries+=("$name: $count tests skipped: $reason")
    echo "$name: skipping $count tests: $reason"
}

if configure_and_build native build/native; then
    run_ctest native build/native
fi

# One build type more than the default (RelWithDebInfo), kept cheap: the
# native core and its tests in Release, where -O3 warns about things -O2
# does not.
step "release: configure and build (core tests only)"
if cmake -S "$ROOT" -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    >"$LOGS/release-configure.log" 2>&1; then
    if cmake --build build/release -j "$JOBS" --target corvane_core_tests; then
        run_ctest release build/release '^corvane_core_tests$'
    else
        failures+=("release: build")
    fi
else
    cat "$LOGS/release-configure.log"
    failures+=("release: configure")
fi

CROSS_TREES=(
    "cross build/cross cmake/toolchain-mingw-i686.cmake"
    "cross64 build/cross64 cmake/toolchain-mingw-x86_64.cmake"
)
for entry in "${CROSS_TREES[@]}"; do
    read -r name dir toolchain <<<"$entry"
    if configure_and_build "$name" "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/$toolchain"; then
        if wine_usable "$dir"; then
            run_ctest "$name" "$dir"
            drop_wine_prefixes "$dir"
        else
            reason=$(grep -o 'Wine tests are disabled in this tree: .*' \
                "$LOGS/$name-configure.log" | head -n1)
            skip_tree "$name" "$dir" "${reason:-Wine cannot run the programs of this tree}"
        fi
    fi
done

# The release package: both architectures built again in Release (only what
# ships), twice under different paths to prove the zip reproducible, then
# unpacked and its samples built and run under Wine, first in a new prefix
# with nothing registered.
step "package: build, verify reproducible"
if "$ROOT/scripts/package.sh" --verify >"$LOGS/package.log" 2>&1; then
    tail -n2 "$LOGS/package.log"
    # The package; its symbols zip is found beside it.
    zip=$ROOT/$(sed -n 's/^package.sh: wrote \([^ ]*\) .*/\1/p' "$LOGS/package.log" |
        grep -v -- '-symbols\.zip$' | head -n1)
    for entry in "${CROSS_TREES[@]}"; do
        read -r name dir toolchain <<<"$entry"
        arch=x86
        [ "$name" = cross64 ] && arch=x64
        if SOURCE=$ROOT/tests/package configure_and_build "package-$arch" \
            "build/package-tests/$arch" \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/$toolchain" -DCORVANE_PACKAGE_ZIP="$zip"; then
            if wine_usable "build/package-tests/$arch"; then
                run_ctest "package-$arch" "build/package-tests/$arch"
                drop_wine_prefixes "build/package-tests/$arch"
            else
                skip_tree "package-$arch" "build/package-tests/$arch" \
                    "Wine cannot run the programs of this tree"
            fi
        fi
    done
else
    tail -n 40 "$LOGS/package.log"
    failures+=("package: build")
fi

if compgen -G "$ROOT/fuzz/*.cpp" >/dev/null; then
    if CC=clang CXX=clang++ configure_and_build fuzz build/fuzz -DCORVANE_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
        run_ctest fuzz build/fuzz
    fi
else
    echo "fuzz: no fuzz/*.cpp, nothing to fuzz"
fi

drop_wine_prefixes build/wine-tools

echo
echo "=== Summary ($(($(date +%s) - T0)) s, $(df -h --output=avail . | tail -n1 | tr -d " ") free, build/ $(du -sh build | cut -f1))"
for s in "${summaries[@]}"; do
    echo "  $s"
done
if [ -s "$LOGS/test-times.txt" ]; then
    echo "Slowest tests:"
    sort -rn "$LOGS/test-times.txt" | head -n 10 | awk '{ printf "  %8.1f s  %s %s\n", $1, $2, $3 }'
fi
if [ ${#failures[@]} -gt 0 ]; then
    echo "FAILED steps:"
    for f in "${failures[@]}"; do
        echo "  $f"
    done
fi
# A build failure counts as one failure so the closing line never hides it.
build_failures=0
for f in "${failures[@]}"; do
    case $f in *": tests") ;; *) build_failures=$((build_failures + 1)) ;; esac
done
echo "total: $total_passed passed, $((total_failed + build_failures)) failed, $total_skipped skipped"
[ ${#failures[@]} -eq 0 ]
