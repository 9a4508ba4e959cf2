"""One Wine session: the private 64-bit prefix, a persistent wineserver, and programs run in it."""
import fcntl
import itertools
import os
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path, PureWindowsPath

from . import paths

INSTALL_DIR = PureWindowsPath("C:/holvara")


@dataclass
class Completed:
    returncode: int
    stdout: str
    stderr: str


class ProgramTimeout(AssertionError):
    pass


class WineSession:
    def __init__(self, registry, display, log_dir, prefix=paths.PREFIX):
        """display: the X display for programs with windows, or None for console programs only."""
        self.prefix = prefix
        self.log_dir = log_dir
        self._registry = registry
        self._counter = itertools.count(1)
        self.env = dict(os.environ)
        self.env.update(
            WINEPREFIX=str(prefix),
            WINEARCH="win64",
            WINEDEBUG="-all",
            # Keeps Wine from offering to download Mono and Gecko, which would wait for a click.
            WINEDLLOVERRIDES="mscoree,mshtml=",
        )
        self.env.pop("DISPLAY", None)
        if display is not None:
            self.env["DISPLAY"] = display.name
        self._ensure_prefix()
        self._end_wine_processes()
        self._server("-p")

    def _ensure_prefix(self):
        self.prefix.parent.mkdir(parents=True, exist_ok=True)
        ready = self.prefix / ".holvara-ready"
        with open(self.prefix.parent / "prefix.lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if ready.exists():
                return
            self._end_wine_processes()
            self._tool(["wineboot", "-i"], "wineboot", timeout=180)
            self._server("-w", timeout=120)
            ready.touch()

    def _end_wine_processes(self):
        """Ends the wineserver and every Wine process of the prefix. At the start of a session this
        also ends what a killed run left behind; the prefix is the session's alone (run.sh locks it)."""
        try:
            self._server("-k")
        except subprocess.CalledProcessError:
            pass  # none was running
        self._server("-w")

    def _server(self, option, timeout=30):
        self._tool(["wineserver", option], f"wineserver{option}", timeout=timeout)

    def _tool(self, argv, label, timeout):
        log = self.log_dir / f"{label}.log"
        log.parent.mkdir(parents=True, exist_ok=True)
        with open(log, "wb") as out:
            subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                           timeout=timeout, check=True)

    def restart_server(self):
        """Ends every Wine process of the prefix and starts a fresh persistent wineserver."""
        self._end_wine_processes()
        self._server("-p")

    def end(self):
        """Ends every process of the session and the wineserver with all Wine processes in the prefix."""
        self._registry.end_all()
        self._end_wine_processes()

    def processes(self, exe_name):
        """Process ids of this prefix's Wine processes whose command line names exe_name (any case)."""
        wanted = exe_name.lower().encode()
        prefix = f"WINEPREFIX={self.prefix}".encode()
        found = []
        for entry in Path("/proc").iterdir():
            if not entry.name.isdigit():
                continue
            try:
                command_line = (entry / "cmdline").read_bytes().lower()
                environment = (entry / "environ").read_bytes().split(b"\0")
            except OSError:
                continue  # ended meanwhile, or not ours to read
            if wanted in command_line and prefix in environment:
                found.append(int(entry.name))
        return found

    @property
    def install_dir(self):
        return self.prefix / "drive_c" / "holvara"

    def install(self, *files):
        """Copies files into C:\\holvara of the prefix and returns their Windows paths."""
        self.install_dir.mkdir(parents=True, exist_ok=True)
        placed = []
        for file in files:
            shutil.copy2(file, self.install_dir / Path(file).name)
            placed.append(str(INSTALL_DIR / Path(file).name))
        return placed

    def _log_paths(self, argv):
        stem = f"{next(self._counter):03d}-{PureWindowsPath(argv[0]).stem}"
        return self.log_dir / f"{stem}.out", self.log_dir / f"{stem}.err"

    def spawn(self, argv):
        """Starts a Windows program in the background; its output goes to files beside the test log."""
        stdout_path, stderr_path = self._log_paths(argv)
        process = self._registry.start(["wine", *argv], self.env, stdout_path, stderr_path)
        process.stdout_path, process.stderr_path = stdout_path, stderr_path
        return process

    def finish(self, process, timeout):
        """Waits for a spawned program; fails (after killing it) when it outlives the time limit."""
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise ProgramTimeout(f"{process.args[1:]} still ran after {timeout} s") from None
        return Completed(
            process.returncode,
            _text(process.stdout_path),
            _text(process.stderr_path),
        )

    def run(self, argv, timeout=30):
        """Runs a Windows console program to its end and returns its exit code and output."""
        return self.finish(self.spawn(argv), timeout)


def _text(path):
    return path.read_bytes().decode("utf-8", "replace").replace("\r\n", "\n")
