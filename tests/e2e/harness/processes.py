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
        pid_file.write_text("")

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
        with open(self._pid_file, "a") as pids:
            pids.write(f"{process.pid}\n")
        return process

    def end_all(self, grace=2.0):
        for process in self._processes:
            if process.poll() is None:
                _signal_group(process.pid, signal.SIGTERM)
        for process in self._processes:
            try:
                process.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                _signal_group(process.pid, signal.SIGKILL)
                process.wait()
        self._processes.clear()
        self._pid_file.write_text("")


def _signal_group(pid, sig):
    try:
        os.killpg(pid, sig)
    except ProcessLookupError:
        pass
