#!/usr/bin/env bash
# Checks the Windows package as a drafter meets it (`make windows-dist` runs this):
#
#   scripts/windows-dist-check.sh ZIP OUT
#
# ZIP is unzipped into a fresh temporary folder named as the usage notes suggest (电气绘图助手)
# and run under a fresh Wine prefix with nothing of the build in reach: no WINEPATH, no Qt or
# mingw folder, no QT_* variables. It checks that
#   - the zip holds one folder, with its Chinese names marked as UTF-8 (Windows' own unzipping
#     garbles them otherwise), and 使用说明.txt is UTF-8 with a byte order mark and CRLF ends;
#   - every DLL a program or plugin imports is in the folder or is Windows' own (in the prefix's
#     system32, or an API set), and every DLL in the folder is imported by something;
#   - each program carries its icon and its version resource, with the version in the zip's name;
#   - the demo passes (samples/demo.script against sketchcad on the packed sample plan, attached
#     through COM, picks from samples/demo.picks, sketchcad quit by the script, both ending with 0,
#     the saved plan read by ezdxf with exactly the number add's changes) twice: on the
#     windows platform under Xvfb, as a drafter sees it, with the platform and style plugins
#     loaded from the folder; and offscreen, the platform `elecaide --script` takes by default,
#     with a fonts folder holding Noto Sans CJK and DejaVu Sans.
# OUT/windows and OUT/offscreen receive each run's screenshots (elecaide-*.png, sketchcad.png),
# the changed plan and the logs. Every Wine command has a time limit; the prefix's server is
# ended at the end whatever the outcome.
set -euo pipefail

self=$(realpath "${BASH_SOURCE[0]}")
root=$(dirname "$(dirname "$self")")
objdump=x86_64-w64-mingw32-objdump
windres=x86_64-w64-mingw32-windres
serve_timeout=30   # seconds for sketchcad to start serving
demo_timeout=180   # seconds for the demo script
exit_timeout=30    # seconds for sketchcad to end once quit

fail() {
    echo "windows-dist-check: $*" >&2
    exit 1
}

# One run of the demo with the programs in APP on PLATFORM, in DIR. Run by the script itself,
# under xvfb-run for the windows platform.
run_demo() {
    local platform=$1 app=$2 dir=$3
    mkdir -p "$dir"
    cd "$dir"
    cp "$root/samples/demo.script" "$root/samples/demo.picks" .
    export WINEQT_QPA_PLATFORM=$platform WINEQT_DEBUG_PLUGINS=1 WINEQT_FORCE_STDERR_LOGGING=1
    local plan="Z:${app//\//\\}\\samples\\plan.dxf"

    timeout --kill-after=10 $((serve_timeout + demo_timeout + exit_timeout)) \
        wine "$app/sketchcad.exe" "$plan" --picks demo.picks --screenshot-on-exit sketchcad.png \
        >sketchcad.out 2>sketchcad.err &
    local sketchcad=$! waited=0
    until grep -q '^sketchcad: serving ' sketchcad.out; do
        if ! kill -0 "$sketchcad" 2>/dev/null || ((waited >= serve_timeout * 10)); then
            fail "$platform: sketchcad did not start serving; see $dir/sketchcad.err"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done

    local status=0
    timeout --kill-after=10 "$demo_timeout" wine "$app/elecaide.exe" --script demo.script \
        >elecaide.out 2>elecaide.err || status=$?
    ((status == 0)) || fail "$platform: the demo script ended with $status; see $dir/elecaide.out"
    # The script's last command quits sketchcad.
    waited=0
    while kill -0 "$sketchcad" 2>/dev/null; do
        ((waited < exit_timeout * 10)) || fail "$platform: sketchcad did not end once quit"
        sleep 0.1
        waited=$((waited + 1))
    done
    status=0
    wait "$sketchcad" || status=$?
    ((status == 0)) || fail "$platform: sketchcad ended with $status; see $dir/sketchcad.err"
    # The prefix's desktop process ends before Xvfb does.
    timeout 30 wineserver -k 2>/dev/null || true

    local file
    for file in elecaide-block-count.png elecaide-number-add.png sketchcad.png plan-changed.dxf; do
        [[ -s $file ]] || fail "$platform: the demo wrote no $file"
    done
    # The bay dimensions along the south side, and nothing else, went up by 100, as ezdxf reads
    # the plan from the zip and the one sketchcad saved.
    /usr/bin/python3 "$root/tests/end_to_end/compare_plans.py" "$app/samples/plan.dxf" \
        plan-changed.dxf --added 100 --changed 6 >compare.out 2>&1 ||
        fail "$platform: the saved plan is not the sample plus the number add; see $dir/compare.out"

    local plugins=("platforms/q$platform.dll")
    if [[ $platform == windows ]]; then
        plugins+=(styles/qwindowsvistastyle.dll)
    fi
    local log plugin
    for log in sketchcad.err elecaide.err; do
        for plugin in "${plugins[@]}"; do
            grep -q "/$plugin\" loaded library" "$log" ||
                fail "$platform: $plugin not loaded; see $dir/$log"
        done
    done
    echo "windows-dist-check: the demo passed on the $platform platform; screenshots in $dir"
}

if [[ ${1:-} == --demo ]]; then
    shift
    run_demo "$@"
    exit
fi

zip=$(realpath "${1:?usage: windows-dist-check.sh ZIP OUT}")
out=$(realpath -m "${2:?usage: windows-dist-check.sh ZIP OUT}")
name=$(basename "$zip" .zip)
version=${name#ElecAide-}
version=${version%-win64}
[[ $name == "ElecAide-$version-win64" && -n $version ]] || fail "not a package name: $name"

# Nothing of the build's Wine set-up, Qt's variables or the desktop reaches the programs.
for variable in $(compgen -e); do
    case $variable in
    WINE* | QT_* | XDG_RUNTIME_DIR | DISPLAY | WAYLAND_DISPLAY) unset "$variable" ;;
    esac
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/elecaide-dist-check.XXXXXX")
export WINEPREFIX=$tmp/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winedbg.exe=d'
cleanup() {
    timeout 30 wineserver -k 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The zip's layout and the names Windows will read from it.
/usr/bin/python3 - "$zip" "$name" <<'EOF'
import sys
import zipfile

path, folder = sys.argv[1], sys.argv[2] + "/"
entries = zipfile.ZipFile(path).infolist()
outside = [e.filename for e in entries if not e.filename.startswith(folder)]
if outside:
    sys.exit(f"windows-dist-check: outside {folder}: {', '.join(outside)}")
unmarked = [e.filename for e in entries if not e.filename.isascii() and not e.flag_bits & 0x800]
if unmarked:
    sys.exit(f"windows-dist-check: names not marked as UTF-8: {', '.join(unmarked)}")
EOF
unzip -q "$zip" -d "$tmp/电气绘图助手"
app=$tmp/电气绘图助手/$name
for file in elecaide.exe sketchcad.exe 使用说明.txt samples/plan.dxf; do
    [[ -f $app/$file ]] || fail "the package lacks $file"
done

notes=$app/使用说明.txt
[[ $(head -c 3 "$notes" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "使用说明.txt has no BOM"
iconv -f UTF-8 -t UTF-8 "$notes" >/dev/null || fail "使用说明.txt is not UTF-8"
[[ $(grep -c $'\r$' "$notes") == $(wc -l <"$notes") ]] || fail "使用说明.txt has lines without CR"

timeout 120 wineboot -i >/dev/null 2>&1 || fail "wineboot could not make the prefix"
# The desktop process wineboot leaves running has no display; a program on the windows platform
# that comes after it, under Xvfb, hangs at its exit. The runs start their own.
timeout 30 wineserver -k
system32=$WINEPREFIX/drive_c/windows/system32
[[ -f $system32/kernel32.dll ]] || fail "the fresh prefix has no system32"

# The imports: each in the folder or Windows' own (in system32, or an API set, which the loader
# maps without a file); each DLL of the folder imported.
declare -A shipped=() imported=()
for dll in "$app"/*.dll; do
    base=$(basename "$dll")
    shipped[${base,,}]=$base
done
while IFS= read -r -d '' binary; do
    while read -r dll; do
        if [[ -n ${shipped[${dll,,}]:-} ]]; then
            imported[${dll,,}]=1
        elif [[ ${dll,,} != api-ms-win-* && ! -f $system32/${dll,,} ]]; then
            fail "${binary#"$app"/} imports $dll: not in the package, not Windows' own"
        fi
    done < <("$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$app" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
for dll in "${!shipped[@]}"; do
    [[ -n ${imported[$dll]:-} ]] || fail "${shipped[$dll]} is packed but nothing imports it"
done

# The icon and the version resource of each program.
for program in elecaide sketchcad; do
    resources=$("$windres" -i "$app/$program.exe" -O rc)
    grep -q 'RT_GROUP_ICON' <<<"$resources" || fail "$program.exe has no icon"
    grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" ||
        fail "$program.exe has no version $version"
    # 电气绘图助手, as windres shows it.
    grep -qF 'VALUE "ProductName", L"\x7535\x6c14\x7ed8\x56fe\x52a9\x624b"' <<<"$resources" ||
        fail "$program.exe lacks its Chinese product name"
done

mkdir -p "$tmp/fonts"
ln -s /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc \
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$tmp/fonts/"

rm -rf "$out/windows" "$out/offscreen"
xvfb-run -a -s '-screen 0 1280x1024x24' "$self" --demo windows "$app" "$out/windows"
WINEQT_QPA_FONTDIR="Z:$tmp/fonts" "$self" --demo offscreen "$app" "$out/offscreen"

# The take-off from a command prompt over the package's sample folder: the workbook library is
# linked in, so nothing beyond the package is needed to write it.
(cd "$app" && timeout 120 wine elecaide.exe takeoff --output 材料统计.xlsx samples) >"$out/takeoff.log" 2>&1 ||
    fail "elecaide.exe takeoff failed: $(tail -3 "$out/takeoff.log")"
/usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).getinfo("xl/workbook.xml")' \
    "$app/材料统计.xlsx" || fail "elecaide.exe takeoff wrote no workbook"

echo "windows-dist-check: $zip passed"
