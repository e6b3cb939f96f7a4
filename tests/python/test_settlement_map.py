"""settlement_at and settlement_grid against settle-plot's grid CSV, and
against the analysis of the settlement points."""

import csv
import shutil
import subprocess
from decimal import Decimal

import numpy as np
import pytest

import settle
from cases import EXAMPLES, SETTLE_PLOT_EXE, fixed, names_of, problem_path

pytestmark = pytest.mark.filterwarnings("ignore::settle.InputWarning")


def plot_grid_csv(example, tmp_path, *options):
    """The rows of settle-plot's --grid-csv for an example, run in a temporary folder."""
    folder = EXAMPLES / example
    shutil.copy(folder / "names.dat", tmp_path / "names.dat")
    shutil.copy(problem_path(folder), tmp_path / names_of(folder)[0])
    subprocess.run([str(SETTLE_PLOT_EXE), *options, "--grid-csv", "grid.csv"], cwd=tmp_path,
                   check=True, capture_output=True, timeout=600)  # fmt: skip
    with open(tmp_path / "grid.csv", newline="") as file:
        return list(csv.DictReader(file))


needs_plot = pytest.mark.skipif(not SETTLE_PLOT_EXE.exists(), reason="settle-plot is not built")


@needs_plot
@pytest.mark.parametrize(
    "example, options, spacing, start_layer",
    [
        ("sample", ["--grid-spacing", "2.5"], 2.5, None),
        ("si_units", ["--grid-spacing", "2", "--start-layer", "2"], 2.0, 2),
        ("large", ["--grid-spacing", "12.5"], 12.5, None),
    ],
)
def test_the_grid_equals_settle_plots_csv(example, options, spacing, start_layer, tmp_path):
    problem = settle.read_problem(problem_path(EXAMPLES / example))
    grid = settle.settlement_grid(problem, spacing, start_layer)
    # settle-plot's map, given the module's grid as its extent, has its nodes.
    extent = ",".join(repr(float(v)) for v in (grid.x[0], grid.y[0], grid.x[-1], grid.y[-1]))
    rows = plot_grid_csv(example, tmp_path, *options, "--extent", extent)
    assert len(rows) == grid.settlement.size
    x = np.array([row["x"] for row in rows], dtype=np.float32)
    y = np.array([row["y"] for row in rows], dtype=np.float32)
    # Row by row from the lowest y, each row from the lowest x.
    nodes_x, nodes_y = np.meshgrid(grid.x, grid.y)
    assert x.tobytes() == nodes_x.reshape(-1).tobytes()
    assert y.tobytes() == nodes_y.reshape(-1).tobytes()
    for total, row in zip(grid.settlement.reshape(-1), rows):
        assert fixed(total, 3) == Decimal(row["settlement"]), (total, row)
    # settlement_at, at the CSV's nodes read as single precision: the same bits.
    at = settle.settlement_at(problem, x, y, start_layer=start_layer)
    assert at.tobytes() == grid.settlement.reshape(-1).tobytes()


def test_settlement_at_the_points_equals_their_analysis():
    problem = settle.read_problem(problem_path(EXAMPLES / "large"))
    results = settle.analyse(problem)
    for layer in sorted({p.start_layer for p in problem.points}):
        chosen = [j for j, p in enumerate(problem.points) if p.start_layer == layer]
        x = [problem.points[j].x for j in chosen]
        y = [problem.points[j].y for j in chosen]
        at = settle.settlement_at(problem, x, y, start_layer=layer)
        assert at.tobytes() == results.total_settlement[chosen].tobytes()


def test_shapes_broadcast_and_numbers_give_a_number():
    problem = settle.read_problem(problem_path(EXAMPLES / "sample"))
    one = settle.settlement_at(problem, 0.0, 0.0)
    assert isinstance(one, np.float32)
    assert one == settle.analyse(problem).total_settlement[0]
    xs = np.linspace(-20.0, 20.0, 7)
    line = settle.settlement_at(problem, xs, 0.0)
    assert line.shape == (7,) and line.dtype == np.float32
    plane = settle.settlement_at(problem, xs[np.newaxis, :], np.array([[0.0], [5.0], [10.0]]))
    assert plane.shape == (3, 7)
    assert plane[0].tobytes() == line.tobytes()
    assert settle.settlement_at(problem, [], []).shape == (0,)
    # Settlement starting at layer 2 counts less than from layer 1.
    assert settle.settlement_at(problem, 0.0, 0.0, start_layer=2) < one
    with pytest.raises(ValueError):
        settle.settlement_grid(problem, spacing=0.0)
    with pytest.raises(ValueError):
        settle.settlement_grid(problem, spacing=1e-6)


def test_the_default_start_layer_is_the_smallest_among_the_points():
    problem = settle.read_problem(problem_path(EXAMPLES / "si_units"))
    smallest = min(p.start_layer for p in problem.points)
    grid = settle.settlement_grid(problem, 4.0)
    assert grid.start_layer == smallest
    assert (
        settle.settlement_grid(problem, 4.0, smallest).settlement.tobytes()
        == grid.settlement.tobytes()
    )
