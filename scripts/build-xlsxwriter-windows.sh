#!/usr/bin/env bash
# Builds libxlsxwriter 1.1.4 for 64-bit Windows (mingw-w64, posix threads) as a static library from
# Debian's own libxlsxwriter source, the version libxlsxwriter-dev gives the Linux build, and
# installs it into PREFIX: include/xlsxwriter.h, include/xlsxwriter/ and lib/libxlsxwriter.a.
#
#   scripts/build-xlsxwriter-windows.sh PREFIX    PREFIX absolute, e.g. $PWD/build-windows/xlsxwriter-win64
#
# Takes about 15 seconds. Does nothing when PREFIX already holds this build (the stamp
# PREFIX/.elecaide-xlsxwriter). Steps:
#   1. apt (needs root; as another user through sudo): installs what is missing; if apt does not
#      know libxlsxwriter's source yet, adds the deb-src entry with scripts/build-qt-windows.sh's own
#      add_deb_src (the Debian archive its Qt comes from, which holds libxlsxwriter too).
#   2. `apt-get source libxlsxwriter=1.1.4-2` into PREFIX.src. Debian's source keeps upstream's
#      third_party/ folder and this build uses it: minizip's zip writer, tmpfileplus and the MD5
#      (Debian's Linux build takes the system minizip and OpenSSL's MD5 instead). One change to
#      the source: MinGW compiles the Windows branches MSVC compiles, so that file names are UTF-8
#      on Windows as on Linux. Upstream hides _WIN32 from MinGW in packager.c and utility.c, which
#      then open the .xlsx (and images) with fopen() in the ANSI code page; with the change they
#      convert UTF-8 to UTF-16 and open the .xlsx through minizip's iowin32.c.
#   3. configures with the library's CMake and the project's cmake/mingw-w64.cmake against zlib's
#      static libz.a from libz-mingw-w64-dev, builds, installs into PREFIX (without the pkg-config
#      file: its -lz would link zlib's DLL), checks, deletes PREFIX.src and PREFIX.build (on
#      failure they are kept for a look).
# A program links PREFIX/lib/libxlsxwriter.a, then /usr/x86_64-w64-mingw32/lib/libz.a by its full
# path (-lz finds libz.dll.a first). No compile definitions are needed.
# Nothing is downloaded except Debian packages and Debian's source package, both through apt.
set -Eeuo pipefail

XLSX_DEB_VERSION=1.1.4-2
MINGW=x86_64-w64-mingw32
ZLIB_A=/usr/$MINGW/lib/libz.a
# What the stamp says; a change to how the library is built changes it too.
BUILD_ID="libxlsxwriter $XLSX_DEB_VERSION, static, $MINGW posix, UTF-8 file names"

log() { echo "build-xlsxwriter-windows: $*"; }
die() {
    echo "build-xlsxwriter-windows: error: $*" >&2
    exit 1
}

if [[ $# -ne 1 || "$1" != /* ]]; then
    echo "usage: $0 PREFIX   (an absolute path, e.g. \$PWD/build-windows/xlsxwriter-win64)" >&2
    exit 2
fi
prefix=${1%/}
[[ -n "$prefix" ]] || die "PREFIX must not be /"
stamp=$prefix/.elecaide-xlsxwriter
if [[ -f $prefix/lib/libxlsxwriter.a && -f $stamp && "$(cat "$stamp")" == "$BUILD_ID" ]]; then
    exit 0
fi
src_root=$prefix.src
build_dir=$prefix.build

scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
toolchain=$(dirname "$scripts_dir")/cmake/mingw-w64.cmake
qt_script=$scripts_dir/build-qt-windows.sh
[[ -f "$toolchain" ]] || die "missing toolchain file $toolchain"

log "building libxlsxwriter ${XLSX_DEB_VERSION%-*} for Windows x86_64 into $prefix"
# shellcheck disable=SC2154  # rc is set inside the trap
trap 'rc=$?; echo "build-xlsxwriter-windows: error: exit status $rc; $src_root and $build_dir are kept for a look" >&2; exit $rc' ERR

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

missing=()
for p in cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev; do
    [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)" == "install ok installed" ]] ||
        missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    log "installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

source_known() {
    local versions
    versions=$(apt-cache showsrc --only-source libxlsxwriter 2>/dev/null || true)
    grep -qx "Version: $XLSX_DEB_VERSION" <<<"$versions"
}
if ! source_known; then
    # add_deb_src and the two settings it reads, as build-qt-windows.sh has them.
    QT_DEB_VERSION=$(sed -n 's/^QT_DEB_VERSION=//p' "$qt_script")
    SOURCES_FILE_BASE=$(sed -n 's/^SOURCES_FILE_BASE=//p' "$qt_script")
    # shellcheck disable=SC1090
    source <(sed -n '/^add_deb_src() {$/,/^}$/p' "$qt_script")
    if [[ -z "$QT_DEB_VERSION" || -z "$SOURCES_FILE_BASE" ]] || ! declare -F add_deb_src >/dev/null; then
        die "cannot read add_deb_src from $qt_script"
    fi
    add_deb_src
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    source_known || die "apt still does not know libxlsxwriter $XLSX_DEB_VERSION's source after adding the deb-src entry"
fi

# --- 2. source ---------------------------------------------------------------------------------------

rm -rf "$src_root" "$build_dir"
mkdir -p "$src_root"
cd "$src_root"
apt-get source -q --only-source "libxlsxwriter=$XLSX_DEB_VERSION"
src_dir=$src_root/libxlsxwriter-${XLSX_DEB_VERSION%-*}
for f in third_party/minizip/zip.c third_party/minizip/iowin32.c third_party/tmpfileplus/tmpfileplus.c \
    third_party/md5/md5.c; do
    [[ -f $src_dir/$f ]] || die "Debian's source has no $f"
done

# MinGW takes the Windows branches: the three lines that hide _WIN32 go, and iowin32.c, which
# upstream's CMake compiles for MSVC only, is compiled for MinGW too.
sed -i '/^#ifdef __MINGW32__$/{N;N;/\n#undef _WIN32\n#endif$/d}' "$src_dir/src/packager.c" "$src_dir/src/utility.c"
! grep -q '^#undef _WIN32' "$src_dir/src/packager.c" "$src_dir/src/utility.c" ||
    die "packager.c or utility.c still hides _WIN32 from MinGW"
[[ "$(grep -B1 -A1 '^    if(MSVC)$' "$src_dir/CMakeLists.txt")" == *'minizip/zip.c)'*'minizip/iowin32.c)' ]] ||
    die "CMakeLists.txt does not add iowin32.c where this script expects it"
sed -i 's/^    if(MSVC)$/    if(MSVC OR MINGW)/' "$src_dir/CMakeLists.txt"

# --- 3. configure, build, install --------------------------------------------------------------------

cmake -S "$src_dir" -B "$build_dir" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DZLIB_LIBRARY="$ZLIB_A" -DZLIB_INCLUDE_DIR="/usr/$MINGW/include"
cmake --build "$build_dir"

rm -rf "$prefix/include/xlsxwriter" "$prefix/include/xlsxwriter.h" "$prefix/lib/libxlsxwriter.a" "$stamp"
cmake --install "$build_dir"
rm -f "$prefix/lib/pkgconfig/xlsxwriter.pc"
rmdir --ignore-fail-on-non-empty "$prefix/lib/pkgconfig"

lib=$prefix/lib/libxlsxwriter.a
[[ -f $prefix/include/xlsxwriter.h && -f $prefix/include/xlsxwriter/workbook.h ]] ||
    die "the install has no headers"
[[ "$($MINGW-objdump -f "$lib")" == *'file format pe-x86-64'* ]] || die "$lib holds no x86-64 Windows objects"
symbols=$($MINGW-nm --defined-only "$lib")
for s in workbook_new fill_win32_filefunc64W tmpfileplus; do
    grep -q " T $s$" <<<"$symbols" || die "$lib does not define $s"
done
echo "$BUILD_ID" >"$stamp"

trap - ERR
cd /
rm -rf "$src_root" "$build_dir"
log "done in ${SECONDS}s: $lib ($(du -h "$lib" | cut -f1)); link it, then $ZLIB_A"
