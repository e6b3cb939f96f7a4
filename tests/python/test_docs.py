"""docs/python.md runs as written: its Python blocks, in order in one
namespace from the top of the source tree, print the outputs shown after them."""

import contextlib
import io
import os
import re

import pytest

from cases import DOCS, ROOT

FENCE = re.compile(r"```(\w*)\n(.*?)```", re.DOTALL)


def examples():
    """(code, expected output or None) for each Python block of the page."""
    blocks = [
        (m.group(1), m.group(2), m.end()) for m in FENCE.finditer((DOCS / "python.md").read_text())
    ]
    pairs = []
    for k, (kind, text, _) in enumerate(blocks):
        if kind != "python":
            continue
        following = blocks[k + 1] if k + 1 < len(blocks) else None
        output = following[1] if following and following[0] == "text" else None
        pairs.append((text, output))
    return pairs


def test_the_page_has_its_examples():
    assert len(examples()) >= 5
    assert all(output is not None for _, output in examples())


@pytest.mark.filterwarnings("error")
def test_every_example_prints_what_the_page_shows(monkeypatch):
    monkeypatch.chdir(ROOT)
    namespace = {}
    for code, expected in examples():
        printed = io.StringIO()
        with contextlib.redirect_stdout(printed):
            exec(compile(code, str(DOCS / "python.md"), "exec"), namespace)
        assert printed.getvalue() == expected, code
