"""The module's analysis equals the program's: Table 7 and the auxiliary file
of every example and end-to-end case that the program analyses."""

import subprocess
import sys
import warnings
from decimal import Decimal

import numpy as np
import pytest

import settle
from cases import (
    ROOT,
    aux_point_values,
    case_folders,
    expected_output,
    fixed,
    problem_path,
    table7_totals,
)


def analysed_cases():
    """The cases whose run ends normally (the examples, and exit status 0)."""

    def status(folder):
        path = folder / "expected" / "exit_status"
        return path.read_text().strip() if path.exists() else "0"

    return [f for f in case_folders() if status(f) == "0"]


def read(folder):
    """The problem of a case folder, its warnings ignored."""
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", settle.InputWarning)
        return settle.read_problem(problem_path(folder))


@pytest.mark.parametrize("folder", analysed_cases(), ids=lambda f: f.name)
def test_totals_equal_table_7_to_the_printed_digits(folder):
    results = settle.analyse(read(folder))
    printed = table7_totals(expected_output(folder, 1).decode("latin-1"))
    assert len(printed) == len(results.total_settlement)
    for total, text in zip(results.total_settlement, printed):
        assert shown_as(total, text, lambda v: fixed(v, 3)), (total, text)


def shown_as(value, text, rounded):
    """Whether `text` is how the program shows `value`: rounded, or an infinity or NaN."""
    if np.isnan(value):
        return text == "NaN"
    if np.isinf(value):
        return text == ("Infinity" if value > 0 else "-Infinity")
    return rounded(value) == Decimal(text)


def significant(value, text):
    """`value` rounded half away from zero to as many significant digits as `text` shows."""
    mantissa = text.upper().split("E")[0].lstrip("+-").replace(".", "").lstrip("0")
    exact = Decimal(float(value))
    if exact == 0 or not mantissa:
        return exact
    digits = len(mantissa)
    quantum = Decimal(1).scaleb(exact.adjusted() - digits + 1)
    rounded = exact.quantize(quantum, rounding="ROUND_HALF_UP")
    # A carry into a new digit (9.9999996 -> 10.00000) shows one digit fewer.
    if rounded.adjusted() > exact.adjusted():
        rounded = exact.quantize(quantum * 10, rounding="ROUND_HALF_UP")
    return rounded


@pytest.mark.parametrize("folder", analysed_cases(), ids=lambda f: f.name)
def test_totals_and_points_equal_the_auxiliary_file(folder):
    problem = read(folder)
    results = settle.analyse(problem)
    records = aux_point_values(expected_output(folder, 2).decode("latin-1"))
    assert len(records) == problem.point_count
    for point, total, (x, y, text) in zip(problem.points, results.total_settlement, records):
        assert shown_as(point.x, x, lambda v: significant(v, x))
        assert shown_as(point.y, y, lambda v: significant(v, y))
        assert shown_as(total, text, lambda v: significant(v, text)), (total, text)


def test_the_sample_in_detail():
    results = settle.analyse(settle.read_problem(ROOT / "examples" / "sample" / "sample.dat"))
    assert results.depths.dtype == np.float32
    assert results.depths.tolist() == [0.25 * k for k in range(41)]
    assert results.centre_depths.tolist() == [0.25 + 0.5 * k for k in range(20)]
    assert results.stress_increase.shape == (1, 41)
    assert results.average_stress_increase.shape == (1, 20)
    assert results.sublayer_settlement.shape == (1, 20)
    # Table 2: overburden pressure and initial strain of sublayers 1 and 9.
    assert fixed(results.overburden_pressure[0], 3) == Decimal("0.030")
    assert fixed(results.overburden_pressure[8], 3) == Decimal("0.509")
    assert fixed(results.initial_strain[0] * 100, 3) == Decimal("1.000")
    # Table 6 (the first three depths) and the last row of Table 7.
    assert [str(fixed(v, 3)) for v in results.average_stress_increase[0, :3]] == [
        "2.000", "1.997", "1.986"]  # fmt: skip
    assert fixed(results.sublayer_settlement[0, 19], 3) == Decimal("0.032")
    # The total is the sum of the sublayers' settlements.
    assert results.total_settlement[0] == pytest.approx(
        results.sublayer_settlement[0].sum(), rel=1e-6
    )
    assert results.warnings == []


def test_strain_warnings_are_records():
    folder = next(f for f in case_folders() if f.name == "pressures_out_of_order")
    results = settle.analyse(read(folder))
    report = expected_output(folder, 1).decode("latin-1")
    assert len(results.warnings) == report.count("FINAL PRESSURE")
    for warning in results.warnings:
        assert warning.side in ("below", "above")
        assert 0 <= warning.point < len(results.total_settlement)
        assert 0 <= warning.sublayer < len(results.centre_depths)
        assert warning.initial_pressure == results.overburden_pressure[warning.sublayer]
        increase = results.average_stress_increase[warning.point, warning.sublayer]
        assert warning.final_pressure == np.float32(warning.initial_pressure + increase)


def test_a_copy_and_a_problem_built_anew_analyse_to_the_same_bits():
    problem = read(ROOT / "examples" / "si_units")
    first = settle.analyse(problem)
    built = settle.Problem(
        title=problem.title,
        unit_system=problem.unit_system,
        layers=[layer.copy() for layer in problem.layers],
        curves=[curve.copy() for curve in problem.curves],
        points=[point.copy() for point in problem.points],
        areas=[area.copy() for area in problem.areas],
        spread_areas=[area.copy() for area in problem.spread_areas],
        spread_depth_reference=problem.spread_depth_reference,
    )
    assert built == problem
    for other in (settle.analyse(problem.copy()), settle.analyse(built)):
        for name in ("stress_increase", "average_stress_increase", "sublayer_settlement",
                     "total_settlement"):  # fmt: skip
            assert getattr(first, name).tobytes() == getattr(other, name).tobytes()


THREADS_SCRIPT = """
import sys, settle
results = settle.analyse(settle.read_problem(sys.argv[1]))
sys.stdout.buffer.write(results.stress_increase.tobytes() + results.total_settlement.tobytes())
"""


def test_one_thread_and_many_give_the_same_bits():
    large = str(ROOT / "examples" / "large" / "large.dat")
    outputs = []
    for threads in ("1", "3"):
        env = dict(__import__("os").environ, SETTLE_THREADS=threads)
        done = subprocess.run([sys.executable, "-c", THREADS_SCRIPT, large], env=env,
                              capture_output=True, check=True, timeout=300)  # fmt: skip
        outputs.append(done.stdout)
    assert outputs[0] == outputs[1]
    assert len(outputs[0]) > 0


def test_analyses_from_many_python_threads_at_once_equal_one_at_a_time():
    # The interpreter lock is released during the analysis: the calls overlap.
    from concurrent.futures import ThreadPoolExecutor

    problem = read(ROOT / "examples" / "large")
    studies = []
    for k in range(8):
        study = problem.copy()
        study.layers[0].unit_weight = 100.0 + k
        studies.append(study)
    alone = [settle.analyse(study).total_settlement.tobytes() for study in studies]
    with ThreadPoolExecutor(max_workers=4) as pool:
        together = list(pool.map(lambda s: settle.analyse(s).total_settlement.tobytes(), studies))
    assert together == alone
    assert len(set(alone)) == len(alone)
