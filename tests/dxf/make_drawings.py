"""Writes the DXF drawings the dxf tests read, with a JSON manifest of what each one holds.

Usage: /usr/bin/python3 make_drawings.py OUTPUT_DIR

The manifest records what the script put into each drawing (entity kinds, handles and layers in
model-space order, texts as typed, layer and block names), so the tests compare against what
the author meant, not against another reader's interpretation of the bytes.
"""
import json
import math
import os
import sys

import ezdxf

ezdxf.options.write_fixed_meta_data_for_testing = True

APP = "ELECAIDE"


def text_of(entity):
    kind = entity.dxftype()
    if kind in ("TEXT", "ATTRIB", "ATTDEF"):
        return entity.dxf.text
    if kind == "MTEXT":
        return entity.text
    return None


def manifest(doc, encoding):
    msp = doc.modelspace()
    entities = []
    for e in msp:
        item = {"type": e.dxftype(), "handle": e.dxf.handle, "layer": e.dxf.layer}
        text = text_of(e)
        if text is not None:
            item["text"] = text
        if e.dxftype() == "INSERT":
            item["attribs"] = [a.dxf.text for a in e.attribs]
        if e.dxftype() == "POLYLINE":
            item["vertices"] = len(e.vertices)
        entities.append(item)
    return {
        "version": doc.dxfversion,
        "paper": [e.dxftype() for e in doc.layout("Layout1")],
        "styles": [s.dxf.name for s in doc.styles if s.dxf.name],
        "linetypes": [lt.dxf.name for lt in doc.linetypes],
        "encoding": encoding,
        "entities": entities,
        "layers": [layer.dxf.name for layer in doc.layers],
        "blocks": [b.name for b in doc.blocks if not b.name.startswith("*")],
    }


def electrical_block(doc, name, layer):
    block = doc.blocks.new(name=name)
    block.add_circle((0, 0), radius=1.5, dxfattribs={"layer": layer})
    block.add_line((-3, 0), (-1.5, 0), dxfattribs={"layer": layer})
    block.add_line((1.5, 0), (3, 0), dxfattribs={"layer": layer})
    block.add_attdef("TAG", (0, 2), dxfattribs={"height": 0.5})
    return block


def first_layer_of(layers):
    return layers[0][0]


def fill(doc, texts, layers):
    """The content every version gets; newer versions get more from modern_extras."""
    for name, color in layers:
        doc.layers.add(name, color=color)
    # A layer turned off keeps its colour as a negative number; a locked one has flag 4.
    doc.layers.add("OFF_LAYER", color=3).off()
    doc.layers.add("LOCKED_LAYER", color=4).lock()
    doc.styles.new("UNUSED_STYLE", dxfattribs={"font": "simplex.shx"})
    doc.linetypes.add("DASHED", [0.75, 0.5, -0.25], description="Dashed __ __ __")
    doc.layout("Layout1").add_line((0, 0), (10, 10), dxfattribs={"layer": first_layer_of(layers)})
    msp = doc.modelspace()
    first_layer = layers[0][0]
    second_layer = layers[1][0]
    electrical_block(doc, "LAMP", first_layer)

    line = msp.add_line((0, 0), (100, 0), dxfattribs={"layer": first_layer})
    line.set_xdata(APP, [(1000, texts[0]), (1040, 3.5), (1070, 7), (1010, (1, 2, 3))])
    msp.add_circle((50, 50), 10, dxfattribs={"layer": second_layer, "color": 3})
    msp.add_arc((0, 0), 5, 0, 90, dxfattribs={"layer": second_layer})
    for i, text in enumerate(texts):
        msp.add_text(text, dxfattribs={"layer": first_layer, "height": 2.5, "insert": (0, 10 * i)})
    msp.add_point((5, 5))
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    msp.add_polyline2d([(0, 0), (10, 0), (10, 10), (0, 10)], dxfattribs={"layer": second_layer})
    msp.add_polyline3d([(0, 0, 0), (1, 2, 3), (4, 5, 6)])
    lamp = msp.add_blockref("LAMP", (20, 20), dxfattribs={"layer": first_layer})
    lamp.add_attrib("TAG", texts[-1], (20, 22))
    msp.add_blockref("LAMP", (40, 20))
    return msp


def modern_extras(doc, msp, texts):
    msp.add_lwpolyline([(0, 0), (5, 0), (5, 5)], dxfattribs={"layer": "0"})
    msp.add_mtext(texts[0] + "\\P" + texts[-1] + "\\Pthird line", dxfattribs={"char_height": 2})
    msp.add_ellipse((0, 0), major_axis=(4, 0), ratio=0.5)
    msp.add_spline([(0, 0), (1, 2), (3, 1), (5, 4)])
    hatch = msp.add_hatch(color=2)
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True)
    edge_hatch = msp.add_hatch(color=4)
    path = edge_hatch.paths.add_edge_path()
    path.add_line((0, 0), (10, 0))
    path.add_arc((10, 5), radius=5, start_angle=270, end_angle=90)
    path.add_line((10, 10), (0, 10))
    path.add_line((0, 10), (0, 0))
    msp.add_linear_dim(base=(0, 20), p1=(0, 0), p2=(30, 0)).render()
    msp.add_radius_dim(center=(50, 50), radius=10, angle=45).render()


def save(doc, directory, name, encoding, saved_as=None):
    path = os.path.join(directory, name)
    if saved_as:
        doc.saveas(path, encoding=saved_as)
    else:
        doc.saveas(path)
    with open(path[:-4] + ".json", "w", encoding="utf-8") as out:
        json.dump(manifest(doc, encoding), out, ensure_ascii=False, indent=1)


def true_colors(directory):
    """Entities and layers with a true colour (and entities a colour name) beside the colour
    number, as drawings from other CAD programs carry them."""
    doc = ezdxf.new("R2018")
    red = ezdxf.rgb2int((250, 20, 20))
    for name in ("TC_CHANGED", "TC_OFF", "TC_KEPT"):
        doc.layers.add(name, color=1, true_color=red)
    doc.layers.get("TC_OFF").off()
    msp = doc.modelspace()
    named = {"color": 1, "true_color": red, "color_name": "RAL$RAL 3020"}
    msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "TC_CHANGED", **named})
    msp.add_circle((0, 0), 5, dxfattribs={"layer": "TC_KEPT", "true_color": red})
    msp.add_arc((0, 0), 5, 0, 90, dxfattribs={"layer": "TC_KEPT", **named})
    save(doc, directory, "true_color.dxf", "UTF-8")


def mtext_rotations(directory):
    """MTEXTs turned by their text direction (11/21/31), by a rotation (50), or by both with
    different angles, where the direction counts: what AutoCAD and other programs write."""
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    turned = {
        "by direction": {"text_direction": (0, -2, 0)},
        "by rotation": {"rotation": 45},
        "by both": {"text_direction": (-0.5, math.sqrt(3) / 2, 0), "rotation": 10},
        "kept": {"text_direction": (0.5, math.sqrt(3) / 2, 0)},
    }
    for text, attributes in turned.items():
        msp.add_mtext(text, dxfattribs={"char_height": 2.5, **attributes})
    save(doc, directory, "mtext_rotation.dxf", "UTF-8")


def main(directory):
    os.makedirs(directory, exist_ok=True)

    latin = ["Schalter Ø 20 mm", "Leitung 3×2,5 mm²", "Temperatur 40 °C"]
    chinese = ["配电箱 AL1", "照明回路 WL1 BV-3×2.5", "插座回路 WX1", "电缆桥架 200×100"]
    cn_layers = [("电气-照明", 1), ("电气-插座", 5)]

    doc = ezdxf.new("R12")
    fill(doc, latin, [("LIGHTING", 1), ("SOCKETS", 5)])
    save(doc, directory, "r12.dxf", "windows-1252")

    doc = ezdxf.new("R2000")
    doc.encoding = "gbk"
    msp = fill(doc, chinese + ["韩文 한글 不在 GBK"], cn_layers)
    modern_extras(doc, msp, chinese)
    save(doc, directory, "r2000_gbk.dxf", "GBK")

    # A code page in the header, UTF-8 in the file: what some converters write.
    doc = ezdxf.new("R2000")
    doc.encoding = "gbk"
    msp = fill(doc, chinese, cn_layers)
    save(doc, directory, "r2000_utf8_labelled_936.dxf", "UTF-8", saved_as="utf-8")

    doc = ezdxf.new("R2010")
    msp = fill(doc, chinese + ["한글 and Ελληνικά"], cn_layers)
    modern_extras(doc, msp, chinese)
    save(doc, directory, "r2010.dxf", "UTF-8")

    doc = ezdxf.new("R2018")
    msp = fill(doc, chinese, cn_layers)
    modern_extras(doc, msp, chinese)
    save(doc, directory, "r2018.dxf", "UTF-8")

    true_colors(directory)
    mtext_rotations(directory)


if __name__ == "__main__":
    main(sys.argv[1])
