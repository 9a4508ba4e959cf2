"""The two resource libraries under Wine, loaded as the program loads them: every numbered text
in its language's code page, the dialog templates, images, icon and cursor, and a picture of each
dialog template in both languages (build/wine/screenshots/tray-dialog-*.png)."""
import json
import re

import pytest

from conftest import require_windows_program
from harness import paths
from harness.waiting import wait_until
from tray_locale import CODE_PAGE, user_locale

RESOURCES = json.loads((paths.REPO / "tray" / "resources" / "resources.json").read_text(encoding="utf-8"))
LIBRARY = {"en": "HolvaraResUS.dll", "ja": "HolvaraRes.dll"}
DIALOGS = sorted(int(number) for number in RESOURCES["dialogs"])


@pytest.fixture
def probe(wine):
    wine.install(require_windows_program("HolvaraResUS.dll"), require_windows_program("HolvaraRes.dll"))
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    return probe


@pytest.mark.parametrize("language", ["en", "ja"])
def test_library_holds_every_numbered_resource(wine, probe, language):
    numbers = sorted(RESOURCES["strings"], key=int)
    with user_locale(wine, language):
        result = wine.run([probe, "library", LIBRARY[language], *numbers], timeout=30)
    assert result.returncode == 0, result.stderr

    strings = {int(number): bytes.fromhex(text).decode(CODE_PAGE[language])
               for number, text in re.findall(r"^string (\d+) (\w+)$", result.stdout, re.M)}
    assert strings == {int(number): texts[language] for number, texts in RESOURCES["strings"].items()}
    assert [int(n) for n in re.findall(r"^dialog (\d+)$", result.stdout, re.M)] == DIALOGS
    assert re.findall(r"^bitmap (\d+) (\w+)$", result.stdout, re.M) == [
        ("111", "48x16"), ("117", "96x16"), ("130", "96x16")]
    assert re.findall(r"^icon 128 (\d+)$", result.stdout, re.M) == ["16", "32"]
    assert "cursor 116" in result.stdout


@pytest.mark.parametrize("language", ["en", "ja"])
@pytest.mark.parametrize("dialog", DIALOGS)
def test_dialog_template_opens(wine, display, probe, language, dialog):
    with user_locale(wine, language):
        process = wine.spawn([probe, "show", LIBRARY[language], str(dialog), "3000"])
        wait_until(lambda: process.stdout_path.exists() and "shown" in process.stdout_path.read_text(), 20,
                   f"dialog {dialog} on screen")
        display.screenshot(f"tray-dialog-{dialog}-{language}")
        assert wine.finish(process, 30).returncode == 0
    output = process.stdout_path.read_text()
    template = RESOURCES["dialogs"][str(dialog)]
    controls = sorted(int(number) for number in re.findall(r"^control (-?\d+)$", output, re.M))
    assert controls == sorted(control["id"] for control in template["controls"])
    style = int(re.search(r"^style (\w+)$", output, re.M).group(1), 16)
    WS_CAPTION, WS_SYSMENU = 0x00C00000, 0x00080000
    assert bool(style & WS_SYSMENU) == template["closeBox"], f"style {style:08x}"
    assert (style & WS_CAPTION == WS_CAPTION) == template["closeBox"], f"style {style:08x}"
