"""Shared fixtures: the command line program under test, run as a user would."""
import json
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def cli():
    """Runs repeat-orbit with the given arguments; returns the finished process."""
    program = os.environ["REPEAT_ORBIT_CLI"]

    def run(*args, check=True):
        done = subprocess.run([program, *map(str, args)], capture_output=True, text=True, timeout=600)
        if check and done.returncode != 0:
            raise AssertionError(f"repeat-orbit {' '.join(map(str, args))} exited {done.returncode}: {done.stderr}")
        return done

    return run


@pytest.fixture(scope="session")
def cli_json(cli):
    """Runs repeat-orbit with --json appended and parses what it prints."""

    def run(*args):
        return json.loads(cli(*args, "--json").stdout)

    return run
