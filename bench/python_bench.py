#!/usr/bin/python3
"""A parameter study two ways, timed in one run: 1000 analyses of the sample
through the Python module, and 1000 runs of the settle program, each in a
folder of its own (write the problem file and names.dat, run settle, read
the total from the auxiliary file). The two give the same totals.

usage: PYTHONPATH=BUILD/python /usr/bin/python3 bench/python_bench.py BUILD/settle [RUNS]
(RUNS: how many of the 1000 program runs to make, default all; the module
always makes its 1000.)
"""

import os
import subprocess
import sys
import tempfile
import time
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

import numpy as np

import settle

ROOT = Path(__file__).resolve().parents[1]
SAMPLE = ROOT / "examples" / "sample" / "sample.dat"
NAMES = "problem.dat\nreport.rpt\naux.dat\ntrace.trc\n"

# 40 unit weights of layer 1 (pcf) by 25 factors on the strains of curve 1.
UNIT_WEIGHTS = np.arange(100.0, 140.0, 1.0)
FACTORS = np.linspace(0.76, 1.24, 25)
BASE_STRAINS = np.float32([1.0, 3.0, 8.0])  # percent


def variants(problem):
    """Each (unit weight, factor) of the study, the problem set to it in place."""
    for unit_weight in UNIT_WEIGHTS:
        problem.layers[0].unit_weight = unit_weight
        for factor in FACTORS:
            problem.curves[0].strain = BASE_STRAINS * np.float32(factor) / np.float32(100)
            yield unit_weight, factor


def aux_total(text):
    """The first point's total settlement in an auxiliary file."""
    lines = text.splitlines()
    return lines[lines.index("#  1") + 1].split()[2]


def seven_digits(value):
    """`value` as the auxiliary file shows it (7 significant digits, rounded half up)."""
    exact = Decimal(float(value))
    return exact.quantize(Decimal(1).scaleb(exact.adjusted() - 6), rounding=ROUND_HALF_UP)


def main():
    settle_exe = Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else len(UNIT_WEIGHTS) * len(FACTORS)
    problem = settle.read_problem(SAMPLE)

    start = time.perf_counter()
    module_totals = [settle.analyse(problem).total_settlement[0] for _ in variants(problem)]
    module_seconds = time.perf_counter() - start

    program_totals = []
    with tempfile.TemporaryDirectory() as work:
        start = time.perf_counter()
        for k, _ in enumerate(variants(problem)):
            if k == runs:
                break
            folder = Path(work) / f"run{k:04d}"
            folder.mkdir()
            problem.write(folder / "problem.dat")
            (folder / "names.dat").write_text(NAMES)
            subprocess.run([str(settle_exe)], cwd=folder, check=True, capture_output=True)
            program_totals.append(aux_total((folder / "aux.dat").read_text()))
        program_seconds = time.perf_counter() - start

    same = all(seven_digits(m) == Decimal(p) for m, p in zip(module_totals, program_totals))
    load = os.getloadavg()[0]
    print(f"machine: {os.cpu_count()} cores, load average {load:.2f}")
    print(f"module:  {len(module_totals):5d} analyses in {module_seconds:7.3f} s "
          f"({1000 * module_seconds / len(module_totals):.3f} ms each)")  # fmt: skip
    print(f"program: {len(program_totals):5d} runs     in {program_seconds:7.3f} s "
          f"({1000 * program_seconds / len(program_totals):.3f} ms each)")  # fmt: skip
    per_run = (program_seconds / len(program_totals)) / (module_seconds / len(module_totals))
    print(f"one analysis in the module takes 1/{per_run:.0f} of a run of the program")
    print(f"totals equal to the auxiliary files' digits: {'yes' if same else 'NO'}")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
