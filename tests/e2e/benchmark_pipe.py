"""Measures exchanges per second over the service's pipe: HolvaraService.exe against the bare pipe
loops, in alternating rounds so that a change of load on the machine hits all three alike."""
import statistics
import sys

from harness import paths
from harness.processes import ProcessRegistry
from harness.services import ServiceControl
from harness.testclient import TestClient
from harness.waiting import wait_until
from harness.wine import WineSession

SERVICE = "HolvaraService"


def built(name):
    program = paths.windows_program(name)
    if program is None:
        sys.exit(f"{name} is not built in {paths.WINDOWS_BUILD}; run: cmake --build --preset windows")
    return program


def bench(client, exchanges):
    reply = client.run("bench", exchanges, timeout=600)
    if reply.returncode != 0:
        sys.exit(f"the benchmark failed: {reply.line}")
    return float(reply["per_second"])


def bench_service(services, service_exe, client, exchanges):
    with services.running(SERVICE, service_exe):
        client.run("bench", 50)
        return bench(client, exchanges)


def bench_loop(wine, loop_exe, mode, client, exchanges):
    loop = wine.spawn([loop_exe, mode])
    try:
        wait_until(lambda: client.run("probe")["probe"] == "1", 20, f"the {mode} loop to listen")
        client.run("bench", 50)
        return bench(client, exchanges)
    finally:
        loop.kill()
        loop.wait()


def main(exchanges, rounds):
    registry = ProcessRegistry()
    wine = WineSession(registry, None, paths.LOGS / "benchmark-pipe")
    try:
        service_exe, loop_exe, client_exe = wine.install(
            built("HolvaraService.exe"), built("holvara-pipeloop.exe"), built("holvara-testclient.exe"))
        client = TestClient(wine, client_exe)
        services = ServiceControl(wine)
        rates = {"service": [], "thread": [], "inline": []}
        for _ in range(rounds):
            rates["service"].append(bench_service(services, service_exe, client, exchanges))
            rates["thread"].append(bench_loop(wine, loop_exe, "thread", client, exchanges))
            rates["inline"].append(bench_loop(wine, loop_exe, "inline", client, exchanges))
        median = {name: statistics.median(values) for name, values in rates.items()}
        for name, values in rates.items():
            print(f"{name:8} " + " ".join(f"{value:7.1f}" for value in values) + f"   median {median[name]:7.1f}")
        print(f"service / loop with a thread per request: {median['service'] / median['thread']:.3f}")
        print(f"service / loop without threads:           {median['service'] / median['inline']:.3f}")
    finally:
        wine.end()


if __name__ == "__main__":
    main(int(sys.argv[1]), int(sys.argv[2]))
