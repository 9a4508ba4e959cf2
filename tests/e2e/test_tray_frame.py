"""Holvara.exe on a desktop with a real notification area (Wine's virtual desktop "shell"), with
HolvaraServiceSim.exe serving a simulated PC: the icon after the start-up rescan, and the icon
leaving when the last device goes. Screenshots are kept as build/wine/screenshots/tray-frame-*.png.

The tests switch the shell desktop on for this module only; the other tests run on Wine's usual
desktop (the module's end restarts the wineserver, which closes the shell desktop).
"""
import json
import re

import pytest

from conftest import require_windows_program
from harness import paths

SERVICE = "HolvaraService"
SETTINGS = r"HKCU\Software\ZELTO\Holvara\Common"
MACHINE = r"HKLM\Software\ZELTO\Holvara\Common"
RUN = r"HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\run"
INSTALLATION_MARKER = 141421356
ONE_DEVICE = paths.MACHINES / "desktop.json"
DEVICE_NODES_CHANGED = 7


class Tray:
    def __init__(self, wine, program, probe):
        self.wine = wine
        self.program = program
        self.probe_exe = probe

    def reg(self, *arguments):
        return self.wine.run(["reg", *arguments], timeout=30)

    def fresh_install(self):
        self.reg("delete", r"HKCU\Software\ZELTO", "/f")
        self.reg("delete", RUN, "/v", "Holvara", "/f")
        self.reg("add", MACHINE, "/v", "CurrentMode", "/t", "REG_DWORD", "/d", str(INSTALLATION_MARKER), "/f")

    def start(self):
        process = self.wine.spawn([self.program])
        assert self.probe("window", "Holvara", "20000").returncode == 0, "the main window did not appear"
        return process

    def probe(self, *arguments, timeout=40):
        return self.wine.run([self.probe_exe, *arguments], timeout=timeout)

    def close(self, process):
        assert self.probe("send", "0").returncode == 0
        assert self.wine.finish(process, 30).returncode == 0


@pytest.fixture
def tray(wine, shell):
    program, *_ = wine.install(require_windows_program("Holvara.exe"),
                               require_windows_program("HolvaraResUS.dll"),
                               require_windows_program("HolvaraRes.dll"))
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    tray = Tray(wine, program, probe)
    tray.fresh_install()
    return tray


def serve(wine, services, machine_file):
    [exe, machine] = wine.install(require_windows_program("HolvaraServiceSim.exe"), machine_file)
    return services.running(SERVICE, f"{exe} --machine {machine}")


@pytest.fixture
def one_device_service(wine, services):
    with serve(wine, services, ONE_DEVICE):
        yield


def machine_with_device_after_rescan(folder):
    """The one-device machine whose disk is found only after a rescan has been started."""
    machine = json.loads(ONE_DEVICE.read_text())
    adapter = next(node for node in machine["tree"]["children"] if node.get("service") == "si3132")
    adapter["children"][0]["appearsAfterRescan"] = True
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / "device-after-rescan.json"
    path.write_text(json.dumps(machine))
    return path


def test_icon_appears_after_the_startup_rescan(tray, shell, display, one_device_service):
    process = tray.start()
    position = shell.wait_for_icon(30)
    display.screenshot("tray-frame-icon")
    # At the taskbar's right end, in the desktop's lowest rows.
    assert position[0] > 900 and position[1] > 700, position
    tray.close(process)
    shell.wait_until_icon_gone(10)


def test_icon_leaves_when_the_last_device_is_removed(tray, shell, display, testclient, one_device_service):
    process = tray.start()
    shell.wait_for_icon(30)
    device = testclient.run("info", 0)
    removed = testclient.run("remove", device["hwid"], device["pdo"])
    assert (removed["sent"], removed["value"]) == ("1", "1"), removed.line

    answer = tray.probe("devicechange", str(DEVICE_NODES_CHANGED))
    assert answer.returncode == 0 and "answer 1" in answer.stdout, answer.stdout
    shell.wait_until_icon_gone(15)
    display.screenshot("tray-frame-icon-gone")
    tray.close(process)


def test_a_real_control_double_click_on_the_icon_ends_the_program(tray, shell, one_device_service):
    process = tray.start()
    position = shell.wait_for_icon(30)
    shell.click(position, repeat=2, holding="ctrl")
    assert tray.wine.finish(process, 20).returncode == 0
    assert tray.probe("gone", "Holvara", "5000").returncode == 0
    shell.wait_until_icon_gone(10)


def test_startup_rescan_reaches_the_service_while_its_dialog_stays_hidden(tray, shell, display, wine, services):
    with serve(wine, services, machine_with_device_after_rescan(wine.log_dir)):
        watcher = wine.spawn([tray.probe_exe, "watch", "15000"])
        process = tray.start()
        # With "Show" set the icon appears only once the list has a device, and the disk is found
        # only after a rescan: the start-up rescan reached the service.
        shell.wait_for_icon(30)
        display.screenshot("tray-frame-after-hidden-rescan")
        watched = wine.finish(watcher, 30).stdout
        tray.close(process)
    assert "watching" in watched
    windows = re.findall(r"^window (\S+) visible (\d)$", watched, re.M)
    assert ("HolvaraWindow", "0") in windows, watched
    assert ("#32770", "0") in windows, watched
    assert all(visible == "0" for _, visible in windows), watched
    assert "active" not in watched, watched
