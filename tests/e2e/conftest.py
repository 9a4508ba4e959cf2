"""Fixtures of the end-to-end tests: one Wine session (prefix, wineserver, X display) per run."""
import re
import shutil

import pytest

from harness import paths
from harness.display import VirtualDisplay
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.shell_desktop import ShellDesktop
from harness.wine import WineSession


@pytest.fixture(scope="session")
def registry():
    shutil.rmtree(paths.LOGS, ignore_errors=True)
    registry = ProcessRegistry()
    yield registry
    registry.end_all()


@pytest.fixture(scope="session")
def display(registry):
    return VirtualDisplay(registry, paths.LOGS / "session")


@pytest.fixture(scope="session")
def wine(registry, display):
    session = WineSession(registry, display, paths.LOGS / "session")
    try:
        yield session
    finally:
        session.end()


@pytest.fixture(autouse=True)
def _per_test_logs_and_processes(request):
    """Gives each test its own log folder, so a failure's program output is easy to find, and
    ends whatever the test started and left running, so that the next test starts clean."""
    if "wine" not in request.fixturenames:
        yield
        return
    wine = request.getfixturevalue("wine")
    registry = request.getfixturevalue("registry")
    wine.log_dir = paths.LOGS / re.sub(r"[^\w.-]+", "_", request.node.name)
    mark = registry.mark()
    yield
    registry.end_since(mark)


@pytest.fixture(scope="session")
def services(wine):
    return ServiceControl(wine)


@pytest.fixture(scope="module")
def shell(wine, display):
    """Wine's virtual desktop "shell" for the rest of the module (the tests that use it come last
    in theirs); the other modules keep Wine's usual desktop."""
    desktop = ShellDesktop(wine, display)
    desktop.switch_on()
    try:
        yield desktop
    finally:
        desktop.switch_off()


def require_windows_program(name):
    """The built .exe, or a skip when the Windows build does not have it."""
    program = paths.windows_program(name)
    if program is None:
        pytest.skip(f"{name} is not built in {paths.WINDOWS_BUILD}")
    return program


def require_native_program(name):
    program = paths.native_program(name)
    if program is None:
        pytest.skip(f"{name} is not built in {paths.NATIVE_BUILD}")
    return program


@pytest.fixture
def testclient(wine):
    from harness.testclient import TestClient

    [exe] = wine.install(require_windows_program("holvara-testclient.exe"))
    return TestClient(wine, exe)
