"""Site projects: the readable project file as a Python object, its results."""

from __future__ import annotations

import copy
import dataclasses
import os
import warnings as _warnings
from typing import Any, Mapping, Optional

from . import _settle
from ._errors import Error, InputError, InputWarning


@dataclasses.dataclass(frozen=True)
class Diagnostic:
    """What the checks of a project found.

    Attributes:
        severity: "error" (it stops the run) or "warning".
        path: the key it is about, as the file names it ("layers[2].bottom";
            positions count from 1); empty for the file as a whole.
        line: its line in the file, 0 where the project has no lines (a dict).
        message: what was found and what was expected.
    """

    severity: str
    path: str
    line: int
    message: str

    def __str__(self) -> str:
        where = f"line {self.line}: " if self.line else ""
        key = f"{self.path}: " if self.path else ""
        return f"{where}{key}{self.message}"


class ProjectError(Error):
    """A project whose data stop its run: a syntax error, a key of the wrong
    type or not known, a value out of range, a soil that does not exist, a
    sublayer without effective stress...

    Attributes:
        diagnostics: every Diagnostic found, errors and warnings, in the
            order of the file.
        errors: those of severity "error".
        file: the project file, when the project was read from one.
    """

    def __init__(self, diagnostics: list, file: str = "") -> None:
        self.diagnostics = diagnostics
        self.errors = [d for d in diagnostics if d.severity == "error"]
        self.file = file
        prefix = file + ", " if file else ""
        super().__init__(
            "the project's data stop its run: " + "; ".join(prefix + str(d) for d in self.errors)
        )


def _diagnostics(raw: list) -> list:
    return [Diagnostic(severity, path, line, message) for severity, path, line, message in raw]


def _warn(diagnostics: list, file: str = "") -> None:
    for d in diagnostics:
        if d.severity == "warning":
            _warnings.warn((file + ", " if file else "") + str(d), InputWarning, stacklevel=4)


def _stop_on(diagnostics: list, file: str = "") -> None:
    if any(d.severity == "error" for d in diagnostics):
        raise ProjectError(diagnostics, file)


class Project:
    """A site project: soils, layers, points and loads, with the project
    file's keys (docs/project-file.md).

    Build one from a dict of those keys (Project.from_dict, checked as a file
    is) or read one from a file (settle.read_project); to_dict() gives the
    keys back, every value the project holds and no more. A Project is a
    value: change it through a dict and build a new one. It pickles and copies
    as its dict does.
    """

    __slots__ = ("_tree",)

    def __init__(self, data: Mapping[str, Any]) -> None:
        outcome = _settle.check_project(dict(data))
        diagnostics = _diagnostics(outcome["diagnostics"])
        _stop_on(diagnostics)
        _warn(diagnostics)
        self._tree = outcome["tree"]

    @classmethod
    def from_dict(cls, data: Mapping[str, Any]) -> "Project":
        """The project of `data`, a dict of the project file's keys, checked
        as a file is: ProjectError for data that stop its run, InputWarning
        for each warning."""
        return cls(data)

    @classmethod
    def _checked(cls, tree: dict) -> "Project":
        project = cls.__new__(cls)
        project._tree = tree
        return project

    def to_dict(self) -> dict:
        """The project's keys and values, as a project file holds them."""
        return copy.deepcopy(self._tree)

    def write(self, path: "os.PathLike[str] | str") -> None:
        """Writes the project as a project file, TOML or JSON by the name's ending."""
        name = os.fspath(path)
        form = "json" if name.lower().endswith(".json") else "toml"
        if not name.lower().endswith((".json", ".toml")):
            raise ValueError(f"{name}: a project file's name ends in .toml or .json")
        outcome = _settle.write_project(self._tree, form)
        _stop_on(_diagnostics(outcome["diagnostics"]))
        with open(name, "wb") as file:
            file.write(outcome["text"])

    @property
    def method(self) -> str:
        """The analysis method, "exact" (the default) or "classic"."""
        return self._tree.get("analysis", {}).get("method", "exact")

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Project) and self._tree == other._tree

    def __repr__(self) -> str:
        title = self._tree.get("title", "")
        return f"settle.Project({title!r}, {len(self._tree.get('points', []))} points)"

    def __getstate__(self) -> dict:
        return self._tree

    def __setstate__(self, state: dict) -> None:
        self._tree = state

    def __copy__(self) -> "Project":
        return Project._checked(copy.deepcopy(self._tree))

    def __deepcopy__(self, memo: dict) -> "Project":
        return Project._checked(copy.deepcopy(self._tree, memo))


def read_project(path: "os.PathLike[str] | str | bytes") -> Project:
    """Reads and checks a project file (.toml or .json) as settle does.

    A file that cannot be read raises InputError; data that stop its run
    raise ProjectError, naming every key at fault with its line; each warning
    is issued as InputWarning.
    """
    name = os.fsdecode(path)
    outcome = _settle.read_project(os.fsencode(path))
    if "fatal" in outcome:
        report, file, number = outcome["fatal"]
        raise InputError(report, kind="file", number=number, file=file)
    diagnostics = _diagnostics(outcome["diagnostics"])
    _stop_on(diagnostics, name)
    _warn(diagnostics, name)
    return Project._checked(outcome["tree"])


class ProjectResults:
    """The analysis of a project: the values of its results file
    (PROJECT.results.json, to_dict()) and the same as NumPy arrays, for p
    points and n sublayers of the profile (float64).

    Attributes:
        settlement: the total of each point (p), mm or inches.
        first_counted: per point the index of its first counted sublayer (p).
        layer, top, bottom, sigma_v0, u0, sigma_eff0, water_change: the
            profile's sublayers (n).
        stress_increase, strain, sublayer_settlement: per point and sublayer (p x n).
        time: where the project has [consolidation], a dict of arrays: times
            (t), settlement, primary, secondary, degree (p x t), t50, t90,
            t95 (p; NaN where never reached), excess_pore_pressure (p x t x n).
        warnings: the Diagnostic warnings of the run.
    """

    def __init__(self, outcome: dict) -> None:
        self._results = outcome["results"]
        arrays = outcome["arrays"]
        for key in ("settlement", "first_counted", "layer", "top", "bottom", "sigma_v0", "u0",
                    "sigma_eff0", "water_change", "stress_increase", "strain",
                    "sublayer_settlement"):  # fmt: skip
            setattr(self, key, arrays[key])
        self.time: Optional[dict] = dict(arrays["time"]) or None
        self.warnings = [d for d in _diagnostics(outcome["diagnostics"]) if d.severity == "warning"]

    def to_dict(self) -> dict:
        """The results as PROJECT.results.json holds them."""
        return copy.deepcopy(self._results)

    @property
    def names(self) -> list:
        """The points' names, in the order of the project."""
        return [point["name"] for point in self._results["points"]]


def analyse_project(project: Project) -> ProjectResults:
    """Analyses a project as `settle PROJECT.toml` does; its results equal
    those of the results file. Data that stop the run raise ProjectError."""
    outcome = _settle.analyse_project(project._tree)
    diagnostics = _diagnostics(outcome["diagnostics"])
    _stop_on(diagnostics)
    return ProjectResults(outcome)


for _public in (Diagnostic, ProjectError, Project, ProjectResults):
    _public.__module__ = "settle"
del _public
