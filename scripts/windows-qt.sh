#!/usr/bin/env bash
# Puts the Qt 6.4.2 base for Windows (mingw-w64) the Windows build links into PREFIX.
#
#   scripts/windows-qt.sh PREFIX
#
# From the prebuilt archive when it is there, checked against its SHA-256: in $ELECAIDE_TOOLCHAINS,
# else in ../shared/toolchains beside this checkout or beside the local checkout it was cloned
# from. Else built from Debian's own qt6-base source by scripts/build-qt-windows.sh (about 40
# minutes on two cores). Does nothing when PREFIX already holds the same Qt.
set -euo pipefail

prefix=${1:?usage: $0 PREFIX}
root=$(cd "$(dirname "$0")/.." && pwd)
name=qt6-win64-6.4.2-mingw.tar.xz
origin=$(git -C "$root" config --get remote.origin.url 2>/dev/null || true)
toolchains=
for dir in "${ELECAIDE_TOOLCHAINS:-}" "$root/../shared/toolchains" \
    ${origin:+"$origin/../shared/toolchains"}; do
    if [[ -n $dir && -f $dir/$name ]]; then
        toolchains=$dir
        break
    fi
done
archive=${toolchains:-$root/../shared/toolchains}/$name
stamp=$prefix/.elecaide-qt

if [[ -f $prefix/lib/cmake/Qt6/Qt6Config.cmake && -f $stamp ]]; then
    exit 0
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"

if [[ -f $archive ]]; then
    echo "windows-qt: unpacking $archive"
    (cd "$toolchains" && sha256sum --quiet -c "$name.sha256")
    scratch=$(mktemp -d "$(dirname "$prefix")/qt-unpack.XXXXXX")
    tar -C "$scratch" -xJf "$archive"
    mv "$scratch/qt6-win64" "$prefix"
    rmdir "$scratch"
    echo "archive $(basename "$archive")" >"$stamp"
else
    echo "windows-qt: no $archive; building Qt for Windows from Debian's source instead"
    "$root/scripts/build-qt-windows.sh" "$prefix"
    echo "built from source" >"$stamp"
fi
