"""The take-off as a short ezdxf script: the baseline of the take-off benchmark.

Usage: /usr/bin/python3 takeoff_ezdxf.py FOLDER

Reads every .dxf below FOLDER and counts model space block references by name and layer and
totals line and arc lengths by layer, the figures the take-off gathers.
"""
import math
import pathlib
import sys

import ezdxf

blocks, lengths = {}, {}
for path in sorted(pathlib.Path(sys.argv[1]).rglob("*.dxf")):
    for e in ezdxf.readfile(path).modelspace():
        kind = e.dxftype()
        if kind == "INSERT":
            key = (path.name, e.dxf.name, e.dxf.layer)
            blocks[key] = blocks.get(key, 0) + 1
        elif kind == "LINE":
            s, t = e.dxf.start, e.dxf.end
            key = (path.name, e.dxf.layer)
            lengths[key] = lengths.get(key, 0) + math.hypot(t.x - s.x, t.y - s.y)
        elif kind == "ARC":
            sweep = (e.dxf.end_angle - e.dxf.start_angle) % 360
            key = (path.name, e.dxf.layer)
            lengths[key] = lengths.get(key, 0) + math.radians(sweep) * e.dxf.radius
print(len(blocks), len(lengths))
