"""Field values of the problem's records: single-precision reals, 32-bit
integers and fixed-column texts, checked as they are set."""

from __future__ import annotations

import numbers
import operator
from typing import Any

import numpy as np

_INT32 = (-(2**31), 2**31 - 1)

# Text fields hold bytes of the file, one character each.
_TEXT_ENCODING = "latin-1"


def _real(value: Any, name: str) -> np.float32:
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name} takes a number, not {type(value).__name__}")
    with np.errstate(over="ignore"):
        number = np.float32(value)
    if not np.isfinite(number):
        raise ValueError(f"{name} takes a finite single-precision number, not {value!r}")
    return number


def _integer(value: Any, name: str) -> int:
    try:
        number = operator.index(value)
    except TypeError:
        raise TypeError(f"{name} takes an integer, not {type(value).__name__}") from None
    if not _INT32[0] <= number <= _INT32[1]:
        raise ValueError(f"{name} takes a 32-bit integer, not {number}")
    return int(number)


def _text_value(value: Any, name: str, width: int) -> str:
    if not isinstance(value, str):
        raise TypeError(f"{name} takes a str, not {type(value).__name__}")
    try:
        encoded = value.encode(_TEXT_ENCODING)
    except UnicodeEncodeError:
        raise ValueError(f"{name} takes characters of Latin-1 only (one byte each)") from None
    if len(encoded) > width:
        raise ValueError(f"{name} holds {width} characters at most, not {len(encoded)}")
    if "\n" in value:
        raise ValueError(f"{name} cannot hold a line feed")
    return value.rstrip(" ")


def _text(raw: bytes) -> str:
    return raw.decode(_TEXT_ENCODING).rstrip(" ")


def _message(raw: bytes) -> str:
    """A message of the program, which quotes the file's texts byte for byte."""
    return raw.decode(_TEXT_ENCODING)


def _reals(values: Any, name: str) -> np.ndarray:
    with np.errstate(over="ignore"):
        array = np.array(values, dtype=np.float32, copy=True).reshape(-1)
    if not np.all(np.isfinite(array)):
        raise ValueError(f"{name} takes finite single-precision numbers")
    return array


class _Field:
    """A typed attribute of a record, kept in the slot named with a leading underscore."""

    def __init__(self, doc: str) -> None:
        self.__doc__ = doc

    def __set_name__(self, owner: type, name: str) -> None:
        self.name = name
        self.slot = "_" + name

    def __get__(self, obj: Any, objtype: Any = None) -> Any:
        if obj is None:
            return self
        return getattr(obj, self.slot)

    def __set__(self, obj: Any, value: Any) -> None:
        setattr(obj, self.slot, self.convert(value))

    def convert(self, value: Any) -> Any:
        raise NotImplementedError


class _Real(_Field):
    def convert(self, value: Any) -> np.float32:
        return _real(value, self.name)


class _Integer(_Field):
    def convert(self, value: Any) -> int:
        return _integer(value, self.name)


class _Text(_Field):
    def __init__(self, width: int, doc: str) -> None:
        super().__init__(doc)
        self.width = width

    def convert(self, value: Any) -> str:
        return _text_value(value, self.name, self.width)


class _Record:
    """Field-by-field equality and a readable repr for the problem's records."""

    __slots__ = ()
    _fields: tuple = ()

    def __eq__(self, other: object) -> bool:
        if type(other) is not type(self):
            return NotImplemented
        for name in self._fields:
            a, b = getattr(self, name), getattr(other, name)
            if isinstance(a, np.ndarray):
                if not np.array_equal(a, b):
                    return False
            elif a != b:
                return False
        return True

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        # Single-precision values in the fewest digits that give them back.
        def shown(value: Any) -> str:
            if isinstance(value, np.ndarray):
                return "[" + ", ".join(str(v) for v in value) + "]"
            if isinstance(value, np.floating):
                return str(value)
            return repr(value)

        values = ", ".join(f"{name}={shown(getattr(self, name))}" for name in self._fields)
        return f"{type(self).__name__}({values})"

    def copy(self) -> Any:
        """A copy of the record (arrays included)."""
        twin = object.__new__(type(self))
        for slot in self.__slots__:
            value = getattr(self, slot)
            setattr(twin, slot, value.copy() if isinstance(value, np.ndarray) else value)
        return twin
