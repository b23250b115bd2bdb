#!/usr/bin/python3
# On a running weston (its debug extension on) with TESSARAN V open on the demo
# collection: fails when a command of the record editor or of the summary
# window lies outside the output or under the panel, or when the collection
# list covers the record. Where each window lies comes from weston's scene
# graph, where each control lies in its window from the accessibility bus.
# Usage: probe_windows.py [SCREENSHOT_DIR]
import os
import re
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "accessibility"))
from atspi_tree import find_named, find_role, press, wait_for_window  # noqa: E402

EDITOR_COMMANDS = ["First kaleidoscope", "Previous kaleidoscope", "Next kaleidoscope", "Last kaleidoscope",
                   "Add a New Scope", "Save Scope Data", "Delete this Scope", "Clear Scope Data", "Find", "FindNext",
                   "Select", "Sort", "Close"]
SUMMARY_COMMANDS = ["Preview", "Print", "Save to ASCII file", "Close"]
shots = sys.argv[1] if len(sys.argv) > 1 else None
faults = []


def scene():
    """The output, the panel and each top-level window's inner area, from weston."""
    text = subprocess.run(["weston-debug", "scene-graph"], capture_output=True, text=True, timeout=10).stdout
    point = r"\((-?[\d.]+), (-?[\d.]+)\) -> \((-?[\d.]+), (-?[\d.]+)\)"
    output = re.search(r"Output 0.*?\n\s*position: " + point, text, re.S)
    found = {"output": tuple(int(float(v)) for v in output.groups()), "panel": None, "windows": {}}
    for view in re.finditer(r"View \d+ \((.*?)\):\n\s*position: " + point + r"(?:\n\s*\[opaque: " + point + ")?",
                            text):
        about = view.group(1)
        box = [int(float(v)) for v in view.groups()[1:5]]
        if "panel for output" in about:
            found["panel"] = box
        title = re.search(r"top-level window '(.*)' of", about)
        if title:
            inner = view.groups()[5:9]
            # Without an opaque area: Qt's own title bar (30) and borders (3).
            found["windows"][title.group(1)] = ([int(float(v)) for v in inner] if inner[0] is not None
                                                else [box[0] + 3, box[1] + 30, box[2] - 3, box[3] - 3])
    return found


def on_output(window, controls, what):
    """Fails for each control (name, accessible) of the window that does not lie
    wholly on weston's output, clear of the panel."""
    graph = scene()
    inner = graph["windows"].get(window.name)
    if inner is None:
        faults.append("weston shows no window named " + window.name)
        return
    wx, wy, _, _ = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    ox1, oy1, ox2, oy2 = graph["output"]
    panel = graph["panel"]
    for name, control in controls:
        if control is None:
            faults.append("%s: no %s" % (what, name))
            continue
        x, y, w, h = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        left, top = inner[0] + x - wx, inner[1] + y - wy
        box = (left, top, left + w, top + h)
        outside = box[0] < ox1 or box[1] < oy1 or box[2] > ox2 or box[3] > oy2 \
            or box[2] > inner[2] or box[3] > inner[3]
        under_panel = panel is not None and box[1] < panel[3] and box[3] > panel[1]
        if outside or under_panel:
            faults.append("%s: %s lies at %s, %s" % (what, name, box, "outside the output" if outside
                                                      else "under the panel"))


def buttons(window, names):
    return [(name + " button", find_role(window, pyatspi.ROLE_PUSH_BUTTON, name)) for name in names]


def screenshot(name):
    if not shots:
        return
    time.sleep(0.5)
    before = set(os.listdir(shots))
    subprocess.run(["weston-screenshooter"], cwd=shots, timeout=20)
    for made in set(os.listdir(shots)) - before:
        os.replace(os.path.join(shots, made), os.path.join(shots, name))


editor = wait_for_window(lambda name: name.startswith("Database file:"), 60)
if editor is None:
    print("FAIL: no record editor on the accessibility bus")
    sys.exit(1)
time.sleep(1)
on_output(editor, buttons(editor, EDITOR_COMMANDS), "the editor")
screenshot("wayland-editor.png")

# The collection list never covers the record: docked at the editor's side
# (the compositor places windows, so no window of its own).
press(find_role(editor, pyatspi.ROLE_MENU_ITEM, "Collection list"))
time.sleep(1.5)
table = find_role(editor, pyatspi.ROLE_TABLE, "Kaleidoscopes")
if table is None:
    faults.append("the collection list is not at the editor's side")
else:
    lx, ly, lw, lh = table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for frame in ("Kaleidoscope parameters", "Kaleidoscope characteristics", "Purchase information"):
        node = find_named(editor, frame)
        fx, fy, fw, fh = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if fx < lx + lw and lx < fx + fw and fy < ly + lh and ly < fy + fh:
            faults.append("the collection list covers " + frame)
on_output(editor, buttons(editor, EDITOR_COMMANDS) + [("collection list", table)], "the editor beside its list")
screenshot("wayland-editor-and-list.png")

# The summary of purchases, from the menu, as a user opens it.
press(find_role(editor, pyatspi.ROLE_MENU_ITEM, "Kaleidoscope summaries"))
options = wait_for_window(lambda name: name == "Summary Options", 20)
if options is None:
    faults.append("the summary options did not open")
else:
    press(find_named(options, "Purchase information: Scope name, artist, date purchased, purchase price, "
                               "retail price, store/gallery"))
    press(find_named(options, "Create Summary"))
    summary = wait_for_window(lambda name: name == "Kaleidoscope Summary", 30)
    if summary is None:
        faults.append("the summary window did not open")
    else:
        time.sleep(1.5)
        on_output(summary, buttons(summary, SUMMARY_COMMANDS), "the summary window")
        screenshot("wayland-summary.png")

if faults:
    print("FAIL: " + "; ".join(faults))
    sys.exit(1)
print("On a %dx%d output every command of the editor and the summary window lies on the screen, clear of the "
      "panel, and the collection list sits beside the record." % scene()["output"][2:4])
