#!/usr/bin/env bash
# Checks the Debian packages the project needs and installs what is missing.
#
#   scripts/deps.sh required   what configuring and building need (`make build`)
#   scripts/deps.sh all        those and what the tests and tools need (`make deps`, `make test`)
#
# Installing needs root. Without root, a missing package stops the script with the command that
# installs it; `make build` therefore works for any user once the required packages are there.
set -euo pipefail

# Configuring and building: the compiler, CMake and Ninja, Qt 6, GoogleTest and Google Benchmark.
required=(
    cmake g++ make pkg-config ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
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

case "${1:-}" in
    required) packages=("${required[@]}") ;;
    all) packages=("${required[@]}" "${optional[@]}") ;;
    *)
        echo "usage: $0 required|all" >&2
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
