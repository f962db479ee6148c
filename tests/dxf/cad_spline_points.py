"""Prints, as JSON, points along the curve that ezdxf draws for a spline given by fit points.

Usage: /usr/bin/python3 cad_spline_points.py '{"fit": [[x, y, z], ...], "tangents": null}'

"tangents" is null (the curve estimates its own) or [start, end]. The points are 2001 samples of
the cubic through the fit points as ezdxf computes it to match CAD programs: an independent
check of the polylines this project writes for splines.
"""
import json
import sys

from ezdxf.math import fit_points_to_cad_cv


def main(argument):
    curve_of = json.loads(argument)
    curve = fit_points_to_cad_cv(curve_of["fit"], tangents=curve_of["tangents"])
    sys.stdout.write(json.dumps([list(p) for p in curve.approximate(2000)]))


if __name__ == "__main__":
    main(sys.argv[1])
