#!/usr/bin/env bash
# Builds Qt 6.4.2 base for 64-bit Windows (mingw-w64) from Debian's own qt6-base source and installs
# it into PREFIX: the same Qt as the prebuilt qt6-win64-6.4.2-mingw.tar.xz, for a machine that does
# not have that archive.
#
#   scripts/build-qt-windows.sh PREFIX        PREFIX absolute, e.g. $PWD/build-windows/qt6-win64
#
# Takes about 40 minutes on an idle 2-core machine, nearly all of it compiling (an hour when other
# compiles share the machine). Steps:
#   1. apt (needs root; as another user these run through sudo, or the script stops and says what
#      to run): installs what is missing (the mingw-w64 compiler, CMake, Ninja, Debian's own Qt
#      6.4.2 development files, whose moc/rcc/uic the cross build uses as host tools, dpkg-dev for
#      `apt-get source`); if qt6-base's source is not known to apt yet, adds a deb-src entry for the
#      Debian archive the Qt packages come from, in its own file
#      /etc/apt/sources.list.d/elecaide-deb-src.sources (or .list), and runs apt-get update.
#   2. `apt-get source qt6-base=6.4.2+dfsg-10` into PREFIX.src, then scripts/qt-windows/no-wintab.patch
#      (Debian's source has no WinTab header, which the windows platform plugin includes; the patch
#      says more). That is the only change to Debian's source.
#   3. configure in PREFIX.build with the project's cmake/mingw-w64.cmake, build, install into
#      PREFIX (an earlier Windows Qt there is replaced), check the result.
#   4. deletes PREFIX.src and PREFIX.build (on failure they are kept for a look).
# The configure line is the one the prebuilt archive was made with, except that the direct2d feature
# stays on: without it Qt 6.4 leaves a DirectWrite font database class out of Gui that the windows
# plugin still uses. As a result this prefix also has the direct2d platform plugin (qdirect2d.dll).
# Nothing is downloaded except Debian packages and Debian's source package, both through apt.
set -Eeuo pipefail

QT_DEB_VERSION=6.4.2+dfsg-10
HOST_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
SOURCES_FILE_BASE=/etc/apt/sources.list.d/elecaide-deb-src

log() { echo "build-qt-windows: $*"; }
die() {
    echo "build-qt-windows: error: $*" >&2
    exit 1
}

if [[ $# -ne 1 || "$1" != /* ]]; then
    echo "usage: $0 PREFIX   (an absolute path, e.g. \$PWD/build-windows/qt6-win64)" >&2
    exit 2
fi
prefix=${1%/}
[[ -n "$prefix" ]] || die "PREFIX must not be /"
src_root=$prefix.src
build_dir=$prefix.build

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
toolchain=$(dirname "$scripts_dir")/cmake/mingw-w64.cmake
patch_file=$scripts_dir/qt-windows/no-wintab.patch
[[ -f "$toolchain" ]] || die "missing toolchain file $toolchain"
[[ -f "$patch_file" ]] || die "missing $patch_file"

# Never delete a folder that is not an earlier result of this script.
if [[ -e "$prefix" && ! -f "$prefix/bin/Qt6Core.dll" ]] && [[ -n "$(ls -A "$prefix" 2>/dev/null)" ]]; then
    die "$prefix exists, is not empty and holds no Windows Qt (bin/Qt6Core.dll): not replacing it"
fi

log "building Qt ${QT_DEB_VERSION%%+*} for Windows x86_64 into $prefix"
log "this takes about 40 minutes on an idle 2-core machine, longer when it is busy, less with more cores (this one has $(nproc))"
log "scratch folders: $src_root, $build_dir"

step=""
# shellcheck disable=SC2154  # rc is set inside the trap
trap 'rc=$?; echo "build-qt-windows: error: failed during: $step (exit status $rc); $src_root and $build_dir are kept for a look" >&2; exit $rc' ERR
declare -A took=()
start_step() {
    step=$1
    step_start=$SECONDS
    log "--- $step"
}
end_step() { took[$1]=$((SECONDS - step_start)); }
minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# --- 1. apt ------------------------------------------------------------------------------------------

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        die "this step needs root and sudo is not installed; run as root: $*"
    fi
}
if [[ $(id -u) -ne 0 ]]; then
    log "not running as root: the apt steps (installing packages, adding the deb-src entry," \
        "apt-get update) need root and go through sudo when there is anything to do"
fi

start_step "apt: packages"
packages=(
    cmake ninja-build g++-mingw-w64-x86-64-posix
    "qt6-base-dev=$QT_DEB_VERSION" "qt6-base-dev-tools=$QT_DEB_VERSION"
    dpkg-dev perl xz-utils patch
)
missing=()
for p in "${packages[@]}"; do
    name=${p%%=*}
    want=${p#"$name"}
    want=${want#=}
    have=$(dpkg-query -W -f='${Status} ${Version}' "$name" 2>/dev/null || true)
    if [[ "$have" != "install ok installed "* ]] || [[ -n "$want" && "${have##* }" != "$want" ]]; then
        missing+=("$p")
    fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
    log "installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
for tool in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres \
    cmake ninja dpkg-source patch perl /usr/lib/qt6/libexec/moc; do
    command -v "$tool" >/dev/null || die "$tool is missing after installing the packages"
done
end_step "apt: packages"

source_known() {
    local versions
    versions=$(apt-cache showsrc --only-source qt6-base 2>/dev/null || true)
    grep -qx "Version: $QT_DEB_VERSION" <<<"$versions"
}

# Writes a deb-src entry for the archive that Debian's qt6-base-dev-tools $QT_DEB_VERSION comes from:
# a copy of its deb entry with Types deb-src (same URIs, Signed-By and options), for only the suite
# and component that hold it.
add_deb_src() {
    local origin entry file n release component text
    # "http://deb.debian.org/debian bookworm/main amd64 Packages", as both apt-cache policy and
    # apt-get indextargets write it.
    origin=$(apt-cache policy qt6-base-dev-tools | awk -v v="$QT_DEB_VERSION" '
        /^ +(\*\*\* )?[^ ]+ -?[0-9]+$/ { ver = ($1 == "***") ? $2 : $1; next }
        ver == v && $NF == "Packages" && !done { sub(/^ *-?[0-9]+ /, ""); print; done = 1 }')
    [[ -n "$origin" ]] || die "no configured Debian archive has qt6-base-dev-tools $QT_DEB_VERSION"
    # shellcheck disable=SC2016  # $(...) here is apt's own format syntax
    entry=$(apt-get indextargets --format '$(DESCRIPTION)|$(SOURCESENTRY)|$(RELEASE)|$(COMPONENT)' \
        'Created-By: Packages' | awk -F'|' -v o="$origin" '$1 == o && !done { print; done = 1 }')
    [[ -n "$entry" ]] || die "cannot find the sources entry for '$origin'"
    IFS='|' read -r _ file release component <<<"$entry"
    n=${file##*:}
    file=${file%:*}
    log "adding a deb-src entry for '$origin' (from $file, entry $n)"
    if [[ "$file" == *.sources ]]; then
        text=$(awk -v n="$n" -v rel="$release" -v comp="$component" '
            /^[ \t]*$/ { inpar = 0; next }
            /^#/ && !inpar { next }
            !inpar { k++; inpar = 1 }
            k != n || /^#/ { next }
            /^[ \t]/ { if (!skip) print; next }
            {
                key = tolower($1); skip = 0
                if (key == "types:") { print "Types: deb-src"; skip = 1; next }
                if (key == "suites:") { print "Suites: " rel; skip = 1; next }
                if (key == "components:") { print "Components: " comp; skip = 1; next }
                if (key == "enabled:") { skip = 1; next }
                print
            }' "$file")
        file=$SOURCES_FILE_BASE.sources
    else
        text=$(awk -v n="$n" -v rel="$release" -v comp="$component" 'NR == n {
                sub(/^[ \t]*deb[ \t]+/, ""); opts = ""
                if ($0 ~ /^\[/) { opts = substr($0, 1, index($0, "]")) " "; $0 = substr($0, index($0, "]") + 1) }
                split($0, f, /[ \t]+/); uri = (f[1] == "") ? f[2] : f[1]
                print "deb-src " opts uri " " rel " " comp
            }' "$file")
        file=$SOURCES_FILE_BASE.list
    fi
    [[ "$text" == *deb-src* ]] || die "could not make a deb-src entry from $file"
    printf '# deb-src for building Qt for Windows from Debian'\''s source (scripts/build-qt-windows.sh)\n%s\n' \
        "$text" | as_root tee "$file" >/dev/null
    log "wrote $file:"
    sed 's/^/    /' "$file"
}

start_step "apt: deb-src"
if ! source_known; then
    add_deb_src
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    source_known || die "apt still does not know qt6-base $QT_DEB_VERSION's source after adding the deb-src entry"
fi
end_step "apt: deb-src"

# --- 2. source ---------------------------------------------------------------------------------------

start_step "apt-get source"
mkdir -p "$src_root"
cd "$src_root"
# A fresh tree every time; the downloaded files stay, so apt does not fetch them again.
rm -rf qt6-base-*/
apt-get source -q --only-source "qt6-base=$QT_DEB_VERSION"
src_dirs=(qt6-base-*/)
[[ ${#src_dirs[@]} -eq 1 && -x "${src_dirs[0]}configure" ]] || die "apt-get source left no qt6-base tree in $src_root"
src_dir=$src_root/${src_dirs[0]%/}
log "applying $(basename "$patch_file")"
patch -d "$src_dir" -p1 --forward --batch <"$patch_file" ||
    die "$patch_file does not apply to $src_dir"
end_step "apt-get source"

# --- 3. configure, build, install --------------------------------------------------------------------

start_step "configure"
rm -rf "$build_dir"
mkdir -p "$build_dir"
cd "$build_dir"
"$src_dir/configure" \
    -prefix "$prefix" -release -shared -xplatform win32-g++ -qt-host-path /usr \
    -cmake-generator Ninja \
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-zstd -no-pkg-config \
    -no-openssl -qt-zlib -qt-pcre -qt-freetype -qt-harfbuzz -qt-libpng -qt-libjpeg \
    -no-feature-sql -no-feature-printsupport -no-feature-xml -no-feature-vulkan \
    -no-feature-androiddeployqt \
    -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR="$HOST_CMAKE_DIR"
end_step "configure"

start_step "build"
cmake --build . --parallel
end_step "build"

start_step "install"
rm -rf "$prefix"
cmake --install .
end_step "install"

start_step "check"
expected=(
    bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Network.dll bin/Qt6Test.dll
    bin/Qt6Concurrent.dll
    plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll plugins/platforms/qminimal.dll
    plugins/styles/qwindowsvistastyle.dll
    lib/cmake/Qt6/Qt6Config.cmake
)
for f in "${expected[@]}"; do
    [[ -f "$prefix/$f" ]] || die "the install has no $f"
done
end_step "check"

trap - ERR
cd /
rm -rf "$src_root" "$build_dir"
log "removed $src_root and $build_dir"
log "done: $prefix ($(du -sh "$prefix" | cut -f1)); times:"
for s in "apt: packages" "apt: deb-src" "apt-get source" configure build install; do
    log "    $s $(minutes "${took[$s]}")"
done
log "    total $(minutes "$SECONDS")"
