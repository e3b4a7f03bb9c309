# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# accessibility.py: the running program read and driven as a screen reader
# does, over AT-SPI (pyatspi). Run by accessibility.sh, which starts the
# program, the display and the session bus. Prints each failure and exits 1.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []
events = []


def fail(what):
    failures.append(what)
    print("accessibility: " + what, file=sys.stderr)


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def application():
    for _ in range(150):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Arcadeon":
                return app
        time.sleep(0.2)
    return None


def states(node):
    return node.getState()


def showing_frame(app, title, seconds=15):
    """The visible window of that title, waiting for it."""
    end = time.time() + seconds
    while time.time() < end:
        for i in range(app.childCount):
            frame = app.getChildAtIndex(i)
            if frame is not None and frame.name == title and states(frame).contains(pyatspi.STATE_SHOWING):
                return frame
        pump(0.1)
    return None


def children(frame):
    return [frame.getChildAtIndex(i) for i in range(frame.childCount)]


def named(frame, name):
    for child in children(frame):
        if child.name == name:
            return child
    return None


def press(frame, name):
    node = named(frame, name)
    if node is None:
        fail(f"{frame.name} has no '{name}' to press")
        return
    node.queryAction().doAction(0)
    pump(0.4)


def roles(frame):
    return [(child.getRoleName(), child.name) for child in children(frame)]


def key_binding(node):
    action = node.queryAction()
    return action.getKeyBinding(0) if action.nActions > 0 else ""


def main():
    window_key = sys.argv[1]  # command that presses Escape in the active window
    app = application()
    if app is None:
        fail("the program does not appear on the accessibility bus")
        return
    pyatspi.Registry.registerEventListener(lambda event: events.append(event), "object:state-changed:checked")

    # The menu: the three games, by picture and by name.
    menu = showing_frame(app, "Menu")
    if menu is None:
        fail("no Menu window")
        return
    games = {name for role, name in roles(menu) if role == "push button"}
    for game in ("Froggy", "Ping", "Vavod Uvavovirovu Divadazo", "Ping (Difficulty first)"):
        if game not in games:
            fail(f"the menu has no push button '{game}': {roles(menu)}")

    # Escape on the menu: the Pause dialog, its buttons with their keys, Quit focused.
    subprocess.run([window_key, "Menu"], check=False)
    pause = showing_frame(app, "Pause")
    if pause is None:
        fail("Escape did not open the Pause dialog")
        return
    expected = [("push button", "Resume"), ("push button", "Quit to Menu"), ("push button", "Quit")]
    if roles(pause) != expected:
        fail(f"the Pause dialog shows {roles(pause)}")
    for name, binding in (("Resume", "Alt+R"), ("Quit to Menu", "Alt+M"), ("Quit", "Alt+Q")):
        node = named(pause, name)
        if node is not None and key_binding(node) != binding:
            fail(f"'{name}' has the key binding '{key_binding(node)}', not '{binding}'")
    quit_button = named(pause, "Quit")
    if quit_button is None or not states(quit_button).contains(pyatspi.STATE_FOCUSED):
        fail("the focus is not on Quit")
    press(pause, "Quit to Menu")

    # The Ping picture: the Difficulty dialog, Easy checked; Normal pressed.
    menu = showing_frame(app, "Menu")
    press(menu, "Ping (Difficulty first)")
    difficulty = showing_frame(app, "Difficulty")
    if difficulty is None:
        fail("pressing 'Ping (Difficulty first)' did not open the Difficulty dialog")
        return
    radios = {name: node for node in children(difficulty) if node.getRoleName() == "radio button" for name in [node.name]}
    if sorted(radios) != ["Easy", "Hard", "Normal"]:
        fail(f"the Difficulty dialog shows {roles(difficulty)}")
        return
    if not states(radios["Easy"]).contains(pyatspi.STATE_CHECKED):
        fail("Easy is not checked when the dialog opens")
    events.clear()
    press(difficulty, "Normal")
    pump(0.5)
    if not states(radios["Normal"]).contains(pyatspi.STATE_CHECKED):
        fail("pressing Normal did not check it")
    if not any(event.source is not None and event.source.name == "Normal" for event in events):
        fail(f"no state change announced for Normal: {[(e.type, e.source.name if e.source else None) for e in events]}")
    press(difficulty, "Play!")

    # Ping: the counters as text, GO as a push button.
    ping = showing_frame(app, "Ping")
    if ping is None:
        fail("Play! did not open Ping")
        return
    for caption in ("HITS= 0", "LOSSES= 0", "HIGH SCORE= 0"):
        node = named(ping, caption)
        if node is None or node.getRoleName() != "label":
            fail(f"Ping has no label '{caption}': {roles(ping)}")
    if ("push button", "GO") not in roles(ping):
        fail(f"Ping has no push button GO: {roles(ping)}")

    # Back to the menu; the Ping entry opens Ping straight away.
    subprocess.run([window_key, "Ping"], check=False)
    pause = showing_frame(app, "Pause")
    if pause is not None:
        press(pause, "Quit to Menu")
    menu = showing_frame(app, "Menu")
    if menu is None:
        fail("Quit to Menu did not bring the menu back")
        return
    press(menu, "Ping")
    if showing_frame(app, "Ping") is None:
        fail("pressing the Ping entry did not open Ping")
        return
    subprocess.run([window_key, "Ping"], check=False)
    pause = showing_frame(app, "Pause")
    if pause is not None:
        press(pause, "Quit")


main()
sys.exit(1 if failures else 0)
