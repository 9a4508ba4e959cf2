"""Measures exchanges per second over the service's pipe: HolvaraService.exe against the bare pipe
loops, in short alternating rounds so that a change of load on the machine hits all alike. The
loops' third kind starts a thread per request with the COM libraries loaded, as the service has
them, to show what libraries that take part in every thread's start and end cost under Wine."""
import statistics
import sys

from harness import paths
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.testclient import TestClient
from harness.waiting import wait_until
from harness.wine import WineSession

SERVICE = "HolvaraService"
COM_LIBRARIES = ("ole32.dll", "oleaut32.dll")


def built(name):
    program = paths.windows_program(name)
    if program is None:
        sys.exit(f"{name} is not built in {paths.WINDOWS_BUILD}; run: cmake --build --preset windows")
    return program


def bench(client, exchanges):
    client.run("bench", 20)
    reply = client.run("bench", exchanges, timeout=600)
    if reply.returncode != 0:
        sys.exit(f"the benchmark failed: {reply.line}")
    return float(reply["per_second"])


def bench_service(services, client, exchanges):
    services.start(SERVICE)
    try:
        return bench(client, exchanges)
    finally:
        services.stop(SERVICE)


def bench_loop(wine, loop_exe, client, exchanges, *arguments):
    loop = wine.spawn([loop_exe, *arguments])
    try:
        wait_until(lambda: client.run("probe")["probe"] == "1", 20, f"the loop {arguments} to listen")
        return bench(client, exchanges)
    finally:
        loop.kill()
        loop.wait()


def main(exchanges, rounds):
    registry = ProcessRegistry()
    wine = WineSession(registry, None, paths.LOGS / "benchmark-pipe")
    services = ServiceControl(wine)
    try:
        service_exe, loop_exe, client_exe = wine.install(
            built("HolvaraService.exe"), built("holvara-pipeloop.exe"), built("holvara-testclient.exe"))
        client = TestClient(wine, client_exe)
        services.create(SERVICE, service_exe)
        rates = {"service": [], "thread": [], "thread+com": [], "inline": []}
        for _ in range(rounds):
            rates["service"].append(bench_service(services, client, exchanges))
            rates["thread"].append(bench_loop(wine, loop_exe, client, exchanges, "thread"))
            rates["thread+com"].append(bench_loop(wine, loop_exe, client, exchanges, "thread", *COM_LIBRARIES))
            rates["inline"].append(bench_loop(wine, loop_exe, client, exchanges, "inline"))
        for name, values in rates.items():
            print(f"{name:10} " + " ".join(f"{value:7.1f}" for value in values)
                  + f"   median {statistics.median(values):7.1f}")
        for other in ("thread", "inline"):
            ratios = [s / o for s, o in zip(rates["service"], rates[other])]
            print(f"service / {other:6}: per round " + " ".join(f"{r:.3f}" for r in ratios)
                  + f"   median {statistics.median(ratios):.3f}")
    finally:
        services.remove(SERVICE)
        wine.end()


if __name__ == "__main__":
    main(int(sys.argv[1]), int(sys.argv[2]))
