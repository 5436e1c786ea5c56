# Reads the running game as a screen reader would, through AT-SPI: presses, the minute, the verdict, the record.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


# The events the game sends while this reader listens, as (type, role, name); they arrive only while it waits.
events = []


def record(event):
    try:
        events.append((event.type, event.source.getRoleName(), event.source.name))
    except Exception:
        events.append((event.type, None, None))


def pause(seconds):
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        if not context.iteration(False):
            time.sleep(0.01)


def wait_for(what, find, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        pause(0.05)
    fail("timed out waiting for " + what)


def events_from(role, kind):
    return [e for e in events if e[1] == role and e[0].startswith(kind)]


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
if button.description != "0 pushes":
    fail("before the first press the button's description reads " + repr(button.description))
minute = find(frame, "progress bar", "Minute")
if minute is None:
    fail("the sweep hand is not a progress bar named 'Minute' among " + str([(c.getRoleName(), c.name) for c in children(frame)]))
value = minute.queryValue()
if (value.minimumValue, value.maximumValue, value.currentValue) != (0, 60, 0):
    fail("the minute's progress bar runs %s to %s and stands at %s before the first press"
         % (value.minimumValue, value.maximumValue, value.currentValue))

# The toolkit sends only the kinds of event a reader has asked for, each by its full name.
for kind in ("accessible-name", "accessible-description", "accessible-value"):
    pyatspi.Registry.registerEventListener(record, "object:property-change:" + kind)
for _ in range(5):
    subprocess.run(["xdotool", "mousemove", "--window", sys.argv[1], "40", "215", "click", "1"], check=True)
    pause(0.05)
wait_for("the score after five presses", lambda: True if "005 pushes" in labels(frame) else None, 5)
print("after five presses the score reads '005 pushes'")
if button.description != "5 pushes":
    fail("after five presses the button's description reads " + repr(button.description))
print("the button, asked, says '5 pushes'")
# Readers speak what changes on the focused button; ten presses a second must not make them speak.
told = [e for e in events if e[1:] == ("push button", "Click Me")]
if told:
    fail("the presses were announced on the button: " + str(told[:5]))
wait_for("the minute to pass ten seconds", lambda: True if value.currentValue >= 10 else None, 15)
told = events_from("progress bar", "object:property-change:accessible-value")
if len(told) < 50:
    fail("the minute's progress was told %d times in its first ten seconds" % len(told))
print("the minute's progress bar stood at %.1f s after %d value changes" % (value.currentValue, len(told)))

alert = wait_for("the verdict", lambda: next((a for a in children(app) if find(a, "push button", "No") and showing(a)), None), 75)
if alert.getRoleName() != "alert":
    fail("the verdict is a " + alert.getRoleName() + ", not an alert")
texts = [a.name for a in descendants(alert) if a.getRoleName() == "label"] + [alert.description]
if not any("Did you try?" in t and "Should this message display again?" in t for t in texts):
    fail("the verdict's text is not readable: " + str(texts))
if "Did you try?\nShould this message display again?\n5 pushes, a new record" not in texts:
    fail("the verdict does not say the count and the record: " + str(texts))
if value.currentValue != 60:
    fail("at the verdict the minute's progress bar stands at %s, not 60" % value.currentValue)
if button.getState().contains(pyatspi.STATE_ENABLED):
    fail("the button is reported enabled while the verdict is open")
print("the verdict is an alert reading: " + next(t for t in texts if "Did you try?" in t).replace("\n", " / "))

click(find(alert, "push button", "No"))
wait_for("the record after No", lambda: True if "Record: 5 pushes" in labels(frame) else None, 5)
wait_for("the button enabled again", lambda: True if button.getState().contains(pyatspi.STATE_ENABLED) else None, 5)
print("after No the record reads 'Record: 5 pushes' and the button is enabled")
