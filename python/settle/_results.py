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
    """The analysis of a problem, as the program computes it (numpy.float32).

    With n sublayers and p settlement points:
        depths: the stress depths, the top, centre and bottom of every
            sublayer (2n + 1).
        centre_depths: the sublayer centres (n), Table 2's depths.
        overburden_pressure, initial_strain: per sublayer (n), as in Table 2
            (the strain a fraction).
        start_sublayer: per point, the index of its first sublayer counted
            (p, int32; the sublayers above it settle 0).
        stress_increase: per point and stress depth (p x 2n + 1).
        average_stress_increase: per point and sublayer (p x n), Table 6.
        sublayer_settlement: per point and sublayer (p x n), Table 7.
        total_settlement: per point (p), Table 7's TOTAL (inches or mm).
        warnings: the strain warnings (StrainWarning), point by point.
    """

    __slots__ = (
        "depths", "centre_depths", "overburden_pressure", "initial_strain", "start_sublayer",
        "stress_increase", "average_stress_increase", "sublayer_settlement", "total_settlement",
        "warnings",
    )  # fmt: skip

    def __init__(self, values: dict) -> None:
        for name in self.__slots__:
            if name != "warnings":
                setattr(self, name, values[name])
        # The program's sublayer number (0: every sublayer) as an index from 0.
        self.start_sublayer = np.maximum(self.start_sublayer - 1, 0)
        self.warnings = [
            StrainWarning(p, s, c, side, np.float32(a), np.float32(b), np.float32(q))
            for p, s, c, side, a, b, q in values["warnings"]
        ]

    def __repr__(self) -> str:
        return (
            f"Results({len(self.total_settlement)} points, {len(self.centre_depths)} sublayers, "
            f"total_settlement={self.total_settlement!r}, {len(self.warnings)} warnings)"
        )


class Grid:
    """The settlement map's grid, as settle-plot computes and writes it.

    Attributes:
        x: the node coordinates along x (columns, numpy.float32).
        y: the node coordinates along y (rows).
        settlement: the total settlement at every node, rows by columns
            (settlement[j, i] at (x[i], y[j])).
        spacing: the distance between nodes.
        start_layer: the start layer of every node.
    """

    __slots__ = ("x", "y", "settlement", "spacing", "start_layer")

    def __init__(self, values: dict) -> None:
        for name in self.__slots__:
            setattr(self, name, values[name])

    def __repr__(self) -> str:
        rows, columns = self.settlement.shape
        return (
            f"Grid({columns} x {rows} nodes, spacing={self.spacing}, "
            f"start_layer={self.start_layer})"
        )
