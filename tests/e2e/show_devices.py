"""The main job's demonstration: installs the product with HolvaraSetup.exe /S into a fresh Wine
prefix, points the installed service at a simulated machine (Wine has no storage devices to
find), prints the device list through the installed HolvaraCli.exe, opens the device menu with a
real click on the tray icon and saves screenshots of the desktop and of the menu.

Everything runs on Wine's virtual desktop "shell", whose taskbar has a notification area: on the
user's display with --keep (and is left running there for the user to go on clicking), else on
a private Xvfb, and then ended.
"""
import argparse
import shutil
import subprocess
import sys
from pathlib import Path, PureWindowsPath

from harness import paths
from harness.display import UserDisplay, VirtualDisplay
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.shell_desktop import SIZE as DESKTOP_SIZE
from harness.shell_desktop import ShellDesktop
from harness.tray import MENU_CLASS, TrayProgram
from harness.wine import WineSession

SERVICE = "HolvaraService"
INSTALL_DIR = PureWindowsPath(r"C:\Program Files\ZELTO\Holvara")


def built(name):
    program = paths.windows_program(name)
    if program is None:
        sys.exit(f"{name} is not built in {paths.WINDOWS_BUILD}; run: cmake --build --preset windows")
    return program


def check_machine(machine):
    """Stops with the loader's own message when the machine file cannot be used: the service
    started from it would only fail to start."""
    if not machine.is_file():
        sys.exit(f"no machine file {machine}")
    simulator = paths.native_program("holvara-sim")
    if simulator is None:
        return
    checked = subprocess.run([str(simulator), str(machine), "init", "0"], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=60)
    if checked.returncode != 0:
        sys.exit(checked.stderr.strip())


def step(wine, argv, what, timeout=60):
    result = wine.run(argv, timeout=timeout)
    if result.returncode != 0:
        sys.exit(f"{what} failed ({result.returncode}): {result.stdout}{result.stderr}")
    return result


def install(wine, setup):
    [setup_path] = wine.install(setup)
    print("installing with HolvaraSetup.exe /S ...", flush=True)
    step(wine, [setup_path, "/S"], "HolvaraSetup.exe /S", timeout=180)


def serve_simulated_machine(wine, machine):
    """The installed service, made again (Wine's sc has no "config") with the same settings but
    the simulated service's program and the machine file."""
    service_path, machine_path = wine.install(built("HolvaraServiceSim.exe"), machine)
    services = ServiceControl(wine)
    services.create(SERVICE, f'"{service_path}" --machine "{machine_path}"', start="auto")
    services.start(SERVICE)
    print(f"the service {SERVICE} now runs {service_path} on the simulated machine {machine.name}\n", flush=True)


def restart_tray(wine):
    """The program starts as at the user's logon (a silent installation starts none; a copy
    still running from an earlier start, which listed Wine's lack of devices, ends first) and
    lists the simulated machine's devices."""
    [probe] = wine.install(built("holvara-trayprobe.exe"))
    tray = TrayProgram(wine, str(INSTALL_DIR / "Holvara.exe"), probe)
    tray.end_running()
    tray.start()
    return tray


def show_device_menu(shell, tray, display):
    position = shell.wait_for_icon(60)
    print(f"screenshot of the desktop with the icon: {display.screenshot('desktop')}")
    shell.click(position)
    tray.wait_shown(MENU_CLASS)
    print(f"screenshot of the device menu: {display.screenshot('device-menu')}")


def show(machine, keep):
    check_machine(machine)
    setup = built("HolvaraSetup.exe")
    registry = ProcessRegistry()
    log_dir = paths.LOGS / "show-devices"
    shutil.rmtree(paths.PREFIX, ignore_errors=True)
    shutil.rmtree(paths.SCREENSHOTS, ignore_errors=True)
    if keep:
        display = UserDisplay(keep)
    else:
        display = VirtualDisplay(registry, log_dir, size=f"{DESKTOP_SIZE}x24")
    print("making a fresh Wine prefix ...", flush=True)
    wine = WineSession(registry, display, log_dir)
    done = False
    try:
        shell = ShellDesktop(wine, display)
        shell.switch_on()
        install(wine, setup)
        serve_simulated_machine(wine, machine)
        tray = restart_tray(wine)

        cli = str(INSTALL_DIR / "HolvaraCli.exe")
        print(f"> {cli} list")
        print(step(wine, [cli, "list"], "HolvaraCli.exe list", timeout=90).stdout, flush=True)
        show_device_menu(shell, tray, display)
        done = True
    finally:
        if not (keep and done):
            wine.end()
    if keep:
        print(f"\nHolvara runs on Wine's desktop on {keep}; click its icon at the taskbar's right end.\n"
              "End it all with: bash scripts/run.sh --stop")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("machine", type=Path)
    parser.add_argument("--keep", metavar="DISPLAY",
                        help="run on this X display and leave everything running at the end")
    arguments = parser.parse_args()
    show(arguments.machine.resolve(), arguments.keep)


if __name__ == "__main__":
    main()
