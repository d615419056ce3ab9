#!/usr/bin/env python3
"""The exports of a solved case read by the readers other programs use: the DXF by ezdxf,
as a CAD program reads it, audited and its lines on the geometry and its displaced shape;
the VTK by meshio, its points, displacements and forces those of the geometry and results
files. Usage: read_exports.py <write_exports program>"""

import subprocess
import sys
import tempfile
from pathlib import Path

import ezdxf
import meshio
import numpy


def geometry_of(text):
    """Node coordinates, and each member's ends (0-based) and kind, of a geometry file."""
    lines = text.splitlines()
    nodes, members = (int(count) for count in lines[1].split()[:2])
    points = [tuple(float(v) for v in line.split()[1:4]) for line in lines[2 : 2 + nodes]]
    bars = [line.split() for line in lines[2 + nodes : 2 + nodes + members]]
    return points, [(int(b[1]) - 1, int(b[2]) - 1, b[3]) for b in bars]


def results_of(text):
    """Each node's displacement and each member's force, of a results file."""
    moved, forces = [], []
    for fields in (line.split() for line in text.splitlines()):
        if fields and fields[0] == "node":
            moved.append(tuple(float(v) for v in fields[2:5]))
        elif fields and fields[0] == "member":
            forces.append(float(fields[2]))
    return moved, forces


def layer_of(kind, force):
    if kind == "B":
        return "BARS"
    return "SLACK_CABLES" if force == 0 else "CABLES"


def check_dxf(path, points, members, moved, forces):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    assert not auditor.has_errors, [error.message for error in auditor.errors]
    displaced = [tuple(p + d for p, d in zip(point, move)) for point, move in zip(points, moved)]
    expected = [(layer_of(kind, force), points[a], points[b])
                for (a, b, kind), force in zip(members, forces)]
    expected += [("DISPLACED", displaced[a], displaced[b]) for a, b, _ in members]
    found = [(line.dxf.layer, tuple(line.dxf.start), tuple(line.dxf.end))
             for line in doc.modelspace().query("LINE")]
    assert found == expected, (found, expected)


def check_vtk(path, points, members, moved, forces):
    mesh = meshio.read(path)
    assert numpy.array_equal(mesh.points, numpy.array(points))
    assert [block.type for block in mesh.cells] == ["line"]
    assert numpy.array_equal(mesh.cells[0].data, numpy.array([m[:2] for m in members]))
    assert numpy.array_equal(mesh.point_data["displacement"], numpy.array(moved))
    assert numpy.array_equal(mesh.cell_data["axial_force"][0].ravel(), numpy.array(forces))


def main():
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([sys.argv[1], folder], check=True)
        files = Path(folder)
        points, members = geometry_of((files / "mast.dat").read_text())
        moved, forces = results_of((files / "mast.res").read_text())
        assert len(points) == len(moved) and len(members) == len(forces)
        check_dxf(files / "mast.dxf", points, members, moved, forces)
        check_vtk(files / "mast.vtk", points, members, moved, forces)
    print("the DXF and VTK exports read back as the geometry and results files hold them")


if __name__ == "__main__":
    main()
