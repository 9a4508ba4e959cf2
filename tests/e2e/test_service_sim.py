"""HolvaraServiceSim.exe: the real service host and pipe under Wine's service manager, with the
device work on a simulated PC, against the native simulator on the same machine file."""
import pytest

from conftest import require_native_program, require_windows_program
from harness import paths
from harness.simulator import reply_hex, run_simulator
from harness.testclient import request_hex

SERVICE = "HolvaraService"
MACHINE = paths.MACHINES / "pm-enclosure.json"
SATA_ADAPTERS = 0x40
ALL_DEVICES = 0x01


@pytest.fixture
def service_sim_exe(wine):
    [exe] = wine.install(require_windows_program("HolvaraServiceSim.exe"))
    return exe


@pytest.fixture
def sim_service(wine, services, service_sim_exe):
    [machine] = wine.install(MACHINE)
    with services.running(SERVICE, f"{service_sim_exe} --machine {machine}"):
        yield


def count(testclient, search_code):
    reply = testclient.run("init", search_code)
    assert reply["sent"] == "1", reply.line
    return int(reply["value"])


def test_replies_are_the_bytes_of_the_native_simulator(sim_service, testclient):
    simulator = require_native_program("holvara-sim")
    slots = run_simulator(simulator, MACHINE, "init", SATA_ADAPTERS)[0]["count"]
    assert slots > 0
    words = ["init", SATA_ADAPTERS]
    for slot in range(slots + 1):
        words += ["info", slot, "basic", slot]
    words += ["init", ALL_DEVICES, "info", 0]
    expected = run_simulator(simulator, MACHINE, *words)

    for answer in expected:
        served = testclient.run(*client_words(answer))
        assert served.returncode == 0, served.line
        assert served["reply"] == reply_hex(answer), f"{answer['request']}: {served.line[:200]}"


def client_words(answer):
    """The test client's words for the simulator's request. A record goes raw, so that the reply's
    every byte is printed; the 4-byte replies are printed whole by their own modes."""
    if answer["request"] == "info":
        return "raw", request_hex(1, index=answer["index"])
    if answer["request"] == "init":
        return "init", answer["searchCode"]
    return "basic", answer["disk"]


def test_removal_leaves_one_device_fewer(sim_service, testclient):
    before = count(testclient, SATA_ADAPTERS)
    records = [testclient.run("info", slot) for slot in range(before)]
    removable = next(r for r in records if r["hwid"].startswith("SCSI\\"))

    removed = testclient.run("remove", removable["hwid"], removable["pdo"])

    assert (removed["sent"], removed["value"]) == ("1", "1"), removed.line
    assert count(testclient, SATA_ADAPTERS) == before - 1


def test_silent_connection_empties_the_device_table(sim_service, testclient):
    assert count(testclient, SATA_ADAPTERS) > 0
    assert testclient.run("silent")["connected"] == "1"
    assert testclient.run("info", 0)["present"] == "0"


def test_machine_that_cannot_be_loaded_ends_the_program_with_the_reason(wine, service_sim_exe):
    result = wine.run([service_sim_exe, "--machine", "C:\\holvara\\absent.json"], timeout=30)
    assert result.returncode == 3
    assert "absent.json" in result.stderr
