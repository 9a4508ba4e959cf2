"""Holvara.exe seen from outside through holvara-trayprobe.exe: started, waited for, its popup
menus and dialogs found on the screen, and ended as another program would end it."""
import re

MENU_CLASS = "#32768"
DIALOG_CLASS = "#32770"
_SHOWN = re.compile(r"^shown (-?\d+) (-?\d+) (-?\d+) (-?\d+) ([0-9a-f]*)$", re.M)


class TrayProgram:
    def __init__(self, wine, program, probe):
        """program and probe: Windows paths of Holvara.exe and holvara-trayprobe.exe in the prefix."""
        self.wine = wine
        self.program = program
        self.probe_exe = probe

    def probe(self, *arguments, timeout=40):
        return self.wine.run([self.probe_exe, *arguments], timeout=timeout)

    def start(self, *arguments):
        """Starts the program and waits for its main window; returns the running process."""
        process = self.wine.spawn([self.program, *arguments])
        assert self.probe("window", "Holvara", "20000").returncode == 0, "the main window did not appear"
        return process

    def wait_shown(self, window_class, timeout_ms=10000):
        """The program's visible window of the class: its screen rectangle and its title's bytes."""
        answer = self.probe("shown", window_class, str(timeout_ms))
        match = _SHOWN.search(answer.stdout)
        assert answer.returncode == 0 and match, f"no {window_class} window of the program was shown"
        left, top, right, bottom = map(int, match.groups()[:4])
        return (left, top, right, bottom), bytes.fromhex(match.group(5))

    def cancel_dialog(self):
        """Cancels the program's open dialog, as its Cancel button or Esc would."""
        assert self.probe("cancel").returncode == 0, "no dialog of the program to cancel"

    def wait_closed(self, window_class, timeout_ms=10000):
        assert self.probe("closed", window_class, str(timeout_ms)).returncode == 0, \
            f"a {window_class} window of the program stayed"

    def close(self, process):
        """Ends the program with "HOLVARA" 0, as its uninstaller does."""
        assert self.probe("send", "0").returncode == 0
        assert self.wine.finish(process, 30).returncode == 0

    def end_running(self):
        """Ends a copy of the program that another program started, and waits until it is gone."""
        if self.probe("send", "0").returncode == 0:
            assert self.probe("gone", "Holvara", "20000").returncode == 0, "the running program did not end"
