"""What the user clicks, for real: Holvara.exe on Wine's virtual desktop "shell" with
HolvaraServiceSim.exe serving the enclosure machine, the pointer moved and clicked with xdotool.
A left click opens the device menu, whose choice removes a member of the unit; a double click
opens the remove-device dialog; a right click opens the owner-drawn command menu, whose commands
open their dialogs and the help; "Exit" ends the program. Menu items are clicked where their text
rows are in a screenshot (Wine keeps another program's menu handles to itself). In English and in
Japanese, one program start per language shared by its tests (each leaves the program as it found
it, "Exit" comes last).

Screenshots: build/wine/screenshots/clicks-<language>-<what>.png; clicks-en-192dpi-<what>.png are
the command menu and its dialogs at 200% display scaling.
"""
import contextlib
import json
import re
import stat

import pytest

from conftest import require_windows_program
from harness import paths
from harness.tray import DIALOG_CLASS, MENU_CLASS, TrayProgram
from harness.waiting import wait_until
from tray_locale import user_locale

SERVICE = "HolvaraService"
CAPTION = "ZELTO Dock Warden"
MACHINE_KEY = r"HKLM\Software\ZELTO\Holvara\Common"
INSTALLATION_MARKER = 141421356
ENCLOSURE = paths.MACHINES / "pm-enclosure.json"
# Slow enough that the balloon shown during a removal can be seen.
REMOVAL_MS = 3000
BROWSER_KEY = r"HKCU\Software\Wine\WineBrowser"
HTML_KEY = r"HKCR\.html"
# Wine reads the display's density from the user's key, else from the machine's.
DPI_KEYS = [r"HKCU\Control Panel\Desktop", r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]

REMOVE_DEVICE_TITLE = {"en": b"Safely Remove Hardware",
                       "ja": "ハードウェアの安全な取り外し".encode("cp932")}
# The command menu's items from the top, its separator not counted.
COMMANDS = {"remove-device": 0, "settings": 1, "help": 2, "version": 3, "exit": 4}
# Somewhere on the desktop away from the menus and dialogs: a click there closes a menu.
EMPTY_DESKTOP = (100, 100)


class RunningTray:
    def __init__(self, program, process, shell, display, language, dpi):
        self.program = program
        self.process = process
        self.shell = shell
        self.display = display
        self.language = language
        self.dpi = dpi

    def screenshot(self, what):
        scaled = "" if self.dpi == 96 else f"-{self.dpi}dpi"
        return self.display.screenshot(f"clicks-{self.language}{scaled}-{what}")

    def icon(self):
        return self.shell.wait_for_icon(30)

    def open_command_menu(self):
        self.shell.click(self.icon(), button=3)
        return self.program.wait_shown(MENU_CLASS)

    def screenshot_menu(self, menu, what):
        """With the pointer on the menu's top left corner: no item selected, no tip of the icon."""
        self.shell.point_at((menu[0] + 1, menu[1] + 1))
        self.screenshot(what)

    def click_item(self, menu, index):
        """Clicks the item of the open menu at menu (its screen rectangle), counted from the top
        without the separators."""
        rows = self.shell.text_rows(menu)
        top, bottom = rows[index]
        self.shell.click(((menu[0] + menu[2]) // 2, (top + bottom) // 2))
        self.program.wait_closed(MENU_CLASS)

    def choose(self, command):
        menu, _ = self.open_command_menu()
        self.click_item(menu, COMMANDS[command])


@pytest.fixture
def recording_browser(wine):
    """A prefix made without Wine's HTML engine has no program for .html documents (the program
    shows its "not found" box). Here they go to Wine's "htmlfile" class, whose browser launcher
    hands them to the first browser of its list: a script that notes what it was asked to open.
    Returns the file of its notes."""
    folder = wine.log_dir
    folder.mkdir(parents=True, exist_ok=True)
    opened = folder / "browser-opened.txt"
    script = folder / "record-browser"
    script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{opened}"\n')
    script.chmod(script.stat().st_mode | stat.S_IXUSR)
    wine.run(["reg", "add", HTML_KEY, "/ve", "/d", "htmlfile", "/f"])
    wine.run(["reg", "add", BROWSER_KEY, "/v", "Browsers", "/d", str(script), "/f"])
    yield opened
    for key in (HTML_KEY, BROWSER_KEY):
        wine.run(["reg", "delete", key, "/f"])


@pytest.fixture(scope="module", params=[("en", 96), ("ja", 96), ("en", 192)], ids=["en", "ja", "en-200%"])
def running(request, wine, shell, display, services):
    language, dpi = request.param
    program, *_ = wine.install(*(require_windows_program(name) for name in
                                 ("Holvara.exe", "HolvaraResUS.dll", "HolvaraRes.dll", "Index.html", "IndexJa.html")))
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    [service_exe, machine] = wine.install(require_windows_program("HolvaraServiceSim.exe"), ENCLOSURE)
    wine.run(["reg", "delete", r"HKCU\Software\ZELTO", "/f"])
    wine.run(["reg", "add", MACHINE_KEY, "/v", "CurrentMode", "/t", "REG_DWORD", "/d", str(INSTALLATION_MARKER), "/f"])
    tray = TrayProgram(wine, program, probe)
    with services.running(SERVICE, f"{service_exe} --machine {machine} --removal-ms {REMOVAL_MS}"), \
            display_scaling(wine, dpi):
        with user_locale(wine, language):
            process = tray.start()
        running = RunningTray(tray, process, shell, display, language, dpi)
        running.icon()
        yield running
        if process.poll() is None:
            tray.close(process)


@contextlib.contextmanager
def display_scaling(wine, dpi):
    """Programs started inside see the display at dpi dots per inch (192: 200% scaling)."""
    if dpi == 96:
        yield
        return
    for key in DPI_KEYS:
        wine.run(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"])
    try:
        yield
    finally:
        for key in DPI_KEYS:
            wine.run(["reg", "delete", key, "/v", "LogPixels", "/f"])


def at_100_percent_only(running):
    """At 200% only the command menu and its dialogs are looked at; the rest does not depend on
    the scaling."""
    if running.dpi != 96:
        pytest.skip("looked at 100% only")


def test_the_command_menu_and_the_dialogs_of_its_commands(running):
    menu, _ = running.open_command_menu()
    running.screenshot_menu(menu, "command-menu")
    # The selected item's look: its image raised, the band beside it.
    top, bottom = running.shell.text_rows(menu)[COMMANDS["settings"]]
    running.shell.point_at(((menu[0] + menu[2]) // 2, (top + bottom) // 2))
    running.screenshot("command-menu-selected")
    running.shell.click(EMPTY_DESKTOP)
    running.program.wait_closed(MENU_CLASS)

    for command in ("remove-device", "settings", "version"):
        running.choose(command)
        running.program.wait_shown(DIALOG_CLASS)
        running.screenshot(command)
        running.program.cancel_dialog()
        running.program.wait_closed(DIALOG_CLASS)


def test_a_double_click_opens_the_remove_device_dialog_and_no_menu(running):
    at_100_percent_only(running)
    running.shell.click(running.icon(), repeat=2)
    # The title is read in the program's own code page.
    with user_locale(running.program.wine, running.language):
        _, title = running.program.wait_shown(DIALOG_CLASS)
    assert title == REMOVE_DEVICE_TITLE[running.language], title
    # The press that began the double click opened no device menu behind the dialog.
    assert running.program.probe("shown", MENU_CLASS, "1000").returncode == 1
    running.program.cancel_dialog()
    running.program.wait_closed(DIALOG_CLASS)


def test_help_opens_the_help_document(running, recording_browser):
    at_100_percent_only(running)
    running.choose("help")
    wait_until(lambda: recording_browser.exists() and recording_browser.read_text().strip(), 30,
               "the browser to be asked")
    # The document next to the program, in both languages (it links to the Japanese one).
    assert recording_browser.read_text().strip().endswith("/holvara/Index.html"), recording_browser.read_text()
    assert running.program.probe("box", CAPTION, "0").returncode == 1


def test_the_device_menu_lists_the_unit_and_removes_the_chosen_member(running, wine):
    if (running.language, running.dpi) != ("en", 96):
        pytest.skip("the removal runs once, in English at 100%")
    [cli] = wine.install(require_windows_program("HolvaraCli.exe"))

    def listed():
        result = wine.run([cli, "list", "--json"], timeout=60)
        assert result.returncode == 0, result.stderr
        return [device["driveLetters"] for device in json.loads(result.stdout)["devices"]]

    assert "E" in listed()
    running.shell.click(running.icon())
    menu, _ = running.program.wait_shown(MENU_CLASS)
    running.screenshot_menu(menu, "device-menu")
    watcher = wine.spawn([running.program.probe_exe, "watch", str(REMOVAL_MS + 4000)])
    # Below the unit's header, its first member (E:).
    running.click_item(menu, 1)
    wait_until(running.shell.balloon_shown, 10, "the balloon above the icon", interval=0.2)
    running.screenshot("removal-balloon")
    done = running.program.probe("box", CAPTION, str(REMOVAL_MS + 20000))
    assert done.returncode == 0, "no box at the end of the removal"
    running.screenshot("removal-done")
    texts = [bytes.fromhex(text).decode("cp1252") for text in re.findall(r"^text (\w+)$", done.stdout, re.M)]
    assert any("WDC WD20EARS-00MVWB0" in text for text in texts), texts
    assert running.program.probe("answer", CAPTION).returncode == 0
    # The balloon goes when the removal has ended, before its 10 s are up: no window of this shell
    # carries its text, so it is the empty balloon text sent through the icon that takes it away.
    wait_until(lambda: not running.shell.balloon_shown(), 3, "the balloon to go with the removal", interval=0.2)
    running.screenshot("removal-balloon-gone")
    windows = re.findall(r"^window (\S+) visible (\d)$", wine.finish(watcher, REMOVAL_MS / 1000 + 30).stdout, re.M)
    # The progress dialog runs hidden behind the balloon.
    assert ("#32770", "0") in windows, windows
    wait_until(lambda: "E" not in listed(), 30, "E: to leave the simulated PC")


def test_exit_ends_the_program_and_the_icon_goes(running):
    running.choose("exit")
    assert running.program.wine.finish(running.process, 20).returncode == 0
    running.shell.wait_until_icon_gone(10)
