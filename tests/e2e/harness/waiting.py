"""Polling with a deadline instead of fixed sleeps."""
import time


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.05):
    """Calls condition until it returns a true value and returns that value; fails after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"gave up after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)
