#!/usr/bin/env python3
"""Glance's speed under Wine on the solver benchmark's flat cable nets of 100 x 100 and
300 x 300 cells (20,200 and 180,600 members): the time from CreateProcess to the
structure drawn in its window and answering, and the frames per second while the arrow
key turns it by 5 degrees a frame. Prints a Markdown table (min / median / max) and the
machine's load average, since other work on a shared machine lengthens every figure.

    tools/with-wine.sh tools/bench_glance.py GLANCE_EXE GLANCE_BENCH_EXE [RUNS]
"""

import subprocess
import sys
import tempfile

NETS = [100, 300]
FRAMES = 60


def net_geometry(cells):
    """The net of tools/bench_solver.py: 1 m cells, the boundary pinned, cables of
    EA = 1e5 N pre-tensioned to 1000 N, Green strain."""
    def node(i, j):
        return j * (cells + 1) + i + 1

    lines = ["flat cable net %d x %d" % (cells, cells),
             "%d %d G" % ((cells + 1) ** 2, 2 * cells * (cells + 1))]
    for j in range(cells + 1):
        for i in range(cells + 1):
            held = 1 if i in (0, cells) or j in (0, cells) else 0
            lines.append("%d %d %d 0 %d %d %d" % (node(i, j), i, j, held, held, held))
    member = 0
    for j in range(cells + 1):
        for i in range(cells):
            for a, b in ((node(i, j), node(i + 1, j)), (node(j, i), node(j, i + 1))):
                member += 1
                lines.append("%d %d %d C 1e5 1000" % (member, a, b))
    return "\r\n".join(lines) + "\r\n"


def windows_path(path):
    return subprocess.run(["winepath", "-w", path], check=True, capture_output=True,
                          text=True).stdout.strip()


def main():
    glance, bench = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    print("| net | members | start to drawn (ms) | frames per second turning |")
    print("|---|---|---|---|")
    with tempfile.TemporaryDirectory() as folder:
        for cells in NETS:
            geometry = "%s/net %d.dat" % (folder, cells)
            with open(geometry, "w", newline="") as file:
                file.write(net_geometry(cells))
            out = subprocess.run(["wine", bench, windows_path(glance), windows_path(geometry),
                                  str(runs), str(FRAMES)], check=True, capture_output=True,
                                 text=True).stdout.split("\n")
            startup, rate = (" / ".join(line.split()) for line in out[:2])
            print("| %d x %d | %d | %s | %s |" % (cells, cells, 2 * cells * (cells + 1),
                                                 startup, rate))
    with open("/proc/loadavg") as load:
        print("\nLoad average over the last 1, 5 and 15 minutes: %s" %
              " ".join(load.read().split()[:3]))


if __name__ == "__main__":
    main()
