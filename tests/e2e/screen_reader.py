#!/usr/bin/python3
"""Plays a whole game of Brindlepair as a blind player's screen reader sees it.

Runs the built program in a real X window (Xvfb and openbox) with a session bus
and an accessibility bus of its own, and drives it through AT-SPI, the
interface Linux screen readers use, knowing only what a screen reader knows:
the roles, names, states, relations and actions of the window's objects, and
the focus as it moves. With real keys it opens Settings and tabs through its
boxes, deals with Space on New Game, reaches the board with Tab, moves with the
arrows, turns two cards with Space and leaves the board with Tab; then it wins
the game through the cards' press actions and their names alone, remembering
every picture it was told of, and closes the high-score dialog with Enter.
The times the game shows, in its window and in the high-score dialog, are
checked against the script's own clock.

With --orca the Orca screen reader runs beside it, with a debug file of its
own, and the script prints all that Orca said: it must have said the face of
the card turned with Space.

Runs under Debian's /usr/bin/python3, whose python3-gi reads AT-SPI
(gir1.2-atspi-2.0); needs xvfb, openbox, xdotool, dbus and at-spi2-core too,
and orca for --orca.

usage: screen_reader.py PROGRAM PICS_DIR [--orca]
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from play_game import Display, Played, check_time, wait_for  # noqa: E402

CARD = re.compile(r"^Row (\d+), column (\d+): (face down|face up|found)"
                  r"(?:, picture (\d+)|, last seen picture (\d+))?$")


def pump(seconds):
    """Lets the events from the accessibility bus come in for a while."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def waiting(what, condition, timeout=15.0):
    """Waits for a condition while the events come in."""
    def pumped():
        pump(0.05)
        return condition()
    return wait_for(what, pumped, timeout)


class Session:
    """Xvfb and openbox, a session bus with the accessibility bus on it, Orca
    when asked for, and the game started from a folder of its own. Each runs in
    a process group of its own, and closing ends every group."""

    def __init__(self, program, pics):
        self.groups = []
        self.display = Display()
        read_end, write_end = os.pipe()
        self.env = dict(self.display.env)
        self.start(["dbus-daemon", "--session", "--nofork", f"--print-address={write_end}"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.env["DBUS_SESSION_BUS_ADDRESS"] = pipe.readline().strip()
        # This client finds the accessibility bus through the session bus too.
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=self.env["DBUS_SESSION_BUS_ADDRESS"])
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.folder = tempfile.mkdtemp(prefix="brindlepair-atspi-")
        shutil.copy(program, self.folder)
        shutil.copytree(pics, os.path.join(self.folder, "pics"))
        self.program = os.path.join(self.folder, os.path.basename(program))
        self.orca = None

    def start(self, command, env=None, **options):
        process = subprocess.Popen(command, env=env or self.env, start_new_session=True,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)
        self.groups.append(process)
        return process

    def start_orca(self):
        home = os.path.join(self.folder, "orca-home")
        os.makedirs(home)
        self.orca_log = os.path.join(self.folder, "orca.log")
        env = dict(self.env, HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home, XDG_CACHE_HOME=home)
        self.orca = self.start(["orca", "--debug-file=" + self.orca_log], env)
        # Orca is there once it is on the accessibility bus.
        waiting("Orca", lambda: application("orca"), 60)
        pump(3)

    def orca_said(self):
        """Ends Orca, which writes its debug file out as it ends, and returns
        the lines it spoke."""
        os.killpg(self.orca.pid, signal.SIGTERM)
        self.orca.wait(timeout=30)
        with open(self.orca_log, errors="replace") as log:
            return [line.split("SPEECH OUTPUT: ", 1)[1].split("{")[0].strip().strip("'").strip()
                    for line in log if "SPEECH OUTPUT: " in line]

    def start_game(self):
        # The bridge to the accessibility bus is on whether or not a screen
        # reader has asked for it; the game is ended, not closed, so its leaks
        # are not looked for.
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0")
        self.start([self.program], env, cwd=self.folder)

    def key(self, *keys):
        for key in keys:
            self.display.xdotool("key", key)
            pump(0.2)

    def close(self):
        for process in reversed(self.groups):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
        self.display.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class Focus:
    """What a screen reader hears of the focus: the object that gained it, with
    its role, its name and the labels it is tied to."""

    def __init__(self):
        self.told = []
        self.listener = Atspi.EventListener.new(self.on_focus)
        self.listener.register("object:state-changed:focused")

    def on_focus(self, event):
        if event.detail1 != 1:
            return
        source = event.source
        labels = [relation.get_target(i).get_name() for relation in source.get_relation_set()
                  if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
                  for i in range(relation.get_n_targets())]
        self.told.append(f"{source.get_role_name()} {source.get_name()!r}"
                         + "".join(f" labelled {label!r}" for label in labels))

    def expect(self, pattern):
        """Waits until the focus was last told in a way that matches."""
        waiting(f"the focus on {pattern}", lambda: self.told and re.fullmatch(pattern, self.told[-1]))
        print("  focus:", "; ".join(self.told))
        self.told.clear()


def application(name):
    desktop = Atspi.get_desktop(0)
    return next((a for a in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
                 if a and a.get_name() == name), None)


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def window(app, title):
    return next((w for w in children(app) if w.get_name() == title
                 and w.get_state_set().contains(Atspi.StateType.SHOWING)), None)


def find(root, role):
    """The first object of a role under root, breadth first."""
    queue = [root]
    while queue:
        node = queue.pop(0)
        if node.get_role() == role:
            return node
        queue.extend(children(node))
    return None


def card(table, at):
    Atspi.Accessible.clear_cache(table)
    return Atspi.Table.get_accessible_at(table, *at)


def read(table, at):
    """What a card's name says: its state, its picture (0 when it shows none)
    and whether that picture was last seen."""
    name = card(table, at).get_name()
    match = CARD.match(name)
    assert match, f"not a card's name: {name!r}"
    row, column, state, picture, seen = match.groups()
    assert (int(row) - 1, int(column) - 1) == at, name
    return state, int(picture or seen or 0), bool(seen)


def press(table, at, played):
    """Presses a card through its action and returns what its name says then."""
    target = card(table, at)
    played.last_click = time.monotonic()
    before = target.get_name()
    with warnings.catch_warnings():
        # The newer name of the call is not in every libatspi.
        warnings.simplefilter("ignore", DeprecationWarning)
        assert Atspi.Action.get_action_name(target, 0) == "Press"
    Atspi.Action.do_action(target, 0)
    # A card pressed always says something new: the face it shows or showed.
    waiting(f"card {at} to change", lambda: card(table, at).get_name() != before)
    return read(table, at)


def win(table, rows, columns, played):
    """Finds every pair, knowing the faces only from the cards' names."""
    known = {}  # cell -> picture, for every card seen and not found
    unseen = []
    for at in ((r, c) for r in range(rows) for c in range(columns)):
        state, picture, seen = read(table, at)
        assert state != "face up", "a turn is half done"
        if seen:
            known[at] = picture
        elif state == "face down":
            unseen.append(at)
    while unseen or known:
        pair = next(((a, b) for a in known for b in known if a < b and known[a] == known[b]), None)
        if pair:
            for at in pair:
                assert press(table, at, played)[0] in ("face up", "found")
                del known[at]
            played.attempts += 2
            continue
        first = unseen.pop(0)
        state, picture, _ = press(table, first, played)
        assert state == "face up", state
        second = next((at for at, p in known.items() if p == picture), None) or unseen.pop(0)
        state, second_picture, seen = press(table, second, played)
        played.attempts += 2
        if state == "found":
            known.pop(second, None)
            continue
        assert state == "face down" and seen, (state, seen)
        # The first card says what it showed, too.
        assert read(table, first) == ("face down", picture, True)
        known[first] = picture
        known[second] = second_picture


def shown_time(root, role, pattern):
    """The seconds a label under root shows."""
    queue = [root]
    while queue:
        node = queue.pop(0)
        match = re.search(pattern, node.get_name() or "") if node.get_role() == role else None
        if match:
            return int(match.group(1))
        queue.extend(children(node))
    raise AssertionError(f"no {pattern!r} shown")


def check_times(main_window, dialog, played, won):
    """The window's clock shows the seconds from the deal to the count before
    the last one; the dialog, the seconds counted, as they are saved."""
    label = shown_time(main_window, Atspi.Role.LABEL, r"^Time: (\d+)$")
    counted = shown_time(dialog, Atspi.Role.LABEL, r"^You played: .* Time: (\d+)$")
    check_time(counted, played, won)
    # The last two counts came at most 1.2 s apart each, or a second later
    # when an unmatched pair held the clock; then the rounding.
    longest, shortest = won - played.new_game, played.last_click - played.dealt
    assert shortest - 2 * 2.2 - 0.5 <= label <= longest + 0.5, f"the window shows {label} s after {shortest:.1f} s"
    print(f"  the window shows {label} s and the dialog {counted} s counted, after {shortest:.1f} s")


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    program, pics = arguments
    session = Session(program, pics)
    focus = Focus()
    try:
        if "--orca" in sys.argv:
            session.start_orca()
            print("Orca is running")
        session.start_game()
        app = waiting("the game on the accessibility bus", lambda: application("Brindlepair"), 30)
        main_window = waiting("its window", lambda: window(app, "Brindlepair"))
        session.display.xdotool("windowactivate", "--sync", session.display.windows("Brindlepair")[0], check=False)
        focus.expect(r"push button 'New Game'")
        print("the window holds:", ", ".join(f"{c.get_role_name()} {c.get_name()!r}" for c in children(main_window)
                                             if c.get_state_set().contains(Atspi.StateType.SHOWING)))
        table = find(main_window, Atspi.Role.TABLE)
        assert table.get_name() == "Cards" and Atspi.Table.get_n_rows(table) == 0

        print("Tab, Space: Settings; Tab through its boxes, each tied to its label; Cancel")
        session.key("Tab", "space")
        waiting("the settings dialog", lambda: window(app, "Brindlepair Settings"))
        focus.expect(r"push button 'OK'")
        session.key("Tab")
        for label in ("select Card-Set", "select Deck", "select Gamefield"):
            session.key("Tab")
            focus.expect(rf"combo box '[^']*' labelled '{label}'")
        session.key("shift+Tab", "shift+Tab", "shift+Tab")
        focus.expect(r"push button 'Cancel'")
        session.key("space")
        waiting("the settings dialog to close", lambda: not window(app, "Brindlepair Settings"))
        focus.expect(r"push button 'Settings'")

        print("Shift+Tab, Space: New Game deals")
        played = Played()
        played.new_game = time.monotonic()
        session.key("shift+Tab", "space")
        waiting("the deal", lambda: Atspi.Table.get_n_rows(table) == 4)
        played.dealt = time.monotonic()
        rows, columns = Atspi.Table.get_n_rows(table), Atspi.Table.get_n_columns(table)
        cells = [(r, c) for r in range(rows) for c in range(columns)]
        assert all(read(table, at) == ("face down", 0, False) for at in cells)
        print(f"  {rows} rows, {columns} columns, every card {card(table, (0, 0)).get_name()!r} and so on")
        print("Tab, Tab: the board")
        session.key("Tab", "Tab")
        focus.expect(r"table cell 'Row 1, column 1: face down'")
        print("Right, Down, Space: a card turned")
        played.last_click = time.monotonic()
        session.key("Right", "Down", "space")
        focus.expect(r"table cell 'Row 2, column 2: face up, picture \d+'")
        print("Right, Space: the second card of the turn")
        played.last_click = time.monotonic()
        session.key("Right", "space")
        played.attempts = 2
        focus.expect(r"table cell 'Row 2, column 3: (found, picture|face down, last seen picture) \d+'")
        print("Tab: off the board")
        session.key("Tab")
        focus.expect(r"push button 'New Game'")

        win(table, rows, columns, played)
        print(f"won the {columns} x {rows} game in {played.attempts} attempts through the cards' press actions")
        dialog = waiting("the high-score dialog", lambda: window(app, "Brindlepair Hiscore"))
        check_times(main_window, dialog, played, time.monotonic())
        name_box = find(dialog, Atspi.Role.TEXT)
        if name_box:
            print(f"  the dialog asks for a name: text {name_box.get_name()!r}")
        session.display.xdotool("windowactivate", "--sync", session.display.windows("Brindlepair Hiscore")[0],
                                check=False)
        session.key("Return")
        waiting("Enter to close the high-score dialog", lambda: not window(app, "Brindlepair Hiscore"))
        print("Enter closed the high-score dialog")

        if session.orca:
            said = session.orca_said()
            print("Orca said:", " | ".join(line for line in said if line))
            assert any(re.fullmatch(r"Row 2, column 2: face up, picture \d+\.", line) for line in said), \
                "Orca did not say the face turned with Space"
    finally:
        focus.listener.deregister("object:state-changed:focused")
        session.close()


if __name__ == "__main__":
    main()
