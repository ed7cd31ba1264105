#!/usr/bin/env python3
"""Checks that the source folders depend on each other only downwards.

Every `#include "folder/File.h"` in src/ is an arrow from the including file's folder to the
included file's folder; each arrow must be in the table below. Qt headers (`#include <Q...>`) are
allowed only where windows live: widgets, the ui folders and app. No ui folder includes the
engine: a window reaches files through its flow, or through a plain header that carries the type.

    check_include_layers.py SRC_DIR

Prints one line per wrong arrow and exits 1 when there is any, 0 otherwise.
"""

import re
import sys
from pathlib import Path

SUBSYSTEM = "<subsystem>"  # any folder below src/ that the table does not name
EVERY_SUBSYSTEM = "<every subsystem>"
EVERY_SUBSYSTEM_UI = "<every subsystem>/ui"
EVERYTHING = "<everything>"

# Who may include whom, besides a folder's own files.
ALLOWED = {
    "base": [],
    "engine": ["base"],
    "records": ["engine", "base"],
    "company": ["records", "engine", "base"],
    SUBSYSTEM: ["company", "records", "engine", "base"],
    "widgets": ["records", "engine", "base"],
    SUBSYSTEM + "/ui": [SUBSYSTEM, "widgets", "company", "records", "base"],
    # The company windows, seen by the main window only.
    "company/ui": ["company", "widgets", "records", "base"],
    "shell/ui": [EVERY_SUBSYSTEM, EVERY_SUBSYSTEM_UI, "company/ui", "widgets", "company", "records",
                 "base"],
    "app": [EVERYTHING],
    # The tool writes printed forms to PDF through the printer canvas; it includes no Qt header.
    "tool": [EVERY_SUBSYSTEM, "widgets", "company", "records", "engine", "base"],
}
# Subsystems that stand on another subsystem besides the layers of their row: invoice entry moves
# balances only through the receivables, and e-mail goes through the mail transport.
SUBSYSTEM_ALSO = {
    "invoicing": ["receivables", "mail"],
    # Letters, labels and bulk e-mail find queued customers as the postings do, and mail through
    # the one mail connection.
    "correspondence": ["receivables", "mail"],
    "statements": ["receivables", "mail"],
    "maintenance": ["invoicing", "receivables", "customers", "products"],
}
QT_LAYERS = {"widgets", SUBSYSTEM + "/ui", "company/ui", "shell/ui", "app"}
WINDOW_LAYERS = {SUBSYSTEM + "/ui", "company/ui", "shell/ui"}

SOURCE_SUFFIXES = {".h", ".cpp"}
QUOTED_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s+<(Q\w*)")


def layer_of(relative: Path) -> str:
    """The layer of a path below src/: its folder, or folder/ui for a ui subfolder."""
    parts = relative.parts
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def layers_in(src: Path) -> set:
    return {layer_of(f.relative_to(src)) for f in src.rglob("*") if f.suffix in SOURCE_SUFFIXES}


def table_row(layer: str) -> str:
    """The row of ALLOWED that governs `layer`."""
    if layer in ALLOWED:
        return layer
    return SUBSYSTEM + "/ui" if layer.endswith("/ui") else SUBSYSTEM


def allowed_targets(layer: str, layers: set) -> set:
    named = {row for row in ALLOWED if not row.startswith("<")}
    subsystems = {l for l in layers if table_row(l) == SUBSYSTEM}
    owner = layer[: -len("/ui")] if layer.endswith("/ui") else layer
    targets = set()
    for entry in ALLOWED[table_row(layer)]:
        if entry == EVERYTHING:
            targets |= layers
        elif entry == EVERY_SUBSYSTEM:
            targets |= subsystems
        elif entry == EVERY_SUBSYSTEM_UI:
            targets |= {s + "/ui" for s in subsystems}
        elif entry == SUBSYSTEM:
            targets.add(owner)
        else:
            assert entry in named, entry
            targets.add(entry)
    if table_row(layer) == SUBSYSTEM:
        targets |= set(SUBSYSTEM_ALSO.get(layer, []))
    return targets | {layer}


def violations(src: Path) -> list:
    layers = layers_in(src)
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES:
            continue
        relative = path.relative_to(src)
        if len(relative.parts) < 2:
            found.append(f"src/{relative}: a source file belongs in a folder")
            continue
        layer = layer_of(relative)
        allowed = allowed_targets(layer, layers)
        may_use_qt = table_row(layer) in QT_LAYERS
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            where = f"src/{relative}:{number}"
            qt = QT_INCLUDE.match(line)
            if qt and not may_use_qt:
                found.append(f"{where}: {layer} is plain C++ and may not include <{qt.group(1)}>")
            quoted = QUOTED_INCLUDE.match(line)
            if not quoted or "/" not in quoted.group(1):
                continue  # not an include, or a file of the same folder
            target = layer_of(Path(quoted.group(1)))
            if target not in layers:
                found.append(f'{where}: "{quoted.group(1)}" is in no folder of src/')
            elif target == "engine" and table_row(layer) in WINDOW_LAYERS:
                found.append(f'{where}: {layer} is window code and may not include '
                             f'"{quoted.group(1)}"; hand it a flow or a plain services object')
            elif target not in allowed:
                uses = ", ".join(sorted(allowed - {layer})) or "nothing"
                found.append(f'{where}: {layer} may not include "{quoted.group(1)}" '
                             f"({layer} may use {uses})")
    return found


def main(argv: list) -> int:
    if len(argv) != 2 or not Path(argv[1]).is_dir():
        print("usage: check_include_layers.py SRC_DIR", file=sys.stderr)
        return 2
    found = violations(Path(argv[1]))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
