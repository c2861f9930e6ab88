"""What a screen reader on Linux gets from the program, through the real
AT-SPI bus: every window a frame with its caption, every focusable control a
name of its own, the score and round labels named by what they show, a
press told as a description change on the focused control, and the sheets'
command bar a menu bar whose item chosen from the keyboard has the focus.
  atspi_test.py path/to/zelvo   (run by atspi_session.sh)"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MENU = "ぽてのダーツ計算Ver2"
F10, RIGHT, ESCAPE = 0xFFC7, 0xFF53, 0xFF1B  # X keysyms
GAMES = [  # the menu button, the sheets' caption, the score's word, score at load and after 20, 20, 20
    ("カウントアップ", "ぽてのダーツ点数計算（カウントアップ）", "合計", 0, 60),
    ("３０１", "ぽてのダーツ点数計算（３０１）", "残り", 301, 241),
]
COUNTS = ["１人でスタート", "２人でスタート", "３人でスタート", "４人でスタート"]
COMMANDS = ["リセット（再スタート）"] + COUNTS

failures = []
described = []  # (object, its new description) as they reach the bus
focused = []  # (role, name) of each object that takes the focus, in order


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(found, seconds=15):
    """Runs the event loop until found() returns something, or gives None."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        result = found()
        if result:
            return result
        time.sleep(0.05)
    return None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def shown_window(app, caption, holding):
    def find():
        for window in app:
            if (window is not None and window.name == caption and window.getState().contains(pyatspi.STATE_SHOWING)
                    and by_name(window, holding)):
                return window
    return wait_for(find)


def by_name(window, name):
    return next((o for o in descendants(window) if o.name == name), None)


def check_window(app, caption, holding):
    window = shown_window(app, caption, holding)
    check(window is not None, f"no window called {caption} with {holding} in it")
    if window is None:
        return None
    check(window.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW), f"{caption} is a {window.getRoleName()}")
    focusable = [o for o in descendants(window) if o.getState().contains(pyatspi.STATE_FOCUSABLE)]
    names = [o.name for o in focusable]
    check(names and all(names) and len(set(names)) == len(names), f"{caption}: focusable controls named {names}")
    fields = [o.name for o in focusable if o.getRole() == pyatspi.ROLE_TEXT]
    check(all(re.match(r"プレーヤー\d ", name) for name in fields), f"{caption}: fields not saying whose: {fields}")
    return window


def press(window, player, throws):
    for throw, field in zip(throws, ("1投目", "2投目", "3投目")):
        by_name(window, f"プレーヤー{player} {field}").queryEditableText().setTextContents(throw)
    by_name(window, f"プレーヤー{player} 計算").queryAction().doAction(0)


def heard(text):
    """One description change, on the control that has the focus, that says text."""
    def find():
        return [words for source, words in described if source.getState().contains(pyatspi.STATE_FOCUSED)] == [text]
    found = wait_for(find, 5) and wait_for(lambda: len(described) > 1, 0.5) is None
    print(f"heard {[words for source, words in described]}", flush=True)
    described.clear()
    return found


def check_menu_bar(window, players):
    """The commands as menu items of a menu bar, and the keyboard's walk along it heard as focus."""
    bar = next((o for o in descendants(window) if o.getRole() == pyatspi.ROLE_MENU_BAR), None)
    check(bar is not None, "no menu bar")
    if bar is None:
        return
    items = [(o.getRole(), o.name, o.getState().contains(pyatspi.STATE_ENABLED)) for o in bar]
    check(items == [(pyatspi.ROLE_MENU_ITEM, name, i != players) for i, name in enumerate(COMMANDS)],
          f"menu bar holds {items}")
    before = next(o for o in descendants(window) if o.getState().contains(pyatspi.STATE_FOCUSED))
    expected = [(pyatspi.ROLE_MENU_ITEM, name) for name in COMMANDS[:3]] + [(before.getRole(), before.name)]
    # Keys go where the X server's focus is: wait until the window manager
    # has made the new sheet the active window.
    check(wait_for(lambda: window.getState().contains(pyatspi.STATE_ACTIVE), 5), "the sheet never became active")
    focused.clear()
    for key in (F10, RIGHT, RIGHT, ESCAPE):
        pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
    wait_for(lambda: len(focused) >= len(expected), 5)
    print(f"focus went to {focused}", flush=True)
    check(focused == expected, f"walking the menu bar focused {focused}")


def play(zelvo, button, caption, word, start, after):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([zelvo], env=env)
    try:
        app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "ZELVO"), None))
        check(app is not None, "ZELVO never showed on the bus")
        if app is None:
            return
        window = check_window(app, MENU, button)
        by_name(window, button).queryAction().doAction(0)
        for players in range(1, 5):
            if players > 1:
                by_name(window, COUNTS[players - 1]).queryAction().doAction(0)
            # The sheets share a caption: each is told by its last player's score.
            window = check_window(app, caption, f"プレーヤー{players} {word} {start}")
            if window is None:
                return
            labels = {o.name for o in descendants(window) if o.getRole() == pyatspi.ROLE_LABEL}
            expected = {f"プレーヤー{p} {word} {start}" for p in range(1, players + 1)} | {"1回目"}
            check(expected <= labels, f"{caption} for {players}: labels {sorted(labels)}")
            check("回目" not in labels, f"{caption} for {players}: 回目 read after the round")
        check_menu_bar(window, 4)
        described.clear()
        press(window, 1, ("20", "20", "20"))
        check(heard(f"プレーヤー1 {word} {after}"), f"{caption}: player 1's press not heard once")
        check(wait_for(lambda: by_name(window, f"プレーヤー1 {word} {after}"), 5), f"{caption}: player 1's score not renamed")
        press(window, 4, ("20", "20", "20"))
        check(heard(f"プレーヤー4 {word} {after}、2回目"), f"{caption}: player 4's press not heard once")
        for _ in range(2):
            press(window, 1, ("0", "0", "0"))
            check(heard(f"プレーヤー1 {word} {after}"), f"{caption}: player 1's second and third press not heard once")
        # Once the focus moves on, the words are no longer part of the control.
        focused = next(o for o in descendants(window) if o.getState().contains(pyatspi.STATE_FOCUSED))
        by_name(window, "プレーヤー1 1投目").queryComponent().grabFocus()
        check(wait_for(lambda: focused.description == "", 5), f"{caption}: {focused.name} still says {focused.description}")
        check(wait_for(lambda: by_name(window, "2回目"), 5), f"{caption}: the round not renamed")
    finally:
        program.terminate()
        program.wait(10)


def main():
    zelvo = sys.argv[1]
    pyatspi.Registry.registerEventListener(lambda event: described.append((event.source, event.source.description)),
                                           "object:property-change:accessible-description")
    pyatspi.Registry.registerEventListener(
        lambda event: event.detail1 and focused.append((event.source.getRole(), event.source.name)),
        "object:state-changed:focused")
    for game in GAMES:
        play(zelvo, *game)
    print(f"{len(failures)} failures" if failures else "all heard", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
