"""The settlement map's grid of a site project, computed here or row by row on
any concurrent.futures executor, bit for bit the same either way."""

from __future__ import annotations

from typing import Any, Mapping, Optional

import numpy as np

from . import _settle
from ._project import Project, _diagnostics, _stop_on, _warn
from ._results import Grid


def _run_rows(tree: dict, spacing: Optional[float], start_layer: Optional[int], first: int, count: int) -> Any:
    """Rows first .. first + count - 1 of the grid of `tree`: a worker anywhere
    prepares the project once and analyses only its rows' nodes."""
    return _settle.grid_rows(tree, spacing, start_layer, first, count)


def project_grid(
    project: "Project | Mapping[str, Any]",
    spacing: Optional[float] = None,
    start_layer: Optional[int] = None,
    executor: Optional[Any] = None,
    rows_per_task: Optional[int] = None,
) -> Grid:
    """settlement_grid of a site project; see there."""
    tree = project.to_dict() if isinstance(project, Project) else dict(project)
    outcome = _settle.grid_prepare(tree, spacing, start_layer)
    diagnostics = _diagnostics(outcome["diagnostics"])
    _stop_on(diagnostics)
    _warn(diagnostics)
    rows = outcome["rows"]
    if executor is None:
        settlement = _settle.grid_here(tree, spacing, start_layer)
    else:
        if rows_per_task is None:
            rows_per_task = max(1, -(-rows // 32))
        if isinstance(rows_per_task, bool) or not isinstance(rows_per_task, int) or rows_per_task < 1:
            raise ValueError(f"rows_per_task {rows_per_task!r} is not a whole number of 1 or more")
        ranges = [(first, min(rows_per_task, rows - first)) for first in range(0, rows, rows_per_task)]
        futures = [executor.submit(_run_rows, tree, spacing, start_layer, first, count) for first, count in ranges]
        settlement = np.concatenate([future.result() for future in futures], axis=0)
    return Grid(
        {
            "x": outcome["x"],
            "y": outcome["y"],
            "settlement": settlement,
            "spacing": outcome["spacing"],
            "start_layer": outcome["start_layer"],
        }
    )
