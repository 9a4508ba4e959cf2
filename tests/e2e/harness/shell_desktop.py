"""Wine's virtual desktop named "shell": a desktop window on the X display with a taskbar whose
right end is the notification area. While it is switched on, every program of the prefix runs on
it (probes too, so that they find the programs' windows).

The tray icon is found in screenshots by its colours: the light green of its arrow (icon 128 of
the resource library) appears nowhere else on the desktop.
"""
import os
import re
import subprocess
import tempfile
from pathlib import Path

from .waiting import wait_until

EXPLORER_KEY = r"HKCU\Software\Wine\Explorer"
DESKTOPS_KEY = r"HKCU\Software\Wine\Explorer\Desktops"
NAME = "shell"
SIZE = "1024x768"
ICON_GREEN = "5AD278"
# Where balloons appear: 320 by 200 pixels of the desktop's bottom right, above the taskbar.
BALLOON_CORNER = "320x200+704+544"


class ShellDesktop:
    def __init__(self, wine, display):
        self._wine = wine
        self._display = display

    def switch_on(self):
        """Programs started from now on run on the shell desktop."""
        self._reg("add", EXPLORER_KEY, "/v", "Desktop", "/t", "REG_SZ", "/d", NAME, "/f")
        self._reg("add", DESKTOPS_KEY, "/v", NAME, "/t", "REG_SZ", "/d", SIZE, "/f")

    def switch_off(self):
        """Back to the desktop of the other tests; the shell desktop closes with the programs that
        ran on it (the wineserver starts again)."""
        self._reg("delete", EXPLORER_KEY, "/v", "Desktop", "/f")
        self._reg("delete", DESKTOPS_KEY, "/v", NAME, "/f")
        self._wine.restart_server()

    def _reg(self, *arguments):
        result = self._wine.run(["reg", *arguments], timeout=30)
        assert result.returncode == 0 or arguments[0] == "delete", result.stdout + result.stderr

    def _screen(self, folder):
        shot = Path(folder) / "screen.png"
        subprocess.run(["import", "-display", self._display.name, "-window", "root", str(shot)],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=20)
        return shot

    def text_rows(self, rect):
        """The bands of screen rows inside rect (left, top, right, bottom) that hold dark pixels,
        as (top, bottom) pairs from the top: the items of a menu with none selected (the etched
        line of a separator has no dark pixels)."""
        left, top, right, bottom = rect
        with tempfile.TemporaryDirectory() as folder:
            grey = subprocess.run(["convert", str(self._screen(folder)), "-crop",
                                   f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                                   "-colorspace", "gray", "-depth", "8", "pgm:-"],
                                  stdin=subprocess.DEVNULL, capture_output=True, check=True, timeout=30).stdout
        width, height, pixels = _pgm(grey)
        dark = [any(value < 96 for value in pixels[row * width:(row + 1) * width]) for row in range(height)]
        bands, start = [], None
        for row, has_dark in enumerate(dark + [False]):
            if has_dark and start is None:
                start = row
            elif not has_dark and start is not None:
                bands.append((top + start, top + row - 1))
                start = None
        return bands

    def balloon_shown(self):
        """Whether a balloon stands above the notification area: its light body fills a good part
        of the desktop's bottom right corner, which is otherwise the desktop's blue."""
        with tempfile.TemporaryDirectory() as folder:
            light = subprocess.run(["convert", str(self._screen(folder)), "-crop", BALLOON_CORNER, "+repage",
                                    "-colorspace", "gray", "-threshold", "90%", "-format", "%[fx:mean]", "info:"],
                                   stdin=subprocess.DEVNULL, capture_output=True, check=True, timeout=30).stdout
        return float(light) > 0.1

    def icon(self):
        """The centre (x, y) of the tray icon on the screen, or None when it is not shown."""
        with tempfile.TemporaryDirectory() as folder:
            shot = self._screen(folder)
            # Everything but the icon's green goes black; what is left is the icon's bounding box.
            box = subprocess.run(["convert", str(shot), "-fill", "black", "+opaque", "#" + ICON_GREEN,
                                  "-format", "%@", "info:"], stdin=subprocess.DEVNULL, capture_output=True,
                                 check=True, timeout=30).stdout.decode()
        width, height, x, y = map(int, re.fullmatch(r"(\d+)x(\d+)\+(-?\d+)\+(-?\d+)", box.strip()).groups())
        if width == 0 or height == 0:
            return None
        return x + width // 2, y + height // 2

    def wait_for_icon(self, timeout):
        return wait_until(self.icon, timeout, "the tray icon in the notification area", interval=0.5)

    def wait_until_icon_gone(self, timeout):
        wait_until(lambda: self.icon() is None, timeout, "the tray icon to leave", interval=0.5)

    def press_keys(self, *keys):
        """Types the keys (X key names such as "Down" or "Return") into the active window."""
        self._xdotool(["key", "--delay", "150", *keys])

    def point_at(self, position):
        """Moves the real pointer there, so that it rests on nothing that shows a tip."""
        x, y = position
        self._xdotool(["mousemove", "--sync", str(x), str(y)])

    def click(self, position, button=1, repeat=1, holding=None):
        """Moves the real pointer there and clicks, holding a key (such as "ctrl") meanwhile."""
        x, y = position
        command = ["xdotool", "mousemove", "--sync", str(x), str(y)]
        if holding:
            command += ["keydown", holding]
        command += ["click", "--repeat", str(repeat), "--delay", "80", str(button)]
        if holding:
            command += ["keyup", holding]
        self._xdotool(command[1:])

    def _x_environment(self):
        # The user's own display may need its authority file.
        env = {"DISPLAY": self._display.name, "PATH": "/usr/bin:/bin"}
        if "XAUTHORITY" in os.environ:
            env["XAUTHORITY"] = os.environ["XAUTHORITY"]
        return env

    def _xdotool(self, arguments):
        subprocess.run(["xdotool", *arguments], env=self._x_environment(),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=20)


def _pgm(data):
    """Width, height and pixel bytes of a binary 8-bit PGM image."""
    fields = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(fields.group(1)), int(fields.group(2))
    return width, height, data[fields.end():fields.end() + width * height]
