"""Errors as Python exceptions with their values: read errors, the data the
program stops on, capacities, and values of the wrong kind."""

import subprocess
import warnings

import numpy as np
import pytest

import settle
from cases import E2E, EXAMPLES, SETTLE_EXE

SAMPLE = EXAMPLES / "sample" / "sample.dat"

# The examples' own warnings are tested where they are meant.
pytestmark = pytest.mark.filterwarnings("ignore::settle.InputWarning")


def check_lines(path, kind):
    """The lines of `settle --check PATH` of one kind ("error" or "warning"), without the prefix."""
    done = subprocess.run([str(SETTLE_EXE), "--check", str(path)], capture_output=True, timeout=60)
    prefix = f"settle: {kind}: "
    lines = done.stderr.decode("latin-1").splitlines()
    return [line[len(prefix) :] for line in lines if line.startswith(prefix)]


def data_error(path):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", settle.InputWarning)
        with pytest.raises(settle.DataError) as caught:
            settle.read_problem(path)
    return caught.value


def messages(error, path):
    return [f"{path}, line {line}: {text}" for line, text in error.messages]


# -- read errors


@pytest.mark.parametrize(
    "case, kind, number, line, text, at_end",
    [
        ("bad_number", "list syntax", 59, 6, "2 1O.0 115.0 1 1.0", False),
        ("end_of_file", "end of file", 24, 6, "2 10.0", True),
    ],
)
def test_a_read_error_names_the_file_line_and_text(case, kind, number, line, text, at_end):
    path = E2E / case / "problem.dat"
    with pytest.raises(settle.InputError) as caught:
        settle.read_problem(path)
    error = caught.value
    assert (error.kind, error.number, error.line, error.text, error.at_end) == (
        kind, number, line, text, at_end)  # fmt: skip
    assert error.file == str(path)
    # The program's own two lines, as its console shows them.
    console = (E2E / case / "expected" / "console.txt").read_text().splitlines()
    expected = [l.replace("@DIR@", str(E2E / case)) for l in console[-2:]]
    assert str(error).splitlines() == expected
    assert str(error).startswith(f"settle: severe ({number}): ")
    assert isinstance(error, settle.Error)


def test_a_missing_file_is_an_input_error(tmp_path):
    with pytest.raises(settle.InputError) as caught:
        settle.read_problem(tmp_path / "none.dat")
    assert caught.value.kind == "file not found"
    assert caught.value.number == 29
    assert caught.value.line is None
    assert (
        str(caught.value)
        == f"settle: severe (29): file not found, unit 5, file {tmp_path}/none.dat"
    )


# -- data errors


def test_data_errors_list_the_areas_with_their_values():
    path = E2E / "data_errors" / "problem.dat"
    error = data_error(path)
    assert error.kind == "data errors"
    assert error.problem is None
    assert len(error.wrong_shape) == 11
    assert error.wrong_shape[0] == settle.ListedArea(0, "S001", 3, np.float32(0.0), 8)
    assert error.wrong_shape[-1] == settle.ListedArea(11, "S011", -1, np.float32(5.0), 30)
    assert [a.area_id for a in error.off_boundary] == ["S011", "E001"]
    assert error.off_boundary[1].elevation == np.float32(3.99)
    assert error.off_boundary[1].position == 12
    assert messages(error, path) == check_lines(path, "error")


def test_a_limit_names_the_limit_value_item_and_line():
    path = E2E / "curve_limit" / "problem.dat"
    error = data_error(path)
    assert (error.kind, error.limit, error.value, error.item, error.line) == (
        "limit", "curve points", 49, 6, 10)  # fmt: skip
    assert messages(error, path) == check_lines(path, "error")
    assert data_error(E2E / "layer_limit" / "problem.dat").limit == "layers"
    assert data_error(E2E / "depth_reference" / "problem.dat").limit == "depth reference"


def test_a_curve_pressure_names_the_curve_and_row_and_keeps_the_problem():
    path = E2E / "pressure_error" / "problem.dat"
    error = data_error(path)
    assert (error.kind, error.curve, error.row, error.pressure, error.line) == (
        "pressure", 1, 2, 0.0, 14)  # fmt: skip
    assert messages(error, path) == check_lines(path, "error")
    # The problem was read to its end; mending the pressure lets it analyse.
    problem = error.problem
    assert problem.curves[1].pressure.tolist() == [0.5, 1.0, 0.0, 2.0]
    problem.curves[1].pressure[2] = 1.5
    assert settle.analyse(problem).total_settlement.shape == (1,)


def test_the_warnings_of_the_console_are_input_warnings():
    path = E2E / "curve_not_given" / "problem.dat"
    with pytest.warns(settle.InputWarning) as record:
        settle.read_problem(path)
    assert [str(w.message) for w in record] == check_lines(path, "warning")
    assert len(record) > 0


def test_the_analysis_makes_the_checks_of_the_program():
    problem = settle.read_problem(SAMPLE)

    def stop_of(change):
        changed = problem.copy()
        change(changed)
        with pytest.raises(settle.DataError) as caught:
            settle.analyse(changed)
        return caught.value

    error = stop_of(lambda p: setattr(p.layers[1], "curve_index", 0))
    assert (error.kind, error.limit, error.value, error.item, error.line) == (
        "limit", "curve index", 0, 2, 0)  # fmt: skip
    error = stop_of(lambda p: setattr(p.layers[1], "bottom_depth", 400.0))
    assert (error.limit, error.value) == ("sublayers", 800)
    error = stop_of(lambda p: setattr(p.areas[0], "elevation", 2.0))
    assert error.kind == "data errors"
    assert error.off_boundary == [settle.ListedArea(0, "A1", 1, np.float32(2.0), 0)]
    assert "area A1 is loaded at 2 ft, which is no layer boundary (0, 4, 10 ft)" in str(error)
    error = stop_of(lambda p: setattr(p.areas[0], "shape", 3))
    assert [a.shape for a in error.wrong_shape] == [3]
    error = stop_of(lambda p: setattr(p, "spread_depth_reference", 4))
    assert (error.limit, error.value) == ("depth reference", 4)
    error = stop_of(lambda p: p.curves[0].pressure.__setitem__(0, -1.0))
    assert (error.kind, error.curve, error.row, error.pressure) == ("pressure", 0, 0, -1.0)
    for function in (
        settle.analyse,
        lambda p: settle.settlement_at(p, 0, 0),
        settle.settlement_grid,
    ):
        changed = problem.copy()
        changed.areas[0].shape = 0
        with pytest.raises(settle.DataError):
            function(changed)


# -- capacities


def test_tables_refuse_entries_past_their_capacity():
    problem = settle.Problem()
    for _ in range(settle.MAX_LAYERS):
        problem.layers.append(settle.SoilLayer())
    with pytest.raises(settle.CapacityError) as caught:
        problem.layers.append(settle.SoilLayer())
    assert isinstance(caught.value, ValueError)
    assert (caught.value.table, caught.value.capacity) == ("layers", 25)
    assert str(caught.value) == "a problem holds at most 25 soil layers, not 26"
    assert problem.layer_count == 25

    with pytest.raises(settle.CapacityError):
        problem.curves = [settle.CompressibilityCurve() for _ in range(51)]
    with pytest.raises(settle.CapacityError):
        settle.Problem(points=[settle.SettlementPoint() for _ in range(151)])
    problem.points[:] = [settle.SettlementPoint() for _ in range(150)]
    with pytest.raises(settle.CapacityError):
        problem.points.insert(0, settle.SettlementPoint())
    problem.points[0:10] = [settle.SettlementPoint()]  # replacing ten with one
    assert problem.point_count == 141


def test_regular_and_spread_areas_share_one_capacity():
    problem = settle.Problem(areas=[settle.LoadedArea() for _ in range(100)])
    problem.spread_areas.extend(settle.LoadedArea.spread(0, 0, 1, 1, 0, 0, 1, 1) for _ in range(50))
    with pytest.raises(settle.CapacityError) as caught:
        problem.areas.append(settle.LoadedArea())
    assert caught.value.capacity == 150
    assert str(caught.value).endswith(
        "at most 150 loaded areas, regular and spread together, not 151"
    )
    with pytest.raises(settle.CapacityError):
        problem.spread_areas.append(settle.LoadedArea.spread(0, 0, 1, 1, 0, 0, 1, 1))
    del problem.areas[0]
    problem.spread_areas.append(settle.LoadedArea.spread(0, 0, 1, 1, 0, 0, 1, 1))


def test_a_curve_holds_at_most_48_points():
    curve = settle.CompressibilityCurve(
        1, strain=np.linspace(0.01, 0.1, 48), pressure=np.arange(1, 49)
    )
    assert curve.point_count == 48
    with pytest.raises(settle.CapacityError) as caught:
        curve.set_points(np.zeros(49), np.arange(1, 50))
    assert caught.value.capacity == 48
    assert curve.point_count == 48


# -- values of the wrong kind


def test_fields_take_values_of_their_kind():
    layer = settle.SoilLayer()
    with pytest.raises(TypeError):
        layer.unit_weight = "120"
    with pytest.raises(ValueError):
        layer.unit_weight = float("nan")
    with pytest.raises(ValueError):
        layer.bottom_depth = 1e39  # beyond single precision
    with pytest.raises(TypeError):
        layer.curve_index = 1.5
    with pytest.raises(ValueError):
        layer.layer_number = 2**31
    layer.unit_weight = 125.3
    assert layer.unit_weight == np.float32(125.3)
    assert isinstance(layer.unit_weight, np.float32)

    problem = settle.Problem()
    with pytest.raises(ValueError):
        problem.title = ("x" * 69, "")
    with pytest.raises(ValueError):
        problem.title = ("two\nlines", "")
    with pytest.raises(ValueError):
        problem.title = ("\u20ac", "")  # one character, but not one byte
    with pytest.raises(ValueError):
        problem.title = "one line"
    with pytest.raises(TypeError):
        problem.layers.append(settle.SettlementPoint())
    with pytest.raises(ValueError):
        problem.spread_areas.append(settle.LoadedArea("A", settle.RECTANGLE))
    with pytest.raises(TypeError):
        settle.analyse("problem.dat")

    curve = settle.CompressibilityCurve(1, strain=[0.01, 0.02], pressure=[1, 2])
    with pytest.raises(ValueError):
        curve.strain = [0.01, 0.02, 0.03]
    with pytest.raises(ValueError):
        curve.set_points([0.01], [1.0])
    with pytest.raises(ValueError):
        curve.pressure = [1.0, float("inf")]
    curve.strain[1] = np.nan  # in place: found when the problem is handed over
    problem = settle.read_problem(SAMPLE)
    problem.curves[0] = curve
    with pytest.raises(ValueError):
        settle.analyse(problem)
    with pytest.raises(ValueError):
        settle.settlement_at(settle.read_problem(SAMPLE), [0.0, np.inf], 0.0)


def unreachable(start, convert, back):
    """The first single-precision value above `start` that no value read
    converts to: none within 32 ulps of the nearest guess does."""
    value = np.float32(start)
    while True:
        value = np.nextafter(value, np.float32(np.inf))
        below = above = back(value)
        for _ in range(32):
            if convert(below) == value or convert(above) == value:
                break
            below = np.nextafter(below, np.float32(-np.inf))
            above = np.nextafter(above, np.float32(np.inf))
        else:
            return value


def test_a_value_that_no_file_gives_is_not_written(tmp_path):
    factor = np.float32(101.972)
    problem = settle.read_problem(EXAMPLES / "si_units" / "raft.dat")
    problem.layers[0].unit_weight = unreachable(1835.5, lambda r: r * factor, lambda v: v / factor)
    with pytest.raises(ValueError) as caught:
        problem.write(tmp_path / "x.dat")
    assert str(caught.value).startswith(
        "problem.layers[0].unit_weight cannot be written: no value read"
    )
    assert not (tmp_path / "x.dat").exists()

    hundred = np.float32(100)
    problem = settle.read_problem(SAMPLE)
    problem.curves[0].strain[2] = unreachable(0.0823, lambda r: r / hundred, lambda v: v * hundred)
    with pytest.raises(ValueError, match=r"^problem\.curves\[0\]\.strain\[2\] cannot be written"):
        problem.write(tmp_path / "x.dat")
    # The percent of a file divided as the program divides it is always written.
    problem.curves[0].strain[2] = np.float32(8.23) / hundred
    problem.write(tmp_path / "x.dat")
    assert settle.read_problem(tmp_path / "x.dat") == problem
