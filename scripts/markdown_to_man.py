#!/usr/bin/env python3
"""Turns a command's markdown description (docs/TOOL.md) into a gzipped man page.

    markdown_to_man.py SOURCE.md OUTPUT.1.gz NAME SECTION "ONE-LINE SUMMARY" VERSION

Handles what that file uses: headings, paragraphs, "- " lists, indented code blocks, pipe tables,
`code`, **bold** and pictures (left out). The date is the source's modification time unless
SOURCE_DATE_EPOCH is set, so a rebuild of the same text gives the same page.
"""
import datetime
import gzip
import os
import re
import sys


def escape(text):
    text = text.replace("\\", "\\e")
    # A line starting with . or ' would be read as a request.
    return re.sub(r"^([.'])", r"\\&\1", text)


def inline(text):
    text = escape(text)
    text = re.sub(r"`([^`]*)`", r"\\fB\1\\fR", text)
    text = re.sub(r"\*\*([^*]*)\*\*", r"\\fB\1\\fR", text)
    return re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", text)


def table(rows):
    cells = [[c.strip() for c in row.strip().strip("|").split("|")] for row in rows]
    cells = [row for row in cells if not all(re.fullmatch(r":?-+:?", c) for c in row)]
    columns = max(len(row) for row in cells)
    out = [".TS", "allbox tab(\t);", " ".join(["lx"] * columns) + "."]
    for row in cells:
        out.append("\t".join("T{\n" + inline(c) + "\nT}" for c in row))
    return out + [".TE"]


def convert(lines, name, section, summary, date, version):
    out = [
        "'\\\" t",  # tables: man runs tbl first
        f'.TH "{name.upper()}" "{section}" "{date}" "{version}" "User Commands"',
        ".SH NAME",
        f"{escape(name)} \\- {escape(summary)}",
        ".SH DESCRIPTION",
    ]
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip() or line.startswith("!["):
            i += 1
        elif line.startswith("# "):
            i += 1  # the title; NAME says it
        elif line.startswith("## "):
            out += [".SH " + inline(line[3:].upper())]
            i += 1
        elif line.startswith("#"):
            out += [".SS " + inline(line.lstrip("#").strip())]
            i += 1
        elif line.startswith("    "):
            block = []
            while i < len(lines) and (lines[i].startswith("    ") or not lines[i].strip()):
                block.append(lines[i][4:])
                i += 1
            while block and not block[-1].strip():
                block.pop()
            out += [".PP", ".nf", ".RS 4"] + [escape(b) for b in block] + [".RE", ".fi"]
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(lines[i])
                i += 1
            out += table(rows)
        elif re.match(r"(- |\d+\. )", line):
            item = [re.sub(r"^(- |\d+\. )", "", line)]
            i += 1
            while i < len(lines) and lines[i].startswith("  ") and lines[i].strip():
                item.append(lines[i].strip())
                i += 1
            out += [".IP \\(bu 2", inline(" ".join(item))]
        else:
            paragraph = []
            while i < len(lines) and lines[i].strip() and not re.match(r"(#|\||- |    )", lines[i]):
                paragraph.append(lines[i].strip())
                i += 1
            out += [".PP", inline(" ".join(paragraph))]
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    source, output, name, section, summary, version = sys.argv[1:]
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH", os.path.getmtime(source)))
    date = datetime.datetime.fromtimestamp(stamp, datetime.timezone.utc).strftime("%Y-%m-%d")
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    page = convert(lines, name, section, summary, date, version)
    with open(output, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=stamp) as gz:
            gz.write(page.encode("utf-8"))


if __name__ == "__main__":
    main()
