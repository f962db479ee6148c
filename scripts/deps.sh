#!/usr/bin/env bash
# Checks the Debian packages the project needs and installs what is missing.
#
#   scripts/deps.sh required   what configuring and building need (`make build`)
#   scripts/deps.sh windows    what the Windows build and its tests under Wine need
#   scripts/deps.sh all        all of these and what the tests and tools need (`make deps`)
#
# Installing needs root. Without root, a missing package stops the script with the command that
# installs it; `make build` therefore works for any user once the required packages are there.
set -euo pipefail

# Configuring and building: the compiler, CMake and Ninja, Qt 6, libxlsxwriter (the Excel
# files), GoogleTest and Google Benchmark.
required=(
    cmake g++ make pkg-config ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxlsxwriter-dev
    libgtest-dev libgmock-dev libbenchmark-dev
)

# Not needed to build, but some tests and tools run them: the test drawings (ezdxf) and the
# second DXF reader (librecad), real windows and Chinese text in screenshots (xvfb, fonts),
# fuzzing (clang and its runtime), `make format-check` (clang-format), cached compiles (ccache).
# CI installs them all: a test whose tool is missing fails rather than being skipped.
optional=(
    python3 python3-ezdxf librecad xvfb xauth fonts-noto-cjk
    clang libclang-rt-14-dev clang-format ccache
)

# The Windows build and its tests: mingw-w64 with posix threads (the Windows Qt was built with
# it), GoogleTest's source to build for it, zlib for mingw (libxlsxwriter links it), Wine to run
# the programs, the fonts the offscreen platform is given there, python3 to draw the programs'
# icons, unzip to check the package; Qt's host tools come with qt6-base-dev-tools.
windows=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest qt6-base-dev-tools
    libz-mingw-w64-dev wine wine64 xvfb xauth fonts-noto-cjk fonts-dejavu-core python3 unzip
)

case "${1:-}" in
    required) packages=("${required[@]}") ;;
    windows) packages=("${windows[@]}") ;;
    all) packages=("${required[@]}" "${optional[@]}" "${windows[@]}") ;;
    *)
        echo "usage: $0 required|windows|all" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "deps: missing Debian packages: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    echo "deps: installing them needs root: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
