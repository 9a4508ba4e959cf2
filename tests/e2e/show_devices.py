"""Lists the devices of a simulated machine as HolvaraServiceSim.exe reports them under Wine."""
import subprocess
import sys
from pathlib import Path

from harness import paths
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.testclient import TestClient
from harness.wine import WineSession

SERVICE = "HolvaraService"
SATA_ADAPTERS = 0x40  # the tray program's default search code


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


def device_line(slot, record):
    name = record["friendly"] or record["description"]
    letters = ", ".join(f"{letter}:" for letter in record["letters"]) or "no drive letter"
    return f"  {slot:2}  {name}  [{letters}]  on {record['adapter']}"


def show(machine):
    check_machine(machine)
    registry = ProcessRegistry()
    wine = WineSession(registry, None, paths.LOGS / "show-devices")
    try:
        service_exe, client_exe = wine.install(built("HolvaraServiceSim.exe"), built("holvara-testclient.exe"))
        [machine_path] = wine.install(machine)
        client = TestClient(wine, client_exe)
        with ServiceControl(wine).running(SERVICE, f"{service_exe} --machine {machine_path}"):
            reply = client.run("init", SATA_ADAPTERS)
            if reply.returncode != 0:
                sys.exit(f"the service did not answer: {reply.line}")
            count = int(reply["value"])
            print(f"{machine.name}: {count} device{'' if count == 1 else 's'} "
                  f"below the SATA host adapters (search code 0x{SATA_ADAPTERS:02X})")
            for slot in range(count):
                print(device_line(slot, client.run("info", slot)))
    finally:
        wine.end()


if __name__ == "__main__":
    show(Path(sys.argv[1]))
