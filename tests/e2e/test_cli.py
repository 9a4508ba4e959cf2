"""HolvaraCli.exe through the real pipe to HolvaraServiceSim.exe under Wine's service manager, on
the enclosure machine: its list is the tray's list of the native simulator for the same machine and
settings, removals (by letter, identity or pinned index) take devices away, refusals take nothing,
and without a service it gives up after the client's retries."""
import json
import time

import pytest

from conftest import require_native_program, require_windows_program
from harness import paths
from harness.simulator import run_simulator

SERVICE = "HolvaraService"
MACHINE = paths.MACHINES / "pm-enclosure.json"
KINDS = {2: "device", 3: "unit"}


class Cli:
    def __init__(self, wine, exe):
        self.wine = wine
        self.exe = exe

    def run(self, *words, timeout=60):
        return self.wine.run([self.exe, *words], timeout=timeout)

    def devices(self):
        result = self.run("list", "--json")
        assert result.returncode == 0, result.stderr
        return json.loads(result.stdout)["devices"]

    def names(self):
        return [device["name"] for device in self.devices()]


@pytest.fixture
def cli(wine):
    [exe] = wine.install(require_windows_program("HolvaraCli.exe"))
    # No profile: the tool takes the values of the tray's first start, as holvara-sim does.
    wine.run(["reg", "delete", r"HKCU\Software\ZELTO", "/f"])
    return Cli(wine, exe)


@pytest.fixture
def sim_service(wine, services):
    [service_exe] = wine.install(require_windows_program("HolvaraServiceSim.exe"))
    [machine] = wine.install(MACHINE)
    with services.running(SERVICE, f"{service_exe} --machine {machine}"):
        yield


def test_list_is_the_trays_list(sim_service, cli):
    [expected] = run_simulator(require_native_program("holvara-sim"), MACHINE, "list")
    listed = cli.devices()
    assert [(d["name"], d["driveLetters"], d["kind"], d["memberCount"], d["host"], d["port"], d["target"])
            for d in listed] == [
        (e["displayName"], e["driveLetters"], "member" if e["inUnit"] else KINDS[e["kind"]], e["memberCount"],
         e["host"], e["port"], e["target"])
        for e in expected["entries"]]

    table = cli.run("list")
    assert table.returncode == 0
    assert "[ HOST:1  PORT:1 ]  PORT MULTIPLIER UNIT" in table.stdout
    assert "F: G:" in table.stdout


def test_remove_a_letter_then_a_whole_unit_by_its_pinned_index(sim_service, cli):
    before = cli.names()

    removed = cli.run("remove", "E:")
    assert removed.returncode == 0, removed.stderr
    assert "(E:) can now be safely removed" in removed.stdout
    assert len(cli.names()) == len(before) - 1

    [unit] = [d for d in cli.devices() if d["kind"] == "unit"]
    removed = cli.run("remove", "--index", str(unit["index"]), "--expect", unit["id"])
    assert removed.returncode == 0, removed.stderr
    assert removed.stdout.startswith(f"Entry {unit['index']} is the unit {unit['name']} with ")
    assert removed.stdout.count("can now be safely removed") == unit["memberCount"]
    assert cli.names() == ["PIONEER DVD-RW  DVR-216D SCSI CdRom Device"]


def test_remove_by_identity_takes_that_device_alone(sim_service, cli):
    before = cli.devices()
    [hitachi] = [d for d in before if d["name"].startswith("Hitachi")]

    removed = cli.run("remove", "--id", hitachi["id"])
    assert removed.returncode == 0, removed.stderr
    assert "(H:) can now be safely removed" in removed.stdout
    assert [d["id"] for d in cli.devices() if d["kind"] != "unit"] == [
        d["id"] for d in before if d["kind"] != "unit" and d["id"] != hitachi["id"]]

    again = cli.run("remove", "--id", hitachi["id"])
    assert (again.returncode, again.stdout) == (4, "")
    assert "No such device now" in again.stderr
    assert len(cli.devices()) == len(before) - 1


def test_an_index_without_a_pin_from_a_script_removes_nothing(sim_service, cli):
    before = cli.names()
    refused = cli.run("remove", "--index", "1")
    assert (refused.returncode, refused.stdout) == (2, "")
    assert "--id ID" in refused.stderr
    assert cli.names() == before


@pytest.mark.parametrize("letter, reason", [("Z:", "No removable device holds drive Z:"),
                                            ("C:", "C: is the system drive")])
def test_refused_letters_remove_nothing(sim_service, cli, letter, reason):
    before = cli.names()
    refused = cli.run("remove", letter)
    assert (refused.returncode, refused.stdout) == (1, "")
    assert reason in refused.stderr
    assert cli.names() == before


def test_without_the_service_it_gives_up_after_the_clients_retries(services, cli):
    services.remove(SERVICE)
    began = time.monotonic()
    result = cli.run("list", timeout=90)
    took = time.monotonic() - began
    assert result.returncode == 3
    assert "HolvaraService" in result.stderr
    assert 35 < took < 75, took
