"""Prints, as JSON, what ezdxf reads from a DXF file: model-space entities and layers.

Usage: /usr/bin/python3 read_with_ezdxf.py FILE

The dxf tests use it as an independent reader of the files this project writes.
"""
import json
import sys

import ezdxf
from ezdxf import recover


def main(path):
    doc, auditor = recover.readfile(path)
    entities = []
    for e in doc.modelspace():
        item = {"type": e.dxftype(), "handle": e.dxf.handle, "layer": e.dxf.layer}
        if e.dxftype() == "TEXT":
            item["text"] = ezdxf.decode_dxf_unicode(e.dxf.text)
            item["height"] = e.dxf.height
        if e.dxftype() == "LINE":
            item["end"] = list(e.dxf.end)
        entities.append(item)
    result = {
        "errors": len(auditor.errors),
        "entities": entities,
        "layers": sorted(ezdxf.decode_dxf_unicode(layer.dxf.name) for layer in doc.layers),
    }
    sys.stdout.write(json.dumps(result, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
