#!/usr/bin/env bash
# Renders the Windows programs as a drafter sees them (`make windows-screenshots` runs this):
#
#   scripts/windows-screenshots.sh BUILD OUT
#
# Under Wine and Xvfb on the windows platform (the vista style, Windows' own fonts): every page
# of BUILD's elecaide.exe at 100 % and 150 % display scaling (OUT/100, OUT/150; the same pages
# as `make screenshots`), and sketchcad.exe with the sample plan (OUT/100/sketchcad.png).
set -euo pipefail

root=$(dirname "$(dirname "$(realpath "${BASH_SOURCE[0]}")")")
build=$(realpath "${1:?usage: windows-screenshots.sh BUILD OUT}")
out=$(realpath -m "${2:?usage: windows-screenshots.sh BUILD OUT}")
export QT_QPA_PLATFORM=windows
serve_timeout=30 # seconds for sketchcad to start serving

# Runs "$@" under Wine on a virtual display at DPI; the prefix's programs end with the display.
on_display() {
    local dpi=$1
    shift
    ELECAIDE_WINE_DPI=$dpi xvfb-run -a -s "-screen 0 1600x1200x24" bash -c \
        'prefix=$1; shift; "$@"; status=$?; WINEPREFIX=$prefix wineserver -k 2>/dev/null
        exit $status' \
        _ "$build/wine-dpi$dpi" "$@"
}

# The pages: the script writes screenshots/*.png under the folder it starts in.
for scale in 100:96 150:144; do
    work=$build/screenshots-${scale%:*}
    rm -rf "$work" "$out/${scale%:*}"
    mkdir -p "$work" "$out"
    (cd "$work" && on_display "${scale#*:}" "$build/wine-run" "$build/apps/elecaide.exe" \
        --script "Z:$root/tests/scripts/screenshots/window.script" >elecaide.log 2>&1) ||
        { echo "windows-screenshots: see $work/elecaide.log" >&2; exit 1; }
    mv "$work/screenshots" "$out/${scale%:*}"
done

# sketchcad with the sample plan, quit by a script once it serves.
work=$build/screenshots-100
cat >"$work/quit.script" <<'END'
cad attach
cad quit
END
# The sample plan the build made, by its path inside Wine (Z: is the Unix root).
plan="Z:${build//\//\\}\\samples\\plan.dxf"
on_display 96 bash -c '
    "$1/wine-run" "$1/apps/sketchcad.exe" "$2" --screenshot-on-exit "$3" >"$4/sketchcad.log" 2>&1 &
    sketchcad=$!
    for ((i = 0; i < $5 * 10; ++i)); do
        grep -q "^sketchcad: serving " "$4/sketchcad.log" && break
        sleep 0.1
    done
    "$1/wine-run" "$1/apps/elecaide.exe" --script "$4/quit.script" >>"$4/sketchcad.log" 2>&1 ||
        kill "$sketchcad"
    wait "$sketchcad"' _ "$build" "$plan" "$out/100/sketchcad.png" "$work" "$serve_timeout"
[[ -s $out/100/sketchcad.png ]] || { echo "windows-screenshots: see $work/sketchcad.log" >&2; exit 1; }
echo "windows-screenshots: $(find "$out" -name '*.png' | wc -l) screenshots in $out"
