"""The remove-device dialog of the real Holvara.exe, opened by a second start, at 100% and at 200%
display scaling: its list shows the simulated PC's unit, members and DVD writer, with its columns
scaled from their 96-DPI widths. Screenshots: build/wine/screenshots/remove-device-dialog-*.png.
"""
import pytest

from harness import paths
from test_tray_frame import serve, shell, tray  # noqa: F401  (fixtures)

DPI_KEYS = [r"HKCU\Control Panel\Desktop", r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]
CAPTION = "Safely Remove Hardware"


@pytest.fixture
def scaling(tray):
    def set_dpi(dpi):
        for key in DPI_KEYS:
            tray.reg("add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    yield set_dpi
    for key in DPI_KEYS:
        tray.reg("delete", key, "/v", "LogPixels", "/f")


@pytest.mark.parametrize("dpi, widths", [(96, [300, 90]), (192, [600, 180])])
def test_a_second_start_opens_the_dialog_scaled_with_the_display(tray, shell, scaling, display, wine, services, dpi,
                                                                  widths):
    scaling(dpi)
    with serve(wine, services, paths.MACHINES / "pm-enclosure.json"):
        process = tray.start()
        # The icon comes with the list built by the start-up refresh.
        shell.wait_for_icon(30)
        second = wine.spawn([tray.program])
        assert wine.finish(second, 30).returncode == 0
        listed = tray.probe("list", CAPTION, "20000")
        display.screenshot(f"remove-device-dialog-{dpi}")
        assert listed.returncode == 0, "the remove-device dialog did not appear"
        assert f"columns {widths[0]} {widths[1]}\n" in listed.stdout, listed.stdout
        assert "rows 6\n" in listed.stdout, listed.stdout
        tray.close(process)
