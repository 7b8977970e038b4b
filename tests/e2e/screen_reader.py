#!/usr/bin/python3
"""Plays a whole game of Brindlepair as a blind player's screen reader sees it.

Runs the built program in a real X window (Xvfb and openbox) with a session bus
and an accessibility bus of its own, and drives it through AT-SPI, the
interface Linux screen readers use, knowing only what a screen reader knows:
the roles, names, states, relations and actions of the window's objects, and
the focus as it moves. With real keys it opens Settings and tabs through its
boxes, deals with Space on New Game, reaches the board with Tab, moves with the
arrows and turns cards with Space until it has found a pair and glimpsed one
turned back, and leaves the board with Tab; then it wins through the cards'
press actions. It plays knowing the faces from the cards' names alone,
remembering every picture it was told of, and closes the high-score dialog
with Enter. The times the game shows, in its window and in the high-score
dialog, are checked against the script's own clock.

The Orca screen reader runs beside the game, and every card turned with Space
must be spoken as the focus says it: face up, found and last seen. Without Orca
the game is played all the same, and the script ends with status 77 (skipped),
saying so.

Runs under Debian's /usr/bin/python3, whose python3-gi reads AT-SPI
(gir1.2-atspi-2.0); needs xvfb, openbox, xdotool, dbus and at-spi2-core too,
and orca (tools/install-deps.sh --tests installs them all).

usage: screen_reader.py PROGRAM PICS_DIR
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from play_game import Display, Played, arrows, check_time, wait_for  # noqa: E402

# The game holds its event thread for the second an unmatched pair is shown: a
# call to it waits that out, where libatspi would give up after 0.8 s (once the
# game has run for 15 s) and answer nothing.
Atspi.set_timeout(10000, 15000)
SKIPPED = 77
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
    """Xvfb and openbox, a session bus with the accessibility bus on it, and
    the game started from a folder of its own. Each runs in a process group of
    its own, and closing ends every group."""

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

    def start(self, command, env=None, **options):
        process = subprocess.Popen(command, env=env or self.env, start_new_session=True,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)
        self.groups.append(process)
        return process

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


class Orca:
    """Orca beside the game, in a home of its own. Its speech-dispatcher
    speaks into libao's null output: on a machine without a sound device its
    usual outputs block on the first word, and Orca with them. Orca writes its
    debug file to a terminal, which a program writes line by line, so that
    what it says is read as it says it. It runs in a process table of its own
    (as root, or as root of a user namespace): Orca will not start while
    another Orca of the same user runs anywhere on the machine, and the
    speech-dispatcher it starts ends with it."""

    def __init__(self, session):
        home = os.path.join(session.folder, "orca-home")
        os.makedirs(os.path.join(home, ".config", "speech-dispatcher"))
        os.makedirs(os.path.join(home, "run"), mode=0o700)
        for path, text in ((".libao", "default_driver=null\n"),
                           (".config/speech-dispatcher/speechd.conf", 'AudioOutputMethod "libao"\n')):
            with open(os.path.join(home, path), "w") as settings:
                settings.write(text)
        env = dict({k: v for k, v in session.env.items() if not k.startswith("XDG_")},
                   HOME=home, XDG_RUNTIME_DIR=os.path.join(home, "run"))
        self.terminal, self.debug = os.openpty()
        tty.setraw(self.debug)
        self.said, self.heard, self.speaking = [], 0, False
        threading.Thread(target=self.listen, daemon=True).start()
        alone = ["unshare", "--pid", "--fork", "--mount-proc", "--kill-child"] + (
            [] if os.geteuid() == 0 else ["--map-root-user"])
        if subprocess.run(alone + ["true"], capture_output=True).returncode != 0:
            print("Orca runs in the machine's process table: unshare cannot give it one of its own")
            alone = []
        session.start(alone + ["orca", "--debug-file=" + os.ttyname(self.debug)], env)

    def listen(self):
        """Keeps what Orca says, as its debug file comes in."""
        rest = b""
        while True:
            try:
                rest += os.read(self.terminal, 65536)
            except OSError:
                return
            *lines, rest = rest.split(b"\n")
            for line in (line.decode(errors="replace").rstrip() for line in lines):
                self.speaking = self.speaking or "SPEECH: Using speech server factory" in line
                spoken = re.search(r"SPEECH OUTPUT: '(.*?)'(?:[ {].*)?$", line)
                if spoken:
                    self.said.append(spoken.group(1))

    def expect(self, text):
        """Waits until Orca says the text, after what it was last heard to say."""
        def heard():
            at = next((i for i in range(self.heard, len(self.said)) if self.said[i] == text), None)
            self.heard = self.heard if at is None else at + 1
            return at is not None
        waiting(f"Orca to say {text!r}", heard, 60)


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
        """Waits until the focus was last told in a way that matches; what it was told."""
        waiting(f"the focus on {pattern}", lambda: self.told and re.fullmatch(pattern, self.told[-1]))
        print("  focus:", "; ".join(self.told))
        last = self.told[-1]
        self.told.clear()
        return last


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


class Keys:
    """Turns cards as a player does by keys: moves the board's cursor with the
    arrows and presses Space. The focus must then tell the card's new name,
    and Orca say it."""

    def __init__(self, session, focus, orca, played):
        self.session, self.focus, self.orca, self.played = session, focus, orca, played
        self.cursor = (0, 0)

    def press(self, table, to, told):
        self.played.last_click = time.monotonic()
        self.session.key(*arrows(self.cursor[::-1], to[::-1]), "space")
        self.cursor = to
        name = self.focus.expect(rf"table cell 'Row {to[0] + 1}, column {to[1] + 1}: ({told})picture \d+'")
        if self.orca:
            self.orca.expect(name[len("table cell '"):-1] + ".")
        return read(table, to)


class Player:
    """Finds pairs knowing the faces only from the cards' names, remembering
    every picture it was told of: a pair it knows, else a card not seen yet
    and the card known to show its picture, or another not seen yet."""

    def __init__(self, table, cells, played):
        self.table, self.played, self.known, self.unseen = table, played, {}, list(cells)

    def attempt(self, press):
        """Turns two cards with press(table, at, the state its name must tell);
        what the second card's name tells then."""
        pair = next(((a, b) for a in self.known for b in self.known if a < b and self.known[a] == self.known[b]), ())
        first = pair[0] if pair else self.unseen.pop(0)
        state, picture, _ = press(self.table, first, "face up, ")
        assert state == "face up", state
        second = pair[1] if pair else next((at for at, p in self.known.items() if p == picture), None) \
            or self.unseen.pop(0)
        state, second_picture, seen = press(self.table, second, "found, |face down, last seen ")
        self.played.attempts += 2
        if state == "found":
            self.known.pop(first, None)
            self.known.pop(second, None)
            return state
        assert state == "face down" and seen, (state, seen)
        # The first card says what it showed, too.
        assert read(self.table, first) == ("face down", picture, True)
        self.known.update({first: picture, second: second_picture})
        return "last seen"


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
    program, pics = sys.argv[1:]
    session = Session(program, pics)
    focus = Focus()
    orca = None
    try:
        if shutil.which("orca"):
            orca = Orca(session)
            orca.expect("Screen reader on.")
            assert orca.speaking, "Orca found no speech server: speech-dispatcher did not start"
            print("Orca is running")
        else:
            print("Orca is not installed (tools/install-deps.sh --tests installs it): played without it")
        session.start_game()
        app = waiting("the game on the accessibility bus", lambda: application("Brindlepair"), 30)
        main_window = waiting("its window", lambda: window(app, "Brindlepair"))
        session.display.activate(session.display.windows("Brindlepair")[0])
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
        print("Right, Down, Space: a card turned; Right, Space: the second card of the turn; "
              "on by keys until a pair was found and one turned back glimpsed")
        player, keys, heard = Player(table, cells[5:] + cells[:5], played), Keys(session, focus, orca, played), set()
        while heard != {"found", "last seen"}:
            heard.add(player.attempt(keys.press))
        print("Tab: off the board")
        session.key("Tab")
        focus.expect(r"push button 'New Game'")

        while player.known or player.unseen:
            player.attempt(lambda table, at, told: press(table, at, played))
        print(f"won the {columns} x {rows} game in {played.attempts} attempts, the last by the cards' press actions")
        dialog = waiting("the high-score dialog", lambda: window(app, "Brindlepair Hiscore"))
        check_times(main_window, dialog, played, time.monotonic())
        name_box = find(dialog, Atspi.Role.TEXT)
        if name_box:
            print(f"  the dialog asks for a name: text {name_box.get_name()!r}")
        session.display.activate(session.display.windows("Brindlepair Hiscore")[0])
        session.key("Return")
        waiting("Enter to close the high-score dialog", lambda: not window(app, "Brindlepair Hiscore"))
        print("Enter closed the high-score dialog")
    finally:
        if orca:
            print("Orca said:", " | ".join(line for line in orca.said if line))
        focus.listener.deregister("object:state-changed:focused")
        session.close()
    if not orca:
        print("SKIPPED: Orca is not installed, so what it says was not checked")
        sys.exit(SKIPPED)


if __name__ == "__main__":
    main()
