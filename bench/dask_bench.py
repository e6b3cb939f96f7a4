"""Times a project's study on a Dask cluster of one worker and of two, in one
run, against the same samples run here one batch after another.

    PYTHONPATH=build/python /usr/bin/python3 bench/dask_bench.py [PROJECT.toml [REPEATS]]

Each cluster is a distributed.LocalCluster of worker processes with one
thread each on 127.0.0.1; settle.study is given client.get_executor(pure=False) and
the default batch size. Prints the best of REPEATS (3) wall times, the
samples per second, the speed-up of two workers over one and the overhead of
a task (one worker's time against the serial time, over the tasks), and checks
that every run gives the same figures.
"""

from __future__ import annotations

import json
import os
import sys
import time

import settle
from distributed import Client, LocalCluster


def best_time(run, repeats: int) -> tuple:
    """The shortest of `repeats` wall times of run() and its last result."""
    best = float("inf")
    result = None
    for _ in range(repeats):
        start = time.perf_counter()
        result = run()
        best = min(best, time.perf_counter() - start)
    return best, result


def on_cluster(project, workers: int, repeats: int) -> tuple:
    """The best time of the study on a local cluster of `workers` processes."""
    with LocalCluster(
        n_workers=workers,
        processes=True,
        threads_per_worker=1,
        host="127.0.0.1",
        dashboard_address=None,
    ) as cluster, Client(cluster) as client:
        # Not pure: every study's tasks are computed afresh, never taken from
        # the results of an earlier study with the same arguments.
        executor = client.get_executor(pure=False)
        # One study first, untimed: the workers import settle and warm up.
        settle.study(project, executor=executor)
        return best_time(lambda: settle.study(project, executor=executor), repeats)


def main() -> int:
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "study_site.toml")
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    project = settle.read_project(path)
    samples = project.to_dict()["study"]["samples"]
    batch = max(1, -(-samples // 32))
    tasks = -(-samples // batch)

    serial, reference = best_time(lambda: settle.study(project), repeats)
    one, result_one = on_cluster(project, 1, repeats)
    two, result_two = on_cluster(project, 2, repeats)

    text = json.dumps(reference.to_dict(), sort_keys=True)
    same = all(json.dumps(r.to_dict(), sort_keys=True) == text for r in (result_one, result_two))

    print(f"project {path}: {samples} samples, {tasks} tasks of {batch}, best of {repeats}")
    print(f"load average {' '.join(f'{v:.2f}' for v in os.getloadavg())}, {os.cpu_count()} cores")
    print(f"{'run':<10} {'s':>8} {'samples/s':>10}")
    for name, seconds in (("serial", serial), ("1 worker", one), ("2 workers", two)):
        print(f"{name:<10} {seconds:8.3f} {samples / seconds:10.1f}")
    print(f"speed-up of 2 workers over 1: {one / two:.2f}")
    print(f"overhead a task (1 worker against serial): {(one - serial) / tasks * 1000:.1f} ms")
    print(f"same figures for every run: {'yes' if same else 'NO'}")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
