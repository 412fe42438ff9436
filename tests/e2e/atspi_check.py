# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""What a screen reader reads from the running program over AT-SPI: every
control with its role and name, the results changing after typing a factor,
and the About window's texts."""
import subprocess
import sys
import time

import pyatspi

passes = failures = 0


def check(name, ok):
    global passes, failures
    print(("PASS   " if ok else "FAIL   ") + name)
    if ok:
        passes += 1
    else:
        failures += 1


def find_app(name, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def window(app, role, name, seconds=5):
    end = time.time() + seconds
    while time.time() < end:
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and w.getRole() == role and w.name == name:
                return w
        time.sleep(0.1)
    return None


def controls(win):
    return [win.getChildAtIndex(i) for i in range(win.childCount)]


def named(win, role, description=None):
    return [(c.name, c.description) for c in controls(win)
            if c.getRole() == role and (description is None or c.description == description)]


def label(win, description):
    found = [c for c in controls(win) if c.description == description]
    return found[0].name if found else None


def settled(read, expected, seconds=5):
    """Reads until the expected value shows, for a busy machine."""
    end = time.time() + seconds
    value = read()
    while value != expected and time.time() < end:
        time.sleep(0.1)
        value = read()
    return value == expected


def keys(*args):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *args], check=True)
    time.sleep(0.3)


app = find_app("vesk")
check("the program is on the accessibility bus", app is not None)
if app is None:
    sys.exit(1)
# Roles are compared as AT-SPI's numbers: their names differ between releases
# ("push button" became "button").
main = window(app, pyatspi.ROLE_FRAME, "Vesk")
check("its window is a frame named Vesk", main is not None)
if main is None:
    sys.exit(1)

buttons = sorted(n for n, _ in named(main, pyatspi.ROLE_PUSH_BUTTON))
check(f"two buttons, Exit and About ({buttons})", buttons == ["About", "Exit"])
check("the scroll bar is named", named(main, pyatspi.ROLE_SCROLL_BAR) == [("Vesk factor in thousandths", "")])
check("the text box is named", named(main, pyatspi.ROLE_TEXT) == [("Vesk factor", "")])
labels = sorted(n for n, _ in named(main, pyatspi.ROLE_LABEL))
check(f"the labels read as shown ({labels})",
      labels == ["", "0", "0", "Multiple of c", "Vesk", "m/sec"])
check("the results say what they are",
      sorted(d for _, d in named(main, pyatspi.ROLE_LABEL) if d) ==
      ["Method", "Metres per second", "Multiple of c"])

# Type a factor as a user would: Tab to the text box, replace, Enter.
keys("Tab", "Tab", "ctrl+a")
subprocess.run(["xdotool", "type", "--delay", "20", "9.2"], check=True)
keys("Return")
text = [c for c in controls(main) if c.getRole() == pyatspi.ROLE_TEXT][0]
check("the text box reads the typed factor",
      settled(lambda: text.queryText().getText(0, -1), "9.2"))
check("the multiple of c is read anew", settled(lambda: label(main, "Multiple of c"), "1,649.75"))
check("the metres per second are read anew",
      settled(lambda: label(main, "Metres per second"), "494,583,354,970"))
check("the method is read anew", settled(lambda: label(main, "Method"), "Interpolated"))

keys("alt+a")
about = window(app, pyatspi.ROLE_DIALOG, "About")
check("the About window is a dialog named About", about is not None)
if about is not None:
    texts = sorted(n for n, _ in named(about, pyatspi.ROLE_LABEL))
    check(f"its texts are readable ({texts})",
          texts == ["Copyright \u00a9 1997 Quarvane.", "Email: quarvane@example.org",
                    "Vesk Calculator 1.1"])
    check("its button is named OK", named(about, pyatspi.ROLE_PUSH_BUTTON) == [("OK", "")])
    keys("Escape")

print(f"{passes} passed, {failures} failed")
sys.exit(1 if failures else 0)
