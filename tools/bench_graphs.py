#!/usr/bin/env python3
"""The graph programs' speed under Wine on the solver benchmark's flat cable nets of
100 x 100 and 300 x 300 cells (20,200 and 180,600 members): Glance on the geometry file,
and PlotterD and Charts on the net solved by the real Prepare, Forces and Solve, started
as the shell starts them. For each, the time from CreateProcess to the structure or the
charts drawn in its window and answering, and the frames per second while the arrow key
turns the structure by 5 degrees a frame (Charts: goes to the previous node); and
PlotterD's export of the solved case as CSV, DXF and VTK from its command line, from start
to end. Prints Markdown tables (min / median / max), the sizes of the files Solve left, and
the machine's load average, since other work on a shared machine lengthens every figure.

    tools/with-wine.sh tools/bench_graphs.py WINDOWS_BUILD [RUNS]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

NETS = [100, 300]
FRAMES = 60


def node(cells, i, j):
    return j * (cells + 1) + i + 1


def net_geometry(cells):
    """The net of tools/bench_solver.py: 1 m cells, the boundary pinned, cables of
    EA = 1e5 N pre-tensioned to 1000 N, Green strain."""
    lines = ["flat cable net %d x %d" % (cells, cells),
             "%d %d G" % ((cells + 1) ** 2, 2 * cells * (cells + 1))]
    for j in range(cells + 1):
        for i in range(cells + 1):
            held = 1 if i in (0, cells) or j in (0, cells) else 0
            lines.append("%d %d %d 0 %d %d %d" % (node(cells, i, j), i, j, held, held, held))
    member = 0
    for j in range(cells + 1):
        for i in range(cells):
            for a, b in ((node(cells, i, j), node(cells, i + 1, j)),
                         (node(cells, j, i), node(cells, j, i + 1))):
                member += 1
                lines.append("%d %d %d C 1e5 1000" % (member, a, b))
    return "\r\n".join(lines) + "\r\n"


def net_loading(cells):
    """10 N down on every inner node, in 10 load steps: one case."""
    inner = [node(cells, i, j) for j in range(1, cells) for i in range(1, cells)]
    lines = ["10 N on every inner node", "1", "0", "1 %d 10" % len(inner)]
    lines += ["%d 0 0 -10" % n for n in inner]
    return "\r\n".join(lines) + "\r\n"


def windows_path(path):
    return subprocess.run(["winepath", "-w", path], check=True, capture_output=True,
                          text=True).stdout.strip()


def write(path, text):
    with open(path, "w", newline="") as file:
        file.write(text)


def solve(build, exe, cells):
    """The net prepared, loaded and solved with Exe as the current folder."""
    write(os.path.join(exe, "..", "net.dat"), net_geometry(cells))
    write(os.path.join(exe, "..", "net.inc"), net_loading(cells))
    for program, arguments in (("prepare", ["..\\net.dat", "..\\net.rez", "Short", "English"]),
                               ("forces", ["..\\net.inc"]), ("solve", ["1"])):
        subprocess.run(["wine", "%s/suite/programs/ombrix_%s.exe" % (build, program)] + arguments,
                       cwd=exe, check=True)


def timed(bench, program, argument, runs, cwd):
    out = subprocess.run(["wine", bench, windows_path(program), argument, str(runs), str(FRAMES)],
                         cwd=cwd, check=True, capture_output=True, text=True).stdout.split("\n")
    return (" / ".join(line.split()) for line in out[:2])


def timed_exports(plotterd, exe, runs):
    """Each format's export of case 1, in ms (min / median / max), and the file's size."""
    rows = []
    for form in ("csv", "dxf", "vtk"):
        times = []
        for _ in range(runs + 1):
            start = time.perf_counter()
            subprocess.run(["wine", plotterd, "--export", form, "..\\net.dat", "1",
                            "..\\net." + form], cwd=exe, check=True)
            times.append(1000 * (time.perf_counter() - start))
        times = times[1:]  # the first run is not counted
        size = os.path.getsize(os.path.join(exe, "..", "net." + form)) / 1e6
        rows.append((form, "%d / %d / %d" % (min(times), statistics.median(times), max(times)),
                     size))
    return rows


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    bench = "%s/bench/ombrix_graph_bench.exe" % build
    viewers = "%s/suite/viewers" % build
    print("| program | net | members | start to drawn (ms) | frames per second turning |")
    print("|---|---|---|---|---|")
    sizes = []
    exports = []
    for cells in NETS:
        with tempfile.TemporaryDirectory() as folder:
            exe = os.path.join(folder, "Exe")
            os.mkdir(exe)
            solve(build, exe, cells)
            work = os.path.join(folder, "net.dat.work")
            sizes.append("%d x %d: results %.1f MB, path %.1f MB" % (
                cells, cells, os.path.getsize(os.path.join(work, "1.res")) / 1e6,
                os.path.getsize(os.path.join(work, "1.pth")) / 1e6))
            for name, argument in (("Glance", windows_path(os.path.join(folder, "net.dat"))),
                                   ("PlotterD", "\t"), ("Charts", "\t")):
                startup, rate = timed(bench, "%s/ombrix_%s.exe" % (viewers, name.lower()),
                                      argument, runs, exe)
                print("| %s | %d x %d | %d | %s | %s |" % (name, cells, cells,
                                                         2 * cells * (cells + 1), startup, rate))
            exports += [(cells, row) for row in
                        timed_exports("%s/ombrix_plotterd.exe" % viewers, exe, runs)]
    print("\n| PlotterD --export | net | start to end (ms) | file (MB) |")
    print("|---|---|---|---|")
    for cells, (form, times, size) in exports:
        print("| %s | %d x %d | %s | %.1f |" % (form, cells, cells, times, size))
    print("\nFiles Solve left: " + "; ".join(sizes))
    with open("/proc/loadavg") as load:
        print("\nLoad average over the last 1, 5 and 15 minutes: %s" %
              " ".join(load.read().split()[:3]))


if __name__ == "__main__":
    main()
