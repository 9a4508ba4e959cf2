"""The native holvara-sim: the same device work on the same machine file, without pipe or Wine."""
import json
import subprocess


def run_simulator(program, machine, *words, timeout=60):
    """Runs the requests in order on one simulated PC and returns one JSON object per request."""
    result = subprocess.run([str(program), str(machine), *map(str, words)], stdin=subprocess.DEVNULL,
                            capture_output=True, text=True, timeout=timeout)
    assert result.returncode == 0, result.stderr
    return [json.loads(line) for line in result.stdout.splitlines()]


def reply_hex(answer):
    """The bytes the service would send for the simulator's answer, as the test client prints them."""
    if answer["request"] == "info":
        return answer["bytes"]
    value = answer["count"] if answer["request"] == "init" else answer["reply"]
    return value.to_bytes(4, "little").hex()
