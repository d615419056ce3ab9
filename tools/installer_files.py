#!/usr/bin/env python3
"""Writes the installer's file list (install/installer.nsi.in includes it) from an
installation laid out by `make install`: the macro OMBRIX_INSTALL_FILES that installs each
file, and OMBRIX_REMOVE_FILES that removes exactly those files and then each of their
folders that is left empty. The samples in Dat go through the installer's InstallSample
and RemoveSample, which leave a sample the user has edited alone.

    tools/installer_files.py INSTALLATION OUTPUT
"""
import sys
from pathlib import Path, PurePosixPath, PureWindowsPath

SAMPLES = "Dat"


def quoted(text):
    """An NSIS string: a dollar sign stands for itself, doubled."""
    if '"' in text:
        raise ValueError(f"a file name with a double quote cannot be installed: {text}")
    return '"' + text.replace("$", "$$") + '"'


def installed(windows_path):
    """A path in the installation folder, as the installer names it."""
    return quoted(windows_path).replace('"', '"$INSTDIR\\', 1)


def installer_macros(installation):
    files = sorted(p.relative_to(installation) for p in installation.rglob("*") if p.is_file())
    install, remove = [], []
    folders = set()
    for relative in files:
        folder = str(PureWindowsPath(PurePosixPath(relative.parent)))
        windows_path = str(PureWindowsPath(PurePosixPath(relative)))
        folders.update(str(PureWindowsPath(p)) for p in relative.parents if str(p) != ".")
        source = quoted(str(installation / relative))
        if relative.parts[0] == SAMPLES:
            install.append(f"!insertmacro InstallSample {quoted(folder)} "
                           f"{quoted(relative.name)} {source}")
            remove.append(f"!insertmacro RemoveSample {quoted(windows_path)}")
        else:
            install.append(f"SetOutPath {installed(folder)}")
            install.append(f"File {source}")
            remove.append(f"Delete {installed(windows_path)}")
    # The deepest folders first, so that each is empty when its turn comes.
    for folder in sorted(folders, key=lambda f: (-f.count("\\"), f)):
        remove.append(f"RMDir {installed(folder)}")
    return ("; Made by tools/installer_files.py from the installation; do not edit.\n"
            + macro("OMBRIX_INSTALL_FILES", install) + macro("OMBRIX_REMOVE_FILES", remove))


def macro(name, lines):
    return f"!macro {name}\n" + "".join(f"    {line}\n" for line in lines) + "!macroend\n"


def main():
    installation, output = Path(sys.argv[1]).resolve(), Path(sys.argv[2])
    output.write_text(installer_macros(installation), encoding="utf-8")


if __name__ == "__main__":
    main()
