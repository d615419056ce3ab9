#!/usr/bin/env python3
"""Checks that the folders of the project depend on each other in one direction only.

The shell (src/):

    shell -> launch -> cases -> files -> base -> text, platform
             about  -----------> files

The suite (suite/): the portable libraries never include the programs around them, and no
program folder (viewers, *_ui) includes another: what their windows share is the window
kit below them all.

    viewers, creators_ui, printout_ui, compound_ui -> window_kit -> programs, graphics
    viewers -> graphics -> analysis        window_kit -> programs -> analysis
    bench -> analysis        creators_ui -> creators -> analysis
    printout_ui -> printout        compound_ui -> compound -> creators, graphics -> analysis

A folder may include itself and the folders below it, never one above; what the shell and
the suite share (common/handoff, common/windows_files, common/kept_memory) lies below
them all, and none of them includes another. The program's entry
(platform/win32/entry.cpp) hands the process to the shell: the one exception. An include
is taken by its folder however it is written ("launch/launch.h", <launch/launch.h>,
"../launch/launch.h"), and a bare name by the folder whose header it is.

    tools/check_layers.py PROJECT_ROOT
"""

import pathlib
import re
import sys

SHELL = {
    "text": set(),
    "platform": set(),
    "base": {"text", "platform"},
    "files": {"base", "text", "platform"},
    "cases": {"files", "base", "text", "platform"},
    "launch": {"cases", "files", "base", "text", "platform"},
    "about": {"files", "base", "text", "platform"},
    "shell": {"launch", "cases", "files", "about", "base", "text", "platform"},
}
WINDOW_KIT = {"window_kit", "programs", "graphics", "analysis"}
SUITE = {
    "analysis": set(),
    "graphics": {"analysis"},
    "programs": {"analysis"},
    "window_kit": {"programs", "graphics", "analysis"},
    "viewers": WINDOW_KIT,
    "bench": {"analysis"},
    "creators": {"analysis"},
    "creators_ui": WINDOW_KIT | {"creators"},
    "printout": set(),
    "printout_ui": WINDOW_KIT | {"printout"},
    "compound": {"creators", "graphics", "analysis"},
    "compound_ui": WINDOW_KIT | {"compound", "creators"},
}
SHARED = {"handoff", "windows_files"}
PROJECT_FOLDERS = set(SHELL) | set(SUITE) | SHARED
EXCEPTIONS = {("src/platform/win32/entry.cpp", "shell")}
INCLUDE = re.compile(r'^\s*#\s*include\s+["<]((?:\.\./)*)([^">]+)[">]')


def sources(folder):
    return sorted(p for p in folder.rglob("*") if p.suffix in (".h", ".cpp"))


def headers_by_name(root):
    """The folder of suite/ that holds each header, by its file name."""
    owners = {}
    for folder in SUITE:
        for header in (root / "suite" / folder).rglob("*.h"):
            owners[header.name] = folder
    return owners


def target_of(include, owners):
    """The project folder an include names, or None for a system header."""
    parts = include.split("/")
    if len(parts) > 2 and parts[0] in ("src", "suite", "common"):
        parts = parts[1:]
    if len(parts) > 1:
        return parts[0] if parts[0] in PROJECT_FOLDERS else None
    return owners.get(parts[0])


def allowed(part, folder, target):
    if target in SHARED or target == folder:
        return True
    layers = SHELL if part == "src" else SUITE if part == "suite" else {}
    return target in layers.get(folder, set())


def violations(root):
    owners = headers_by_name(root)
    for part in ("src", "suite", "common"):
        for path in sources(root / part):
            relative = path.relative_to(root).as_posix()
            inside = path.relative_to(root / part).parts
            folder = inside[0] if len(inside) > 1 else part
            if part == "src" and folder not in SHELL:
                yield f"{relative}: the folder {folder} has no place among the layers"
                continue
            for number, line in enumerate(path.read_text().splitlines(), 1):
                match = INCLUDE.match(line)
                target = match and target_of(match.group(2), owners)
                if not target or (relative, target) in EXCEPTIONS:
                    continue
                if not allowed(part, folder, target):
                    yield f"{relative}:{number}: {folder} must not include {target}"


def main(argv):
    found = list(violations(pathlib.Path(argv[1])))
    for violation in found:
        print(violation)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
