#!/usr/bin/env bash
# The real programs end to end: sketchcad serving the sample plan with synthetic picks, the
# assistant attached and scripted (samples/demo.script), the saved drawing checked with ezdxf.
# Run under a display (xvfb-run), so both windows are real and their screenshots show them.
#
#   plan_demo_test.sh BUILD OUT
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:?usage: plan_demo_test.sh BUILD OUT}
out=${2:?usage: plan_demo_test.sh BUILD OUT}

"$root/scripts/run.sh" "$build" --demo "$out"

# The bay dimensions along the south side, and nothing else, went up by 100.
/usr/bin/python3 "$root/tests/end_to_end/compare_plans.py" \
    "$build/samples/plan.dxf" "$out/plan-changed.dxf" --added 100 --changed 6

# Each window left a screenshot of a plausible window size.
for shot in sketchcad.png elecaide-block-count.png elecaide-number-add.png; do
    /usr/bin/python3 - "$out/$shot" <<'PY'
import struct, sys
with open(sys.argv[1], "rb") as f:
    head = f.read(24)
assert head[:8] == b"\x89PNG\r\n\x1a\n", f"{sys.argv[1]}: not a PNG"
width, height = struct.unpack(">II", head[16:24])
assert width >= 400 and height >= 300, f"{sys.argv[1]}: {width}x{height}"
print(f"{sys.argv[1]}: {width}x{height}")
PY
done
