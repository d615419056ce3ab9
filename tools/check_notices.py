#!/usr/bin/env python3
"""Checks that the notices file names everything not ours that the shipped programs hold.

    check_notices.py NOTICES COMPILE_COMMANDS MAP...

Each MAP is a shipped program's link map (ld -Map): every archive a member of which was
linked in, and every object file loaded, must belong to a known part; every header folder
outside the project that the build compiles against (a header-only library such as Eigen)
likewise. Each part is either a Windows system library, which the installation does not
ship, or a third party whose section heading must appear in NOTICES. Anything else fails:
add its section to the notices and its files to the table below.
"""
import json
import os
import re
import sys

# Third parties: the notices' section heading, and the files by which the link or the
# compiler shows them.
THIRD_PARTIES = {
    "MinGW-w64 runtime and winpthreads": {
        "libmingw32.a", "libmingwex.a", "libmoldname.a", "libmsvcrt.a", "libpthread.a",
        "libwinpthread.a", "crt2.o", "dllcrt2.o", "crtbegin.o", "crtend.o",
    },
    "GCC runtime libraries (libstdc++, libgcc)": {
        "libstdc++.a", "libgcc.a", "libgcc_eh.a", "libssp.a", "libssp_nonshared.a",
    },
    "METIS 5.1.0": {"libombrix_metis.a"},
    "Eigen 3.4": {"eigen3"},
}

# Import libraries of Windows's own DLLs: the programs call them, the installation does
# not contain them.
WINDOWS_SYSTEM = {
    "lib%s.a" % name
    for name in (
        "kernel32 user32 gdi32 comctl32 comdlg32 shell32 advapi32 ole32 oleaut32 uuid "
        "winmm shlwapi version ntdll psapi imm32 winspool ws2_32 uxtheme dwmapi msimg32 "
        "gdiplus htmlhelp"
    ).split()
}

ARCHIVE_MEMBER = re.compile(r"^(\S+\.a)\(")
LOADED_OBJECT = re.compile(r"^LOAD (\S+\.o)$")


def linked_files(map_text):
    """The archives and objects outside the build that the link map shows linked in."""
    files = set()
    for line in map_text.splitlines():
        for pattern in (ARCHIVE_MEMBER, LOADED_OBJECT):
            found = pattern.match(line)
            if found:
                files.add(found.group(1))
    return files


def outside_header_folders(compile_commands, project):
    """Header folders outside the project that the programs' sources are compiled against."""
    folders = set()
    for entry in compile_commands:
        if not entry["file"].startswith(project) or "/tests/" in entry["file"]:
            continue  # the test framework and the tests, which are not shipped
        command = entry["command"]
        for response in re.findall(r"@(\S+)", command):  # MinGW builds pass them in a file
            with open(os.path.join(entry["directory"], response), encoding="utf-8") as f:
                command += " " + f.read()
        for folder in re.findall(r"-(?:isystem|I)\s*(\S+)", command):
            folder = os.path.normpath(os.path.join(entry["directory"], folder))
            if not folder.startswith(project):
                folders.add(folder)
    return folders


def part_of(path, ours):
    name = os.path.basename(path)
    if name in WINDOWS_SYSTEM:
        return "Windows"
    for heading, files in THIRD_PARTIES.items():
        if name in files:
            return heading
    if name.startswith("libombrix_") or ours(path):
        return "OMBRIX"
    return None


def main():
    notices_file, commands_file, *maps = sys.argv[1:]
    with open(notices_file, encoding="utf-8") as f:
        notices = f.read()
    with open(commands_file, encoding="utf-8") as f:
        compile_commands = json.load(f)
    build = os.path.dirname(os.path.abspath(commands_file))
    project = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    third_party = os.path.join(build, "third-party")

    def ours(path):
        # The project's own objects, linked from its build folder by relative paths.
        return not os.path.isabs(path) or path.startswith(build)

    holds = {}  # part -> what shows it
    for map_file in maps:
        with open(map_file, encoding="utf-8", errors="replace") as f:
            for path in linked_files(f.read()):
                holds.setdefault(part_of(path, ours), set()).add(
                    "%s (%s)" % (path, os.path.basename(map_file)))
    for folder in outside_header_folders(compile_commands, project):
        if folder.startswith(third_party):
            continue  # METIS's sources, compiled into libombrix_metis.a
        holds.setdefault(part_of(folder, lambda _: False), set()).add(folder)

    failures = ["no notice: " + shown for shown in sorted(holds.pop(None, set()))]
    for part in sorted(set(holds) - {"OMBRIX", "Windows"}):
        if part not in notices:
            failures.append("the notices have no section '%s' (%s)" % (part, sorted(holds[part])[0]))
    if "MinGW-w64 runtime and winpthreads" not in holds:
        failures.append("no link map shows the C runtime: are the maps complete?")
    for failure in failures:
        print(failure, file=sys.stderr)
    print("%d link maps; parts: %s" % (len(maps), ", ".join(sorted(holds))))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
