# Reads the running game as a screen reader would, through AT-SPI: presses, the verdict, the record.
import subprocess
import sys
import time

import pyatspi


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, find, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.05)
    fail("timed out waiting for " + what)


def game_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tastenrenner":
            return app
    return None


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def descendants(accessible):
    for child in children(accessible):
        yield child
        yield from descendants(child)


def find(root, role, name=None):
    for accessible in descendants(root):
        if accessible.getRoleName() == role and (name is None or accessible.name == name):
            return accessible
    return None


def labels(frame):
    return [child.name for child in children(frame) if child.getRoleName() == "label"]


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def click(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


app = wait_for("the game on the accessibility bus", game_application, 15)
frame = wait_for("the game window", lambda: find(app, "frame", "Der Tastenrenner"), 10)
button = find(frame, "push button", "Click Me")
if button is None:
    fail("no 'Click Me' button among " + str([(c.getRoleName(), c.name) for c in children(frame)]))
dial = find(frame, "image", "Dial")
if dial is None:
    fail("the dial is not announced as a graphic with a name")
if labels(frame) != ["Tastenrenner", "000 pushes", "Record: 000 pushes"]:
    fail("design labels read " + str(labels(frame)))

for _ in range(5):
    subprocess.run(["xdotool", "mousemove", "--window", sys.argv[1], "40", "215", "click", "1"], check=True)
    time.sleep(0.05)
wait_for("the score after five presses", lambda: True if "005 pushes" in labels(frame) else None, 5)
print("after five presses the score reads '005 pushes'")

alert = wait_for("the verdict", lambda: next((a for a in children(app) if find(a, "push button", "No") and showing(a)), None), 75)
if alert.getRoleName() != "alert":
    fail("the verdict is a " + alert.getRoleName() + ", not an alert")
texts = [a.name for a in descendants(alert) if a.getRoleName() == "label"] + [alert.description]
if not any("Did you try?" in t and "Should this message display again?" in t for t in texts):
    fail("the verdict's text is not readable: " + str(texts))
if button.getState().contains(pyatspi.STATE_ENABLED):
    fail("the button is reported enabled while the verdict is open")
print("the verdict is an alert reading: " + next(t for t in texts if "Did you try?" in t).replace("\n", " / "))

click(find(alert, "push button", "No"))
wait_for("the record after No", lambda: True if "Record: 5 pushes" in labels(frame) else None, 5)
wait_for("the button enabled again", lambda: True if button.getState().contains(pyatspi.STATE_ENABLED) else None, 5)
print("after No the record reads 'Record: 5 pushes' and the button is enabled")
