"""Prints, as JSON, what ezdxf reads from a DXF file: entities, tables and blocks.

Usage: /usr/bin/python3 read_with_ezdxf.py FILE

The dxf tests use it as an independent reader of the files this project writes: they compare
its reading of a file before and after a change with exactly the change they made.
"""
import json
import sys

import ezdxf
from ezdxf import recover


def plain(value):
    if isinstance(value, str):
        return ezdxf.decode_dxf_unicode(value)
    if isinstance(value, (int, float)):
        return round(value, 9)
    try:
        return [round(v, 9) for v in value]
    except TypeError:
        return str(value)


def describe(e):
    item = {"type": e.dxftype(), "handle": e.dxf.handle, "layer": plain(e.dxf.layer),
            "color": e.dxf.get("color", 256), "linetype": e.dxf.get("linetype", "BYLAYER")}
    for name in ("true_color", "color_name"):
        if e.dxf.hasattr(name):
            item[name] = e.dxf.get(name)
    kind = e.dxftype()
    if kind == "TEXT":
        item["text"] = plain(e.dxf.text)
        item["height"] = e.dxf.height
        item["style"] = e.dxf.get("style", "Standard")
        item["insert"] = plain(e.dxf.insert)
    if kind == "MTEXT":
        item["text"] = plain(e.text)
        item["char_height"] = e.dxf.get("char_height", 0)
        item["width"] = e.dxf.get("width", 0)
        item["rotation"] = plain(e.get_rotation())
    if kind == "LINE":
        item["start"] = plain(e.dxf.start)
        item["end"] = plain(e.dxf.end)
    if kind in ("CIRCLE", "ARC"):
        item["center"] = plain(e.dxf.center)
        item["radius"] = e.dxf.radius
    if kind == "ARC":
        item["angles"] = [plain(e.dxf.start_angle), plain(e.dxf.end_angle)]
    if kind == "INSERT":
        item["name"] = plain(e.dxf.name)
        item["insert"] = plain(e.dxf.insert)
        item["attribs"] = [plain(a.dxf.text) for a in e.attribs]
    if kind == "SPLINE":
        item["fit_points"] = [plain(p) for p in e.fit_points]
    if kind == "HATCH":
        item["paths"] = len(e.paths)
    if kind == "DIMENSION":
        item["block"] = e.dxf.get("geometry", "")
    if kind == "TEXT":
        item["halign"] = e.dxf.get("halign", 0)
        item["align_point"] = plain(e.dxf.get("align_point", (0, 0, 0)))
        item["rotation"] = plain(e.dxf.get("rotation", 0))
    if kind == "POLYLINE":
        item["vertices"] = len(e.vertices)
        item["points"] = [plain(v.dxf.location) for v in e.vertices]
    if e.xdata:
        item["xdata"] = {app: [[t.code, plain(t.value)] for t in tags]
                         for app, tags in e.xdata.data.items()}
    return item


def main(path):
    doc, auditor = recover.readfile(path)
    result = {
        "errors": len(auditor.errors),
        "entities": [describe(e) for e in doc.modelspace()],
        "paper": [describe(e) for e in doc.layouts.active_layout()],
        "layers": sorted(plain(layer.dxf.name) for layer in doc.layers),
        "layerTable": sorted(
            ([plain(layer.dxf.name), layer.color, layer.is_off(), layer.is_locked(),
              plain(layer.dxf.linetype)] for layer in doc.layers), key=lambda row: row[0]),
        "layerTrueColors": {plain(layer.dxf.name): layer.dxf.true_color for layer in doc.layers
                            if layer.dxf.hasattr("true_color")},
        "styles": sorted(plain(s.dxf.name) for s in doc.styles if s.dxf.name),
        "linetypes": sorted(plain(lt.dxf.name) for lt in doc.linetypes),
        "blocks": {plain(b.name): [describe(e) for e in b] for b in doc.blocks
                   if not b.name.lower().startswith(("*model_space", "*paper_space"))},
    }
    sys.stdout.write(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
