"""Where the sources, the builds and the test's own files live."""
import os
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]


def _dir_from_env(variable, default):
    value = os.environ.get(variable)
    return Path(value).resolve() if value else REPO / default


WINDOWS_BUILD = _dir_from_env("HOLVARA_WINDOWS_BUILD", "build/windows")
NATIVE_BUILD = _dir_from_env("HOLVARA_NATIVE_BUILD", "build/native")
WINE_ROOT = _dir_from_env("HOLVARA_WINE_ROOT", "build/wine")
PREFIX = WINE_ROOT / "prefix"
LOGS = WINE_ROOT / "logs"
SCREENSHOTS = WINE_ROOT / "screenshots"
PID_FILE = WINE_ROOT / "pids"
MACHINES = REPO / "examples" / "machines"


def find_program(build_dir, file_name):
    """The built program of that name below build_dir/apps (or build_dir/tests/tools, the
    test-only programs), or None when it was not built."""
    for folder in (build_dir / "apps", build_dir / "tests" / "tools"):
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob(file_name)):
            if path.is_file() and os.access(path, os.R_OK):
                return path
    return None


def windows_program(name):
    return find_program(WINDOWS_BUILD, name)


def native_program(name):
    return find_program(NATIVE_BUILD, name)
