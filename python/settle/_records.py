"""The problem's records: soil layers, compressibility curves, settlement
points and loaded areas, with the data model's field names."""

from __future__ import annotations

from typing import Iterable, Optional

import numpy as np

from . import _settle
from ._errors import CapacityError
from ._values import _Integer, _Real, _Record, _Text, _integer, _reals

#: Capacities of the program's tables.
MAX_LAYERS: int = _settle.MAX_LAYERS
MAX_CURVES: int = _settle.MAX_CURVES
MAX_CURVE_POINTS: int = _settle.MAX_CURVE_POINTS
MAX_POINTS: int = _settle.MAX_POINTS
MAX_AREAS: int = _settle.MAX_AREAS  # regular and spread areas together
MAX_SUBLAYERS: int = _settle.MAX_SUBLAYERS

#: The shapes of a loaded area.
RECTANGLE = 1
CIRCLE = 2
SPREAD_AREA = 3


class SoilLayer(_Record):
    """A soil layer of the profile (record 4 of the problem file).

    The layers lie one below the other from the ground surface: a layer runs
    from the bottom of the layer before (0.0 for the first) to its own
    bottom_depth, and is cut into sublayers 0.5 thick.
    """

    __slots__ = (
        "_layer_number",
        "_bottom_depth",
        "_unit_weight",
        "_curve_index",
        "_thickness_factor",
    )
    _fields = ("layer_number", "bottom_depth", "unit_weight", "curve_index", "thickness_factor")

    layer_number = _Integer("The number the file gives the layer (printed only).")
    bottom_depth = _Real("Depth of the layer's bottom below the ground surface (ft or m).")
    unit_weight = _Real(
        "Unit weight as the program keeps it: lb/ft3 (U.S.), or kg/m3 (S.I.): the file's kN/m3 "
        "times 101.972 in single precision, np.float32(kn_m3) * np.float32(101.972)."
    )
    curve_index = _Integer(
        "Which compressibility curve the layer's soil follows: its place in Problem.curves, "
        "counted from 1 as in the file (1 to 50); problem.curves[curve_index - 1]."
    )
    thickness_factor = _Real("Factor on the thickness of the layer's sublayers in the settlement.")

    def __init__(
        self,
        layer_number: int = 0,
        bottom_depth: float = 0.0,
        unit_weight: float = 0.0,
        curve_index: int = 1,
        thickness_factor: float = 1.0,
    ) -> None:
        self.layer_number = layer_number
        self.bottom_depth = bottom_depth
        self.unit_weight = unit_weight
        self.curve_index = curve_index
        self.thickness_factor = thickness_factor


class CompressibilityCurve(_Record):
    """A compressibility curve (record group 5): strain against vertical pressure.

    Either a point curve of 2 to 48 points (strain, pressure), pressures
    rising, or a slope line (point_count 0 or 1) given by its slope alone.
    Strains and slopes are fractions: the file's percent divided by 100. The
    fraction a file gives for p percent is np.float32(p) / np.float32(100).

    The arrays strain and pressure (numpy.float32) may be changed in place
    or replaced by as many values; set_points changes the number of points
    and set_slope makes the curve a slope line.
    """

    __slots__ = ("_curve_number", "_point_count", "_source_text", "_slope", "_strain", "_pressure")
    _fields = ("curve_number", "point_count", "source_text", "slope", "strain", "pressure")

    curve_number = _Integer("The number the file gives the curve (printed in Table 3).")
    source_text = _Text(60, "Where the curve comes from: 60 columns of text.")
    slope = _Real(
        "A slope line's slope as a fraction: zero or positive, strain per tenfold pressure; "
        "negative, minus the strain per unit of pressure. Unused by a point curve."
    )

    def __init__(
        self,
        curve_number: int = 0,
        source_text: str = "",
        *,
        strain: Optional[Iterable[float]] = None,
        pressure: Optional[Iterable[float]] = None,
        slope: float = 0.0,
        point_count: int = 0,
    ) -> None:
        """A point curve when strain and pressure are given, else a slope line
        of `slope` with `point_count` 0 or 1."""
        self.curve_number = curve_number
        self.source_text = source_text
        self.slope = slope
        if strain is not None or pressure is not None:
            self.set_points(
                strain if strain is not None else [], pressure if pressure is not None else []
            )
        else:
            self.set_slope(slope, point_count)

    @property
    def point_count(self) -> int:
        """The number of points (2 to 48), or 0 or 1 for a slope line; see set_points."""
        return self._point_count

    @property
    def is_slope_line(self) -> bool:
        """True for a curve given by its slope alone (fewer than 2 points)."""
        return self._point_count < 2

    @property
    def strain(self) -> np.ndarray:
        """The strains of the points as fractions (numpy.float32, point_count values)."""
        return self._strain

    @strain.setter
    def strain(self, values: Iterable[float]) -> None:
        self._strain = self._same_length(values, "strain")

    @property
    def pressure(self) -> np.ndarray:
        """The vertical pressures of the points, ksf or kPa (numpy.float32, point_count values)."""
        return self._pressure

    @pressure.setter
    def pressure(self, values: Iterable[float]) -> None:
        self._pressure = self._same_length(values, "pressure")

    def _same_length(self, values: Iterable[float], name: str) -> np.ndarray:
        array = _reals(values, name)
        if len(array) != len(self._strain):
            raise ValueError(
                f"{name} takes {len(self._strain)} values, one per point; "
                "set_points changes the number of points"
            )
        return array

    def set_points(self, strain: Iterable[float], pressure: Iterable[float]) -> None:
        """Makes this a point curve of the given strains (fractions) and pressures."""
        strains = _reals(strain, "strain")
        pressures = _reals(pressure, "pressure")
        if len(strains) != len(pressures):
            raise ValueError(f"{len(strains)} strains for {len(pressures)} pressures")
        if len(strains) > MAX_CURVE_POINTS:
            raise CapacityError(
                f"a compressibility curve holds at most {MAX_CURVE_POINTS} points, "
                f"not {len(strains)}",
                "strain",
                MAX_CURVE_POINTS,
            )
        if len(strains) < 2:
            raise ValueError("a point curve has 2 points at least; set_slope makes a slope line")
        self._point_count = len(strains)
        self._strain = strains
        self._pressure = pressures

    def set_slope(self, slope: float, point_count: int = 0) -> None:
        """Makes this a slope line of `slope` (a fraction); point_count is 0 or 1 (or
        negative), as the file gives it."""
        count = _integer(point_count, "point_count")
        if count >= 2:
            raise ValueError("a slope line has fewer than 2 points; set_points makes a point curve")
        self.slope = slope
        self._point_count = count
        self._strain = np.zeros(0, dtype=np.float32)
        self._pressure = np.zeros(0, dtype=np.float32)


class SettlementPoint(_Record):
    """A settlement point (record 6): where the settlement is computed."""

    __slots__ = ("_point_number", "_x", "_y", "_start_layer")
    _fields = ("point_number", "x", "y", "start_layer")

    point_number = _Integer("The number the file gives the point (printed).")
    x = _Real("x coordinate in plan (ft or m).")
    y = _Real("y coordinate in plan (ft or m).")
    start_layer = _Integer(
        "The first layer counted in the point's settlement, from 1 as in the file; 0 or a layer "
        "that does not exist counts every layer."
    )

    def __init__(
        self, point_number: int = 0, x: float = 0.0, y: float = 0.0, start_layer: int = 1
    ) -> None:
        self.point_number = point_number
        self.x = x
        self.y = y
        self.start_layer = start_layer


class LoadedArea(_Record):
    """A loaded area: a rectangle or circle (record 7), or a spread area (record 10).

    Rectangles and circles go in Problem.areas, spread areas (shape 3, made
    with LoadedArea.spread) in Problem.spread_areas. A rectangle's or
    circle's loading is a pressure (ksf or kPa) acting at its elevation,
    which must be a layer boundary; a spread area carries a total load
    (kips or kN) spread at 2 vertical to 1 horizontal from its reference
    level (Problem.spread_depth_reference).
    """

    __slots__ = (
        "_area_id", "_shape", "_x", "_y", "_x_length", "_y_length", "_area_slope",
        "_loading", "_elevation", "_upper_depth", "_lower_depth",
    )  # fmt: skip
    _fields = (
        "area_id", "shape", "x", "y", "x_length", "y_length", "area_slope",
        "loading", "elevation", "upper_depth", "lower_depth",
    )  # fmt: skip

    area_id = _Text(4, "Identifier: 4 columns of text (a spread area has none).")
    shape = _Integer("1 rectangle, 2 circle, 3 spread area.")
    x = _Real("x coordinate of the centre (ft or m).")
    y = _Real("y coordinate of the centre (ft or m).")
    x_length = _Real("Length of the X side; a circle's diameter (ft or m).")
    y_length = _Real("Length of the Y side (unused by a circle).")
    area_slope = _Real(
        "A rectangle's X side turns counter-clockwise from the x axis by the angle whose tangent "
        "this is (unused by circles and spread areas)."
    )
    loading = _Real(
        "The pressure on a rectangle or circle (ksf or kPa); a spread area's total load."
    )
    elevation = _Real("Depth at which the load acts (ft or m).")
    upper_depth = _Real("A spread area's upper depth (ft or m).")
    lower_depth = _Real("A spread area's lower depth (ft or m).")

    def __init__(
        self,
        area_id: str = "",
        shape: int = RECTANGLE,
        x: float = 0.0,
        y: float = 0.0,
        x_length: float = 0.0,
        y_length: float = 0.0,
        area_slope: float = 0.0,
        loading: float = 0.0,
        elevation: float = 0.0,
        upper_depth: float = 0.0,
        lower_depth: float = 0.0,
    ) -> None:
        self.area_id = area_id
        self.shape = shape
        self.x = x
        self.y = y
        self.x_length = x_length
        self.y_length = y_length
        self.area_slope = area_slope
        self.loading = loading
        self.elevation = elevation
        self.upper_depth = upper_depth
        self.lower_depth = lower_depth

    @classmethod
    def spread(
        cls,
        x: float,
        y: float,
        x_length: float,
        y_length: float,
        elevation: float,
        upper_depth: float,
        lower_depth: float,
        loading: float,
    ) -> "LoadedArea":
        """A spread area, its values in the order of record 10."""
        return cls(
            "",
            SPREAD_AREA,
            x,
            y,
            x_length,
            y_length,
            0.0,
            loading,
            elevation,
            upper_depth,
            lower_depth,
        )
