"""A removal that the system refuses, with the reason: HolvaraServiceSim.exe serves in-use.json
(its enclosure's member with E: is held open by FanControl.exe, process 16148) through Wine's
service manager. HolvaraCli.exe names the program and exits "refused"; a real click on that member
in the device menu of Holvara.exe ends in a box that names it too.

Screenshot: build/wine/screenshots/clicks-en-removal-refused.png (the README's picture).
"""
import json
import re

import pytest

from conftest import require_windows_program
from harness import paths
from harness.tray import MENU_CLASS, TrayProgram
from tray_locale import user_locale

SERVICE = "HolvaraService"
CAPTION = "ZELTO Dock Warden"
MACHINE_KEY = r"HKLM\Software\ZELTO\Holvara\Common"
INSTALLATION_MARKER = 141421356
IN_USE = paths.MACHINES / "in-use.json"
REFUSED = 1


@pytest.fixture(scope="module")
def in_use_service(wine, services):
    [service_exe, machine] = wine.install(require_windows_program("HolvaraServiceSim.exe"), IN_USE)
    wine.run(["reg", "delete", r"HKCU\Software\ZELTO", "/f"])
    with services.running(SERVICE, f"{service_exe} --machine {machine}"):
        yield


@pytest.fixture(scope="module")
def cli(wine):
    [exe] = wine.install(require_windows_program("HolvaraCli.exe"))
    return exe


def listed_letters(wine, cli):
    result = wine.run([cli, "list", "--json"], timeout=60)
    assert result.returncode == 0, result.stderr
    return [device["driveLetters"] for device in json.loads(result.stdout)["devices"]]


def test_the_command_line_names_the_program_and_refuses(in_use_service, wine, cli):
    held = wine.run([cli, "remove", "E:"], timeout=60)
    assert held.returncode == REFUSED, held.stdout + held.stderr
    assert "FanControl.exe (process 16148, C:\\Program Files\\FanControl\\FanControl.exe)" in held.stderr, held.stderr
    assert held.stdout == ""

    as_json = wine.run([cli, "remove", "F:", "--json"], timeout=60)
    assert as_json.returncode == REFUSED, as_json.stderr
    [removal] = json.loads(as_json.stdout)["removals"]
    assert removal["result"] == "refused"
    assert removal["vetoType"] == "outstandingOpen"
    assert [(p["processId"], p["path"]) for p in removal["programs"]] == [
        (9176, "C:\\Windows\\System32\\dllhost.exe"),
        (5120, "F:\\PortableApps\\PhotoSorter\\PhotoSorter.exe")]

    driver = wine.run([cli, "remove", "H:"], timeout=60)
    assert driver.returncode == REFUSED
    assert "the driver \\Driver\\snapfilt refused the removal" in driver.stderr, driver.stderr
    # Nothing refused went away.
    assert {"E", "F", "H"} <= set(listed_letters(wine, cli))


def test_a_click_on_the_held_member_ends_in_a_box_naming_the_program(in_use_service, wine, shell, display, cli):
    program, *_ = wine.install(*(require_windows_program(name) for name in
                                 ("Holvara.exe", "HolvaraResUS.dll", "HolvaraRes.dll")))
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    wine.run(["reg", "add", MACHINE_KEY, "/v", "CurrentMode", "/t", "REG_DWORD", "/d", str(INSTALLATION_MARKER), "/f"])
    tray = TrayProgram(wine, program, probe)
    with user_locale(wine, "en"):
        process = tray.start()
    try:
        icon = shell.wait_for_icon(30)
        shell.click(icon)
        menu, _ = tray.wait_shown(MENU_CLASS)
        # Below the unit's header, its first member (E:).
        top, bottom = shell.text_rows(menu)[1]
        shell.click(((menu[0] + menu[2]) // 2, (top + bottom) // 2))
        tray.wait_closed(MENU_CLASS)
        box = tray.probe("box", CAPTION, "30000")
        assert box.returncode == 0, "no box at the end of the removal"
        shell.point_at((100, 100))
        display.screenshot("clicks-en-removal-refused")
        texts = [bytes.fromhex(text).decode("cp1252") for text in re.findall(r"^text (\w+)$", box.stdout, re.M)]
        assert any("Close FanControl.exe (process 16148) and try again." in text for text in texts), texts
        assert tray.probe("answer", CAPTION).returncode == 0
        assert "E" in listed_letters(wine, cli)
    finally:
        if process.poll() is None:
            tray.close(process)
