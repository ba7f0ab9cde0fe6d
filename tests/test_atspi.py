"""The window as a screen reader meets it, over a real AT-SPI bus: each value is tied to
its caption, and a change of the frequency reaches the bus as a name change of the
foundation label."""
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(what, condition, detail=""):
    print(("ok: " if condition else "FAILED: ") + what + (f" ({detail})" if detail and not condition else ""))
    if not condition:
        failures.append(what)


def find_app(name, timeout=15):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def targets(node, relation_type):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == relation_type:
            for i in range(relation.getNTargets()):
                names.append(relation.getTarget(i))
    return names


app = find_app("Velorix")
if app is None:
    print("FAILED: the program did not appear on the AT-SPI bus")
    sys.exit(1)
nodes = list(walk(app))
by_name = {}
for n in nodes:
    by_name.setdefault(n.name, n)
scroll_bar = next((n for n in nodes if n.getRole() == pyatspi.ROLE_SCROLL_BAR), None)
check("the scroll bar is there", scroll_bar is not None)

ties = {
    "Alapon:": ["5.00 mm/s"],
    "Legfelső födémszinten:": ["15.00 mm/s"],
    "Mért domináns frekvencia (Hz):": ["0", scroll_bar.name if scroll_bar else "?"],
}
for caption, values in ties.items():
    node = by_name.get(caption)
    check(f"the caption {caption!r} is there", node is not None)
    if node is None:
        continue
    named = sorted(t.name for t in targets(node, pyatspi.RELATION_LABEL_FOR))
    check(f"{caption!r} is the label for {values}", named == sorted(values), f"label for {named}")
    for target in targets(node, pyatspi.RELATION_LABEL_FOR):
        back = [t.name for t in targets(target, pyatspi.RELATION_LABELLED_BY)]
        check(f"{target.name!r} is labelled by {caption!r}", caption in back, f"labelled by {back}")

# A change of the frequency: the foundation label announces its new text.
changes = []


def on_event(event):
    if event.source is not None and event.source.getRole() == pyatspi.ROLE_LABEL:
        changes.append((event.type, event.source.name))


pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                       "object:text-changed")


def move():
    scroll_bar.queryValue().currentValue = 51
    return False


GLib.timeout_add(500, move)
GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() or False)
pyatspi.Registry.start()
names = [name for _, name in changes]
check("the foundation label announces 15.10 mm/s", "15.10 mm/s" in names, f"events: {changes}")
check("the frequency label announces 51", "51" in names, f"events: {changes}")
check("the scroll bar's value follows", scroll_bar.queryValue().currentValue == 51)

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
