"""The errors settle raises, and the warning it issues."""

from __future__ import annotations

import dataclasses
from typing import TYPE_CHECKING, Optional, Sequence

import numpy as np

from ._values import _message, _text

if TYPE_CHECKING:
    from ._problem import Problem


def _rebuilt(kind: type, args: tuple, state: dict) -> "Error":
    """An error of `kind` as pickled: its message arguments and its attributes."""
    error = kind.__new__(kind)
    Exception.__init__(error, *args)
    error.__dict__.update(state)
    return error


class Error(Exception):
    """The base of every error that settle raises about a problem or its file.

    Every error pickles with its attributes, so that it reaches the parent
    process of a process pool (concurrent.futures, multiprocessing) whole."""

    def __reduce__(self) -> tuple:
        return (_rebuilt, (type(self), self.args, dict(self.__dict__)))


class InputError(Error):
    """A problem file that cannot be read, as the program reports it.

    The message starts with the program's report ("settle: severe (64):
    input conversion error, unit 5, file /path/problem.dat"), followed by the
    line where the reading failed.

    Attributes:
        kind: "end of file", "conversion", "list syntax", "file not found",
            "permission denied", "open failure" or "read error".
        number: the program's error number (24, 64, 59, 29, 9, 30, 39).
        file: the full path of the file, as reported.
        line: the line being read (from 1), or at the end of the file the
            last line there was; None when no line was read.
        text: that line's text; None when no line was read.
        at_end: True when the file ended before the value needed.
        report: the program's one-line report.
        where: the program's line saying where ("settle: FILE, line N: ...").
    """

    def __init__(
        self,
        report: str,
        *,
        kind: str,
        number: int,
        file: str,
        line: Optional[int] = None,
        text: Optional[str] = None,
        at_end: bool = False,
        where: str = "",
    ) -> None:
        super().__init__(report + ("\n" + where if where else ""))
        self.report = report
        self.kind = kind
        self.number = number
        self.file = file
        self.line = line
        self.text = text
        self.at_end = at_end
        self.where = where


@dataclasses.dataclass(frozen=True)
class ListedArea:
    """A regular area that a data error names.

    Attributes:
        position: index in Problem.areas (from 0).
        area_id: its identifier (4 columns, trailing blanks removed).
        shape: its shape as given.
        elevation: its elevation as given.
        line: the line of the file holding its values (0 for a problem built in Python).
    """

    position: int
    area_id: str
    shape: int
    elevation: np.float32
    line: int


class DataError(Error):
    """Data that the program stops on, with the faults as values.

    kind is one of:
        "data errors": regular areas with a shape other than rectangle and
            circle (wrong_shape) or loaded away from the layer boundaries
            (off_boundary), lists of ListedArea;
        "limit": a limit of the data model: limit (its name: "layers",
            "curves", "points", "regular areas", "curve index", "sublayers",
            "curve points", "total areas" or "depth reference"), value (the
            count or value found), item (the layer number for "curve index",
            the curve number for "curve points", else 0) and line;
        "pressure": a curve pressure not greater than 0: curve (index in
            Problem.curves), row (index in its pressure array), pressure
            and line;
        "value": a value that gives a settlement of no meaning: fault (its
            name: "curve strain" of 100 % or more, "thickness factor" below 0,
            "area vanishes" through its geometry; in the results "stress" not
            finite, "final pressure" not above 0 on a log curve, "sublayer
            strain" of 100 % or more, "settlement" or "total" not finite,
            "place" whose settlement is not finite), position (index of the
            curve, layer, area or point, -1 for a place), number (its number
            in the file), row (index of the curve point or the sublayer, -1
            when none), values (the values found, as the program names them
            in messages[0]) and line.
    Lines are lines of the problem file (0 for a problem built in Python).
    messages holds the program's texts as (line, text) pairs; problem holds
    the problem read, when the reading reached its end (a pressure or value
    fault found by read_problem), else None.
    """

    def __init__(self, stop: dict, problem: Optional["Problem"] = None, file: str = "") -> None:
        self.kind: str = stop["kind"]
        self.messages: list = [(line, _message(text)) for line, text in stop["texts"]]
        self.problem = problem
        self.wrong_shape = [_listed_area(v) for v in stop.get("wrong_shape", [])]
        self.off_boundary = [_listed_area(v) for v in stop.get("off_boundary", [])]
        self.limit: Optional[str] = stop.get("limit")
        self.value: Optional[int] = stop.get("value")
        self.item: Optional[int] = stop.get("item")
        self.curve: Optional[int] = stop.get("curve")
        self.row: Optional[int] = stop.get("row")
        pressure = stop.get("pressure")
        self.pressure = None if pressure is None else np.float32(pressure)
        self.line: Optional[int] = stop.get("line")
        self.fault: Optional[str] = stop.get("fault")
        self.position: Optional[int] = stop.get("position")
        self.number: Optional[int] = stop.get("number")
        values = stop.get("values")
        self.values = None if values is None else tuple(np.float32(v) for v in values)
        prefix = file + ", " if file else ""
        texts = [
            (prefix + f"line {line}: " if line else prefix) + text for line, text in self.messages
        ]
        super().__init__(f"the problem's data stop the analysis ({self.kind}): " + "; ".join(texts))


def _listed_area(values: Sequence) -> ListedArea:
    position, area_id, shape, elevation, line = values
    return ListedArea(position, _text(area_id), shape, np.float32(elevation), line)


class CapacityError(Error, ValueError):
    """A table filled past its capacity (the limits of the program's data model).

    Attributes:
        table: the table's name ("layers", "curves", "points", "areas",
            "spread_areas", or "strain" for the points of a curve).
        capacity: how many entries it holds at most.
    """

    def __init__(self, message: str, table: str, capacity: int) -> None:
        super().__init__(message)
        self.table = table
        self.capacity = capacity


class InputWarning(UserWarning):
    """A warning of the program's console about a problem read: legal data
    that is almost certainly a mistake. The message names the file and line."""
