#!/usr/bin/env bash
# Renders the summary sheet of a take-off as a PNG, to look at the workbook as a drafter opens it.
#
#   scripts/takeoff-screenshot.sh BUILD OUT.png
#
# The set: the sample plan (BUILD/samples/plan.dxf) as the first floor and two floors drawn by
# the take-off test's generator. The workbook is rendered by LibreOffice (Debian's
# libreoffice-calc-nogui, not in the project's package lists: it is only for this picture) to PDF,
# its first page to PNG by pdftoppm (poppler-utils).
set -euo pipefail

build=$(realpath "$1")
out=$(realpath -m "$2")
for tool in libreoffice pdftoppm; do
    if ! command -v "$tool" >/dev/null; then
        echo "takeoff-screenshot: needs $tool:" \
            "apt-get install --no-install-recommends libreoffice-calc-nogui poppler-utils" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/项目/一层"
cp "$build/samples/plan.dxf" "$work/项目/一层/照明平面.dxf"
/usr/bin/python3 - "$work/项目" <<'PY'
import os, sys
sys.path.insert(0, os.path.join(os.getcwd(), "tests", "takeoff"))
import takeoff_check
takeoff_check.make_drawing(os.path.join(sys.argv[1], "二层", "动力平面.dxf"), "R2010", None, 1)
takeoff_check.make_drawing(os.path.join(sys.argv[1], "三层", "消防平面.dxf"), "R2000", "gbk", 2)
PY
(cd "$work" && "$build/apps/elecaide" takeoff --output 材料统计.xlsx 项目)
(cd "$work" && HOME="$work" libreoffice --headless --convert-to pdf 材料统计.xlsx >/dev/null)
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$work/材料统计.pdf" "${out%.png}"
echo "takeoff-screenshot: $out"
