"""Takes off a drawing set and checks the workbook against the pages and against ezdxf.

Usage: /usr/bin/python3 takeoff_check.py ELECAIDE...

ELECAIDE is the command that starts elecaide: its path, or the Wine runner and the .exe. The
set is made here with ezdxf: three drawings in nested folders with Chinese block, layer and file
names, a scale each (one from --scale, two from a scales file), and a file that is no drawing.
Every block count and every line and arc total in the workbook must be what the block count and
line length pages show for that drawing through the script runner; every polyline and spline
total what ezdxf's own curves measure. The workbook is read from its XML, its figures must be
numbers, and the CSV files must hold the same tables.
"""
import math
import os
import random
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

import ezdxf
import ezdxf.math
import ezdxf.recover

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"

# Drawing name in the report → (file, DXF version, encoding, scale).
DRAWINGS = {
    "一层照明.dxf": ("一层照明.dxf", "R2010", None, "1:100"),
    "二层/动力平面.dxf": ("二层/动力平面.dxf", "R2000", "gbk", "1:50"),
    "二层/消防/报警.dxf": ("二层/消防/报警.dxf", "R12", "gbk", "2:500"),
}


def make_drawing(path, version, encoding, seed):
    rnd = random.Random(seed)
    doc = ezdxf.new(version)
    if encoding:
        doc.encoding = encoding
    if "DASHED" not in doc.linetypes:
        doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25])
    for name in ("照明回路", "插座 回路", "Power"):
        doc.layers.add(name)
    lamp = doc.blocks.new("吸顶灯")
    lamp.add_circle((0, 0), 2)
    group = doc.blocks.new("灯组")
    group.add_blockref("吸顶灯", (0, 0))  # nested: not counted
    group.add_blockref("吸顶灯", (5, 0))
    doc.blocks.new("SWITCH").add_line((0, 0), (1, 1))
    msp = doc.modelspace()
    layers = ["照明回路", "插座 回路", "Power", "0"]
    for _ in range(40):
        attribs = {"layer": rnd.choice(layers)}
        if rnd.random() < 0.3:
            attribs["linetype"] = "DASHED"
        x, y = rnd.uniform(0, 5000), rnd.uniform(0, 5000)
        msp.add_line((x, y, rnd.uniform(-5, 5)), (x + rnd.uniform(-800, 800), y + rnd.uniform(-800, 800)),
                     dxfattribs=attribs)
        msp.add_arc((x, y), rnd.uniform(1, 300), rnd.uniform(0, 360), rnd.uniform(0, 360),
                    dxfattribs=attribs)
    for name, layer, n in (("吸顶灯", "照明回路", 7), ("吸顶灯", "插座 回路", 2), ("SWITCH", "Power", 3),
                           ("灯组", "照明回路", 1)):
        for i in range(n):
            msp.add_blockref(name, (i * 10, 0), dxfattribs={"layer": layer})
    points = [(0, 0, 0.5), (1000, 0, 0), (1000, 600, -0.3), (0, 600, 0)]
    if version == "R12":
        msp.add_polyline2d(points, format="xyb", close=True, dxfattribs={"layer": "照明回路"})
        msp.add_polyline2d([(0, 0), (300, 400), (300, 900)], close=True, dxfattribs={"layer": "Power"})
    else:
        msp.add_lwpolyline(points, format="xyb", close=True, dxfattribs={"layer": "照明回路"})
        msp.add_lwpolyline([(0, 0), (300, 400), (300, 900)], dxfattribs={"layer": "Power"})
        msp.add_open_spline([(0, 0), (200, 500), (600, -100), (900, 300)], degree=3,
                            dxfattribs={"layer": "插座 回路"})
        msp.add_rational_spline([(0, 0), (100, 0), (100, 100)], [1, math.sqrt(0.5), 1], degree=2,
                                dxfattribs={"layer": "插座 回路"})
    doc.layout().add_line((0, 0), (999, 0), dxfattribs={"layer": "Power"})
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    doc.saveas(path)


def polyline_length(points, closed):
    """Straight and bulged segments, measured with ezdxf's arc from a bulge."""
    if closed:
        points = points + points[:1]
    length = 0
    for (x1, y1, bulge), (x2, y2, _) in zip(points, points[1:]):
        if bulge:
            _, start, end, radius = ezdxf.math.bulge_to_arc((x1, y1), (x2, y2), bulge)
            length += radius * ((end - start) % math.tau)
        else:
            length += math.hypot(x2 - x1, y2 - y1)
    return length


def curve_lengths(path):
    """Polyline and spline lengths by layer, in drawing units, as ezdxf measures them."""
    lengths = {}
    doc, _ = ezdxf.recover.readfile(path)
    for e in doc.modelspace():
        kind = e.dxftype()
        if kind == "LWPOLYLINE":
            length = polyline_length([tuple(p) for p in e.get_points("xyb")], e.closed)
        elif kind == "POLYLINE":
            points = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in e.vertices]
            length = polyline_length(points, e.is_closed)
        elif kind == "SPLINE":
            pts = list(e.construction_tool().flattening(0.00001))
            length = sum(math.hypot(b.x - a.x, b.y - a.y) for a, b in zip(pts, pts[1:]))
        else:
            continue
        key = (e.dxf.layer, "样条曲线" if kind == "SPLINE" else "多段线")
        lengths[key] = lengths.get(key, 0) + length
    return lengths


def read_workbook(path):
    """Sheet name → rows of cells (None, str or float), and which cells held numbers."""
    with zipfile.ZipFile(path) as z:
        strings = [
            "".join(t.text or "" for t in si.iter("{%s}t" % NS["m"]))
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS)
        ]
        rels = {r.get("Id"): r.get("Target")
                for r in ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))}
        sheets = {}
        for sheet in ET.fromstring(z.read("xl/workbook.xml")).find("m:sheets", NS):
            xml = ET.fromstring(z.read("xl/" + rels[sheet.get(REL)]))
            rows = []
            for row in xml.iter("{%s}row" % NS["m"]):
                r = int(row.get("r")) - 1
                rows.extend([[]] * (r + 1 - len(rows)))
                cells = []
                for c in row.findall("m:c", NS):
                    col = column(c.get("r"))
                    cells.extend([None] * (col + 1 - len(cells)))
                    v = c.find("m:v", NS)
                    cells[col] = strings[int(v.text)] if c.get("t") == "s" else float(v.text)
                rows[r] = cells
            sheets[sheet.get("name")] = rows
        return sheets


def column(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n - 1


def tables(rows):
    """Title → rows below it up to the next blank row."""
    found, title = {}, None
    for cells in rows:
        if not cells or all(c is None for c in cells):
            title = None
        elif title is None and len(cells) == 1:
            title = cells[0]
            found[title] = []
        elif title is not None:
            found[title].append(cells)
    return found


def page_figures(elecaide, folder, entry, scale, layers, linetypes, blocks):
    """What the pages show: (option, box text) → metres; (block, layer) → count."""
    lines = [f'cad open "{entry}"', "start", "tab 5", f'set TxtStatusScale "{scale}"']
    queries = []  # (line index of the click that answers, query)
    for option in ("optStatusAll", "OptStatusLineArc", "OptStatusLineArcSpline"):
        lines += [f"click {option}", "click cmdStatusAll"]
        queries.append((len(lines) - 1, (option, None)))
    for option, box, names in (("optStatusLayer", "comStatusLayer", layers),
                               ("optStatusStyle", "comStatusStyle", linetypes)):
        lines.append(f"click {option}")
        for name in names:
            lines += [f'set {box} "{name}"', "click cmdStatusAll"]
            queries.append((len(lines) - 1, (option, name)))
    lines.append("tab 6")
    for block, layer in blocks:
        lines += [f'set comBName "{block}"', f'set comLayer "{layer}"', "click cmdStatAll"]
        queries.append((len(lines) - 1, (block, layer)))
    script = os.path.join(folder, "pages.script")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    run = subprocess.run(elecaide + ["--script", "pages.script"], cwd=folder, capture_output=True,
                         text=True, timeout=600, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    assert run.returncode == 0, run.stdout + run.stderr
    hints = [line[len("hint: "):] for line in run.stdout.splitlines() if line.startswith("hint: ")]
    assert len(hints) == len(lines), run.stdout
    figures = {}
    for at, query in queries:
        m = re.search(r"所选线总长 ?(-?[\d.E+]+)米", hints[at]) or re.search(r"图中有 (\d+)个", hints[at])
        assert m, (query, hints[at])
        figures[query] = float(m.group(1))
    return figures


def check_drawing(elecaide, folder, entry, scale, sheet):
    t = tables(sheet)
    by_layer = next(v for k, v in t.items() if k.startswith("线长（米）按图层"))
    by_linetype = next(v for k, v in t.items() if k.startswith("线长（米）按线型"))
    block_rows = t["块的个数（模型空间中直接插入的块）"][1:]
    layers = [r[0] for r in by_layer[1:-1]]
    linetypes = [r[0] for r in by_linetype[1:-1]]
    blocks = [(r[0], r[1]) for r in block_rows]
    page = page_figures(elecaide, folder, entry, scale, layers, linetypes, blocks)
    whole = by_layer[-1]
    assert whole[0] == "全部"
    assert whole[1] == page[("optStatusAll", None)], (whole, page)
    assert whole[2] == page[("OptStatusLineArcSpline", None)]
    assert whole[3] == page[("OptStatusLineArc", None)]
    for option, rows in (("optStatusLayer", by_layer), ("optStatusStyle", by_linetype)):
        for r in rows[1:-1]:
            assert all(isinstance(v, float) for v in r[1:]), r
            assert r[3] == page[(option, r[0])], (option, r, page[(option, r[0])])
    for block, layer, count in block_rows:
        assert isinstance(count, float) and count == page[(block, layer)], (block, layer, count)
    counts = {(b, l): c for b, l, c in block_rows}
    assert counts[("吸顶灯", "<所有层>")] == 9, counts  # the two nested in 灯组 are not counted
    assert ("灯组", "<所有层>") in counts

    ratio = int(scale[0]) / float(scale[2:])
    for (layer, kind), length in curve_lengths(os.path.join(folder, entry)).items():
        row = next(r for r in by_layer if r[0] == layer)
        got = row[{"多段线": 4, "样条曲线": 5}[kind]]
        want = length / ratio / 1000
        assert abs(got - want) <= 1e-6 * want + 1e-9, (entry, layer, kind, got, want)


def main(elecaide):
    with tempfile.TemporaryDirectory() as folder:
        drawings = os.path.join(folder, "图纸")
        for seed, (name, (file, version, encoding, _)) in enumerate(DRAWINGS.items()):
            make_drawing(os.path.join(drawings, file), version, encoding, seed)
        with open(os.path.join(drawings, "坏图.dxf"), "w") as f:
            f.write("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n")
        # As a Chinese Excel saves CSV: GBK.
        with open(os.path.join(folder, "比例.csv"), "w", encoding="gbk") as f:
            f.write("图纸,比例\n一层照明,1:100\n二层/动力平面.dxf,1:50\n")
        run = subprocess.run(
            elecaide + ["takeoff", "--scale", "2:500", "--scales", "比例.csv", "--csv", "表格",
                        "--output", "材料.xlsx", "图纸"],
            cwd=folder, capture_output=True, text=True, timeout=600)
        print(run.stdout + run.stderr)
        assert run.returncode == 1, f"one drawing is broken: exit {run.returncode}"
        assert "读取失败：坏图.dxf" in run.stderr, run.stderr
        assert "\r" not in run.stderr, "a progress line on a pipe"

        book = read_workbook(os.path.join(folder, "材料.xlsx"))
        names = list(book)
        summary = tables(book[names[0]])
        listed = summary["图纸"][1:]
        assert sorted(r[0] for r in listed) == sorted(list(DRAWINGS) + ["坏图.dxf"]), listed
        for name, scale, _, result in listed:
            assert scale == DRAWINGS[name][3] if name in DRAWINGS else result.startswith("读取失败："), (
                name, scale, result)
        assert any("elecaide takeoff --scale 2:500" in (r[0] or "") for r in book[names[0]][:4] if r)
        loaded = [r[0] for r in listed if r[0] in DRAWINGS]
        assert len(names) == 1 + len(loaded), names
        for entry, sheet in zip(loaded, names[1:]):
            check_drawing(elecaide, drawings, DRAWINGS[entry][0], DRAWINGS[entry][3], book[sheet])

        blocks = summary["块的个数（模型空间中直接插入的块，所有层）"]
        lamp = next(r for r in blocks if r[0] == "吸顶灯")
        assert lamp[1:] == [9.0, 9.0, 9.0, 27.0], lamp

        with open(os.path.join(folder, "表格", names[0] + ".csv"), encoding="utf-8") as f:
            text = f.read()
        assert text.startswith("\ufeff"), "no byte order mark"
        assert "吸顶灯,9,9,9,27" in text, text

        # Filters, and the exit statuses of a complete run and of bad arguments.
        files = [os.path.join("图纸", DRAWINGS[d][0]) for d in DRAWINGS]
        run = subprocess.run(elecaide + ["takeoff", "--blocks", "吸顶灯", "--layers", "照明回路",
                                         "--output", "滤.xlsx"] + files,
                             cwd=folder, capture_output=True, text=True, timeout=600)
        assert run.returncode == 0, run.stdout + run.stderr
        summary = tables(next(iter(read_workbook(os.path.join(folder, "滤.xlsx")).values())))
        assert [r[0] for r in summary["块的个数（模型空间中直接插入的块，所有层）"][1:]] == ["吸顶灯"]
        assert [r[0] for r in summary["线长合计（米：直线、圆弧、多段线、样条曲线）"][1:]] == ["照明回路"]
        for bad in (["--scale", "10:1000", "图纸"], ["无此文件夹"], ["--jobs", "0", "图纸"]):
            run = subprocess.run(elecaide + ["takeoff"] + bad, cwd=folder, capture_output=True,
                                 text=True, timeout=600)
            assert run.returncode == 2, (bad, run.returncode, run.stderr)
        print("takeoff: the workbook's figures are the pages' figures for", len(loaded), "drawings")


if __name__ == "__main__":
    main(sys.argv[1:])
