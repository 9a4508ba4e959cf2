"""A private X server for the programs that open windows, and screenshots of it."""
import os
import subprocess

from . import paths
from .waiting import wait_until


class VirtualDisplay:
    """Xvfb on a display number it picks itself (-displayfd), so parallel runs never collide."""

    def __init__(self, registry, log_dir, size="1280x1024x24"):
        read_end, write_end = os.pipe()
        try:
            self.process = registry.start(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp"],
                env=dict(os.environ),
                stdout_path=log_dir / "xvfb.log",
                pass_fds=(write_end,),
            )
        finally:
            os.close(write_end)
        with os.fdopen(read_end) as chosen:
            number = chosen.readline().strip()
        if not number:
            raise RuntimeError(f"Xvfb did not start; see {log_dir / 'xvfb.log'}")
        self.name = f":{number}"
        socket = f"/tmp/.X11-unix/X{number}"
        wait_until(lambda: os.path.exists(socket), 10, f"the X socket {socket}")

    def screenshot(self, name):
        return save_screenshot(self.name, name)


class UserDisplay:
    """The user's own X display ($DISPLAY), for programs the user goes on using after a run."""

    def __init__(self, name):
        self.name = name

    @staticmethod
    def works(name):
        """Whether an X server answers on that display."""
        if not name:
            return False
        answer = subprocess.run(["xdpyinfo", "-display", name], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        return answer.returncode == 0

    def screenshot(self, name):
        return save_screenshot(self.name, name)


def save_screenshot(display_name, name):
    """Saves the whole screen as build/wine/screenshots/<name>.png and returns the path."""
    paths.SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    target = paths.SCREENSHOTS / f"{name}.png"
    subprocess.run(
        ["import", "-display", display_name, "-window", "root", str(target)],
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        check=True, timeout=20,
    )
    return target
