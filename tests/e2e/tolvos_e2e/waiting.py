"""Waiting for a condition with a deadline, never for a fixed time."""

import time


class Timeout(AssertionError):
    """A condition did not come true in time; the message says what was last seen."""


def wait_until(probe, what, timeout=10.0, interval=0.02):
    """Calls probe() until it returns something true and returns that value.

    Fails with Timeout after timeout seconds, quoting what and the last value probe gave, so
    a failure shows how far the program got. A probe may raise LookupError to mean "not yet".
    """
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = probe()
            if last:
                return last
        except LookupError as error:
            last = error
        if time.monotonic() >= deadline:
            raise Timeout(f"timed out after {timeout:.1f} s waiting for {what}; "
                          f"last seen: {last!r}")
        time.sleep(interval)


def wait_for_value(probe, expected, what, timeout=10.0, interval=0.02):
    """Waits until probe() == expected; on timeout the message shows both values."""
    seen = []

    def matches():
        seen[:] = [probe()]
        return seen[0] == expected

    try:
        wait_until(matches, what, timeout, interval)
    except Timeout:
        raise Timeout(f"timed out after {timeout:.1f} s waiting for {what}: "
                      f"expected {expected!r}, last seen {seen[0] if seen else None!r}") from None
    return expected
