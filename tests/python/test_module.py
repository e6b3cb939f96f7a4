"""The module as a Python library: documented names, a readable help(),
stubs that cover what it exports, and problems built and changed in Python."""

import ast
import inspect
import pydoc
from pathlib import Path

import numpy as np
import pytest

import settle
from cases import EXAMPLES

STUB = Path(settle.__file__).with_name("__init__.pyi")


def public_members(cls):
    for name, member in vars(cls).items():
        if not name.startswith("_"):
            yield name, member


def test_every_exported_name_and_its_members_have_docstrings():
    undocumented = []
    for name in settle.__all__:
        value = getattr(settle, name)
        if not (inspect.isclass(value) or inspect.isfunction(value)):
            continue
        if not inspect.getdoc(value):
            undocumented.append(name)
        if inspect.isclass(value):
            for member_name, member in public_members(value):
                if callable(member) or isinstance(member, (property, classmethod)):
                    if not inspect.getdoc(member):
                        undocumented.append(f"{name}.{member_name}")
                elif hasattr(member, "__get__") and not inspect.getdoc(member):
                    undocumented.append(f"{name}.{member_name}")
    assert undocumented == []


def test_help_names_the_functions_and_classes():
    text = pydoc.render_doc(settle, renderer=pydoc.plaintext)
    for name in ("read_problem", "analyse", "settlement_at", "settlement_grid", "Problem",
                 "DataError", "unit_weight", "curve_index"):  # fmt: skip
        assert name in text
    assert "Positions count from 0" in text


def stub_names(tree):
    names = set()
    for node in tree.body:
        if isinstance(node, (ast.ClassDef, ast.FunctionDef)):
            names.add(node.name)
        elif isinstance(node, ast.AnnAssign):
            names.add(node.target.id)
    return names


def stub_members(tree, class_name):
    for node in tree.body:
        if isinstance(node, ast.ClassDef) and node.name == class_name:
            names = set()
            for item in node.body:
                if isinstance(item, ast.FunctionDef):
                    names.add(item.name)
                elif isinstance(item, ast.AnnAssign):
                    names.add(item.target.id)
            return names
    return set()


def test_the_stubs_cover_every_exported_name_and_field():
    tree = ast.parse(STUB.read_text())
    assert set(settle.__all__) <= stub_names(tree)
    for name in settle.__all__:
        value = getattr(settle, name)
        if inspect.isclass(value) and not issubclass(value, Warning):
            documented = {n for n, _ in public_members(value)}
            documented |= set(getattr(value, "_fields", ()))
            documented |= {n for n in getattr(value, "__slots__", ()) if not n.startswith("_")}
            if issubclass(value, Exception):
                documented = {n for n in documented if n not in ("args",)}
            missing = documented - stub_members(tree, name)
            assert not missing, (name, missing)


def test_a_problem_built_in_python_equals_the_sample_read():
    problem = settle.Problem(title=("SAMPLE FOUNDATION", "TWO CLAY LAYERS"), unit_system=1)
    problem.layers.append(settle.SoilLayer(1, 4.0, 120.0, 1, 1.0))
    problem.layers.append(settle.SoilLayer(2, 10.0, 115.0, 2, 0.8))
    percent = np.float32(100)
    problem.curves.append(
        settle.CompressibilityCurve(
            1,
            "LABORATORY TEST, BORING 1",
            strain=np.float32([1.0, 3.0, 8.0]) / percent,
            pressure=[0.5, 2.0, 8.0],
        )
    )
    problem.curves.append(
        settle.CompressibilityCurve(2, "ESTIMATED", slope=np.float32(2.5) / percent)
    )
    problem.points.append(settle.SettlementPoint(1, 0.0, 0.0, 1))
    problem.areas.append(
        settle.LoadedArea("A1", settle.RECTANGLE, 0.0, 0.0, 10.0, 20.0, 0.0, 2.0, 0.0)
    )
    problem.spread_areas.append(settle.LoadedArea.spread(5.0, 5.0, 4.0, 4.0, 0.0, 0.0, 6.0, 3.0))
    problem.spread_depth_reference = 2
    sample = settle.read_problem(EXAMPLES / "sample" / "sample.dat")
    assert problem == sample
    assert (problem.layer_count, problem.curve_count, problem.point_count) == (2, 2, 1)
    assert (problem.area_count, problem.spread_area_count) == (1, 1)
    assert settle.analyse(problem).total_settlement.tobytes() == (
        settle.analyse(sample).total_settlement.tobytes())  # fmt: skip


def test_changes_to_a_copy_leave_the_original():
    sample = settle.read_problem(EXAMPLES / "sample" / "sample.dat")
    copy = sample.copy()
    copy.layers[0].unit_weight = 130.0
    copy.curves[0].strain[0] = 0.02
    copy.points.append(settle.SettlementPoint(2, 1.0, 1.0, 1))
    assert sample.layers[0].unit_weight == 120.0
    assert sample.curves[0].strain[0] == np.float32(0.01)
    assert sample.point_count == 1
    assert copy != sample
    results = settle.analyse(copy)
    assert results.total_settlement.shape == (2,)
    assert results.total_settlement[0] != settle.analyse(sample).total_settlement[0]


def test_curves_change_their_points_and_become_slope_lines():
    curve = settle.CompressibilityCurve(3, "TEST", strain=[0.01, 0.02], pressure=[1.0, 2.0])
    assert (curve.point_count, curve.is_slope_line) == (2, False)
    curve.strain *= 2
    assert curve.strain.tolist() == [np.float32(0.02), np.float32(0.04)]
    curve.set_points([0.01, 0.02, 0.05], [1.0, 2.0, 8.0])
    assert curve.point_count == 3
    curve.set_slope(0.03, point_count=1)
    assert (curve.point_count, curve.is_slope_line, len(curve.strain)) == (1, True, 0)
    assert curve.slope == np.float32(0.03)
    with pytest.raises(ValueError):
        curve.set_slope(0.03, point_count=2)
    assert "slope=0.03" in repr(curve)


def test_texts_keep_their_characters():
    problem = settle.read_problem(EXAMPLES / "sample" / "sample.dat")
    problem.title = ("caf\u00e9 \u00b1 tab\there", "")
    problem.areas[0].area_id = " / ,"
    copy = problem.copy()
    assert copy.title == ("caf\u00e9 \u00b1 tab\there", "")
    assert copy.areas[0].area_id == " / ,"
