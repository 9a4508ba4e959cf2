"""HolvaraService.exe under Wine's service manager, reached through the real pipe and event.

Wine has no Plug and Play tree, no SCSI devices and no physical drives, so every device command
finds nothing; what is tested here is the service around the device work.
"""
import time
from pathlib import Path

import pytest

from conftest import require_windows_program
from harness.testclient import request_hex
from harness.waiting import wait_until

SERVICE = "HolvaraService"
RECORD_SIZE = 1124


@pytest.fixture
def service_exe(wine):
    [exe] = wine.install(require_windows_program("HolvaraService.exe"))
    return exe


@pytest.fixture
def running_service(services, service_exe):
    with services.running(SERVICE, service_exe):
        yield


def test_started_by_hand_ends_at_once_silently(wine, service_exe):
    result = wine.run([service_exe], timeout=40)
    assert (result.returncode, result.stdout) == (0, "")


NOTHING_FOUND = [
    (("init", 0x40), "0"),
    (("init", 0x01), "0"),
    (("init", 0x7F), "0"),
    (("basic", 0), "0"),
    (("remove", "SCSI\\DiskVENDOR", "\\Device\\00000042"), "0"),
    (("rescan",), "0"),
]


def test_device_commands_find_nothing_on_wine(running_service, testclient):
    for args, value in NOTHING_FOUND:
        reply = testclient.run(*args)
        assert (reply["sent"], reply["value"]) == ("1", value), f"{args}: {reply.line}"
    record = testclient.run("info", 0)
    assert (record["sent"], record["present"], record["path"]) == ("1", "0", ""), record.line


ZERO_RECORD = "00" * RECORD_SIZE
ZERO_VALUE = "00000000"

# Requests no client of ours sends; the service must answer them soundly or drop the connection,
# and serve the next client normally.
BAD_REQUESTS = {
    "hardware ID of 64 bytes without a NUL": (
        request_hex(3, hardware_id=b"A" * 64, device_object_name=b"\\Device\\00000042"),
        "1", ZERO_VALUE),
    "record index 26": (request_hex(1, index=26), "1", ZERO_RECORD),
    "record index 255": (request_hex(1, index=255), "1", ZERO_RECORD),
    "request followed by 16 more bytes": (request_hex(0, search_code=0x40) + "ab" * 16, "1", ZERO_VALUE),
    "unknown command 7": (request_hex(7), "0", ""),
    "unknown command 0xFFFFFFFF": (request_hex(0xFFFFFFFF), "0", ""),
}


@pytest.mark.parametrize("case", BAD_REQUESTS)
def test_bad_request_is_contained(running_service, testclient, case):
    request, signalled, reply = BAD_REQUESTS[case]
    answer = testclient.run("raw", request)
    assert (answer["signalled"], answer["reply"]) == (signalled, reply)
    assert_still_serving(testclient)


@pytest.mark.parametrize("mode", [("silent",), ("noread", 0x40)])
def test_client_that_drops_the_connection_does_not_hold_the_service(running_service, testclient, mode):
    reply = testclient.run(*mode)
    assert reply.returncode == 0, reply.line
    assert_still_serving(testclient)


def test_second_client_waits_while_the_pipe_is_busy_then_is_served(running_service, testclient):
    # Four bytes of a request: the service waits for the rest until its client time-out, and the
    # pipe's one instance stays taken meanwhile.
    holder = testclient.spawn("raw", "00000000")
    wait_until(lambda: testclient.run("probe")["probe"] == "0", 10, "the pipe to be busy")
    waiting = testclient.spawn("init", 0x40)
    held = testclient.finish(holder, timeout=30)
    served = testclient.finish(waiting, timeout=30)
    # The unfinished request used up the connection's 5 s, so its reply may be gone with the
    # connection before the client reads it; the work itself was done.
    assert held["signalled"] == "1" and held["reply"] in ("", ZERO_VALUE), held.line
    assert (served["sent"], served["value"]) == ("1", "0"), served.line


@pytest.mark.parametrize("client", ["none", "holding the pipe"])
def test_stops_within_five_seconds_and_the_process_ends(wine, services, service_exe, testclient, client):
    services.create(SERVICE, service_exe)
    try:
        services.start(SERVICE)
        assert_still_serving(testclient)
        assert wine.processes("HolvaraService.exe")
        if client == "holding the pipe":
            # Four bytes of a request keep the service reading for the rest.
            testclient.spawn("raw", "00000000")
            wait_until(lambda: testclient.run("probe")["probe"] == "0", 10, "the pipe to be busy")
        began = time.monotonic()
        services.stop(SERVICE)
        wait_until(lambda: not wine.processes("HolvaraService.exe"), 10, "the service process to end")
        assert time.monotonic() - began < 5
        assert testclient.run("probe")["probe"] == "0"
    finally:
        services.remove(SERVICE)


def test_reply_not_yet_read_at_the_stop_still_reaches_the_client(wine, services, service_exe, testclient):
    services.create(SERVICE, service_exe)
    try:
        services.start(SERVICE)
        assert_still_serving(testclient)
        # Signalled, then reads its reply only 8 seconds later, long after the service has ended.
        late = testclient.spawn("raw", request_hex(0, search_code=0x40), 8000)
        wait_until(lambda: "signalled=1" in Path(late.stdout_path).read_text(errors="replace"), 20,
                   "the request to be served")
        signalled = time.monotonic()
        services.stop(SERVICE)
        wait_until(lambda: not wine.processes("HolvaraService.exe"), 10, "the service process to end")
        assert time.monotonic() - signalled < 5
        answer = testclient.finish(late, timeout=30)
        assert (answer["signalled"], answer["reply"]) == ("1", ZERO_VALUE), answer.line
    finally:
        services.remove(SERVICE)


def assert_still_serving(testclient):
    reply = testclient.run("init", 0x40)
    assert (reply.returncode, reply["sent"]) == (0, "1"), reply.line


def test_exchanges_in_quick_succession_all_succeed(running_service, testclient):
    # Each client after the first finds the pipe busy until the service listens again, and retries.
    reply = testclient.run("bench", 50, timeout=60)
    assert (reply.returncode, reply["exchanges"], reply["failed"]) == (0, "50", "0"), reply.line
