"""settle.study: the statistics of a project's study are the same bits run
serially, on a thread pool, on a process pool and on a Dask cluster of two
worker processes, and equal the study file of `settle study PROJECT.toml`.
So are the rows of a project's settlement grid, put together from tasks."""

import concurrent.futures
import json
import multiprocessing
import subprocess

import numpy as np
import pytest

import settle
from cases import SETTLE_EXE


def tanks():
    return {
        "schema_version": 1,
        "title": "Two tanks on soft clay",
        "units": "SI",
        "soils": {
            "clay": {"model": "index", "cc": 0.4, "cr": 0.05, "e0": 1.2, "ocr": 1.2, "cv": 2.0}
        },
        "layers": [{"bottom": 6.0, "soil": "clay", "unit_weight": 18.0}],
        "points": [
            {"name": "T1-centre", "x": 0.0, "y": 0.0},
            {"name": "T1-edge", "x": 10.0, "y": 0.0},
            {"name": "T2-centre", "x": 30.0, "y": 0.0},
        ],
        "loads": [
            {"kind": "circle", "name": "T1", "x": 0.0, "y": 0.0, "diameter": 20.0,
             "pressure": 100.0},
            {"kind": "circle", "name": "T2", "x": 30.0, "y": 0.0, "diameter": 12.0,
             "pressure": 80.0},
        ],  # fmt: skip
        "consolidation": {"times": [10.0, 100.0, 1000.0]},
        "study": {
            "samples": 96,
            "method": "lhs",
            "seed": 20261209,
            "settlement_limit": 150.0,
            "distortion_limit": 0.002,
            "parameters": [
                {"target": "soils.clay.cc", "distribution": "lognormal", "cov": 0.25},
                {"target": "soils.clay.cv", "distribution": "uniform", "low": 1.0, "high": 3.0},
                {"target": "loads[2].pressure", "distribution": "normal", "sd": 8.0},
            ],
            "correlations": [{"a": "soils.clay.cc", "b": "soils.clay.cv", "rho": -0.4}],
        },
    }


def bits(results):
    return json.dumps(results.to_dict(), sort_keys=True)


def grid_bits(grid):
    return grid.settlement.tobytes(), grid.x.tobytes(), grid.y.tobytes()


def test_the_grid_here_holds_the_points_settlements_at_their_nodes():
    project = settle.Project.from_dict(tanks())
    grid = settle.settlement_grid(project, spacing=2.0)
    assert grid.settlement.shape == (len(grid.y), len(grid.x)) and grid.start_layer == 1
    results = settle.analyse_project(project)
    for k, x in enumerate((0.0, 10.0, 30.0)):
        node = grid.settlement[list(grid.y).index(0.0), list(grid.x).index(x)]
        assert node == np.float32(results.settlement[k])
    with pytest.raises(ValueError, match="start_layer 2"):
        settle.settlement_grid(project, start_layer=2)


def test_every_executor_gives_the_serial_bits():
    project = settle.Project.from_dict(tanks())
    serial = settle.study(project)
    expected = bits(serial)
    assert serial.seed == 20261209 and serial.samples == 96 and serial.method == "lhs"
    assert serial.names == ["T1-centre", "T1-edge", "T2-centre"]
    assert bits(settle.study(project, batch_size=7)) == expected
    grid = grid_bits(settle.settlement_grid(project))
    with concurrent.futures.ThreadPoolExecutor(max_workers=3) as pool:
        assert bits(settle.study(project, executor=pool, batch_size=5)) == expected
        assert grid_bits(settle.settlement_grid(project, executor=pool, rows_per_task=4)) == grid
    context = multiprocessing.get_context("spawn")
    with concurrent.futures.ProcessPoolExecutor(max_workers=2, mp_context=context) as pool:
        assert bits(settle.study(tanks(), executor=pool, batch_size=11)) == expected
        assert grid_bits(settle.settlement_grid(tanks(), executor=pool, rows_per_task=7)) == grid


def test_a_dask_cluster_of_two_worker_processes_gives_the_serial_bits():
    # Debian's python3-distributed, which the README's install line brings:
    # CI runs this test, it does not skip it.
    import dask.distributed as distributed

    expected = bits(settle.study(tanks()))
    grid = grid_bits(settle.settlement_grid(tanks()))
    with distributed.LocalCluster(
        n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
        dashboard_address=None,
    ) as cluster, distributed.Client(cluster) as client:  # fmt: skip
        assert bits(settle.study(tanks(), executor=client.get_executor(), batch_size=9)) == expected
        rows = settle.settlement_grid(tanks(), executor=client.get_executor(), rows_per_task=5)
        assert grid_bits(rows) == grid


def test_the_study_file_of_the_command_holds_the_same_values(tmp_path):
    project = settle.Project.from_dict(tanks())
    project.write(tmp_path / "tanks.toml")
    run = subprocess.run([SETTLE_EXE, "study", "tanks.toml"], cwd=tmp_path, capture_output=True,
                         text=True)  # fmt: skip
    assert run.returncode == 0, run.stderr
    assert run.stderr == "settle: study of 96 samples, seed 20261209\n"
    written = json.loads((tmp_path / "tanks.study.json").read_text())
    assert written == settle.study(project).to_dict()


def test_a_study_whose_data_stop_it_names_the_key():
    data = tanks()
    data["study"]["parameters"][2]["sd"] = -1.0
    with pytest.raises(settle.ProjectError) as caught:
        settle.study(data)
    assert caught.value.errors[0].path == "study.parameters[3].sd"
    data = tanks()
    data["study"]["parameters"][2] = {"target": "layers[1].bottom", "distribution": "normal",
                                      "sd": 4.0}  # fmt: skip
    with pytest.raises(settle.ProjectError, match="sample [0-9]+ of the study"):
        settle.study(data, batch_size=10)
