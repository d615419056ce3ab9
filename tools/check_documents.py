#!/usr/bin/env python3
"""Checks the installation's documents as they reach the user.

    check_documents.py help LISTER HELP_FILE SOURCE_FOLDER
        The compiled help file, read back with LISTER (enum_chmLib), holds every page,
        picture and style sheet of its sources, and every link of its pages, contents and
        index leads to a file it holds and to an anchor of that page.
    check_documents.py guides DOCUMENT...
        Each user's guide is RTF that a word processor reads: it begins with the RTF
        header, is 7-bit text (other letters are \\uN? escapes) and its groups balance.

Prints one line per fault; the exit status is 1 when there is any.
"""
import html.parser
import pathlib
import re
import subprocess
import sys

SHIPPED_SUFFIXES = {".html", ".css", ".png"}
LINKING_SUFFIXES = {".html", ".hhc", ".hhk"}


class LinksAndAnchors(html.parser.HTMLParser):
    """The targets a page links to (href, src, the Local of a contents or index entry)
    and the anchors it offers (id, name)."""

    def __init__(self, text):
        super().__init__()
        self.links, self.anchors = [], set()
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "param":
            if attributes.get("name") == "Local":
                self.links.append(attributes["value"])
            return
        self.links += [attributes[key] for key in ("href", "src") if attributes.get(key)]
        self.anchors |= {attributes[key] for key in ("id", "name") if attributes.get(key)}


def files_in_help(lister, help_file):
    listing = subprocess.run([lister, help_file], capture_output=True, text=True, check=True)
    return {line.split("\t")[-1].lstrip("/")
            for line in listing.stdout.splitlines() if "normal file" in line}


def help_faults(lister, help_file, source_folder):
    sources = pathlib.Path(source_folder)
    held = files_in_help(lister, help_file)
    faults = [f"{name}: not in the help file"
              for name in sorted(p.relative_to(sources).as_posix() for p in sources.rglob("*")
                                 if p.suffix in SHIPPED_SUFFIXES)
              if name not in held]
    parsed = {p.relative_to(sources).as_posix(): LinksAndAnchors(p.read_text(encoding="ascii"))
              for p in sources.rglob("*") if p.suffix in LINKING_SUFFIXES}
    for name, page in sorted(parsed.items()):
        for link in page.links:
            target, _, anchor = link.partition("#")
            target = target or name
            if target not in held:
                faults.append(f"{name}: links to {link}, which the help file does not hold")
            elif anchor and anchor not in parsed.get(target, LinksAndAnchors("")).anchors:
                faults.append(f"{name}: links to {link}, which has no such anchor")
    return faults


def rtf_faults(document):
    text = pathlib.Path(document).read_bytes()
    faults = []
    if not text.startswith(b"{\\rtf1"):
        faults.append("does not begin with {\\rtf1")
    if any(byte > 127 for byte in text):
        faults.append("holds bytes beyond 7-bit ASCII; write such letters as \\uN? escapes")
    depth = 0
    for brace in re.finditer(rb"\\[\\{}]|[{}]", text):
        depth += {b"{": 1, b"}": -1}.get(brace.group(), 0)
        if depth < 0 or (depth == 0 and text[brace.end():].strip()):
            faults.append(f"a group closes too early, at byte {brace.start()}")
            break
    if depth > 0:
        faults.append(f"{depth} group(s) left open at the end")
    return [f"{document}: {fault}" for fault in faults]


def main(kind, *arguments):
    faults = help_faults(*arguments) if kind == "help" else \
        [fault for document in arguments for fault in rtf_faults(document)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
