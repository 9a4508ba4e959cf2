"""HolvaraServiceSim.exe under Wine's service manager, stopped or killed while it serves: a request
under way is served to the end, a reply larger than the pipe's buffer is not cut by the stop, a
start right after a stop serves again, and a killed service fails its client's exchange at once.

The removals are slowed down (--removal-ms) so that a stop or a kill lands while one runs.
"""
import os
import signal
import time
from pathlib import Path

import pytest

from conftest import require_windows_program
from harness import paths
from harness.testclient import request_hex
from harness.waiting import wait_until

SERVICE = "HolvaraService"
PROGRAM = "HolvaraServiceSim.exe"
MACHINE = paths.MACHINES / "pm-enclosure.json"
SATA_ADAPTERS = 0x40
REMOVAL_MS = 6000
RECORD_SIZE = 1124


@pytest.fixture
def service_command(wine):
    exe, machine = wine.install(require_windows_program(PROGRAM), MACHINE)
    return f"{exe} --machine {machine} --removal-ms {REMOVAL_MS}"


@pytest.fixture
def installed(services, service_command):
    services.create(SERVICE, service_command)
    try:
        services.start(SERVICE)
        yield
    finally:
        services.remove(SERVICE)


def count(testclient):
    reply = testclient.run("init", SATA_ADAPTERS)
    assert reply["sent"] == "1", reply.line
    return int(reply["value"])


def removable_device(testclient):
    records = [testclient.run("info", slot) for slot in range(count(testclient))]
    return next(r for r in records if r["hwid"].startswith("SCSI\\"))


def wait_for_output(process, text, what):
    wait_until(lambda: text in Path(process.stdout_path).read_text(errors="replace"), 20, what)


def test_stop_while_a_record_is_delivered_lets_the_whole_record_through(installed, services, testclient):
    assert count(testclient) > 0
    record = request_hex(1, index=0)
    whole = testclient.run("raw", record)["reply"]
    assert len(whole) == 2 * RECORD_SIZE and whole != "00" * RECORD_SIZE

    # Signalled, then reads only 3 seconds later: the record's write waits for it meanwhile.
    late = testclient.spawn("raw", record, 3000)
    wait_for_output(late, "signalled=1", "the record to be made")
    services.stop(SERVICE)
    answer = testclient.finish(late, timeout=30)
    assert (answer["signalled"], answer["reply"]) == ("1", whole), answer.line


def test_stop_during_a_removal_serves_it_and_a_start_right_after_serves_again(installed, services, testclient):
    before = count(testclient)
    device = removable_device(testclient)
    removal = testclient.spawn("remove", device["hwid"], device["pdo"])
    sent = time.monotonic()
    time.sleep(1)

    services.stop(SERVICE, timeout=30)
    # Stopped only once the removal was served and the pipe let go.
    assert time.monotonic() - sent > REMOVAL_MS / 1000
    answer = testclient.finish(removal, timeout=30)
    assert (answer["sent"], answer["value"]) == ("1", "1"), answer.line

    services.start(SERVICE)
    # A new process on the same machine file: the removed device is back.
    assert count(testclient) == before


def test_killed_during_a_request_fails_the_exchange_at_once_and_the_next_start_serves(
        installed, wine, services, testclient):
    before = count(testclient)
    device = removable_device(testclient)
    removal = testclient.spawn("remove", device["hwid"], device["pdo"])
    time.sleep(1)

    [pid] = wine.processes(PROGRAM)
    os.kill(pid, signal.SIGKILL)
    killed = time.monotonic()
    answer = testclient.finish(removal, timeout=30)
    assert time.monotonic() - killed < 1
    assert (answer.returncode, answer["sent"]) == (1, "0"), answer.line

    # Windows' service manager sees the process end and shows the service stopped; Wine's goes on
    # showing it running, but starts a new process all the same.
    services.start(SERVICE)
    assert count(testclient) == before
