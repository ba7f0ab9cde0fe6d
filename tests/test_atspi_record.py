"""The record window as a screen reader meets it, over a real AT-SPI bus: its table holds
the figures of the analysis (the command line's, for the same file), and choosing another
category in the main window changes the limits it reads out."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program, record = os.environ["VELORIX_PROGRAM"], os.environ["VELORIX_RECORD"]
failures = []


def check(what, condition, detail=""):
    print(("ok: " if condition else "FAILED: ") + what + (f" ({detail})" if detail and not condition else ""))
    if not condition:
        failures.append(what)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(predicate, timeout=15):
    """The first node that matches; a node that leaves the bus while it is read (the unit
    question closing as the record window opens) only means another look."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "Velorix":
                    for node in walk(app):
                        if predicate(node):
                            return node
        except GLib.GError:
            pass
        time.sleep(0.3)
    return None


def analysis(category):
    """The command line's rows: per component, the fields after the file and channel."""
    out = subprocess.run([program, "--elemez", record, "-k", category, "--egyseg", "mm/s"],
                         capture_output=True,
                         env={k: v for k, v in os.environ.items() if k != "DISPLAY"}).stdout
    return [line.split(";")[2:] for line in out.decode().splitlines()[1:] if line]


def table_rows(table):
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(1, t.nColumns)] for r in range(t.nRows)]


def wait_for_events(seconds):
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()


# The sample's floats name no unit: the window asks, and the user says mm/s.
question = find(lambda n: n.getRole() == pyatspi.ROLE_DIALOG and n.name == "Mértékegység")
check("the unit is asked for", question is not None)
if question is not None:
    mm = next((n for n in walk(question) if n.getRole() == pyatspi.ROLE_RADIO_BUTTON
               and n.name == "mm/s"), None)
    ok = next((n for n in walk(question) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
               and n.name == "OK"), None)
    check("the question offers mm/s and OK", mm is not None and ok is not None)
    if mm is not None and ok is not None:
        mm.queryAction().doAction(0)
        time.sleep(0.3)
        ok.queryAction().doAction(0)

name = "Rezgésjel – " + os.path.basename(record)
window = find(lambda n: n.getRole() == pyatspi.ROLE_FRAME and n.name == name)
check("the record window is on the bus", window is not None)
if window is None:
    sys.exit(1)
table = next((n for n in walk(window) if n.getRole() == pyatspi.ROLE_TABLE), None)
check("its table is there, named", table is not None and table.name == "Komponensek",
      table.name if table else "none")
expected = analysis("1")
rows = table_rows(table)
check("one row per component and the PVS", len(rows) == len(expected), f"{len(rows)} rows")
for row, want in zip(rows, expected):
    check(f"the row of {want[:1]} reads the analysis' figures", row == want, f"{row} / {want}")
verdict = next((n for n in walk(window) if n.getRole() == pyatspi.ROLE_LABEL
                and (n.name.startswith("Megfelel:") or n.name.startswith("Túllépi:"))), None)
check("the verdict in words is there", verdict is not None)

screen = os.environ.get("VELORIX_SCREEN")
if screen:  # on a laptop's screen: the table and the verdict lie on it, in full
    width, height = (int(v) for v in screen.split("x"))
    for what, node in (("the table", table), ("the verdict", verdict)):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        check(f"{what} lies on the {screen} screen",
              e.x >= 0 and e.y >= 0 and e.x + e.width <= width and e.y + e.height <= height,
              f"{e.x},{e.y} {e.width}×{e.height}")

# Another category in the main window: the limits change, and the verdict announces it.
changes = []
pyatspi.Registry.registerEventListener(
    lambda e: changes.append(e.source.name if e.source is not None else ""),
    "object:property-change:accessible-name")
industrial = find(lambda n: n.getRole() == pyatspi.ROLE_RADIO_BUTTON and n.name == "Ipari objektum")
check("the main window's category is there", industrial is not None)
def choose_industrial():
    if screen:  # a real click where the button shows: the record window must not cover it
        e = industrial.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(e.x + 8), str(e.y + e.height // 2), "click", "1"])
    else:
        industrial.queryAction().doAction(0)
    return False


GLib.timeout_add(300, choose_industrial)
wait_for_events(2.5)
expected = analysis("0")
rows = table_rows(table)
check("the limits follow the category",
      [r[6] for r in rows[:-1]] == [w[6] for w in expected[:-1]],
      f"{[r[6] for r in rows]} / {[w[6] for w in expected]}")
check("the verdict announced its change", any(c.startswith(("Megfelel:", "Túllépi:")) for c in changes),
      f"events: {changes}")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
