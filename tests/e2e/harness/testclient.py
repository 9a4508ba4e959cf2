"""holvara-testclient.exe under Wine: one exchange per run, its key=value line parsed."""
import re

_PAIR = re.compile(r'(\w+)=("[^"]*"|\S*)')


class Reply(dict):
    """The fields of the client's output line, with the exit code as .returncode."""

    def __init__(self, returncode, line):
        super().__init__((key, value.strip('"')) for key, value in _PAIR.findall(line))
        self.returncode = returncode
        self.line = line


class TestClient:
    __test__ = False  # not a pytest test class

    def __init__(self, wine, exe_path):
        self._wine = wine
        self._exe = exe_path

    def argv(self, *args):
        return [self._exe, *map(str, args)]

    def run(self, *args, timeout=60):
        return self.collect(self._wine.run(self.argv(*args), timeout=timeout))

    def spawn(self, *args):
        return self._wine.spawn(self.argv(*args))

    def finish(self, process, timeout=60):
        return self.collect(self._wine.finish(process, timeout))

    @staticmethod
    def collect(completed):
        lines = completed.stdout.strip().splitlines()
        return Reply(completed.returncode, lines[-1] if lines else "")


def request_hex(command, search_code=0, index=0, hardware_id=b"", device_object_name=b""):
    """A 208-byte request as the raw mode writes it; text fields are taken as given, NUL or not."""
    body = (command.to_bytes(4, "little") + search_code.to_bytes(4, "little")
            + index.to_bytes(2, "little") + bytes(6)
            + hardware_id.ljust(64, b"\0")[:64] + device_object_name.ljust(128, b"\0")[:128])
    assert len(body) == 208
    return body.hex()
