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


# Where the build puts programs: the test-only tools, and what ships and the demo runs. The tools
# come first, so that a copy left in apps/ by a build from before they moved is never taken.
PROGRAM_FOLDERS = ("tests/tools", "apps")


def find_program(build_dir, file_name):
    """The built program of that name below build_dir/tests/tools or build_dir/apps, or None when
    it was not built."""
    for folder in PROGRAM_FOLDERS:
        programs = build_dir / folder
        if not programs.is_dir():
            continue
        for path in sorted(programs.rglob(file_name)):
            if path.is_file() and os.access(path, os.R_OK):
                return path
    return None


def windows_program(name):
    return find_program(WINDOWS_BUILD, name)


def native_program(name):
    return find_program(NATIVE_BUILD, name)
