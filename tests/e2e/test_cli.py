"""HolvaraCli.exe through the real pipe to HolvaraServiceSim.exe under Wine's service manager, on
the enclosure machine: its list is the tray's list of the native simulator for the same machine and
settings, removals (by letter, identity or pinned index) take devices away, refusals take nothing,
device names of the ANSI code page come out as UTF-8, and a service that is not installed or is
stopped is answered at once."""
import json
import time

import pytest

from conftest import require_native_program, require_windows_program
from harness import paths
from harness.services import STOPPED
from harness.simulator import run_simulator
from tray_locale import user_locale

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


@pytest.mark.parametrize("language, code_page, name", [
    ("ja", 932, "I-O DATA 外付けディスク"),
    ("en", 1252, "Café Ñandú – Ÿ € Disk"),  # bytes 0x80-0x9F of code page 1252 among them
])
def test_names_of_the_ansi_code_page_come_out_as_utf8_json(wine, services, cli, tmp_path, language, code_page,
                                                            name):
    machine = json.loads(MACHINE.read_text(encoding="utf-8"))
    renamed = json.dumps(machine, ensure_ascii=False).replace(
        '"friendlyName": "Hitachi HDS721010CLA332 SCSI Disk Device"', f'"friendlyName": "{name}"')
    assert name in renamed
    (tmp_path / "named.json").write_text(renamed, encoding="utf-8")
    [service_exe] = wine.install(require_windows_program("HolvaraServiceSim.exe"))
    [machine_path] = wine.install(tmp_path / "named.json")
    # The service reads names with the ANSI functions, in the code page; the tool converts from
    # its own ANSI code page, which under Wine follows the locale.
    with services.running(SERVICE, f"{service_exe} --machine {machine_path} --code-page {code_page}"), \
            user_locale(wine, language):
        result = cli.run("list", "--json")
        assert result.returncode == 0, result.stderr
        assert "\ufffd" not in result.stdout  # the bytes were valid UTF-8
        assert name in [d["name"] for d in json.loads(result.stdout)["devices"]]

        table = cli.run("list")
        assert f"[ TRAY:3 ] {name}" in table.stdout


@pytest.mark.parametrize("installed, code, says", [(False, 5, "is not installed"), (True, 3, "is stopped")])
def test_without_a_running_service_it_answers_at_once(services, cli, installed, code, says):
    services.remove(SERVICE)
    if installed:
        [service_exe] = cli.wine.install(require_windows_program("HolvaraServiceSim.exe"))
        [machine] = cli.wine.install(MACHINE)
        services.create(SERVICE, f"{service_exe} --machine {machine}")
        assert services.state(SERVICE) == STOPPED
    try:
        began = time.monotonic()
        result = cli.run("list")
        took = time.monotonic() - began
    finally:
        services.remove(SERVICE)
    assert (result.returncode, result.stdout) == (code, "")
    assert says in result.stderr
    assert took < 1, took


def test_a_busy_service_is_waited_for_as_stated_then_answered_with_its_own_code(wine, services, cli):
    """A removal that holds the service's one connection for longer than the client's retries."""
    [service_exe] = wine.install(require_windows_program("HolvaraServiceSim.exe"))
    [machine] = wine.install(MACHINE)
    with services.running(SERVICE, f"{service_exe} --machine {machine} --removal-ms 55000"):
        removal = wine.spawn([cli.exe, "remove", "E:"])
        # Its list is read within a few seconds; its request then holds the pipe for 55 s, which
        # still leaves a margin after the 40 s wait of the list started here.
        time.sleep(8)
        began = time.monotonic()
        result = cli.run("list", timeout=90)
        took = time.monotonic() - began
        assert (result.returncode, result.stdout) == (6, "")
        assert "waiting up to 40 seconds" in result.stderr
        assert "did not answer within 40 seconds" in result.stderr
        assert 35 < took < 60, took
        assert wine.finish(removal, timeout=60).returncode == 0
