"""The logon entry of Holvara.exe installed under a folder with a blank, as under the program-files
folder: the first start writes it quoted, and the command line it holds starts the program.

Wine's process creation quotes such a path by itself, so an unquoted entry would start here too;
the unquoted form is tested on the simulated system with the command line exactly as Windows
passes it. What this test shows is the written entry, and that the program it names starts with
the logon switch and makes its hidden main window.
"""
import re
import shutil
from pathlib import PureWindowsPath

from conftest import require_windows_program
from test_tray_startup import RUN, Tray

FOLDER = PureWindowsPath("C:/Program Files/Holvara")


def install_under_program_files(wine):
    folder = wine.prefix / "drive_c" / "Program Files" / "Holvara"
    folder.mkdir(parents=True, exist_ok=True)
    for name in ("Holvara.exe", "HolvaraResUS.dll", "HolvaraRes.dll"):
        shutil.copy2(require_windows_program(name), folder / name)
    return str(FOLDER / "Holvara.exe")


def test_entry_written_by_a_first_start_in_a_folder_with_a_blank_starts_the_program(wine, display):
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    tray = Tray(wine, display, install_under_program_files(wine), probe)
    tray.fresh_install()

    first = tray.start()
    tray.wait_for_main_window()
    tray.close(first)

    entry = tray.reg("query", RUN, "/v", "Holvara").stdout
    written = re.search(r"Holvara\s+REG_SZ\s+(.*)$", entry, re.M).group(1).strip()
    assert written == f'"{tray.program}" /AutoRun'

    # The logon start: the entry's program with its switch, the "AutoRun" setting on.
    program, switch = re.fullmatch(r'"([^"]+)" (\S+)', written).groups()
    assert tray.settings()["AutoRun"] == 1
    at_logon = tray.start(switch, program=program)
    assert "visible 0" in tray.wait_for_main_window()
    tray.close(at_logon)
