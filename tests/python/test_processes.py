"""The module in other processes: everything pickles, a failing worker of a
process pool reaches its parent as the error it raised, copies are
independent, a refused extend adds nothing, results that mean nothing raise,
and a problem built in Python gets the reader's warnings."""

import concurrent.futures
import copy
import multiprocessing
import pickle
import warnings

import numpy as np
import pytest

import settle
from cases import EXAMPLES

SAMPLE = EXAMPLES / "sample" / "sample.dat"


def footing(loading=3.0):
    problem = settle.Problem(title=("SQUARE FOOTING", "ONE CLAY LAYER"), unit_system=1)
    problem.layers.append(settle.SoilLayer(1, 10.0, 120.0, 1, 1.0))
    problem.curves.append(settle.CompressibilityCurve(1, "ESTIMATED", slope=np.float32(2.5) / 100))
    problem.points.append(settle.SettlementPoint(1, 0.0, 0.0, 1))
    problem.areas.append(settle.LoadedArea("F1", settle.RECTANGLE, 0.0, 0.0, 6.0, 6.0, loading=loading))
    return problem


def one_error_of_each_kind():
    errors = []
    with pytest.raises(settle.InputError) as caught:
        settle.read_problem("/nonexistent/problem.dat")
    errors.append(caught.value)
    bad = footing()
    bad.areas[0].elevation = 2.5
    with pytest.raises(settle.DataError) as caught:
        settle.analyse(bad)
    errors.append(caught.value)
    with pytest.raises(settle.CapacityError) as caught:
        bad.layers.extend(settle.SoilLayer() for _ in range(25))
    errors.append(caught.value)
    with pytest.raises(settle.DataError) as caught:
        settle.analyse(footing(loading=3e38))
    errors.append(caught.value)
    return errors


def test_problems_records_results_and_grids_pickle():
    problem = settle.read_problem(SAMPLE)
    results = settle.analyse(problem)
    grid = settle.settlement_grid(problem)
    for value in [problem, problem.layers[0], problem.curves[0], problem.points[0],
                  problem.areas[0], problem.spread_areas[0], footing()]:  # fmt: skip
        assert pickle.loads(pickle.dumps(value)) == value
    again = pickle.loads(pickle.dumps(results))
    np.testing.assert_array_equal(again.total_settlement, results.total_settlement)
    np.testing.assert_array_equal(again.sublayer_settlement, results.sublayer_settlement)
    assert again.warnings == results.warnings
    np.testing.assert_array_equal(pickle.loads(pickle.dumps(grid)).settlement, grid.settlement)


def test_every_error_unpickles_with_its_values():
    for error in one_error_of_each_kind():
        again = pickle.loads(pickle.dumps(error))
        assert type(again) is type(error)
        assert str(again) == str(error)
        assert again.__dict__.keys() == error.__dict__.keys()
        for name in ("kind", "messages", "number", "line", "table", "fault"):
            if hasattr(error, name):
                assert getattr(again, name) == getattr(error, name)
    warning = settle.InputWarning("problem.dat, line 3: the unit system is 3")
    assert str(pickle.loads(pickle.dumps(warning))) == str(warning)


def analysed_total(loading):
    return float(settle.analyse(footing(loading)).total_settlement[0])


def test_a_failing_worker_of_a_process_pool_raises_its_error_in_the_parent():
    with concurrent.futures.ProcessPoolExecutor(max_workers=2) as pool:
        good, bad = pool.submit(analysed_total, 3.0), pool.submit(analysed_total, 3e38)
        assert good.result(timeout=60) == analysed_total(3.0)
        with pytest.raises(settle.DataError) as caught:
            bad.result(timeout=60)
    assert caught.value.kind == "value" and caught.value.fault == "stress"


def test_a_failing_worker_of_a_multiprocessing_pool_does_not_hang_it():
    with multiprocessing.Pool(2) as pool:
        outcome = pool.map_async(analysed_total, [3.0, 3e38])
        with pytest.raises(settle.DataError):
            outcome.get(timeout=60)


def test_copies_are_independent_problems():
    problem = settle.read_problem(SAMPLE)
    for twin in (copy.copy(problem), copy.deepcopy(problem), problem.copy()):
        assert twin == problem
        twin.layers[0].unit_weight = 100.0
        twin.points.append(settle.SettlementPoint(2, 1.0, 1.0, 1))
        assert problem.layers[0].unit_weight == np.float32(120.0)
        assert len(problem.points) == 1


def test_a_refused_extend_adds_nothing():
    problem = footing()
    with pytest.raises(settle.CapacityError):
        problem.layers.extend(settle.SoilLayer() for _ in range(25))
    with pytest.raises(TypeError):
        problem.points.extend([settle.SettlementPoint(2), "not a point"])
    assert len(problem.layers) == 1 and len(problem.points) == 1


@pytest.mark.parametrize(
    "change, fault",
    [
        (lambda p: setattr(p.areas[0], "loading", 3e38), "stress"),
        (lambda p: setattr(p.layers[0], "thickness_factor", -1.0), "thickness factor"),
        (lambda p: setattr(p.areas[0], "area_slope", 1e20), "area vanishes"),
        (lambda p: setattr(p.layers[0], "unit_weight", 0.0), "final pressure"),
    ],
)
def test_results_that_mean_nothing_raise(change, fault):
    problem = footing()
    change(problem)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", settle.InputWarning)
        with pytest.raises(settle.DataError) as caught:
            settle.analyse(problem)
    assert (caught.value.kind, caught.value.fault) == ("value", fault)
    assert caught.value.messages


def test_a_place_whose_settlement_is_not_finite_raises():
    problem = footing()
    problem.areas[0].loading = 3e38
    problem.points[0].x = 100.0  # the point itself settles finitely
    with pytest.raises(settle.DataError) as caught:
        settle.settlement_at(problem, [0.0], [0.0])
    assert caught.value.fault == "place"


def test_a_built_problem_gets_the_readers_warnings_when_analysed():
    problem = footing()
    problem.layers.append(settle.SoilLayer(2, 8.0, 120.0, 1, 1.0))  # above layer 1's bottom
    problem.unit_system = 3
    with pytest.warns(settle.InputWarning) as caught:
        settle.analyse(problem)
    texts = [str(w.message) for w in caught]
    assert any("not below the bottom of the layer above" in t for t in texts), texts
    assert any("the unit system is 3" in t for t in texts), texts


def test_a_problem_as_read_is_not_warned_of_twice():
    path = EXAMPLES / "sample" / "sample.dat"
    problem = settle.read_problem(path)
    problem.layers[0].unit_weight = 1835.0
    with pytest.warns(settle.InputWarning, match="outside the 40 to 170 lb/ft3"):
        settle.analyse(problem)
    problem.layers[0].unit_weight = 120.0
    with warnings.catch_warnings():
        warnings.simplefilter("error", settle.InputWarning)
        settle.analyse(problem)
