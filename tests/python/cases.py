"""Where the Python tests find their cases and the programs built beside the module."""

import os
import shutil
import subprocess
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
EXAMPLES = ROOT / "examples"
E2E = ROOT / "tests" / "data" / "e2e"
CORPUS = ROOT / "fuzz" / "corpus"
DOCS = ROOT / "docs"

BUILD_DIR = Path(os.environ.get("SETTLE_BUILD_DIR", ROOT / "build"))
SETTLE_EXE = Path(os.environ.get("SETTLE_EXE", BUILD_DIR / "settle"))
SETTLE_PLOT_EXE = BUILD_DIR / "settle-plot"

# Inputs of the fuzzer may carry names.dat after this line.
NAMES_SEPARATOR = b"\n==names.dat==\n"


# Files of a case folder that ask its run for more than names.dat: such cases
# test the run itself (tests/run/end_to_end_test.cpp), not the problem.
SETUP_FILES = ("arguments", "environment", "program", "before", "lock_held", "interrupt",
               "posix_only")


def case_folders():
    """The example and end-to-end folders that hold an archived problem with
    reviewed outputs and ask for a plain run, in name order."""
    folders = [
        f
        for root in (EXAMPLES, E2E)
        for f in root.iterdir()
        if (f / "expected").is_dir()
        and (f / "names.dat").exists()
        and not any((f / name).exists() for name in SETUP_FILES)
    ]
    return sorted(folders)


def names_of(folder):
    """The four file names of names.dat: problem, report, auxiliary, trace."""
    lines = (folder / "names.dat").read_bytes().decode("latin-1").splitlines()
    return [line.strip() for line in lines[:4]]


def problem_path(folder):
    return folder / names_of(folder)[0]


def expected_output(folder, which):
    """The reviewed output of a case: which is 1 (report), 2 (auxiliary) or 3 (trace)."""
    return (folder / "expected" / Path(names_of(folder)[which]).name).read_bytes()


def fixed(value, decimals):
    """A single-precision value as an F field prints it: rounded half away from zero."""
    return Decimal(float(value)).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)


def table7_totals(report_text):
    """The TOTAL row values of Table 7, point after point, as printed."""
    totals = []
    for line in report_text.splitlines():
        if line.lstrip().startswith("TOTAL("):
            totals.extend(line.split(")", 1)[1].split())
    return totals


def aux_point_values(aux_text):
    """The (x, y, total) texts of the auxiliary file's point records."""
    lines = aux_text.splitlines()
    records = []
    for k, line in enumerate(lines):
        if line.startswith("#"):
            records.append(lines[k + 1].split())
    return records


def run_settle(folder, executable=SETTLE_EXE):
    """Runs settle in `folder`; returns the completed process."""
    return subprocess.run([str(executable)], cwd=folder, capture_output=True, timeout=120)


def copy_case(folder, target):
    """Copies names.dat and the problem file of a case into `target`."""
    shutil.copy(folder / "names.dat", target / "names.dat")
    shutil.copy(problem_path(folder), target / names_of(folder)[0])
