"""Problem.write: a file that the program and the module read back to the same
values, on every example and end-to-end case."""

import shutil
import warnings

import numpy as np
import pytest

import settle
from cases import case_folders, expected_output, names_of, problem_path, run_settle


def read_case(path):
    """The problem of a file, also when the program stops on a curve pressure
    (the problem is then read to its end); None when the reading stops earlier."""
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", settle.InputWarning)
        try:
            return settle.read_problem(path)
        except settle.DataError as error:
            return error.problem
        except settle.InputError:
            return None


def bits(problem):
    """Every value of a problem, reals by their bit patterns (a -0.0 is not a 0.0)."""

    def value(v):
        if isinstance(v, np.ndarray):
            return v.astype(np.float32).tobytes()
        if isinstance(v, np.floating):
            return np.float32(v).tobytes()
        return v

    def record(r):
        return tuple(value(getattr(r, name)) for name in r._fields)

    return (
        problem.title,
        problem.unit_system,
        problem.spread_depth_reference,
        [record(r) for r in problem.layers],
        [record(r) for r in problem.curves],
        [record(r) for r in problem.points],
        [record(r) for r in problem.areas],
        [record(r) for r in problem.spread_areas],
    )


WRITTEN = [f for f in case_folders() if read_case(problem_path(f)) is not None]


def exit_status(folder):
    path = folder / "expected" / "exit_status"
    return path.read_text().strip() if path.exists() else "0"


# The cases the program runs to their end or to a curve pressure (not those
# whose names.dat names one file twice).
RUN = [f for f in WRITTEN if exit_status(f) in ("0", "3")]


def test_most_cases_are_written():
    # Two cases do not read, three stop at a limit, one at its data errors.
    assert len(WRITTEN) == len(case_folders()) - 6
    assert len(RUN) == len(WRITTEN) - 2


@pytest.mark.parametrize("folder", WRITTEN, ids=lambda f: f.name)
def test_the_module_reads_the_written_file_back_to_the_same_values(folder, tmp_path):
    problem = read_case(problem_path(folder))
    problem.write(tmp_path / "written.dat")
    again = read_case(tmp_path / "written.dat")
    assert again == problem
    assert bits(again) == bits(problem)
    # Lines end CR LF, as the program's files do.
    text = (tmp_path / "written.dat").read_bytes()
    assert text.count(b"\r\n") == text.count(b"\n")


@pytest.mark.parametrize("folder", RUN, ids=lambda f: f.name)
def test_the_program_run_on_the_written_file_writes_the_same_outputs(folder, tmp_path):
    problem = read_case(problem_path(folder))
    shutil.copy(folder / "names.dat", tmp_path / "names.dat")
    problem.write(tmp_path / names_of(folder)[0])
    run_settle(tmp_path)
    for which in (1, 2, 3):
        written = (tmp_path / names_of(folder)[which]).read_bytes()
        assert written == expected_output(folder, which), names_of(folder)[which]
