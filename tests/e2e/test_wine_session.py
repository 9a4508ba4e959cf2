"""The harness itself: console output is captured and a hung program is ended at its time limit."""
import time

import pytest

from harness.wine import ProgramTimeout


def test_console_output_and_exit_code_are_captured(wine):
    result = wine.run(["cmd", "/c", "echo holvara& exit 3"])
    assert result.returncode == 3
    assert result.stdout.strip() == "holvara"


def test_program_outliving_its_time_limit_is_ended(wine):
    began = time.monotonic()
    with pytest.raises(ProgramTimeout):
        wine.run(["cmd", "/c", "ping -n 30 127.0.0.1 >nul"], timeout=2)
    assert time.monotonic() - began < 10
