"""Compares a drawing before and after a number add, as ezdxf reads both.

Usage: /usr/bin/python3 compare_plans.py ORIGINAL CHANGED --added AMOUNT --changed COUNT

Passes (status 0) when the changed drawing holds the same entities (by handle, kind and every
DXF attribute), the same layers and the same block definitions as the original, except for
exactly COUNT single-line texts whose text went from a number N to N + AMOUNT. Prints every
difference it finds otherwise (status 1).
"""
import argparse
import sys

import ezdxf
from ezdxf import recover


def attributes(entity):
    values = entity.dxf.all_existing_dxf_attribs()
    values.pop("owner", None)
    return {key: (tuple(round(v, 9) for v in value) if hasattr(value, "__iter__")
                  and not isinstance(value, str) else value)
            for key, value in values.items()}


def by_handle(layout):
    return {e.dxf.handle: e for e in layout}


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("original")
    parser.add_argument("changed")
    parser.add_argument("--added", type=float, required=True)
    parser.add_argument("--changed", dest="count", type=int, required=True)
    args = parser.parse_args()

    before, before_audit = recover.readfile(args.original)
    after, after_audit = recover.readfile(args.changed)
    problems = []
    if after_audit.errors:
        problems.append(f"ezdxf audit of the changed drawing: {len(after_audit.errors)} errors")

    old, new = by_handle(before.modelspace()), by_handle(after.modelspace())
    if list(old) != list(new):
        problems.append(f"model space differs: {len(old)} entities before, {len(new)} after, "
                        f"{len(set(old) ^ set(new))} handles not in both")
    changed = 0
    for handle in sorted(old.keys() & new.keys()):
        a, b = old[handle], new[handle]
        if a.dxftype() != b.dxftype():
            problems.append(f"{handle}: {a.dxftype()} became {b.dxftype()}")
            continue
        attrs_a, attrs_b = attributes(a), attributes(b)
        differing = {k for k in attrs_a.keys() | attrs_b.keys() if attrs_a.get(k) != attrs_b.get(k)}
        if not differing:
            continue
        was, now = number(attrs_a.get("text", "")), number(attrs_b.get("text", ""))
        if (a.dxftype() == "TEXT" and differing == {"text"} and was is not None
                and now is not None and abs(now - was - args.added) < 1e-9):
            changed += 1
            print(f"{handle}: {attrs_a['text']} -> {attrs_b['text']}")
        else:
            problems.append(f"{handle} {a.dxftype()}: "
                            + ", ".join(f"{k} {attrs_a.get(k)!r} -> {attrs_b.get(k)!r}"
                                        for k in sorted(differing)))
    if changed != args.count:
        problems.append(f"{changed} numbers changed by {args.added:g}, expected {args.count}")

    layers = lambda doc: {l.dxf.name: attributes(l) for l in doc.layers}
    if layers(before) != layers(after):
        problems.append("the layer table differs")
    blocks = lambda doc: {b.name: [(e.dxftype(), attributes(e)) for e in b]
                          for b in doc.blocks if not b.name.lower().startswith("*")}
    if blocks(before) != blocks(after):
        problems.append("the block definitions differ")

    for problem in problems:
        print("DIFFERENT:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
