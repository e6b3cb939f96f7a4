"""The fuzzing corpus through the module: every input raises a settle.Error
(or a ValueError for a value no file gives) or returns, and never brings the
interpreter down. Each batch runs in a child interpreter, so that a crash is
seen as a failure naming the batch."""

import json
import subprocess
import sys

import pytest

from cases import CORPUS, NAMES_SEPARATOR

CHILD = r"""
import json, sys, tempfile, warnings
from pathlib import Path
import numpy as np
import settle

warnings.simplefilter("ignore", settle.InputWarning)
separator = json.loads(sys.argv[1]).encode("latin-1")
folder = Path(tempfile.mkdtemp())
for name in sys.argv[2:]:
    data = Path(name).read_bytes().split(separator)[0]
    path = folder / "problem.dat"
    path.write_bytes(data)
    try:
        problem = settle.read_problem(path)
    except settle.DataError as error:
        problem = error.problem
        if problem is None:
            print(Path(name).name, "stopped:", error.kind, flush=True)
            continue
    except settle.InputError as error:
        print(Path(name).name, "not read:", error.kind, flush=True)
        continue
    outcome = "read"
    try:
        results = settle.analyse(problem)
        settle.settlement_at(problem, [0.0, 1.0], [0.0, -1.0])
        outcome += ", analysed"
    except settle.Error as error:
        outcome += ", stopped: " + error.kind
    problem.write(folder / "again.dat")
    again = settle.read_problem(folder / "again.dat") if outcome.endswith("analysed") else None
    if again is not None and again != problem:
        print(Path(name).name, "ROUND TRIP DIFFERS", flush=True)
        sys.exit(2)
    print(Path(name).name, outcome, flush=True)
"""

INPUTS = sorted(CORPUS.iterdir())
BATCHES = 4


def test_the_corpus_is_there():
    assert len(INPUTS) > 100


@pytest.mark.parametrize("batch", range(BATCHES))
def test_every_input_raises_or_returns(batch):
    names = [str(path) for path in INPUTS[batch::BATCHES]]
    separator = json.dumps(NAMES_SEPARATOR.decode("latin-1"))
    done = subprocess.run([sys.executable, "-c", CHILD, separator, *names], capture_output=True,
                          timeout=600)  # fmt: skip
    lines = done.stdout.decode().splitlines()
    assert done.returncode == 0, (
        f"the interpreter ended with status {done.returncode} after {len(lines)} inputs; "
        f"the next was {names[len(lines)] if len(lines) < len(names) else '-'}\n"
        + done.stderr.decode(errors="replace")[-3000:])  # fmt: skip
    assert len(lines) == len(names)
