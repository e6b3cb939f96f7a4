"""The problem: its control values and its tables of records."""

from __future__ import annotations

import collections.abc
import os
import pickle
from typing import Any, Iterable, Optional, Sequence

import numpy as np

from . import _settle
from ._errors import CapacityError
from ._records import (
    MAX_AREAS,
    MAX_CURVES,
    MAX_LAYERS,
    MAX_POINTS,
    SPREAD_AREA,
    CompressibilityCurve,
    LoadedArea,
    SettlementPoint,
    SoilLayer,
)
from ._values import _TEXT_ENCODING, _integer, _text, _text_value


class Table(collections.abc.MutableSequence):
    """A table of the problem: a list of records of one type, indexed from 0,
    that refuses entries past its capacity (CapacityError)."""

    def __init__(self, name: str, kind: type, capacity: int, what: str, used: Any = None) -> None:
        self._name = name
        self._kind = kind
        self._capacity = capacity
        self._what = what  # the entries, as a message names them
        # The entries counted against the capacity: those of this table, or
        # of the tables sharing it.
        self._used = used if used is not None else len
        self._items: list = []

    def _checked(self, item: Any) -> Any:
        if not isinstance(item, self._kind):
            raise TypeError(
                f"{self._name} holds {self._kind.__name__} entries, not {type(item).__name__}"
            )
        if self._name == "spread_areas" and item.shape != SPREAD_AREA:
            raise ValueError("a spread area has shape 3: make it with LoadedArea.spread")
        return item

    def _make_room(self, count: int) -> None:
        wanted = self._used(self) + count
        if count > 0 and wanted > self._capacity:
            raise CapacityError(
                f"a problem holds at most {self._capacity} {self._what}, not {wanted}",
                self._name,
                self._capacity,
            )

    def __len__(self) -> int:
        return len(self._items)

    def __getitem__(self, index: Any) -> Any:
        if isinstance(index, slice):
            return list(self._items[index])
        return self._items[index]

    def __setitem__(self, index: Any, value: Any) -> None:
        if isinstance(index, slice):
            new = [self._checked(item) for item in value]
            old = len(self._items[index])
            self._make_room(len(new) - old)
            self._items[index] = new
        else:
            self._items[index] = self._checked(value)

    def __delitem__(self, index: Any) -> None:
        del self._items[index]

    def insert(self, index: int, value: Any) -> None:
        item = self._checked(value)
        self._make_room(1)
        self._items.insert(index, item)

    def extend(self, values: Iterable) -> None:
        """Appends every entry of `values`, or none when one is refused."""
        items = [self._checked(item) for item in values]
        self._make_room(len(items))
        self._items.extend(items)

    def __iadd__(self, values: Iterable) -> "Table":
        self.extend(values)
        return self

    def __eq__(self, other: object) -> bool:
        if isinstance(other, Table):
            return self._items == other._items
        if isinstance(other, list):
            return self._items == other
        return NotImplemented

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        return f"Table({self._name}, {self._items!r})"


class Problem:
    """A problem: the title, the unit system, the soil profile, the
    compressibility curves, the settlement points and the loaded areas.

    Read one with read_problem, or build one: Problem() is empty (U.S.
    units), and its tables take records as lists do:

        problem = settle.Problem(title=("FOOTING", "ONE CLAY LAYER"))
        problem.layers.append(settle.SoilLayer(1, 10.0, 120.0, 1, 1.0))
        problem.curves.append(settle.CompressibilityCurve(1, "LAB", slope=0.025))
        problem.points.append(settle.SettlementPoint(1, 0.0, 0.0, 1))
        problem.areas.append(settle.LoadedArea("F1", settle.RECTANGLE, 0.0, 0.0, 4.0, 4.0,
                                               loading=2.0))

    The counts follow the tables (layer_count is len(layers), ...). The
    tables hold at most 25 layers, 50 curves, 150 points and 150 areas
    (regular and spread together); CapacityError beyond. The analysis makes
    the program's other checks (DataError).
    """

    __slots__ = ("_title", "_unit_system", "_spread_depth_reference", "_tables", "_read_key")

    def __init__(
        self,
        title: Sequence[str] = ("", ""),
        unit_system: int = 1,
        layers: Iterable[SoilLayer] = (),
        curves: Iterable[CompressibilityCurve] = (),
        points: Iterable[SettlementPoint] = (),
        areas: Iterable[LoadedArea] = (),
        spread_areas: Iterable[LoadedArea] = (),
        spread_depth_reference: int = 0,
    ) -> None:
        self.title = title
        self.unit_system = unit_system
        self.spread_depth_reference = spread_depth_reference
        # The values as read_problem warned of them (None: built or copied).
        self._read_key: Optional[bytes] = None

        # Regular and spread areas share the one table of the program.
        def areas_used(table: Table) -> int:
            return len(self._tables["areas"]) + len(self._tables["spread_areas"])

        shared = "loaded areas, regular and spread together"
        self._tables = {
            "layers": Table("layers", SoilLayer, MAX_LAYERS, "soil layers"),
            "curves": Table("curves", CompressibilityCurve, MAX_CURVES, "compressibility curves"),
            "points": Table("points", SettlementPoint, MAX_POINTS, "settlement points"),
            "areas": Table("areas", LoadedArea, MAX_AREAS, shared, areas_used),
            "spread_areas": Table("spread_areas", LoadedArea, MAX_AREAS, shared, areas_used),
        }
        self.layers = layers
        self.curves = curves
        self.points = points
        self.areas = areas
        self.spread_areas = spread_areas

    # -- control values

    @property
    def title(self) -> tuple:
        """The two title lines, 68 columns each (trailing blanks removed)."""
        return self._title

    @title.setter
    def title(self, lines: Sequence[str]) -> None:
        if isinstance(lines, str) or len(lines) != 2:
            raise ValueError("title takes two lines, a sequence of two str")
        self._title = tuple(_text_value(line, f"title[{k}]", 68) for k, line in enumerate(lines))

    @property
    def unit_system(self) -> int:
        """1 U.S. gravitational, 2 S.I. absolute (any other value computes in U.S. units)."""
        return self._unit_system

    @unit_system.setter
    def unit_system(self, value: int) -> None:
        self._unit_system = _integer(value, "unit_system")

    @property
    def spread_depth_reference(self) -> int:
        """Where the spread areas' loads act: 1 upper depth, 2 two thirds of the way down
        (rounded down to a multiple of 0.5), 3 lower depth."""
        return self._spread_depth_reference

    @spread_depth_reference.setter
    def spread_depth_reference(self, value: int) -> None:
        self._spread_depth_reference = _integer(value, "spread_depth_reference")

    @property
    def gravity_factor(self) -> np.float32:
        """9.80665 in S.I. units, else 1 (derived from unit_system)."""
        return np.float32(9.80665 if self._unit_system == 2 else 1.0)

    @property
    def settlement_factor(self) -> np.float32:
        """Settlement units per length unit: 1000 (mm per m) in S.I., else 12 (inches per foot)."""
        return np.float32(1000.0 if self._unit_system == 2 else 12.0)

    # -- tables

    def _set_table(self, name: str, items: Iterable) -> None:
        table = self._tables[name]
        if items is table:
            return
        items = list(items)
        del table[:]
        table.extend(items)

    @property
    def layers(self) -> Table:
        """The soil layers, top down (SoilLayer; at most 25)."""
        return self._tables["layers"]

    @layers.setter
    def layers(self, items: Iterable[SoilLayer]) -> None:
        self._set_table("layers", items)

    @property
    def curves(self) -> Table:
        """The compressibility curves (CompressibilityCurve; at most 50)."""
        return self._tables["curves"]

    @curves.setter
    def curves(self, items: Iterable[CompressibilityCurve]) -> None:
        self._set_table("curves", items)

    @property
    def points(self) -> Table:
        """The settlement points (SettlementPoint; at most 150)."""
        return self._tables["points"]

    @points.setter
    def points(self, items: Iterable[SettlementPoint]) -> None:
        self._set_table("points", items)

    @property
    def areas(self) -> Table:
        """The regular areas, rectangles and circles (LoadedArea)."""
        return self._tables["areas"]

    @areas.setter
    def areas(self, items: Iterable[LoadedArea]) -> None:
        self._set_table("areas", items)

    @property
    def spread_areas(self) -> Table:
        """The spread areas (LoadedArea of shape 3); with the regular areas at most 150."""
        return self._tables["spread_areas"]

    @spread_areas.setter
    def spread_areas(self, items: Iterable[LoadedArea]) -> None:
        self._set_table("spread_areas", items)

    @property
    def layer_count(self) -> int:
        """len(layers)."""
        return len(self.layers)

    @property
    def curve_count(self) -> int:
        """len(curves)."""
        return len(self.curves)

    @property
    def point_count(self) -> int:
        """len(points)."""
        return len(self.points)

    @property
    def area_count(self) -> int:
        """len(areas): the regular areas."""
        return len(self.areas)

    @property
    def spread_area_count(self) -> int:
        """len(spread_areas)."""
        return len(self.spread_areas)

    # -- files and copies

    def write(self, path: "os.PathLike[str] | str") -> None:
        """Writes the problem as a problem file (lines ending CR LF) that the
        program reads back to the same values, bit for bit. Raises ValueError
        for a value that no file can give (a strain that no percent divided
        by 100 gives, an S.I. unit weight that no kN/m3 times 101.972 gives)."""
        outcome = _settle.write_problem(self._raw())
        if "unwritable" in outcome:
            raise ValueError(self._unwritable_message(*outcome["unwritable"]))
        with open(path, "wb") as file:
            file.write(outcome["text"])

    def _unwritable_message(
        self, table: str, position: int, field: str, index: int, reason: str
    ) -> str:
        where = ""
        if table == "areas" and position > len(self.areas):
            where = f"spread_areas[{position - len(self.areas) - 1}]."
        elif table:
            where = f"{table}[{position - 1}]."
        name = field + (f"[{index - 1}]" if index else "")
        return f"problem.{where}{name} cannot be written: {reason}"

    def copy(self) -> "Problem":
        """A copy whose records are copies: changing one leaves the other."""
        twin = Problem._from_raw(self._raw())
        twin._read_key = self._read_key
        return twin

    def __copy__(self) -> "Problem":
        return self.copy()

    def __deepcopy__(self, memo: dict) -> "Problem":
        return self.copy()

    def __reduce__(self) -> tuple:
        # The tables share a count of their own, which pickles as the values.
        return (_unpickled_problem, (self._raw(), self._read_key))

    def _values_key(self) -> bytes:
        """The problem's values as bytes: equal keys, equal problems."""
        return pickle.dumps(self._raw(), protocol=4)

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Problem):
            return NotImplemented
        return (
            self.title == other.title
            and self.unit_system == other.unit_system
            and self.spread_depth_reference == other.spread_depth_reference
            and all(self._tables[name] == other._tables[name] for name in self._tables)
        )

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        counts = ", ".join(f"{len(table)} {name}" for name, table in self._tables.items())
        return f"Problem(title={self.title!r}, unit_system={self.unit_system}, {counts})"

    # -- the plain values handed to the C++ side

    def _raw(self) -> dict:
        def area(a: LoadedArea) -> tuple:
            return (
                a._area_id.encode(_TEXT_ENCODING), a._shape, a._x, a._y, a._x_length,
                a._y_length, a._area_slope, a._loading, a._elevation, a._upper_depth,
                a._lower_depth,
            )  # fmt: skip

        return {
            "title": tuple(line.encode(_TEXT_ENCODING) for line in self._title),
            "unit_system": self._unit_system,
            "layers": [
                (
                    l._layer_number,
                    l._bottom_depth,
                    l._unit_weight,
                    l._curve_index,
                    l._thickness_factor,
                )
                for l in self.layers
            ],
            "curves": [
                (c._curve_number, c._point_count, c._source_text.encode(_TEXT_ENCODING), c._slope,
                 c._strain, c._pressure)
                for c in self.curves
            ],  # fmt: skip
            "points": [(p._point_number, p._x, p._y, p._start_layer) for p in self.points],
            "areas": [area(a) for a in self.areas],
            "spread_areas": [area(a) for a in self.spread_areas],
            "spread_depth_reference": self._spread_depth_reference,
        }

    @classmethod
    def _from_raw(cls, raw: dict) -> "Problem":
        f32 = np.float32

        def record(kind: type, slots: tuple, values: tuple) -> Any:
            item = object.__new__(kind)
            for slot, value in zip(slots, values):
                setattr(item, slot, value)
            return item

        def area(v: tuple) -> LoadedArea:
            values = (_text(v[0]), v[1]) + tuple(f32(x) for x in v[2:])
            return record(LoadedArea, LoadedArea.__slots__, values)

        problem = cls(
            title=tuple(_text(line) for line in raw["title"]), unit_system=raw["unit_system"]
        )
        problem.spread_depth_reference = raw["spread_depth_reference"]
        problem.layers = [
            record(SoilLayer, SoilLayer.__slots__, (n, f32(b), f32(w), c, f32(t)))
            for n, b, w, c, t in raw["layers"]
        ]
        problem.curves = [
            record(
                CompressibilityCurve,
                CompressibilityCurve.__slots__,
                (n, k, _text(text), f32(slope), np.array(s, dtype=f32), np.array(p, dtype=f32)),
            )
            for n, k, text, slope, s, p in raw["curves"]
        ]
        problem.points = [
            record(SettlementPoint, SettlementPoint.__slots__, (n, f32(x), f32(y), s))
            for n, x, y, s in raw["points"]
        ]
        problem.areas = [area(v) for v in raw["areas"]]
        problem.spread_areas = [area(v) for v in raw["spread_areas"]]
        return problem


def _unpickled_problem(raw: dict, read_key: Optional[bytes]) -> Problem:
    problem = Problem._from_raw(raw)
    problem._read_key = read_key
    return problem
