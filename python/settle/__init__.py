"""Consolidation settlement of a layered soil under loaded areas, from Python.

This module runs the analysis of the settle program (the same C++ code, with
the same numbers to the last bit) on problems read from problem files or
built in Python:

    >>> import settle
    >>> problem = settle.read_problem("examples/sample/sample.dat")
    >>> results = settle.analyse(problem)
    >>> print(results.total_settlement[0])      # inches: Table 7 prints 1.724
    1.7244358

Reading and writing: read_problem, Problem.write.
The problem: Problem, SoilLayer, CompressibilityCurve, SettlementPoint,
LoadedArea (the field names of the program's data model).
The analysis: analyse (a Results of NumPy arrays), settlement_at (the total
settlement anywhere), settlement_grid (the settlement map's grid, a Grid).
Errors: Error, InputError (a file that cannot be read), DataError (data the
program stops on), CapacityError (a table past its capacity); InputWarning
(a warning of the program's console, issued by read_problem, and by the
analysis of a problem built or changed in Python).

Problems, records, results and errors pickle, so that they go to the
processes of a pool or a cluster; copy.copy and copy.deepcopy of a problem
give an independent problem.

Units are the problem's own: with unit_system 1 (U.S.) feet, kips per square
foot, pounds per cubic foot and inches of settlement; with 2 (S.I.) metres,
kilopascals and millimetres. Two quantities are kept as the program keeps
them, not as the file gives them: strains and curve slopes are fractions
(the file's percent divided by 100), and an S.I. unit weight is the file's
kN/m3 times 101.972 (a mass density in kg/m3). Every real is a
single-precision value (numpy.float32), as in the program; a Python float
given for one is rounded to the nearest single-precision value.

Positions count from 0: problem.layers[0] is the first layer of the file,
results.total_settlement[0] the settlement of problem.points[0]. Numbers
that are values of the file (a layer's curve_index, a point's start_layer,
layer and curve numbers) and line numbers are as in the file.

Studies of uncertainty: study runs a project's [study] table (serially, or
as batches on any concurrent.futures executor, Dask's included) and returns
a StudyResults whose to_dict() equals PROJECT.study.json.

The analysis releases the interpreter lock and shares the points over the
cores as the program does (SETTLE_THREADS sets the number of threads).
"""

from __future__ import annotations

import collections.abc
import numbers
import os
import warnings as _warnings
from typing import Any, Mapping, Optional

import numpy as np

from . import _settle
from ._errors import CapacityError, DataError, Error, InputError, InputWarning, ListedArea
from ._problem import Problem, Table
from ._project import Diagnostic, Project, ProjectError, ProjectResults, analyse_project, read_project
from ._records import (
    CIRCLE,
    MAX_AREAS,
    MAX_CURVE_POINTS,
    MAX_CURVES,
    MAX_LAYERS,
    MAX_POINTS,
    MAX_SUBLAYERS,
    RECTANGLE,
    SPREAD_AREA,
    CompressibilityCurve,
    LoadedArea,
    SettlementPoint,
    SoilLayer,
)
from ._results import Grid, Results, StrainWarning
from ._study import StudyResults, study
from ._grid import project_grid as _project_grid
from ._values import _TEXT_ENCODING, _integer, _message

__all__ = [
    "read_problem",
    "read_project",
    "Project",
    "ProjectResults",
    "ProjectError",
    "Diagnostic",
    "analyse",
    "study",
    "StudyResults",
    "settlement_at",
    "settlement_grid",
    "Problem",
    "SoilLayer",
    "CompressibilityCurve",
    "SettlementPoint",
    "LoadedArea",
    "Table",
    "Results",
    "Grid",
    "StrainWarning",
    "ListedArea",
    "Error",
    "InputError",
    "DataError",
    "CapacityError",
    "InputWarning",
    "MAX_LAYERS",
    "MAX_CURVES",
    "MAX_CURVE_POINTS",
    "MAX_POINTS",
    "MAX_AREAS",
    "MAX_SUBLAYERS",
    "RECTANGLE",
    "CIRCLE",
    "SPREAD_AREA",
]

__version__ = _settle.VERSION


def read_problem(path: "os.PathLike[str] | str | bytes") -> Problem:
    """Reads a problem file as the program does and returns the Problem.

    The reading makes the program's checks: a value that cannot be read, or
    a file that ends early or cannot be opened, raises InputError; data that
    the program stops on (regular areas with a wrong shape or off the layer
    boundaries, a limit of the data model, a curve pressure not greater than
    0) raises DataError. The program's warnings about the data are issued as
    InputWarning (see the warnings module).
    """
    outcome = _settle.read_problem(os.fsencode(path))
    if "fatal" in outcome:
        fatal = outcome["fatal"]
        raise InputError(
            os.fsdecode(fatal["report"]),
            kind=fatal["kind"],
            number=fatal["number"],
            file=os.fsdecode(fatal["file"]),
            line=fatal["line"],
            text=None if fatal["text"] is None else fatal["text"].decode(_TEXT_ENCODING),
            at_end=fatal["at_end"],
            where=os.fsdecode(fatal["where"]),
        )
    name = os.fsdecode(path)
    for line, text in outcome["warnings"]:
        _warnings.warn(f"{name}, line {line}: {_message(text)}", InputWarning, stacklevel=2)
    problem = None if outcome["problem"] is None else Problem._from_raw(outcome["problem"])
    if problem is not None:
        problem._read_key = problem._values_key()
    if outcome["stop"] is not None:
        raise DataError(outcome["stop"], problem, name)
    assert problem is not None
    return problem


def _checked_problem(problem: Any) -> dict:
    if not isinstance(problem, Problem):
        raise TypeError(f"a settle.Problem is needed, not {type(problem).__name__}")
    return problem._raw()


def _warn_of(problem: Problem, outcome: dict) -> None:
    """Issues the reader's warnings of a problem built or changed in Python;
    a problem as read_problem read it was warned of then."""
    warnings = outcome.get("warnings", [])
    if not warnings or (problem._read_key is not None and problem._read_key == problem._values_key()):
        return
    for line, text in warnings:
        where = f"line {line}: " if line else ""
        _warnings.warn(f"{where}{_message(text)}", InputWarning, stacklevel=3)


def analyse(problem: "Problem | Project") -> "Results | ProjectResults":
    """Analyses the problem as the program does and returns its Results; a
    site Project as `settle PROJECT.toml` does, returning its ProjectResults
    (the values of its results file).

    The problem is checked first as the program checks a file (DataError
    for data it stops on, and for results that are not finite numbers); a
    problem built or changed in Python gets the reader's warnings
    (InputWarning). The totals equal Table 7 of the program's report and the
    values of its auxiliary file.
    """
    if isinstance(problem, Project):
        return analyse_project(problem)
    outcome = _settle.analyse(_checked_problem(problem))
    _warn_of(problem, outcome)
    if "stop" in outcome:
        raise DataError(outcome["stop"])
    return Results(outcome)


def _start_layer(start_layer: Optional[int]) -> Optional[int]:
    return None if start_layer is None else _integer(start_layer, "start_layer")


def settlement_at(problem: Problem, x: Any, y: Any, start_layer: Optional[int] = None) -> Any:
    """The total settlement at the plan points (x, y), each analysed as a
    settlement point is, counting from `start_layer` (a layer number from 1;
    by default the smallest start layer among the problem's points, as the
    settlement map takes it).

    x and y are numbers or arrays (broadcast together), rounded to single
    precision; the result is a numpy.float32 array of their shape (a
    numpy.float32 for two numbers). The places are shared over the cores.
    A settlement that is not a finite number raises DataError.
    """
    with np.errstate(over="ignore"):
        xs, ys = np.broadcast_arrays(
            np.asarray(x, dtype=np.float32), np.asarray(y, dtype=np.float32)
        )
    if not (np.all(np.isfinite(xs)) and np.all(np.isfinite(ys))):
        raise ValueError("x and y take finite single-precision numbers")
    shape = xs.shape
    outcome = _settle.settlement_at(
        _checked_problem(problem),
        np.ascontiguousarray(xs).reshape(-1),
        np.ascontiguousarray(ys).reshape(-1),
        _start_layer(start_layer),
    )
    _warn_of(problem, outcome)
    if "stop" in outcome:
        raise DataError(outcome["stop"])
    settlement = outcome["settlement"].reshape(shape)
    return settlement[()] if settlement.ndim == 0 else settlement


def settlement_grid(
    problem: "Problem | Project | Mapping[str, Any]",
    spacing: Optional[float] = None,
    start_layer: Optional[int] = None,
    executor: Optional[Any] = None,
    rows_per_task: Optional[int] = None,
) -> Grid:
    """The settlement map's grid of settle-plot: nodes on multiples of
    `spacing` over the plan of the areas and points with a margin of a fifth
    of its longer side (by default a round spacing giving some 80 cells, 57
    to 113, across that side with its margins), each node analysed as a settlement point starting at
    `start_layer` (default as settlement_at). Equal to settle-plot's
    --grid-csv values for the same spacing and start layer.

    For a site project (a Project or a dict of its keys), by its method:
    the grid settle-plot starts its map from. executor: None computes it
    here over the cores; any concurrent.futures.Executor (a process pool,
    Dask's client.get_executor()) is given one task per `rows_per_task`
    rows (by default the rows over 32), each task the project's dict and
    its range of rows, and the rows fit together bit for bit to the grid
    computed here. Data that stop the analysis raise ProjectError.
    """
    if spacing is not None:
        if isinstance(spacing, bool) or not isinstance(spacing, numbers.Real):
            raise TypeError(f"spacing takes a number, not {type(spacing).__name__}")
        spacing = float(spacing)
    if isinstance(problem, (Project, collections.abc.Mapping)):
        return _project_grid(problem, spacing, _start_layer(start_layer), executor, rows_per_task)
    if executor is not None or rows_per_task is not None:
        raise TypeError("executor and rows_per_task take a site project, not an archived problem")
    outcome = _settle.settlement_grid(_checked_problem(problem), spacing, _start_layer(start_layer))
    _warn_of(problem, outcome)
    if "stop" in outcome:
        raise DataError(outcome["stop"])
    return Grid(outcome)


for _public in (
    Problem, SoilLayer, CompressibilityCurve, SettlementPoint, LoadedArea, Table, Results, Grid,
    StrainWarning, ListedArea, Error, InputError, DataError, CapacityError, InputWarning,
):  # fmt: skip
    _public.__module__ = __name__
del _public
