"""Wine's service manager driven through sc.exe, as an administrator would."""
import contextlib
import re
import time

from .waiting import wait_until

STOPPED, START_PENDING, STOP_PENDING, RUNNING = 1, 2, 3, 4
_STATE = re.compile(r"STATE\s*:\s*(\d+)")


class ServiceControl:
    def __init__(self, wine):
        self._wine = wine

    def sc(self, *args, timeout=30):
        return self._wine.run(["sc", *args], timeout=timeout)

    def state(self, name):
        """The service's current state, or None when no such service is installed."""
        result = self.sc("query", name)
        match = _STATE.search(result.stdout)
        return int(match.group(1)) if result.returncode == 0 and match else None

    def create(self, name, command_line, start="demand"):
        """Installs the service, in place of one of the same name. A deleted service stays in the
        manager's table until its last handle is closed, which for one that just stopped is when
        its process has ended; until then a service of the same name cannot be made (and Wine's
        sc says nothing), so the creation is tried again for a while."""
        self.remove(name)
        argv = ("create", name, "binPath=", command_line, "type=", "own", "start=", start)
        deadline = time.monotonic() + 10
        while (result := self.sc(*argv)).returncode != 0 and time.monotonic() < deadline:
            time.sleep(0.2)
        assert result.returncode == 0, f"sc create {name} failed: {result.stdout}{result.stderr}"

    def start(self, name, timeout=20):
        result = self.sc("start", name)
        assert result.returncode == 0, f"sc start {name} failed: {result.stdout}{result.stderr}"
        wait_until(lambda: self.state(name) == RUNNING, timeout, f"{name} to run")

    def stop(self, name, timeout=10):
        """Sends the stop control and returns the seconds until the service reported it had stopped."""
        began = time.monotonic()
        self.sc("stop", name)
        wait_until(lambda: self.state(name) == STOPPED, timeout, f"{name} to stop", interval=0.1)
        return time.monotonic() - began

    def remove(self, name):
        """Stops the service when it runs and deletes it; does nothing when it is not installed."""
        state = self.state(name)
        if state is None:
            return
        if state != STOPPED:
            self.stop(name)
        self.sc("delete", name)
        wait_until(lambda: self.state(name) is None, 10, f"{name} to be deleted")

    @contextlib.contextmanager
    def running(self, name, command_line):
        """Installs and starts the service for the length of a with-block, then stops and deletes it."""
        self.create(name, command_line)
        try:
            self.start(name)
            yield
        finally:
            self.remove(name)
