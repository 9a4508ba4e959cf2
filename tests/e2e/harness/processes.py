"""Every process a test session starts is registered here, so that it is ended whatever happens.

The process ids also go to a file, so that run.sh can end them when the Python runner itself was
killed by its time limit.
"""
import os
import signal
import subprocess

from . import paths


class ProcessRegistry:
    def __init__(self, pid_file=paths.PID_FILE):
        self._pid_file = pid_file
        self._processes = []
        pid_file.parent.mkdir(parents=True, exist_ok=True)
        self._write_pid_file()

    def start(self, argv, env, stdout_path, stderr_path=None, pass_fds=()):
        """Starts argv with stdin closed and its output in files: nothing inherits the runner's pipes."""
        stdout_path.parent.mkdir(parents=True, exist_ok=True)
        stderr_path = stderr_path or stdout_path
        with open(stdout_path, "wb") as out, open(stderr_path, "ab" if stderr_path == stdout_path else "wb") as err:
            process = subprocess.Popen(
                argv, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err, start_new_session=True,
                pass_fds=pass_fds,
            )
        self._processes.append(process)
        self._write_pid_file()
        return process

    def mark(self):
        """A point to end_since: the processes started after it."""
        return len(self._processes)

    def end_since(self, mark, grace=2.0):
        """Ends the processes started after mark that still run: first politely, then for good."""
        later = self._processes[mark:]
        for process in later:
            if process.poll() is None:
                _signal_group(process.pid, signal.SIGTERM)
        for process in later:
            try:
                process.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                _signal_group(process.pid, signal.SIGKILL)
                process.wait()
        del self._processes[mark:]
        self._write_pid_file()

    def end_all(self):
        self.end_since(0)

    def _write_pid_file(self):
        # Only processes not yet collected: an ended one's id may soon belong to someone else.
        running = [process.pid for process in self._processes if process.returncode is None]
        self._pid_file.write_text("".join(f"{pid}\n" for pid in running))


def _signal_group(pid, sig):
    try:
        os.killpg(pid, sig)
    except ProcessLookupError:
        pass
