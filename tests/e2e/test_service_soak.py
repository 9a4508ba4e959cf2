"""Long runs against the service under Wine's service manager: many exchanges in a row must not
fail nor make the service process grow, and many clients at once must each get their own reply.

The service's handle count and memory are read from outside by holvara-procstat.exe from the
system's process list (NtQuerySystemInformation), which Wine fills from its server. Wine gives the
size of the process's handle table there, which grows with the handles in use (in steps of 32 and
more), and the address space and resident memory of the process.
"""
import re

import pytest

from conftest import require_windows_program
from harness import paths
from harness.testclient import request_hex

SERVICE = "HolvaraService"
EXCHANGES = 10000
WARM_UP = 300
# What the service may gain over the long run without a leak: a leak of one handle or of a few
# hundred bytes per exchange exceeds these many times over.
HANDLE_SLACK = 8
MEMORY_SLACK = 2 * 1024 * 1024

CLIENTS = 8
EXCHANGES_PER_CLIENT = 200
MACHINE = paths.MACHINES / "pm-enclosure.json"
ALL_DEVICES = 0x01


def process_figures(wine, procstat, program):
    result = wine.run([procstat, program], timeout=30)
    assert result.returncode == 0, result.stdout + result.stderr
    return {key: int(value) for key, value in re.findall(r"(\w+)=(\d+)", result.stdout)}


def test_ten_thousand_exchanges_without_failure_or_growth(wine, services, testclient):
    service, procstat = wine.install(require_windows_program("HolvaraService.exe"),
                                     require_windows_program("holvara-procstat.exe"))
    with services.running(SERVICE, service):
        warm = testclient.run("bench", WARM_UP, timeout=120)
        assert warm["failed"] == "0", warm.line
        before = process_figures(wine, procstat, "HolvaraService.exe")

        soak = testclient.run("bench", EXCHANGES, timeout=600)
        after = process_figures(wine, procstat, "HolvaraService.exe")

    assert (soak.returncode, soak["exchanges"], soak["failed"]) == (0, str(EXCHANGES), "0"), soak.line
    assert after["pid"] == before["pid"]
    assert after["handles"] <= before["handles"] + HANDLE_SLACK, (before, after)
    assert before["handles"] > 0, before
    assert after["virtual"] <= before["virtual"] + MEMORY_SLACK, (before, after)
    assert after["working_set"] <= before["working_set"] + MEMORY_SLACK, (before, after)


def test_many_clients_at_once_each_get_their_own_reply(wine, services, testclient):
    service, machine = wine.install(require_windows_program("HolvaraServiceSim.exe"), MACHINE)
    with services.running(SERVICE, f"{service} --machine {machine}"):
        slots = int(testclient.run("init", ALL_DEVICES)["value"])
        assert slots >= CLIENTS - 1
        # Client k asks for slot k over and over; the last one asks for a slot past the devices.
        expected = [testclient.run("raw", request_hex(1, index=slot))["reply"] for slot in range(CLIENTS)]
        assert len(set(expected)) == CLIENTS

        running = [testclient.spawn("records", EXCHANGES_PER_CLIENT, slot) for slot in range(CLIENTS)]
        answers = [testclient.finish(process, timeout=600) for process in running]

    for slot, answer in enumerate(answers):
        assert (answer.returncode, answer["failed"], answer["distinct"]) == (0, "0", "1"), answer.line[:200]
        assert answer["reply"] == expected[slot], f"slot {slot}"

