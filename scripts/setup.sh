#!/usr/bin/env bash
# Installs everything the build and tests need on a bare Debian 12 machine.
# Idempotent: when every package is already present it only runs dpkg-query.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ clang clang-format libclang-rt-14-dev
    libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
    # wine64 runs the Windows tests on hosts that cannot execute 32-bit code.
    wine wine32:i386 wine64 libwine-dev
    xvfb xauth imagemagick
    # scripts/package.sh writes the release zip; its check unpacks it.
    zip unzip
)

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    SUDO=(sudo)
fi

# Fast path: one dpkg-query for everything.
installed=$(dpkg-query -W -f='${Status}\n' "${PACKAGES[@]}" 2>/dev/null |
    grep -c '^install ok installed$' || true)
if [ "$installed" -eq ${#PACKAGES[@]} ] &&
    dpkg --print-foreign-architectures | grep -qx i386; then
    exit 0
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$pkg")
    fi
done

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=1
fi

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ]; then
    exit 0
fi

echo "setup.sh: installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ $need_i386 -eq 1 ]; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
# Another apt run (e.g. unattended upgrades) may hold the lock; wait for it
# rather than failing.
APT_OPTS=(-o DPkg::Lock::Timeout=1200 -o Acquire::Retries=3)
"${SUDO[@]}" apt-get "${APT_OPTS[@]}" update -qq
"${SUDO[@]}" apt-get "${APT_OPTS[@]}" install -y -qq "${missing[@]}" </dev/null
