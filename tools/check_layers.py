#!/usr/bin/env python3
"""Checks that the shell's folders depend on each other in one direction only.

    shell -> launch -> cases -> files -> base -> text, platform
             about  -----------> files

A folder may include itself and the folders below it, never one above, and what the shell
shares with the suite's programs (common/handoff, common/windows_files), which lies below
them all. The program's entry (platform/win32/entry.cpp) hands the process to the
shell: the one exception.

    tools/check_layers.py SRC_FOLDER
"""

import pathlib
import re
import sys

BELOW = {
    "text": set(),
    "platform": set(),
    "base": {"text", "platform"},
    "files": {"base", "text", "platform"},
    "cases": {"files", "base", "text", "platform"},
    "launch": {"cases", "files", "base", "text", "platform"},
    "about": {"files", "base", "text", "platform"},
    "shell": {"launch", "cases", "files", "about", "base", "text", "platform"},
}
SHARED = {"handoff", "windows_files"}
EXCEPTIONS = {("platform/win32/entry.cpp", "shell")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/')


def violations(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        folder = relative.split("/")[0]
        if folder not in BELOW:
            yield f"{relative}: the folder {folder} has no place among the layers"
            continue
        for number, line in enumerate(path.read_text().splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            allowed = target == folder or target in BELOW[folder] or target in SHARED
            if not allowed and (relative, target) not in EXCEPTIONS:
                yield f"{relative}:{number}: {folder} must not include {target}"


def main(argv):
    found = list(violations(pathlib.Path(argv[1])))
    for violation in found:
        print(violation)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
