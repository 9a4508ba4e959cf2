"""HolvaraSetup.exe and its uninstaller under Wine, run silently as an administrator would script
them: what an installation leaves in place, what an uninstallation leaves behind (nothing), and an
installation over an existing one.

Wine has no storage devices, so the installed service finds none; the service's own tests cover
its work. The program started by the installer is found by its hidden main window.
"""
import re
from pathlib import PureWindowsPath

import pytest

from conftest import require_windows_program
from harness import paths
from harness.services import RUNNING
from harness.waiting import wait_until

SERVICE = "HolvaraService"
CAPTION = "ZELTO Dock Warden"
SETTINGS = r"HKCU\Software\ZELTO\Holvara\Common"
MARKER_KEY = r"HKLM\Software\ZELTO\Holvara\Common"
RUN = r"HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\run"
SERVICE_KEY = r"HKLM\System\CurrentControlSet\Services\HolvaraService"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Holvara"
INSTALL_DIR = PureWindowsPath(r"C:\Program Files\ZELTO\Holvara")
DEVICE_NODES_CHANGED = 7
INSTALLED = ["Holvara.exe", "HolvaraService.exe", "HolvaraRes.dll", "HolvaraResUS.dll",
             "HolvaraCli.exe", "Index.html", "IndexJa.html", "Uninstall.exe"]


class Product:
    def __init__(self, wine, services, setup, probe):
        self.wine = wine
        self.services = services
        self.setup = setup
        self.probe_exe = probe
        self.folder = wine.prefix / "drive_c" / "Program Files" / "ZELTO" / "Holvara"

    def reg(self, *arguments):
        return self.wine.run(["reg", *arguments], timeout=30)

    def reg_value(self, key, name):
        """The text of a value as reg prints it, or None when the value is missing."""
        result = self.reg("query", key, "/v", name)
        match = re.search(rf"^\s*{re.escape(name)}\s+REG_\w+\s+(.*?)\s*$", result.stdout, re.M)
        return match.group(1) if result.returncode == 0 and match else None

    def probe(self, *arguments, timeout=40):
        return self.wine.run([self.probe_exe, *arguments], timeout=timeout)

    def install(self):
        result = self.wine.run([self.setup, "/S"], timeout=120)
        assert result.returncode == 0, result.stdout + result.stderr

    def uninstall(self):
        """The uninstaller copies itself away and runs from there, so its work is waited for."""
        result = self.wine.run([str(INSTALL_DIR / "Uninstall.exe"), "/S"], timeout=60)
        assert result.returncode == 0
        wait_until(lambda: not self.folder.exists(), 60, "the installation folder to go")
        wait_until(lambda: not self.tray_processes() and not self.wine.processes("HolvaraService.exe"),
                   30, "the installed programs to end")

    def tray_processes(self):
        return [pid for pid in self.wine.processes("Holvara.exe")]

    def tray_window_appears(self):
        return self.probe("window", "Holvara", "20000").returncode == 0


@pytest.fixture
def product(wine, services):
    setup = require_windows_program("HolvaraSetup.exe")
    [probe] = wine.install(require_windows_program("holvara-trayprobe.exe"))
    product = Product(wine, services, wine.install(setup)[0], probe)
    product.reg("delete", r"HKCU\Software\ZELTO", "/f")
    product.reg("delete", RUN, "/v", "Holvara", "/f")
    services.remove(SERVICE)
    yield product
    if product.folder.exists():
        product.uninstall()


def test_silent_install_then_silent_uninstall(product, services, wine):
    product.install()

    wait_until(lambda: services.state(SERVICE) == RUNNING, 20, "the installed service to run")
    # Wine's sc has no "qc": the service manager's own registry entry shows the configuration.
    assert product.reg_value(SERVICE_KEY, "Type") == "0x10"
    assert product.reg_value(SERVICE_KEY, "Start") == "0x2"
    assert product.reg_value(SERVICE_KEY, "ObjectName") == "LocalSystem"
    assert product.reg_value(SERVICE_KEY, "ImagePath") == f'"{INSTALL_DIR / "HolvaraService.exe"}"'

    assert sorted(p.name for p in product.folder.iterdir()) == sorted(INSTALLED)
    assert product.reg_value(MARKER_KEY, "CurrentMode") == hex(141421356)
    assert product.reg_value(RUN, "Holvara") == f'"{INSTALL_DIR / "Holvara.exe"}" /AutoRun'
    assert product.reg_value(UNINSTALL_KEY, "DisplayName") == CAPTION

    # The installer started the program, and it passed its installation check: its main window
    # came up, and no box about an incomplete installation did.
    assert product.tray_window_appears()
    assert product.probe("box", CAPTION, "0").returncode == 1
    assert len(product.tray_processes()) == 1
    # The installed tool reaches the installed service; Wine has no devices for it to list.
    listed = wine.run([str(INSTALL_DIR / "HolvaraCli.exe"), "list"], timeout=90)
    assert (listed.returncode, listed.stdout) == (0, "No removable device is connected\n"), listed.stderr

    product.uninstall()

    assert services.state(SERVICE) is None
    assert product.reg_value(MARKER_KEY, "CurrentMode") is None
    assert product.reg("query", r"HKLM\Software\ZELTO").returncode != 0
    assert product.reg_value(RUN, "Holvara") is None
    assert product.reg("query", UNINSTALL_KEY).returncode != 0
    assert not product.folder.parent.exists()
    assert product.probe("window", "Holvara", "0").returncode == 1


def test_install_over_an_installation_keeps_the_settings_and_runs_one_program(product, services):
    product.install()
    assert product.tray_window_appears()
    product.reg("add", SETTINGS, "/v", "Basic", "/t", "REG_DWORD", "/d", "0", "/f")
    product.reg("add", SETTINGS, "/v", "Show", "/t", "REG_DWORD", "/d", "0", "/f")
    first_program = product.tray_processes()

    product.install()

    wait_until(lambda: services.state(SERVICE) == RUNNING, 20, "the service to run again")
    assert product.reg_value(SETTINGS, "Basic") == "0x0"
    assert product.reg_value(SETTINGS, "Show") == "0x0"
    assert product.reg_value(SETTINGS, "SystemMessage") == "0x1"
    assert product.tray_window_appears()
    wait_until(lambda: len(product.tray_processes()) == 1, 20, "one program to run")
    assert product.tray_processes() != first_program
    assert product.probe("box", CAPTION, "0").returncode == 1


def test_the_installed_program_shows_its_icon_on_the_desktop(shell, product, display, wine, services):
    """On a desktop with a notification area (the shell desktop, switched on for this last test
    of the module), the program the installer started shows its icon once it has a device to
    offer: Wine has none, so the installed service is made again on a simulated machine, and the
    program hears of the change as from the system."""
    product.install()
    assert product.tray_window_appears()
    [service_sim, machine] = wine.install(require_windows_program("HolvaraServiceSim.exe"),
                                          paths.MACHINES / "desktop.json")
    services.create(SERVICE, f'"{service_sim}" --machine "{machine}"', start="auto")
    services.start(SERVICE)
    assert "answer 1" in product.probe("devicechange", str(DEVICE_NODES_CHANGED)).stdout

    position = shell.wait_for_icon(30)
    display.screenshot("installer-icon")
    assert position[0] > 900 and position[1] > 700, position
