"""Fails when a file of a logic library includes what that library must not see.

Usage: /usr/bin/python3 check_includes.py MANIFEST SOURCE_ROOT QT_HEADER_DIR...

MANIFEST is the list of libraries tests/layering/CMakeLists.txt writes: their files, which link
Qt Gui or Widgets, which are logic and what each logic library links. A file of a logic library
may include no header of Qt Gui or Qt Widgets (<QtGui/...>, <QtWidgets/...>, or any name in the
QT_HEADER_DIRs, such as <QWidget> or <qpainter.h>), and no project header but those of the
libraries it links, so that a lower layer never reaches up into a higher one or into the pages.
Each offending include is printed as FILE:LINE with the reason, relative to SOURCE_ROOT.
"""
import os
import re
import sys
from collections import defaultdict

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_MODULES = ("QtGui", "QtWidgets")


def read_manifest(path):
    owner = {}
    gui = set()
    links = defaultdict(set)
    logic = []
    with open(path, encoding="utf-8") as manifest:
        for line in manifest:
            fact, library, *rest = line.rstrip("\n").split("\t")
            if fact == "owns":
                owner[os.path.normpath(rest[0])] = library
            elif fact == "gui":
                gui.add(library)
            elif fact == "logic":
                logic.append(library)
            elif fact == "links":
                links[library].add(rest[0])
    return owner, gui, links, logic


def qt_header_reason(name, qt_headers):
    module = name.split("/")[0]
    if module in QT_MODULES or name in qt_headers:
        return f"<{name}> is a Qt Gui or Widgets header"
    return None


def project_header_reason(name, including_file, library, owner, gui, links, root):
    src = os.path.join(root, "src")
    candidates = [os.path.join(src, name), os.path.join(os.path.dirname(including_file), name)]
    header = next((os.path.normpath(c) for c in candidates if os.path.isfile(c)), None)
    if header is None:
        return None
    header_library = owner.get(header)
    if header_library is None:
        return f'"{name}" belongs to no library'
    if header_library in links[library]:
        return None
    if header_library in gui:
        return f'"{name}" belongs to {header_library}, which links Qt Gui or Widgets'
    return f'"{name}" belongs to {header_library}, which {library} does not link'


def main():
    manifest, root, *qt_dirs = sys.argv[1:]
    owner, gui, links, logic = read_manifest(manifest)
    qt_headers = {
        name for d in qt_dirs for name in os.listdir(d) if os.path.isfile(os.path.join(d, name))
    }
    if not qt_headers:
        sys.exit(f"no Qt Gui or Widgets headers found in {qt_dirs}")

    problems = []
    files = sorted((path, library) for path, library in owner.items() if library in logic)
    for path, library in files:
        with open(path, encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                bracket, name = match.groups()
                if bracket == "<":
                    reason = qt_header_reason(name, qt_headers)
                else:
                    reason = project_header_reason(name, path, library, owner, gui, links, root)
                if reason:
                    where = os.path.relpath(path, root)
                    problems.append(f"{where}:{number}: {library} is a logic library; {reason}")

    for problem in problems:
        print(problem)
    if problems:
        sys.exit(f"{len(problems)} include(s) cross the layering")
    print(f"{len(files)} files of {len(logic)} logic libraries include nothing above their layer")


if __name__ == "__main__":
    main()
