"""The results of the analysis and of the settlement map's grid."""

from __future__ import annotations

import dataclasses

import numpy as np


@dataclasses.dataclass(frozen=True)
class StrainWarning:
    """A sublayer below a settlement point whose final pressure lies outside
    its point curve: the settlement is computed all the same (below the
    curve with its first strain, above it along its last segment).

    Attributes:
        point: index in Problem.points and in the rows of the results.
        sublayer: index of the sublayer (from 0; the report numbers it one more).
        curve: index in Problem.curves.
        side: "below" the first pressure or "above" the last.
        initial_pressure: the overburden pressure P0.
        final_pressure: P0 plus the average stress increase.
        curve_pressure: the curve's first (below) or last (above) pressure.
    """

    point: int
    sublayer: int
    curve: int
    side: str
    initial_pressure: np.float32
    final_pressure: np.float32
    curve_pressure: np.float32


class Results:
    """The analysis of a problem, as the program computes it: NumPy arrays of
    single-precision values (numpy.float32), for p settlement points and n
    sublayers, rows by point in the order of Problem.points."""

    __slots__ = {
        "depths": "The stress depths: the top, centre and bottom of every sublayer (2n + 1).",
        "centre_depths": "The sublayer centres (n), the depths of Tables 2, 6 and 7.",
        "overburden_pressure": "The overburden pressure at each sublayer centre (n), Table 2.",
        "initial_strain": "The initial strain of each sublayer as a fraction (n), Table 2.",
        "start_sublayer": (
            "Per point, the index of the first sublayer counted in its settlement "
            "(p, int32); the sublayers above it settle 0."
        ),
        "stress_increase": "The stress increase per point and stress depth (p x 2n + 1).",
        "average_stress_increase": (
            "The average stress increase per point and sublayer (p x n), Table 6."
        ),
        "sublayer_settlement": "The settlement per point and sublayer (p x n), Table 7.",
        "total_settlement": "The total settlement per point (p), Table 7's TOTAL (in. or mm).",
        "warnings": "The strain warnings (StrainWarning), point by point, sublayers top down.",
    }

    def __init__(self, values: dict) -> None:
        for name in self.__slots__:
            if name != "warnings":
                setattr(self, name, values[name])
        # The program's sublayer number (0: every sublayer) as an index from 0.
        self.start_sublayer = np.maximum(self.start_sublayer - 1, 0)
        self.warnings = [
            StrainWarning(p, s, c, side, np.float32(a), np.float32(b), np.float32(q))
            for p, s, c, side, a, b, q in values["strain_warnings"]
        ]

    def __repr__(self) -> str:
        return (
            f"Results({len(self.total_settlement)} points, {len(self.centre_depths)} sublayers, "
            f"total_settlement={self.total_settlement!r}, {len(self.warnings)} warnings)"
        )


class Grid:
    """The settlement map's grid, as settle-plot computes it and writes it
    with --grid-csv: settlement[j, i] is the total at (x[i], y[j])."""

    __slots__ = {
        "x": "The node coordinates along x (the columns, numpy.float32).",
        "y": "The node coordinates along y (the rows, numpy.float32).",
        "settlement": "The total settlement at every node, rows by columns (numpy.float32).",
        "spacing": "The distance between neighbouring nodes.",
        "start_layer": "The start layer of every node, from 1 as in the file.",
    }

    def __init__(self, values: dict) -> None:
        for name in self.__slots__:
            setattr(self, name, values[name])

    def __repr__(self) -> str:
        rows, columns = self.settlement.shape
        return (
            f"Grid({columns} x {rows} nodes, spacing={self.spacing}, "
            f"start_layer={self.start_layer})"
        )
