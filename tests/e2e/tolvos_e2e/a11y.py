"""A screen reader's view of a program: its accessibility tree, names, actions and keys.

Reads go through libatspi with its cache turned off, so every name is asked of the program
at the moment it is read. Actions are sent as D-Bus calls that expect no reply: an action that
opens a modal box would otherwise hold the reply until the box is closed.
"""

import os
import subprocess
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

from .waiting import wait_until  # noqa: E402

# Its replacement comes with a later libatspi than Debian 12 has.
warnings.filterwarnings("ignore", "Atspi.Action.get_action_name is deprecated",
                        DeprecationWarning)

# Roles by their code: their names change between releases of the library (a push button is
# "push button" in 2.46 and "button" in 2.56).
ROLE_FRAME = Atspi.Role.FRAME
ROLE_DIALOG = Atspi.Role.DIALOG
ROLE_ALERT = Atspi.Role.ALERT
ROLE_PUSH_BUTTON = Atspi.Role.PUSH_BUTTON
ROLE_LABEL = Atspi.Role.LABEL
ROLE_MENU_ITEM = Atspi.Role.MENU_ITEM
ROLE_TEXT = Atspi.Role.TEXT


def role(node):
    return node.get_role()


def name(node):
    return node.get_name()


def has_state(node, state):
    return node.get_state_set().contains(state)


def is_showing(node):
    return has_state(node, Atspi.StateType.SHOWING)


def is_enabled(node):
    return has_state(node, Atspi.StateType.ENABLED)


def is_focused(node):
    return has_state(node, Atspi.StateType.FOCUSED)


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def walk(node):
    """Every node below node, depth first, each before its children, in tree order."""
    for child in children(node):
        if child is None:
            continue
        yield child
        yield from walk(child)


def find_all(node, wanted_role, predicate=lambda _: True):
    return [n for n in walk(node) if role(n) == wanted_role and predicate(n)]


def action_names(node):
    return [node.get_action_name(i) for i in range(node.get_n_actions())]


def key_binding(node, action):
    """The key binding of the named action, as the program reports it ("F2", "Alt+J")."""
    names = action_names(node)
    if action not in names:
        raise AssertionError(f"{name(node)!r} has no action {action!r}, only {names}")
    return node.get_key_binding(names.index(action))


def extents(node):
    """(x, y, width, height) of node on the screen."""
    rect = node.get_extents(Atspi.CoordType.SCREEN)
    return rect.x, rect.y, rect.width, rect.height


class Client:
    """The accessibility bus as one client sees it; one per process."""

    def __init__(self, bus_address):
        # libatspi reads the bus address once, when it first connects.
        os.environ["AT_SPI_BUS_ADDRESS"] = bus_address
        Atspi.init()
        self._bus = Gio.DBusConnection.new_for_address_sync(
            bus_address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.desktop = Atspi.get_desktop(0)
        self.desktop.set_cache_mask(Atspi.Cache.NONE)

    def application(self, pid, timeout=30.0):
        """The application node of process pid, once it shows a window."""
        def registered():
            self.desktop.clear_cache()
            for app in children(self.desktop):
                try:
                    if app is None or app.get_process_id() != pid:
                        continue
                except GLib.Error:  # a program that has just ended
                    continue
                app.set_cache_mask(Atspi.Cache.NONE)
                return app if top_windows(app, (ROLE_FRAME,)) else None
            return None

        return wait_until(registered, f"process {pid} to show a window on the bus", timeout)

    def act(self, node, action):
        """Sends the named action to node and returns at once, without waiting for the reply."""
        names = action_names(node)
        if action not in names:
            raise AssertionError(f"{name(node)!r} has no action {action!r}, only {names}")
        message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path,
                                                  "org.a11y.atspi.Action", "DoAction")
        message.set_body(GLib.Variant("(i)", (names.index(action),)))
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        self._bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        self._bus.flush_sync(None)

    def press(self, node):
        self.act(node, "Press")

    def set_text(self, node, text):
        if not node.set_text_contents(text):
            raise AssertionError(f"the text of {name(node)!r} could not be set")

    def close(self):
        self._bus.close_sync(None)


def top_windows(app, roles=(ROLE_FRAME, ROLE_DIALOG, ROLE_ALERT)):
    """The program's showing windows, boxes included; a box closing meanwhile is left out."""
    windows = []
    for window in children(app):
        try:
            if window is not None and role(window) in roles and is_showing(window):
                windows.append((window, name(window)))
        except GLib.Error:  # gone between the listing and the question
            continue
    return windows


def wait_for_window(app, title, timeout=10.0):
    """Waits for a showing window (main window or box) called title and returns it."""
    def found():
        matches = [w for w, window_title in top_windows(app) if window_title == title]
        return matches[0] if matches else None

    return wait_until(found, f"a window titled {title!r}", timeout)


def wait_for_window_gone(app, title, timeout=10.0):
    wait_until(lambda: all(t != title for _, t in top_windows(app)),
               f"the window {title!r} to close", timeout)


def label_texts(window):
    return [name(n) for n in find_all(window, ROLE_LABEL)]


class Keyboard:
    """Keys typed on the X display, as a player would type them."""

    def __init__(self, env):
        self._env = env

    def _xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self._env, check=True, timeout=10,
                              capture_output=True, text=True).stdout

    def window_of(self, pid, timeout=10.0):
        """The X window of process pid that is mapped (searched with a deadline)."""
        def search():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                                   env=self._env, timeout=10, capture_output=True, text=True)
            ids = found.stdout.split()
            return ids[0] if ids else None

        return wait_until(search, f"a mapped X window of process {pid}", timeout)

    def focus(self, window_id):
        # Without a window manager nobody gives focus back after a box closes.
        self._xdotool("windowfocus", window_id)

    def key(self, window_id, *keys):
        """Types keys into window_id after focusing it, or wherever the keyboard goes (None)."""
        if window_id is not None:
            self.focus(window_id)
        self._xdotool("key", *keys)

    def chord(self, window_id, combo, hold=0.1):
        """Types a key with modifiers ("alt+j", "Insert+KP_Enter", or "alt" alone) as a hand
        does, the modifiers held down a moment around the key. With a screen reader running,
        every key makes a round trip through it before the program sees it, and a chord typed
        in no time at all reaches the menu bar as no chord."""
        if window_id is not None:
            self.focus(window_id)
        *held, last = combo.split("+")
        if held:
            self._xdotool("keydown", *held)
            time.sleep(hold)
            self._xdotool("key", last)
            time.sleep(hold)
            self._xdotool("keyup", *reversed(held))
        else:
            self._xdotool("keydown", last)
            time.sleep(hold)
            self._xdotool("keyup", last)
