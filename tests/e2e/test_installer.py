"""HolvaraSetup.exe and its uninstaller under Wine, run silently as an administrator would script
them: what an installation leaves in place (and what it must not start), what an uninstallation
leaves behind, upgrades over a running service and program, into a copy installed in another
folder, and with a file held open by another program.

Wine has no storage devices, so the installed service finds none; the service's own tests cover
its work. Wine has no second session, no UAC and no Active Setup at logon: the per-user start is
checked by running the component's command as the logon would, and the program is started from
the logon entry that command writes. Wine's service manager neither keeps nor reports a service's
recovery actions (ChangeServiceConfig2W level 2 is not implemented, and its sc has no "qfailure"),
so they are not checked here.
"""
import re
import shutil
import time
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
ACTIVE_SETUP_KEY = (r"HKLM\Software\Microsoft\Active Setup\Installed Components"
                    r"\{B8EA1AAB-C159-4E33-8A93-9FFB20D31790}")
INSTALL_DIR = PureWindowsPath(r"C:\Program Files\ZELTO\Holvara")
OTHER_DIR = PureWindowsPath(r"C:\Tools\Holvara")
SHORTCUT = ("drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", f"{CAPTION}.lnk")
DEVICE_NODES_CHANGED = 7
INSTALLED = ["Holvara.exe", "HolvaraService.exe", "HolvaraRes.dll", "HolvaraResUS.dll",
             "HolvaraCli.exe", "Index.html", "IndexJa.html", "Uninstall.exe"]
EXIT_FILE_IN_USE = 32
EXIT_RESTART_NEEDED = 3010
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"
EXIT_EVENT = r"Global\HolvaraExit"
EXIT_EVENT_SDDL = "O:BAD:(A;;0x001F0003;;;SY)(A;;0x001F0003;;;BA)(A;;0x00120000;;;WD)"


def command_line_words(line):
    """The words a Windows program's C runtime makes of its command line: blanks part words
    outside quotes; 2n backslashes before a quote give n and the quote opens or closes, 2n + 1
    give n and a literal quote; other backslashes are themselves."""
    words, word, quoted, in_word, i = [], "", False, False, 0
    while i < len(line):
        c = line[i]
        if c == "\\":
            run = len(line[i:]) - len(line[i:].lstrip("\\"))
            i += run
            if i < len(line) and line[i] == '"':
                word += "\\" * (run // 2)
                if run % 2:
                    word += '"'
                    i += 1
            else:
                word += "\\" * run
            in_word = True
            continue
        if c == '"':
            quoted, in_word = not quoted, True
        elif c in " \t" and not quoted:
            if in_word:
                words.append(word)
            word, in_word = "", False
        else:
            word, in_word = word + c, True
        i += 1
    if in_word:
        words.append(word)
    return words


class Product:
    def __init__(self, wine, services, setup, probe, holder):
        self.wine = wine
        self.services = services
        self.setup = setup
        self.probe_exe = probe
        self.holder = holder
        self.install_dir = INSTALL_DIR

    @property
    def folder(self):
        return self.host_path(self.install_dir)

    def host_path(self, windows_path):
        return self.wine.prefix / "drive_c" / PureWindowsPath(windows_path).relative_to("C:\\")

    def reg(self, *arguments):
        return self.wine.run(["reg", *arguments], timeout=30)

    def reg_value(self, key, name):
        """The text of a value as reg prints it, or None when the value is missing."""
        result = self.reg("query", key, "/v", name)
        match = re.search(rf"^\s*{re.escape(name)}\s+REG_\w+\s+(.*?)\s*$", result.stdout, re.M)
        return match.group(1) if result.returncode == 0 and match else None

    def probe(self, *arguments, timeout=40):
        return self.wine.run([self.probe_exe, *arguments], timeout=timeout)

    def run_setup(self, *arguments):
        return self.wine.run([self.setup, "/S", *arguments], timeout=120)

    def install(self, *arguments):
        result = self.run_setup(*arguments)
        assert result.returncode == 0, result.stdout + result.stderr

    def uninstall(self):
        """The uninstaller copies itself away and runs from there, so its work is waited for."""
        result = self.wine.run([str(self.install_dir / "Uninstall.exe"), "/S"], timeout=60)
        assert result.returncode == 0
        wait_until(lambda: not self.folder.exists(), 60, "the installation folder to go")
        wait_until(lambda: not self.tray_processes() and not self.wine.processes("HolvaraService.exe"),
                   30, "the installed programs to end")

    def log_on(self):
        """What the shell does at a user's logon: the Active Setup command once, then the
        program from the logon entry that command wrote."""
        stub = self.reg_value(ACTIVE_SETUP_KEY, "StubPath")
        assert self.wine.run(command_line_words(stub), timeout=30).returncode == 0
        logon_entry = self.reg_value(RUN, "Holvara")
        assert logon_entry == f'"{self.install_dir / "Holvara.exe"}" /AutoRun'
        self.wine.spawn([str(self.install_dir / "Holvara.exe"), "/AutoRun"])
        assert self.tray_window_appears()

    def tray_processes(self):
        return [pid for pid in self.wine.processes("Holvara.exe")]

    def tray_window_appears(self):
        return self.probe("window", "Holvara", "20000").returncode == 0

    def changed_since(self, moment):
        """The installed files whose content was written after the moment (time.time())."""
        return sorted(p.name for p in self.folder.iterdir() if p.stat().st_ctime > moment)


@pytest.fixture
def product(wine, services):
    setup = require_windows_program("HolvaraSetup.exe")
    [probe, holder] = wine.install(require_windows_program("holvara-trayprobe.exe"),
                                   require_windows_program("holvara-holdfile.exe"))
    product = Product(wine, services, wine.install(setup)[0], probe, holder)
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
    assert product.reg_value(UNINSTALL_KEY, "DisplayName") == CAPTION
    assert product.wine.prefix.joinpath(*SHORTCUT).is_file()
    # A silent installation starts no program and writes no logon entry of its own account: each
    # user's entry comes from the Active Setup command at that user's logon.
    assert product.reg_value(ACTIVE_SETUP_KEY, "IsInstalled") == "0x1"
    assert re.fullmatch(r"\d{4},\d{4},\d{4},\d{2}", product.reg_value(ACTIVE_SETUP_KEY, "Version"))
    assert product.reg_value(RUN, "Holvara") is None
    assert product.probe("window", "Holvara", "2000").returncode == 1
    assert not product.tray_processes()

    product.log_on()
    # The program passed its installation check: no box about an incomplete installation.
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
    assert not product.wine.prefix.joinpath(*SHORTCUT).exists()
    assert not product.folder.parent.exists()
    assert product.probe("window", "Holvara", "0").returncode == 1
    # Other users lose their logon entry at their next logon.
    assert "delete" in product.reg_value(ACTIVE_SETUP_KEY, "StubPath")


def test_silent_upgrade_over_the_running_product_replaces_every_file_and_keeps_the_settings(product, services):
    product.install()
    product.log_on()
    product.reg("add", SETTINGS, "/v", "Basic", "/t", "REG_DWORD", "/d", "0", "/f")
    product.reg("add", SETTINGS, "/v", "Show", "/t", "REG_DWORD", "/d", "0", "/f")
    first_service = product.wine.processes("HolvaraService.exe")
    time.sleep(1.1)  # file times have a resolution of a second or finer
    before = time.time()

    product.install()

    assert product.changed_since(before) == sorted(INSTALLED)
    wait_until(lambda: services.state(SERVICE) == RUNNING, 20, "the service to run again")
    assert product.wine.processes("HolvaraService.exe") != first_service
    # The running program was asked to end; the silent upgrade started none in its place.
    assert not product.tray_processes()
    assert product.reg_value(SETTINGS, "Basic") == "0x0"
    assert product.reg_value(SETTINGS, "Show") == "0x0"
    assert product.reg_value(SETTINGS, "SystemMessage") == "0x1"
    assert product.reg_value(UNINSTALL_KEY, "InstallLocation") == str(INSTALL_DIR)


def test_upgrade_finds_the_copy_installed_in_another_folder(product, services):
    product.install(f"/D={OTHER_DIR}")
    product.install_dir = OTHER_DIR
    time.sleep(1.1)
    before = time.time()

    product.install()

    assert product.changed_since(before) == sorted(INSTALLED)
    assert not product.host_path(INSTALL_DIR).exists()
    assert product.reg_value(UNINSTALL_KEY, "InstallLocation") == str(OTHER_DIR)
    assert product.reg_value(SERVICE_KEY, "ImagePath") == f'"{OTHER_DIR / "HolvaraService.exe"}"'
    wait_until(lambda: services.state(SERVICE) == RUNNING, 20, "the service to run again")


def test_a_file_held_by_another_program_stops_the_upgrade_and_the_previous_version_runs_on(product, services, wine):
    product.install()
    first_service = product.wine.processes("HolvaraService.exe")
    holder = wine.spawn([product.holder, str(INSTALL_DIR / "HolvaraCli.exe"), "60000"])
    wait_until(lambda: "held" in holder.stdout_path.read_text(errors="replace"), 20, "the file to be held")
    before = time.time()

    result = product.run_setup()

    assert result.returncode == EXIT_FILE_IN_USE, result.stdout + result.stderr
    assert product.changed_since(before) == []
    wait_until(lambda: services.state(SERVICE) == RUNNING, 20, "the previous service to run again")
    assert product.wine.processes("HolvaraService.exe") != first_service
    holder.kill()
    holder.wait()


def test_uninstall_removes_what_it_can_and_leaves_a_held_file_to_the_restart(product, wine):
    product.install()
    holder = wine.spawn([product.holder, str(INSTALL_DIR / "Index.html"), "60000"])
    wait_until(lambda: "held" in holder.stdout_path.read_text(errors="replace"), 20, "the file to be held")

    # The uninstaller returns at once and works on from its copy in the temporary folder.
    assert wine.run([str(INSTALL_DIR / "Uninstall.exe"), "/S"], timeout=60).returncode == 0
    wait_until(lambda: [p.name for p in product.folder.iterdir()] == ["Index.html"], 60,
               "all but the held file to go")
    wait_until(lambda: "Index.html" in (product.reg_value(SESSION_MANAGER, "PendingFileRenameOperations") or ""),
               30, "the held file's removal to be scheduled")
    assert product.reg("query", UNINSTALL_KEY).returncode != 0
    holder.kill()
    holder.wait()
    # What the restart would do.
    shutil.rmtree(product.folder.parent)
    product.reg("delete", SESSION_MANAGER, "/v", "PendingFileRenameOperations", "/f")


def test_the_installers_exit_event_ends_the_running_program(product, wine):
    """What ends the program of every session during an upgrade, seen from one: the global event,
    set and owned by the Administrators group as the installer makes it, ends the program within
    its two-second look, by the event alone (no window message). The same event owned by its
    maker, as any user could make it, is ignored."""
    product.install()
    product.log_on()
    foreign = wine.spawn([product.probe_exe, "event", EXIT_EVENT, "4500", "D:(A;;GA;;;WD)"])
    assert product.probe("gone", "Holvara", "4000").returncode == 1
    wine.finish(foreign, 20)

    raiser = wine.spawn([product.probe_exe, "event", EXIT_EVENT, "10000", EXIT_EVENT_SDDL])
    assert product.probe("gone", "Holvara", "5000").returncode == 0
    wait_until(lambda: not product.tray_processes(), 10, "the program to end")
    wine.finish(raiser, 20)


def test_the_installed_program_shows_its_icon_on_the_desktop(shell, product, display, wine, services):
    """On a desktop with a notification area (the shell desktop, switched on for this last test
    of the module), the program started at logon shows its icon once it has a device to offer:
    Wine has none, so the installed service is made again on a simulated machine, and the
    program hears of the change as from the system."""
    product.install()
    product.log_on()
    [service_sim, machine] = wine.install(require_windows_program("HolvaraServiceSim.exe"),
                                          paths.MACHINES / "desktop.json")
    services.create(SERVICE, f'"{service_sim}" --machine "{machine}"', start="auto")
    services.start(SERVICE)
    assert "answer 1" in product.probe("devicechange", str(DEVICE_NODES_CHANGED)).stdout

    position = shell.wait_for_icon(30)
    display.screenshot("installer-icon")
    assert position[0] > 900 and position[1] > 700, position
