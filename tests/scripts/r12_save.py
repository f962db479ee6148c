"""Runs r12_save.script on an R12 drawing and reads the drawing it saved with ezdxf and librecad.

Usage: /usr/bin/python3 r12_save.py SCRIPT ELECAIDE...

ELECAIDE is the command that starts elecaide: its path, or the Wine runner and the .exe. The
drawing is made here with ezdxf (R12, GBK text); the script adds a multiline text and a spline
and saves, once on the embedded drawing and once served as sketchcad serves it. ezdxf must read
the saved file strictly (readfile, then audit without errors)
and find the original entities unchanged and the new ones as texts and a polyline; librecad
must convert it to PDF.
"""
import os
import subprocess
import sys
import tempfile

import ezdxf


def make_plan(path):
    doc = ezdxf.new("R12")
    doc.encoding = "gbk"
    doc.layers.add("照明", color=2)
    msp = doc.modelspace()
    msp.add_text("配电箱 AL1", dxfattribs={"layer": "照明", "height": 3.5, "insert": (0, 40)})
    msp.add_text("WL1 BV-3x2.5", dxfattribs={"height": 2.5, "insert": (0, 30)})
    msp.add_line((0, 0), (100, 0))
    doc.saveas(path)


def describe(doc):
    """Every model space entity with its attributes, but the owner ezdxf makes up for R12."""
    return [(e.dxftype(), e.dxf.handle, e.dxf.layer, dict(e.dxfattribs(drop={"owner"})))
            for e in doc.modelspace()]


def main(elecaide, script):
    for served in ([], ["--served"]):
        check(elecaide, script, served)


def check(elecaide, script, options):
    with tempfile.TemporaryDirectory() as folder:
        plan = os.path.join(folder, "r12_plan.dxf")
        make_plan(plan)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        run = subprocess.run(elecaide + ["--script", script, "--trace"] + options, cwd=folder,
                             env=env, capture_output=True, text=True, timeout=300)
        sys.stdout.write(run.stdout + run.stderr)
        assert run.returncode == 0, f"the script ended with {run.returncode}"

        saved = os.path.join(folder, "r12_saved.dxf")
        doc = ezdxf.readfile(saved)
        auditor = doc.audit()
        assert not auditor.has_errors, [str(e) for e in auditor.errors]
        assert doc.dxfversion == "AC1009", doc.dxfversion

        before = describe(ezdxf.readfile(plan))
        after = describe(doc)
        assert after[:len(before)] == before, "the drawing's own entities changed"
        added = after[len(before):]
        kinds = [kind for kind, *_ in added]
        assert kinds == ["TEXT", "TEXT", "POLYLINE", "POINT"], kinds
        texts = [attribs["text"] for kind, _, _, attribs in added if kind == "TEXT"]
        assert texts == ["照明配电箱 AL1", "插座回路 WX1"], texts
        polyline = [e for e in doc.modelspace() if e.dxftype() == "POLYLINE"][0]
        assert len(polyline.vertices) > 10, len(polyline.vertices)

        pdf = subprocess.run(["librecad", "dxf2pdf", saved], cwd=folder, env=env,
                             capture_output=True, text=True, timeout=120)
        assert pdf.returncode == 0 and "DONE" in pdf.stdout + pdf.stderr, pdf.stdout + pdf.stderr
        assert os.path.getsize(saved[:-4] + ".pdf") > 0
        print("r12_save", *options, ": the saved R12 drawing reads in ezdxf and librecad")


if __name__ == "__main__":
    main(sys.argv[2:], sys.argv[1])
