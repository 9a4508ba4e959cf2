"""The remove-device dialog of the real Holvara.exe, opened by a second start, at 100% and at 200%
display scaling: its list shows the simulated PC's unit, members and DVD writer, with its columns
scaled from their 96-DPI widths; a member marked with the keyboard and removed with Remove; and a
member marked with a click that stays marked through the refill a device change elsewhere brings,
and alone is removed. Screenshots: build/wine/screenshots/remove-device-dialog*.png.
"""
import re

import pytest

from harness import paths
from harness.waiting import wait_until
from test_tray_frame import serve, tray  # noqa: F401  (fixtures)

DPI_KEYS = [r"HKCU\Control Panel\Desktop", r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]
CAPTION = "Safely Remove Hardware"
PRODUCT_TITLE = "ZELTO Dock Warden"
SATA_ADAPTERS = 0x40
FIRST_MEMBER = r"\Device\Scsi\si3132Port0Path0Target0Lun0"
THIRD_MEMBER = r"\Device\Scsi\si3132Port0Path0Target2Lun0"


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


def listed_rows(tray):
    listed = tray.probe("list", CAPTION, "0")
    found = re.search(r"^rows (\d+)$", listed.stdout, re.M)
    return int(found.group(1)) if listed.returncode == 0 and found else None


def listed(tray):
    """The dialog's list: its selection mark, and each row's screen rectangle and text."""
    answer = tray.probe("list", CAPTION, "0")
    assert answer.returncode == 0, "the remove-device dialog is gone"
    mark = int(re.search(r"^mark (-?\d+)$", answer.stdout, re.M).group(1))
    rows = [((int(left), int(top), int(right), int(bottom)), bytes.fromhex(text).decode("latin-1"))
            for left, top, right, bottom, text in re.findall(r"^row \d+ (-?\d+) (-?\d+) (-?\d+) (-?\d+) ([0-9a-f]*)$",
                                                              answer.stdout, re.M)]
    return mark, rows


def row_starting(rows, start):
    return next(index for index, (_, text) in enumerate(rows) if text.startswith(start))


def device_objects(testclient):
    """The device object names of the devices the service finds below the SATA adapters."""
    counted = testclient.run("init", SATA_ADAPTERS)
    assert counted["sent"] == "1", counted.line
    return {testclient.run("info", slot)["pdo"] for slot in range(int(counted["value"]))}


def test_remove_takes_the_member_marked_with_the_keyboard(tray, shell, display, wine, services, testclient):
    with serve(wine, services, paths.MACHINES / "pm-enclosure.json"):
        process = tray.start()
        shell.wait_for_icon(30)
        wine.finish(wine.spawn([tray.program]), 30)
        wait_until(lambda: listed_rows(tray) == 6, 20, "the dialog with the unit, its four members and the DVD writer")
        before = device_objects(testclient)
        # The list has the focus: row 0 is the unit, rows 1 and 2 its first two members.
        shell.press_keys("Down", "Down")
        display.screenshot("remove-device-dialog")
        shell.press_keys("Return")
        # The progress dialog, then the box that names the device now safe to take out.
        assert tray.probe("box", PRODUCT_TITLE, "30000").returncode == 0, "no box after the removal"
        display.screenshot("remove-device-dialog-removed")
        assert tray.probe("answer", PRODUCT_TITLE).returncode == 0
        wait_until(lambda: listed_rows(tray) == 5, 30, "the list without the removed member")
        after = device_objects(testclient)
        tray.close(process)
    assert before - after == {r"\Device\Scsi\si3132Port0Path0Target1Lun0"}, (before, after)


def test_a_clicked_member_stays_marked_through_a_refill_and_alone_is_removed(tray, shell, display, wine, services,
                                                                             testclient):
    with serve(wine, services, paths.MACHINES / "pm-enclosure.json"):
        process = tray.start()
        shell.wait_for_icon(30)
        wine.finish(wine.spawn([tray.program]), 30)
        wait_until(lambda: listed_rows(tray) == 6, 20, "the dialog with the unit, its four members and the DVD writer")
        _, rows = listed(tray)
        marked = row_starting(rows, "[ TRAY:3 ]")
        (left, top, right, bottom), _ = rows[marked]
        shell.click(((left + right) // 2, (top + bottom) // 2))
        wait_until(lambda: listed(tray)[0] == marked, 10, "the clicked member marked")
        display.screenshot("remove-device-dialog-clicked")

        # Another program takes the unit's first member off, and the system tells the main window;
        # its refresh 1.6 s later refills the dialog, one row up for the marked member.
        records = [testclient.run("info", slot) for slot in range(int(testclient.run("init", SATA_ADAPTERS)["value"]))]
        first = next(r for r in records if r["pdo"] == FIRST_MEMBER)
        assert testclient.run("remove", first["hwid"], first["pdo"])["value"] == "1"
        assert tray.probe("devicechange", "7").returncode == 0
        wait_until(lambda: listed_rows(tray) == 5, 20, "the refill without the first member")
        mark, rows = listed(tray)
        display.screenshot("remove-device-dialog-refilled")
        assert rows[mark][1].startswith("[ TRAY:3 ]"), (mark, rows)
        before = device_objects(testclient)

        shell.press_keys("Return")
        assert tray.probe("box", PRODUCT_TITLE, "30000").returncode == 0, "no box after the removal"
        assert tray.probe("answer", PRODUCT_TITLE).returncode == 0
        wait_until(lambda: listed_rows(tray) == 4, 30, "the list without the removed member")
        after = device_objects(testclient)
        tray.close(process)
    assert before - after == {THIRD_MEMBER}, (before, after)
