#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with; only what is missing.
set -euo pipefail

packages=(
    # build
    cmake g++ make pkg-config ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # tests: independent DXF readers, real windows and Chinese text in screenshots
    python3 python3-ezdxf librecad xvfb xauth fonts-noto-cjk
    # fuzzing, formatting and cached compiles
    clang libclang-rt-14-dev clang-format ccache
)

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
    echo "deps: installing them needs root; run 'sudo make deps' (or apt-get install them)." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
