"""Holvara.exe under Wine with its resource libraries: the first start's defaults, the logon
switch, the boxes of a start that cannot go on (in English and, under a Japanese locale, in
Japanese), the hand-over to a running instance, and the end on the registered message.

Message boxes are read with holvara-trayprobe, which prints their texts as bytes of the code page
it runs in; under the Japanese locale that is code page 932, as the program wrote them.
"""
import re
import shutil
from pathlib import PureWindowsPath

import pytest

from conftest import require_windows_program
from tray_locale import CODE_PAGE, user_locale

CAPTION = "ZELTO Dock Warden"
SETTINGS = r"HKCU\Software\ZELTO\Holvara\Common"
MACHINE = r"HKLM\Software\ZELTO\Holvara\Common"
RUN = r"HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\run"
MARKER = 141421356

INSTALLATION = {
    "en": "The utility software is not installed properly. Please reinstall ZELTO Dock Warden.",
    "ja": "ゼルト製SATAユーティリティーソフトの、インストールが不完全です。\n\n再インストールして下さい。",
}
LIBRARY = {
    "en": "There is no necessary library file. Please reinstall ZELTO Dock Warden.",
    "ja": "ゼルト製SATAユーティリティーソフトに、必要なライブラリファイルが見つかりません。\n\n再インストールして下さい。",
}


class Tray:
    def __init__(self, wine, display, program, probe):
        self.wine = wine
        self.display = display
        self.program = program
        self.probe_exe = probe

    def reg(self, *arguments):
        return self.wine.run(["reg", *arguments], timeout=30)

    def settings(self):
        """The profile values as {name: number}."""
        result = self.reg("query", SETTINGS)
        return {name: int(value, 16) for name, value in re.findall(r"(\w+)\s+REG_DWORD\s+(0x[0-9a-fA-F]+)", result.stdout)}

    def fresh_install(self):
        self.reg("delete", r"HKCU\Software\ZELTO", "/f")
        self.reg("delete", RUN, "/v", "Holvara", "/f")
        self.reg("add", MACHINE, "/v", "CurrentMode", "/t", "REG_DWORD", "/d", str(MARKER), "/f")

    def start(self, *arguments, program=None):
        return self.wine.spawn([program or self.program, *arguments])

    def probe(self, *arguments, timeout=40):
        return self.wine.run([self.probe_exe, *arguments], timeout=timeout)

    def box_text(self, language, screenshot):
        """Waits for the program's box, keeps a picture of it, and returns its text."""
        result = self.probe("box", CAPTION, "20000")
        assert result.returncode == 0, "no message box appeared"
        self.display.screenshot(screenshot)
        texts = [bytes.fromhex(h).decode(CODE_PAGE[language]) for h in re.findall(r"^text (\w+)$", result.stdout, re.M)]
        assert "owner 0" in result.stdout
        return texts

    def answer_box(self):
        assert self.probe("answer", CAPTION).returncode == 0

    def wait_for_main_window(self):
        result = self.probe("window", "Holvara", "20000")
        assert result.returncode == 0, "the main window did not appear"
        return result.stdout

    def close(self, process):
        assert self.probe("send", "0").returncode == 0
        assert self.wine.finish(process, 30).returncode == 0
        assert self.probe("gone", "Holvara", "5000").returncode == 0


@pytest.fixture
def tray(wine, display):
    program, *_ = wine.install(require_windows_program("Holvara.exe"),
                               require_windows_program("HolvaraResUS.dll"),
                               require_windows_program("HolvaraRes.dll"))
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    tray = Tray(wine, display, program, probe)
    tray.fresh_install()
    return tray


def test_first_start_writes_the_defaults_and_the_logon_entry_then_ends_on_request(tray):
    process = tray.start()
    style = tray.wait_for_main_window()
    # A hidden popup without caption or system menu, with the frame's sizing and title flags (and
    # the WS_CLIPSIBLINGS the system gives every top-level window).
    assert "style 8407c000 visible 0" in style, style

    assert tray.settings() == {"AutoRun": 1, "Basic": 1, "SystemMessage": 1, "Show": 1,
                               "ResumeRescan": 0, "SearchCode": 64}
    entry = tray.reg("query", RUN, "/v", "Holvara").stdout
    assert re.search(r"Holvara\s+REG_SZ\s+" + re.escape(f'"{tray.program}"') + " /AutoRun", entry), entry

    tray.close(process)


def test_logon_start_ends_silently_when_switched_off(tray):
    tray.reg("add", SETTINGS, "/v", "AutoRun", "/t", "REG_DWORD", "/d", "0", "/f")
    result = tray.wine.finish(tray.start("/AutoRun"), 30)
    assert result.returncode == 0
    assert tray.probe("window", "Holvara", "0").returncode == 1
    assert tray.probe("box", CAPTION, "0").returncode == 1


@pytest.mark.parametrize("language", ["en", "ja"])
def test_incomplete_installation_shows_the_installation_box(tray, wine, language):
    tray.reg("delete", MACHINE, "/v", "CurrentMode", "/f")
    with user_locale(wine, language):
        process = tray.start()
        texts = tray.box_text(language, f"tray-installation-box-{language}")
        tray.answer_box()
        assert wine.finish(process, 30).returncode == 0
    assert INSTALLATION[language] in texts
    assert tray.probe("window", "Holvara", "0").returncode == 1


def test_missing_resource_library_shows_the_library_box(tray, wine):
    bare = wine.prefix / "drive_c" / "holvara-bare"
    bare.mkdir(exist_ok=True)
    shutil.copy2(require_windows_program("Holvara.exe"), bare / "Holvara.exe")
    process = tray.start(program=str(PureWindowsPath("C:/holvara-bare/Holvara.exe")))
    texts = tray.box_text("en", "tray-library-box-en")
    tray.answer_box()
    assert wine.finish(process, 30).returncode == 0
    assert LIBRARY["en"] in texts


def test_second_start_hands_over_to_the_running_one_and_ends(tray):
    first = tray.start()
    tray.wait_for_main_window()

    second = tray.wine.finish(tray.start(), 30)
    assert second.returncode == 0
    assert tray.probe("box", CAPTION, "0").returncode == 1
    assert first.poll() is None

    tray.close(first)
