"""The main job's demonstration: installs the product with HolvaraSetup.exe /S into a fresh Wine
prefix, points the installed service at a simulated machine (Wine has no storage devices to
find), prints the device list through the installed HolvaraCli.exe and saves a screenshot of the
desktop. Programs run on Wine's virtual desktop "shell", which has a taskbar with a notification
area, on a private X display."""
import shutil
import subprocess
import sys
from pathlib import Path, PureWindowsPath

from harness import paths
from harness.display import VirtualDisplay
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.wine import WineSession

SERVICE = "HolvaraService"
INSTALL_DIR = PureWindowsPath(r"C:\Program Files\ZELTO\Holvara")
DESKTOP_SIZE = "1024x768"  # also the X display's, so the screenshot is the desktop alone


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


def use_shell_desktop(wine):
    """Every program of the prefix opens on the virtual desktop "shell", with its taskbar."""
    step(wine, ["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "shell", "/f"], "reg add")
    step(wine, ["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "shell", "/d", DESKTOP_SIZE, "/f"],
         "reg add")


def show(machine):
    check_machine(machine)
    setup, service_sim = built("HolvaraSetup.exe"), built("HolvaraServiceSim.exe")
    shutil.rmtree(paths.PREFIX, ignore_errors=True)
    registry = ProcessRegistry()
    log_dir = paths.LOGS / "show-devices"
    display = VirtualDisplay(registry, log_dir, size=f"{DESKTOP_SIZE}x24")
    print("making a fresh Wine prefix ...", flush=True)
    wine = WineSession(registry, display, log_dir)
    try:
        use_shell_desktop(wine)
        setup_path, service_path = wine.install(setup, service_sim)
        [machine_path] = wine.install(machine)
        print("installing with HolvaraSetup.exe /S ...", flush=True)
        step(wine, [setup_path, "/S"], "HolvaraSetup.exe /S", timeout=180)

        services = ServiceControl(wine)
        services.remove(SERVICE)
        services.create(SERVICE, f"{service_path} --machine {machine_path}")
        services.start(SERVICE)
        print(f"the service {SERVICE} now works on the simulated machine {machine.name}\n", flush=True)

        cli = str(INSTALL_DIR / "HolvaraCli.exe")
        print(f"> {cli} list")
        print(step(wine, [cli, "list"], "HolvaraCli.exe list", timeout=90).stdout, flush=True)
        print(f"screenshot of the desktop: {display.screenshot('desktop')}")
    finally:
        registry.end_all()
        wine.end()


if __name__ == "__main__":
    show(Path(sys.argv[1]))
