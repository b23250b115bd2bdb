# Finding the program's windows and controls on the desktop accessibility bus,
# shared by the checks that drive the real program through it.
import time

import pyatspi


def top_windows():
    windows = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        for window in app:
            if window is not None:
                windows.append(window)
    return windows


def wait_for_window(matches, seconds=30):
    """The first top-level window whose name matches (a function of the name)."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        for window in top_windows():
            try:
                if matches(window.name):
                    return window
            except Exception:
                pass
        time.sleep(0.3)
    return None


def find_role(node, role, name=None):
    try:
        if node.getRole() == role and (name is None or node.name == name):
            return node
    except Exception:
        return None
    for child in node:
        if child is not None:
            hit = find_role(child, role, name)
            if hit is not None:
                return hit
    return None


def find_named(node, name):
    try:
        if node.name == name:
            return node
    except Exception:
        return None
    for child in node:
        if child is not None:
            hit = find_named(child, name)
            if hit is not None:
                return hit
    return None


def press(node):
    """Presses a button or menu item. One that opens a modal window answers
    only once that window closes: the bus call gives up waiting, the press
    has happened all the same."""
    pyatspi.setTimeout(800, 15000)
    try:
        node.queryAction().doAction(0)
    except Exception:
        pass
