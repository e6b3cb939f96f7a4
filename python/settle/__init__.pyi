# Type stubs of the settle module, for editors and type checkers. The
# docstrings are in __init__.py (help(settle)).
import os
from typing import Any, Iterable, Iterator, Mapping, MutableSequence, Optional, Sequence, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str

MAX_LAYERS: int
MAX_CURVES: int
MAX_CURVE_POINTS: int
MAX_POINTS: int
MAX_AREAS: int
MAX_SUBLAYERS: int
RECTANGLE: int
CIRCLE: int
SPREAD_AREA: int

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
_Real = Union[float, int, np.floating[Any], np.integer[Any]]
_Integer = Union[int, np.integer[Any]]
_Reals = Union[npt.ArrayLike, Iterable[float]]

class Error(Exception): ...

class InputError(Error):
    report: str
    kind: str
    number: int
    file: str
    line: Optional[int]
    text: Optional[str]
    at_end: bool
    where: str
    def __init__(
        self,
        report: str,
        *,
        kind: str,
        number: int,
        file: str,
        line: Optional[int] = ...,
        text: Optional[str] = ...,
        at_end: bool = ...,
        where: str = ...,
    ) -> None: ...

class ListedArea:
    position: int
    area_id: str
    shape: int
    elevation: np.float32
    line: int
    def __init__(
        self, position: int, area_id: str, shape: int, elevation: np.float32, line: int
    ) -> None: ...

class DataError(Error):
    kind: str
    messages: list[tuple[int, str]]
    problem: Optional[Problem]
    wrong_shape: list[ListedArea]
    off_boundary: list[ListedArea]
    limit: Optional[str]
    value: Optional[int]
    item: Optional[int]
    curve: Optional[int]
    row: Optional[int]
    pressure: Optional[np.float32]
    line: Optional[int]
    fault: Optional[str]
    position: Optional[int]
    number: Optional[int]
    values: Optional[tuple[np.float32, ...]]
    def __init__(
        self, stop: dict[str, Any], problem: Optional[Problem] = ..., file: str = ...
    ) -> None: ...

class CapacityError(Error, ValueError):
    table: str
    capacity: int
    def __init__(self, message: str, table: str, capacity: int) -> None: ...

class InputWarning(UserWarning): ...

class SoilLayer:
    layer_number: int
    bottom_depth: np.float32
    unit_weight: np.float32
    curve_index: int
    thickness_factor: np.float32
    def __init__(
        self,
        layer_number: _Integer = ...,
        bottom_depth: _Real = ...,
        unit_weight: _Real = ...,
        curve_index: _Integer = ...,
        thickness_factor: _Real = ...,
    ) -> None: ...
    def copy(self) -> SoilLayer: ...

class CompressibilityCurve:
    curve_number: int
    source_text: str
    slope: np.float32
    def __init__(
        self,
        curve_number: _Integer = ...,
        source_text: str = ...,
        *,
        strain: Optional[_Reals] = ...,
        pressure: Optional[_Reals] = ...,
        slope: _Real = ...,
        point_count: _Integer = ...,
    ) -> None: ...
    @property
    def point_count(self) -> int: ...
    @property
    def is_slope_line(self) -> bool: ...
    @property
    def strain(self) -> npt.NDArray[np.float32]: ...
    @strain.setter
    def strain(self, values: _Reals) -> None: ...
    @property
    def pressure(self) -> npt.NDArray[np.float32]: ...
    @pressure.setter
    def pressure(self, values: _Reals) -> None: ...
    def set_points(self, strain: _Reals, pressure: _Reals) -> None: ...
    def set_slope(self, slope: _Real, point_count: _Integer = ...) -> None: ...
    def copy(self) -> CompressibilityCurve: ...

class SettlementPoint:
    point_number: int
    x: np.float32
    y: np.float32
    start_layer: int
    def __init__(
        self,
        point_number: _Integer = ...,
        x: _Real = ...,
        y: _Real = ...,
        start_layer: _Integer = ...,
    ) -> None: ...
    def copy(self) -> SettlementPoint: ...

class LoadedArea:
    area_id: str
    shape: int
    x: np.float32
    y: np.float32
    x_length: np.float32
    y_length: np.float32
    area_slope: np.float32
    loading: np.float32
    elevation: np.float32
    upper_depth: np.float32
    lower_depth: np.float32
    def __init__(
        self,
        area_id: str = ...,
        shape: _Integer = ...,
        x: _Real = ...,
        y: _Real = ...,
        x_length: _Real = ...,
        y_length: _Real = ...,
        area_slope: _Real = ...,
        loading: _Real = ...,
        elevation: _Real = ...,
        upper_depth: _Real = ...,
        lower_depth: _Real = ...,
    ) -> None: ...
    @classmethod
    def spread(
        cls,
        x: _Real,
        y: _Real,
        x_length: _Real,
        y_length: _Real,
        elevation: _Real,
        upper_depth: _Real,
        lower_depth: _Real,
        loading: _Real,
    ) -> LoadedArea: ...
    def copy(self) -> LoadedArea: ...

class Table(MutableSequence[Any]):
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, index: int) -> Any: ...
    @overload
    def __getitem__(self, index: slice) -> list[Any]: ...
    def __setitem__(self, index: Any, value: Any) -> None: ...
    def __delitem__(self, index: Any) -> None: ...
    def insert(self, index: int, value: Any) -> None: ...
    def extend(self, values: Iterable[Any]) -> None: ...
    def __iadd__(self, values: Iterable[Any]) -> Table: ...
    def __iter__(self) -> Iterator[Any]: ...

class Problem:
    title: tuple[str, str]
    unit_system: int
    spread_depth_reference: int
    def __init__(
        self,
        title: Sequence[str] = ...,
        unit_system: _Integer = ...,
        layers: Iterable[SoilLayer] = ...,
        curves: Iterable[CompressibilityCurve] = ...,
        points: Iterable[SettlementPoint] = ...,
        areas: Iterable[LoadedArea] = ...,
        spread_areas: Iterable[LoadedArea] = ...,
        spread_depth_reference: _Integer = ...,
    ) -> None: ...
    @property
    def layers(self) -> Table: ...
    @layers.setter
    def layers(self, items: Iterable[SoilLayer]) -> None: ...
    @property
    def curves(self) -> Table: ...
    @curves.setter
    def curves(self, items: Iterable[CompressibilityCurve]) -> None: ...
    @property
    def points(self) -> Table: ...
    @points.setter
    def points(self, items: Iterable[SettlementPoint]) -> None: ...
    @property
    def areas(self) -> Table: ...
    @areas.setter
    def areas(self, items: Iterable[LoadedArea]) -> None: ...
    @property
    def spread_areas(self) -> Table: ...
    @spread_areas.setter
    def spread_areas(self, items: Iterable[LoadedArea]) -> None: ...
    @property
    def layer_count(self) -> int: ...
    @property
    def curve_count(self) -> int: ...
    @property
    def point_count(self) -> int: ...
    @property
    def area_count(self) -> int: ...
    @property
    def spread_area_count(self) -> int: ...
    @property
    def gravity_factor(self) -> np.float32: ...
    @property
    def settlement_factor(self) -> np.float32: ...
    def write(self, path: Union[str, os.PathLike[str]]) -> None: ...
    def copy(self) -> Problem: ...

class StrainWarning:
    point: int
    sublayer: int
    curve: int
    side: str
    initial_pressure: np.float32
    final_pressure: np.float32
    curve_pressure: np.float32

class Results:
    depths: npt.NDArray[np.float32]
    centre_depths: npt.NDArray[np.float32]
    overburden_pressure: npt.NDArray[np.float32]
    initial_strain: npt.NDArray[np.float32]
    start_sublayer: npt.NDArray[np.int32]
    stress_increase: npt.NDArray[np.float32]
    average_stress_increase: npt.NDArray[np.float32]
    sublayer_settlement: npt.NDArray[np.float32]
    total_settlement: npt.NDArray[np.float32]
    warnings: list[StrainWarning]

class Grid:
    x: npt.NDArray[np.float32]
    y: npt.NDArray[np.float32]
    settlement: npt.NDArray[np.float32]
    spacing: float
    start_layer: int

def read_problem(path: _Path) -> Problem: ...
def analyse(problem: Union[Problem, Project]) -> Any: ...
def settlement_at(
    problem: Problem, x: npt.ArrayLike, y: npt.ArrayLike, start_layer: Optional[_Integer] = ...
) -> Union[np.float32, npt.NDArray[np.float32]]: ...
def settlement_grid(
    problem: Problem | Project | Mapping[str, Any],
    spacing: Optional[_Real] = ...,
    start_layer: Optional[_Integer] = ...,
    executor: Optional[Any] = ...,
    rows_per_task: Optional[int] = ...,
) -> Grid: ...

class Diagnostic:
    severity: str
    path: str
    line: int
    message: str
    def __init__(self, severity: str, path: str, line: int, message: str) -> None: ...

class ProjectError(Error):
    diagnostics: list[Diagnostic]
    errors: list[Diagnostic]
    file: str
    def __init__(self, diagnostics: list[Diagnostic], file: str = ...) -> None: ...

class Project:
    def __init__(self, data: Mapping[str, Any]) -> None: ...
    @classmethod
    def from_dict(cls, data: Mapping[str, Any]) -> Project: ...
    def to_dict(self) -> dict[str, Any]: ...
    def write(self, path: _Path) -> None: ...
    @property
    def method(self) -> str: ...

class ProjectResults:
    settlement: npt.NDArray[np.float64]
    first_counted: npt.NDArray[np.float64]
    layer: npt.NDArray[np.float64]
    top: npt.NDArray[np.float64]
    bottom: npt.NDArray[np.float64]
    sigma_v0: npt.NDArray[np.float64]
    u0: npt.NDArray[np.float64]
    sigma_eff0: npt.NDArray[np.float64]
    water_change: npt.NDArray[np.float64]
    stress_increase: npt.NDArray[np.float64]
    strain: npt.NDArray[np.float64]
    sublayer_settlement: npt.NDArray[np.float64]
    time: Optional[dict[str, npt.NDArray[np.float64]]]
    warnings: list[Diagnostic]
    def to_dict(self) -> dict[str, Any]: ...
    @property
    def names(self) -> list[str]: ...

def read_project(path: _Path) -> Project: ...
def analyse_project(project: Project) -> ProjectResults: ...

class StudyResults:
    method: str
    seed: int
    samples: int
    def __init__(self, tree: dict[str, Any]) -> None: ...
    def to_dict(self) -> dict[str, Any]: ...
    @property
    def names(self) -> list[str]: ...

def study(
    project: Project | Mapping[str, Any],
    executor: Optional[Any] = ...,
    batch_size: Optional[int] = ...,
) -> StudyResults: ...
