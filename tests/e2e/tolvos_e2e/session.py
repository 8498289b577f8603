"""A private desktop for the game: X display, session bus and accessibility bus.

Everything this module starts runs in one process group whose leader is a small sentinel: it
waits on a pipe that only this process holds and kills the whole group when the pipe closes, so
nothing outlives the test, even when the test itself is killed.
"""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from gi.repository import Gio, GLib

from .waiting import wait_until

PYTHON = "/usr/bin/python3"
AT_SPI_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

_SENTINEL = (
    "import os, signal, sys\n"
    "signal.signal(signal.SIGTERM, signal.SIG_IGN)\n"
    "signal.signal(signal.SIGINT, signal.SIG_IGN)\n"
    "sys.stdin.buffer.read()\n"
    "os.killpg(0, signal.SIGKILL)\n"
)


def _processes_in_group(pgid):
    """Process ids of the live (not zombie) members of process group pgid."""
    members = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as stat:
                fields = stat.read().rsplit(b")", 1)[1].split()
        except OSError:
            continue
        # After the command's closing parenthesis: state, ppid, pgrp, ...
        if int(fields[2]) == pgid and fields[0] != b"Z":
            members.append(int(entry))
    return members


class ProcessGroup:
    """Starts processes in a group of their own and ends all of them together."""

    def __init__(self):
        self._sentinel = subprocess.Popen([PYTHON, "-c", _SENTINEL], stdin=subprocess.PIPE,
                                          process_group=0)
        self.pgid = self._sentinel.pid
        self._children = []

    def spawn(self, argv, **kwargs):
        child = subprocess.Popen(argv, process_group=self.pgid, **kwargs)
        self._children.append(child)
        return child

    def close(self, grace=3.0):
        """Asks every member to end, then kills what is left and reaps its own children."""
        if self._sentinel is None:
            return
        try:
            os.killpg(self.pgid, signal.SIGTERM)
            deadline = time.monotonic() + grace
            while time.monotonic() < deadline and set(_processes_in_group(self.pgid)) - {self.pgid}:
                for child in self._children:
                    child.poll()
                time.sleep(0.02)
        except ProcessLookupError:
            pass
        self._sentinel.stdin.close()  # the sentinel kills whatever is left, itself included
        try:
            os.killpg(self.pgid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        for child in [self._sentinel] + self._children:
            child.wait()
        wait_until(lambda: not _processes_in_group(self.pgid), "the process group to end", 5.0)
        self._sentinel = None


def _read_line_from_fd(fd, what, timeout):
    """Reads one line that a starting server writes to the pipe fd (display or bus address)."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise AssertionError(f"{what} did not start within {timeout} s")
        chunk = os.read(fd, 256)
        if not chunk:
            raise AssertionError(f"{what} ended before it was ready")
        data += chunk
    return data.decode().strip()


class Desktop:
    """An X display, a private session bus and the accessibility bus, in a scratch folder.

    After start(), env holds what a program on this desktop needs (DISPLAY, the session bus, a
    private home and runtime folder) and a11y_bus_address the accessibility bus, which
    programs find through the session bus and a client is given directly.
    """

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="tolvos-e2e-")
        self.group = ProcessGroup()
        self.env = {}
        self.display = None
        self.a11y_bus_address = None

    def folder(self, name):
        path = os.path.join(self.root, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        return path

    def log_path(self, name):
        return os.path.join(self.folder("logs"), name)

    def start(self):
        home = self.folder("home")
        self.env = {
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "HOME": home,
            "XDG_RUNTIME_DIR": self.folder("runtime"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "LANG": "C.UTF-8",
        }
        self._start_display()
        self._start_session_bus()
        self._start_a11y_bus()
        return self

    def stop(self):
        """Ends every process of the desktop; the scratch folder and its logs stay."""
        self.group.close()

    def logs(self):
        """(name, text) of every log written so far."""
        folder = self.folder("logs")
        for entry in sorted(os.listdir(folder)):
            with open(os.path.join(folder, entry), "r", errors="replace") as log:
                yield entry, log.read()

    def close(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)

    def spawn(self, argv, log_name, extra_env=None, cwd=None):
        """Starts a program on this desktop; its output goes to the log log_name."""
        env = dict(self.env)
        env.update(extra_env or {})
        with open(self.log_path(log_name), "wb") as log:
            return self.group.spawn(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                    stdout=log, stderr=subprocess.STDOUT)

    def _start_display(self):
        read_end, write_end = os.pipe()
        try:
            with open(self.log_path("xvfb.log"), "wb") as log:
                self.group.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                  "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                                 env=self.env, pass_fds=[write_end], stdin=subprocess.DEVNULL,
                                 stdout=log, stderr=subprocess.STDOUT)
            os.close(write_end)
            write_end = None
            self.display = ":" + _read_line_from_fd(read_end, "Xvfb", 20.0)
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.env["DISPLAY"] = self.display

    def _start_session_bus(self):
        socket = os.path.join(self.folder("runtime"), "bus")
        read_end, write_end = os.pipe()
        try:
            with open(self.log_path("dbus.log"), "wb") as log:
                self.group.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                  f"--address=unix:path={socket}",
                                  f"--print-address={write_end}"],
                                 env=self.env, pass_fds=[write_end], stdin=subprocess.DEVNULL,
                                 stdout=log, stderr=subprocess.STDOUT)
            os.close(write_end)
            write_end = None
            self.env["DBUS_SESSION_BUS_ADDRESS"] = _read_line_from_fd(read_end, "dbus-daemon",
                                                                      10.0)
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def set_screen_reader_enabled(self, enabled):
        """Turns the desktop's screen-reader switch, as its settings would."""
        session = self._session_connection()
        try:
            session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                              "Set", GLib.Variant("(ssv)", ("org.a11y.Status",
                                                            "ScreenReaderEnabled",
                                                            GLib.Variant("b", enabled))),
                              None, Gio.DBusCallFlags.NONE, 5000, None)
        finally:
            session.close_sync(None)

    def _session_connection(self):
        return Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def _start_a11y_bus(self):
        # Without DISPLAY the launcher leaves the bus address off the X root window. Qt 6.4
        # takes an address found there as already enabled and never registers its windows;
        # asked through the session bus instead, it registers as soon as it is connected.
        launcher_env = {k: v for k, v in self.env.items() if k != "DISPLAY"}
        # Its settings (the screen-reader switch among them) in memory, not the user's.
        launcher_env["GSETTINGS_BACKEND"] = "memory"
        with open(self.log_path("at-spi.log"), "wb") as log:
            self.group.spawn([AT_SPI_BUS_LAUNCHER, "--launch-immediately", "--a11y=1"],
                             env=launcher_env, stdin=subprocess.DEVNULL, stdout=log,
                             stderr=subprocess.STDOUT)
        session = self._session_connection()
        try:
            def address():
                try:
                    reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                              "GetAddress", None, GLib.VariantType("(s)"),
                                              Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
                except GLib.Error as error:
                    raise LookupError(error.message) from None
                return reply.unpack()[0]

            self.a11y_bus_address = wait_until(address, "the accessibility bus", 20.0, 0.05)
        finally:
            session.close_sync(None)
