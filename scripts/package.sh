#!/usr/bin/env bash
# Builds the release package dist/CorvaneC-<version>.zip and beside it
# CorvaneC-<version>-symbols.zip: both Windows trees in Release
# (build/package/x86, build/package/x64; only what ships, compiled with
# debug information that goes into the symbols zip), then the files of the
# package (see docs/release.md) laid out, dated and zipped so that two
# builds of one commit give the same bytes.
#
#   scripts/package.sh           build and write the zip
#   scripts/package.sh --verify  then build everything again under other
#                                paths, without the compiler cache, and
#                                compare both zips byte for byte
#
# Environment: JOBS (default 2); SOURCE_DATE_EPOCH (default: the time of the
# checked-out commit) dates every file in the zip.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}
# A compiler cache that rewrites paths relative to a base directory would hand
# back objects whose debug information names another tree: the symbols zip
# would then depend on where the cache was filled.
unset CCACHE_BASEDIR
VERIFY=0
case ${1:-} in
--verify) VERIFY=1 ;;
"") ;;
*)
    echo "usage: scripts/package.sh [--verify]" >&2
    exit 2
    ;;
esac

"$ROOT/scripts/setup.sh"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
# Zip dates start in 1980.
if [ "$SOURCE_DATE_EPOCH" -lt 315532800 ]; then
    SOURCE_DATE_EPOCH=315532800
fi
export SOURCE_DATE_EPOCH

# build_tree DIR TOOLCHAIN: the Release tree's module and type library. -g
# adds debug information without changing the code; the module's goes to
# CorvaneC.ocx.debug, without the compiler's command line (it names the
# tree).
build_tree() {
    local flags="-O3 -DNDEBUG -g -gno-record-gcc-switches"
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS_RELEASE="$flags" -DCMAKE_CXX_FLAGS_RELEASE="$flags" \
        -DCORVANE_SEPARATE_DEBUG=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/$2" >"$1.configure.log" 2>&1 || {
        cat "$1.configure.log" >&2
        return 1
    }
    cmake --build "$1" -j "$JOBS" --target CorvaneC corvane_typelib_files
}

# crlf FILE...: CR LF line ends, for Windows editors (also where a file has
# some already).
crlf() {
    local file
    for file in "$@"; do
        sed -i 's/\r*$/\r/' "$file"
    done
}

# checksums DIR: SHA256SUMS of every other file, in byte order.
checksums() {
    (cd "$1" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort |
        xargs sha256sum >SHA256SUMS)
    crlf "$1/SHA256SUMS"
}

# stage WORK STAGE SYMBOLS: the package's files from the trees under WORK,
# and the modules' debug information in SYMBOLS.
stage() {
    local work=$1 stage=$2 symbols=$3 version
    version=$(sed -n 's/^CORVANE_RELEASE_VERSION:INTERNAL=//p' "$work/x86/CMakeCache.txt")
    [ -n "$version" ] || {
        echo "package.sh: no version in $work/x86/CMakeCache.txt" >&2
        return 1
    }
    rm -rf "$stage" "$symbols"
    mkdir -p "$stage/include" "$stage/samples"
    for arch in x86 x64; do
        mkdir -p "$stage/$arch" "$symbols/$arch"
        cp "$work/$arch/CorvaneC.ocx" "$work/$arch/CorvaneC.manifest" "$stage/$arch/"
        cp "$work/$arch/CorvaneC.ocx.debug" "$symbols/$arch/"
    done
    # The header is the same in both trees (one table, one emitter); the type
    # library of the product's architecture goes at the top.
    cmp -s "$work/x86/sdk/include/CorvaneC_TLB.h" "$work/x64/sdk/include/CorvaneC_TLB.h" || {
        echo "package.sh: the trees generated different headers" >&2
        return 1
    }
    cp "$work/x86/sdk/include/CorvaneC_TLB.h" "$stage/include/"
    cp "$work/x86/sdk/CorvaneC.tlb" "$stage/"

    cp -r "$ROOT/samples/vbscript" "$ROOT/samples/html" "$stage/samples/"
    local host=$stage/samples/cpp-host
    mkdir -p "$host/host" "$host/com"
    cp "$ROOT/samples/cpp-host/CppHost.cpp" "$ROOT/samples/cpp-host/README.txt" \
        "$ROOT/samples/cpp-host/cpp-host.manifest.in" "$host/"
    sed "s/@PROJECT_VERSION@/$version/g" "$ROOT/samples/cpp-host/CMakeLists.txt.in" \
        >"$host/CMakeLists.txt"
    cp "$ROOT"/src/host/*.h "$ROOT"/src/host/*.cpp "$host/host/"
    cp "$ROOT/src/com/ComPtr.h" "$host/com/"

    sed "s/@VERSION@/$version/g" "$ROOT/packaging/README.txt.in" >"$stage/README.txt"
    # The reference and the notes as text: the markers of the reference's
    # generated blocks go.
    grep -v -e '^<!-- api .* -->$' -e '^<!-- /api -->$' "$ROOT/docs/api.md" >"$stage/API.txt"
    cp "$ROOT/CHANGES.md" "$stage/CHANGES.txt"
    local licence
    for licence in LICENSE LICENSE.txt LICENCE COPYING; do
        if [ -f "$ROOT/$licence" ]; then
            cp "$ROOT/$licence" "$stage/LICENSE.txt"
            break
        fi
    done
    # Every text file for Windows: CR LF line ends.
    find "$stage" -type f ! -name '*.ocx' ! -name '*.tlb' -print0 | xargs -0 sed -i 's/\r*$/\r/'
    checksums "$stage"

    sed "s/@VERSION@/$version/g" "$ROOT/packaging/SYMBOLS.txt.in" >"$symbols/README.txt"
    crlf "$symbols/README.txt"
    checksums "$symbols"
    echo "$version"
}

# zip_stage STAGE ZIP: fixed modes and dates, entries in byte order, no
# extra fields (owner, access times), so the archive depends on content only.
zip_stage() {
    local stage=$1 zip=$2
    find "$stage" -type d -exec chmod 755 {} +
    find "$stage" -type f -exec chmod 644 {} +
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    rm -f "$zip"
    (cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
        TZ=UTC zip -X -D -9 -q "$zip" -@)
}

# timed NAME COMMAND...: runs it and prints how long it took (the figures
# in docs/release.md).
timed() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "package.sh: $name took $((SECONDS - start)) s" >&2
}

# package WORK OUT_DIR: prints the zip's path; the symbols zip goes beside it.
package() {
    local work=$1 out=$2 version
    mkdir -p "$work" "$out"
    timed "the x86 tree" build_tree "$work/x86" cmake/toolchain-mingw-i686.cmake >&2
    timed "the x64 tree" build_tree "$work/x64" cmake/toolchain-mingw-x86_64.cmake >&2
    version=$(stage "$work" "$work/stage" "$work/symbols")
    zip_stage "$work/stage" "$out/CorvaneC-$version.zip"
    zip_stage "$work/symbols" "$out/CorvaneC-$version-symbols.zip"
    echo "$out/CorvaneC-$version.zip"
}

zip=$(package "$ROOT/build/package" "$ROOT/dist")
symbols=${zip%.zip}-symbols.zip
for file in "$zip" "$symbols"; do
    echo "package.sh: wrote ${file#"$ROOT"/} ($(sha256sum "$file" | cut -c1-64))"
done

if [ $VERIFY -eq 1 ]; then
    # Other paths, and every object compiled again.
    again=$(CCACHE_DISABLE=1 package "$ROOT/build/package-again/tree" "$ROOT/build/package-again")
    if cmp "$zip" "$again" && cmp "$symbols" "${again%.zip}-symbols.zip"; then
        echo "package.sh: reproducible: a second build gave the same bytes, both zips"
        # Kept only when it differs, to compare.
        rm -rf "$ROOT/build/package-again"
    else
        echo "package.sh: NOT reproducible: $again or its symbols zip differs" >&2
        exit 1
    fi
fi
