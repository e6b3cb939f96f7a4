"""Studies of uncertainty: a project's [study] run serially or on any
concurrent.futures executor, its statistics those of PROJECT.study.json."""

from __future__ import annotations

import copy
from typing import Any, Mapping, Optional

from . import _settle
from ._project import Project, _diagnostics, _stop_on, _warn


def _run_batch(tree: dict, first: int, count: int) -> tuple:
    """Samples first .. first + count - 1 of the study of `tree`, as plain
    values that pickle: (indices, values, fault). A worker anywhere regenerates
    the samples from the project's seed and their indices."""
    return _settle.study_batch(tree, first, count)


class StudyResults:
    """The statistics of a project's study: the values of its study file
    (PROJECT.study.json, to_dict()), bit for bit whatever the executor.

    Attributes:
        method: "lhs" or "monte_carlo".
        seed: the seed the samples were drawn from.
        samples: the number of samples.
    """

    def __init__(self, tree: dict) -> None:
        self._tree = tree
        self.method: str = tree["method"]
        self.seed: int = tree["seed"]
        self.samples: int = tree["samples"]

    def to_dict(self) -> dict:
        """The study's figures as PROJECT.study.json holds them."""
        return copy.deepcopy(self._tree)

    @property
    def names(self) -> list:
        """The points' names, in the order of the project."""
        return [point["name"] for point in self._tree["points"]]

    def __repr__(self) -> str:
        return f"settle.StudyResults({self.method!r}, {self.samples} samples, seed {self.seed})"


def study(
    project: "Project | Mapping[str, Any]",
    executor: Optional[Any] = None,
    batch_size: Optional[int] = None,
) -> StudyResults:
    """Runs the samples of the project's [study] table and returns their
    statistics, equal to those `settle study PROJECT.toml` writes.

    executor: None runs the samples here, one batch after another; any
        concurrent.futures.Executor (a ThreadPoolExecutor, a
        ProcessPoolExecutor, Dask's client.get_executor()) is given one task
        per batch, each task the project's dict and a range of sample
        indices: no table of samples is sent, every worker draws its samples
        from the seed. The batches come back in any order and are combined by
        sample index, so the figures are the same bits for every executor
        and batch size.
    batch_size: the samples of a task; by default the samples over 32.

    Data that stop the study (its checks, or a sample that cannot be
    analysed) raise ProjectError naming the key.
    """
    tree = project.to_dict() if isinstance(project, Project) else dict(project)
    outcome = _settle.study_prepare(tree)
    diagnostics = _diagnostics(outcome["diagnostics"])
    _stop_on(diagnostics)
    _warn(diagnostics)
    samples = outcome["samples"]
    if batch_size is None:
        batch_size = max(1, -(-samples // 32))
    if not isinstance(batch_size, int) or batch_size < 1:
        raise ValueError(f"batch_size {batch_size!r} is not a whole number of 1 or more")
    ranges = [(first, min(batch_size, samples - first)) for first in range(0, samples, batch_size)]
    if executor is None:
        batches = [_run_batch(tree, first, count) for first, count in ranges]
    else:
        futures = [executor.submit(_run_batch, tree, first, count) for first, count in ranges]
        batches = [future.result() for future in futures]
    combined = _settle.study_combine(tree, batches)
    _stop_on(_diagnostics(combined["diagnostics"]))
    return StudyResults(combined["study"])


StudyResults.__module__ = "settle"
