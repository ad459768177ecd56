#!/usr/bin/env python3
"""Checks that every #include of the program's folders points down the layers.

Each folder may include its own headers, the folders listed for it in LAYERS and the Qt modules
listed for it. A subfolder without a row of its own belongs to its parent (imaging/sane is part
of imaging). A folder with sources but no row is an error too, so a new folder gets its place in
the table before it gets includes. tests/ and bench/ are not checked.

    check-includes.py [--root DIR] [--qt-include-dir DIR] [--table]

Exit status 0 when everything points the allowed way, 1 with one line per wrong include.
"""
import argparse
import os
import re
import sys
from pathlib import Path

NO_QT = ()
NO_WIDGETS = ("Core", "Gui", "Concurrent")
WIDGETS = ("Core", "Gui", "Concurrent", "Widgets")

# folder: (folders it may include, Qt modules it may include)
LAYERS = {
    "platform": ((), NO_QT),
    "pdf": (("platform",), NO_QT),
    "archive": (("platform",), NO_QT),
    "settings": (("archive", "platform"), NO_QT),
    "logs": (("platform",), NO_QT),
    "imaging": (("platform",), NO_WIDGETS),
    "app/work": ((), NO_QT),
    "app/intake": (("settings", "platform"), NO_WIDGETS),
    "app/compose": (("app/work", "pdf", "imaging", "settings", "platform"), NO_WIDGETS),
    "app/save": (("app/compose", "app/intake", "archive", "imaging", "logs", "settings", "platform"),
                 NO_WIDGETS),
    "app/pages": (("app/compose", "app/work", "imaging", "settings", "platform"), NO_WIDGETS),
    "app/journal": (("platform",), NO_WIDGETS),
    "editor": (("imaging", "settings", "platform"), NO_WIDGETS),
    "cli": (("app/save", "app/compose", "app/intake", "archive", "imaging", "pdf", "logs", "settings",
             "platform"), NO_WIDGETS),
    "settings/ui": (("settings", "platform"), WIDGETS),
    "logs/ui": (("logs", "settings", "platform"), WIDGETS),
    "dialogs": (("settings", "platform"), WIDGETS),
    "editor/ui": (("editor", "dialogs", "imaging", "settings", "platform"), WIDGETS),
    "inquiry": (("archive", "settings", "platform"), WIDGETS),
    "app/warnings": (("settings", "platform"), WIDGETS),
    "app/ui": (("app/pages", "app/journal", "app/save", "app/compose", "app/intake", "app/warnings", "inquiry",
                "editor/ui", "editor", "dialogs", "logs/ui", "settings/ui", "imaging", "archive", "logs", "settings",
                "platform"), WIDGETS),
    "app": (("app/ui", "settings", "platform"), WIDGETS),
}

# Wrong-way includes that are known and being removed; each needs a reason. The lead deletes a
# line once the change that fixes it is merged.
KNOWN_EXCEPTIONS = set()

SKIPPED_TOP_FOLDERS = {"tests", "bench", "scripts", "docs", "cmake", "build"}
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_MODULE_PREFIX = re.compile(r"^Qt([A-Za-z]+)/")


def owner(folder):
    """The table row a folder belongs to (itself or its nearest listed parent), or None."""
    parts = folder.split("/")
    while parts:
        candidate = "/".join(parts)
        if candidate in LAYERS:
            return candidate
        parts.pop()
    return None


class QtHeaders:
    """Tells the Qt module of a header such as <QWidget> by where Qt installed it."""

    def __init__(self, include_dir):
        self.include_dir = Path(include_dir) if include_dir else None
        self.cache = {}

    def module(self, header):
        match = QT_MODULE_PREFIX.match(header)
        if match:
            return match.group(1)
        if header in self.cache:
            return self.cache[header]
        found = None
        if self.include_dir and self.include_dir.is_dir():
            for module_dir in sorted(self.include_dir.glob("Qt*")):
                if (module_dir / header).is_file():
                    found = module_dir.name[2:]
                    break
        self.cache[header] = found
        return found


def is_qt_header(header):
    return bool(re.match(r"^Q[A-Za-z]", header) or QT_MODULE_PREFIX.match(header))


def source_folders(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel = Path(dirpath).relative_to(root)
        dirnames[:] = sorted(d for d in dirnames if not d.startswith("."))
        if rel.parts and (rel.parts[0] in SKIPPED_TOP_FOLDERS or rel.parts[0].startswith("build")):
            dirnames[:] = []
            continue
        files = sorted(f for f in filenames if Path(f).suffix in SOURCE_SUFFIXES)
        if files and rel.parts:
            yield rel.as_posix(), [Path(dirpath) / f for f in files]


def check_file(path, rel_path, folder, qt, problems):
    allowed_folders, allowed_qt = LAYERS[folder]
    with open(path, encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            where = f"{rel_path}:{number}"
            if bracket == '"' and "/" in header:
                target = owner(header.rsplit("/", 1)[0])
                if target is None or target == folder or target in allowed_folders:
                    continue
                if (folder, target) in KNOWN_EXCEPTIONS:
                    continue
                problems.append(f"{where}: {folder}/ may not include {header} ({target}/ is not below it)")
            elif bracket == "<" and is_qt_header(header):
                module = qt.module(header)
                if module is None and not allowed_qt:
                    module = "?"
                if module is not None and module not in allowed_qt:
                    uses = "no Qt" if not allowed_qt else "Qt " + ", ".join(allowed_qt)
                    problems.append(f"{where}: {folder}/ uses {uses}, but includes <{header}> (Qt {module})")


def check_tree(root, qt_include_dir):
    qt = QtHeaders(qt_include_dir)
    problems = []
    for rel_folder, files in source_folders(root):
        folder = owner(rel_folder)
        if folder is None:
            problems.append(f"{rel_folder}/: folder has no row in the layer table of scripts/check-includes.py")
            continue
        for path in files:
            check_file(path, path.relative_to(root).as_posix(), folder, qt, problems)
    return problems


def table_cycles():
    """Folders of the table that reach themselves through the allowed arrows."""
    def reaches(start):
        seen, todo = set(), list(LAYERS[start][0])
        while todo:
            folder = todo.pop()
            if folder not in seen:
                seen.add(folder)
                todo.extend(LAYERS.get(folder, ((), ()))[0])
        return seen
    return [folder for folder in LAYERS if folder in reaches(folder)]


def markdown_table():
    qt_words = {NO_QT: "none", NO_WIDGETS: "no Widgets", WIDGETS: "Widgets"}
    lines = ["| Folder | May include | Qt |", "|---|---|---|"]
    for folder, (folders, qt) in LAYERS.items():
        lines.append(f"| `{folder}/` | {', '.join(f'`{f}/`' for f in folders) or '—'} | {qt_words[qt]} |")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=Path(__file__).resolve().parent.parent, type=Path)
    parser.add_argument("--qt-include-dir", help="Qt's include folder (holds QtCore/, QtWidgets/, ...)")
    parser.add_argument("--table", action="store_true", help="print the table as Markdown and stop")
    args = parser.parse_args()
    if args.table:
        print(markdown_table())
        return 0
    problems = [f"layer table: {f}/ reaches itself" for f in table_cycles()]
    problems += check_tree(args.root, args.qt_include_dir)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
