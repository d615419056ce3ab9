#!/usr/bin/env python3
"""The layer check against includes planted in a small tree: each row must be refused, or
let through, as it says."""

import pathlib
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_layers  # noqa: E402

TREE = {
    "src/launch/launch.h": "",
    "src/files/file_set.h": "",
    "suite/analysis/runs.h": "",
    "suite/programs/win32_storage.h": "",
    "suite/window_kit/form_window.h": "",
    "suite/creators_ui/creator_controls.h": "",
    "suite/viewers/viewer_program.h": "",
    "common/handoff/handoff.h": "",
}

ROWS = [
    # (file, include, refused)
    ("src/launch/launch.cpp", '#include "files/file_set.h"', False),
    ("src/files/file_set.cpp", '#include "launch/launch.h"', True),
    ("src/files/file_set.cpp", '#include <launch/launch.h>', True),
    ("src/files/file_set.cpp", '#include "../launch/launch.h"', True),
    ("src/files/file_set.cpp", '#include "handoff/handoff.h"', False),
    ("src/files/file_set.cpp", '#include "runs.h"', True),
    ("src/files/file_set.cpp", '#include "suite/analysis/runs.h"', True),
    ("suite/analysis/runs.cpp", '#include "win32_storage.h"', True),
    ("suite/programs/main.cpp", '#include "runs.h"', False),
    ("suite/analysis/runs.cpp", '#include "launch/launch.h"', True),
    ("suite/analysis/runs.cpp", '#include <Eigen/Core>', False),
    ("common/handoff/handoff.cpp", '#include "runs.h"', True),
    # the programs with windows stand on the window kit, never on each other
    ("suite/viewers/glance_main.cpp", '#include "form_window.h"', False),
    ("suite/printout_ui/printout_window.cpp", '#include "creator_controls.h"', True),
    ("suite/compound_ui/compound_main.cpp", '#include "viewers/viewer_program.h"', True),
    ("suite/window_kit/form_window.cpp", '#include "creator_controls.h"', True),
]


def refused(file, include):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for path, text in {**TREE, file: include + "\n"}.items():
            (root / path).parent.mkdir(parents=True, exist_ok=True)
            (root / path).write_text(text)
        return bool(list(check_layers.violations(root)))


def main():
    wrong = [(f, i) for f, i, r in ROWS if refused(f, i) != r]
    for file, include in wrong:
        print(f"{file}: {include} is judged wrongly")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
