#!/usr/bin/env python3
"""Plays two whole 4 x 4 games of Brindlepair in a real X window.

Starts Xvfb and openbox, runs the built program from a folder of its own (so
its hiscore.dat is fresh), presses New Game with real pointer events, turns the
cards by looking at what the window shows, types a name into the high-score
dialog, presses Enter, reads hiscore.dat back (the name, and the time against
this script's own clock). Then it plays a game with the keyboard alone: Space
on New Game, Tab to the board, whose focus frame must show, the arrows and
Space to turn the cards, Enter to close the high-score dialog. It closes the
main window with Alt+F4 as a player does: the program must then end with
status 0.

usage: play_game.py PROGRAM PICS_DIR NAME_KEY TIME_KEY
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TWIPS = 15.0
NAME = "Robo Player"


def wait_for(what, condition, timeout=30.0):
    """Polls for a condition until a deadline; what is waited for is said, or
    made by a call, when the deadline passes."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise SystemExit(f"timed out waiting for {what() if callable(what) else what}")


class Display:
    def __init__(self):
        # -noreset: a server left by its last client resets, and refuses
        # whoever connects meanwhile (openbox, while xprop waits for it).
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=":" + number)
        self.env.pop("QT_QPA_PLATFORM", None)
        said = tempfile.TemporaryFile()
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=said, stderr=subprocess.STDOUT)

        def managing():
            if self.wm.poll() is not None:
                said.seek(0)
                raise SystemExit(f"openbox ended with status {self.wm.returncode}: {said.read().decode(errors='replace')}")
            return "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                                 capture_output=True, text=True).stdout
        try:
            wait_for("the window manager", managing)
        except SystemExit:
            self.close()
            raise

    def close(self):
        for process in (self.wm, self.xvfb):
            process.kill()
            process.wait()

    def activate(self, window):
        """Activates a window and waits until it is the active one: keys go to it then."""
        def active():
            self.xdotool("windowactivate", window, check=False)
            return self.xdotool("getactivewindow", check=False).strip() == window
        wait_for(f"window {window} to be active", active, 10)

    def xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *args], env=self.env, check=check, capture_output=True, text=True).stdout

    def windows(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", "^" + title + "$", check=False)
        return [w for w in out.split() if w]

    def client_origin(self, window):
        """The client area's left, top, width and height on the screen."""
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, capture_output=True, text=True).stdout
        values = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
        return tuple(int(values[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame_centre(self, window):
        """The middle of the window's frame, as the window manager draws it;
        None until it has framed the window."""
        left, top, width, height = self.client_origin(window)
        extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env=self.env,
                                 capture_output=True, text=True).stdout
        if "=" not in extents:
            return None
        frame_left, frame_right, frame_top, frame_bottom = map(int, re.findall(r"\d+", extents.split("=")[-1]))
        return (left - frame_left + (width + frame_left + frame_right) / 2,
                top - frame_top + (height + frame_top + frame_bottom) / 2)

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", str(int(x)), str(int(y)))
        self.xdotool("click", "1")

    def screenshot(self):
        """The whole screen as (width, rgb bytes), from a P6 picture."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              check=True, capture_output=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+\d+\s+\d+\s", data)
        return int(header.group(1)), data[header.end():]


def signature(shot, box):
    """The mean colour of each of nine blocks of a card: enough to tell faces
    apart, and the same for two cards showing the same picture, whatever part
    of a pixel their edges fall on."""
    width, rgb = shot
    left, top, right, bottom = box

    def mean(bx, by):
        points = [(int(left + (right - left) * (0.1 + 0.8 * (bx * 8 + sx + 0.5) / 24)),
                   int(top + (bottom - top) * (0.1 + 0.8 * (by * 8 + sy + 0.5) / 24)))
                  for sx in range(8) for sy in range(8)]
        return tuple(sum(rgb[(y * width + x) * 3 + channel] for x, y in points) / 64 for channel in range(3))
    return tuple(mean(bx, by) for bx in range(3) for by in range(3))


def close(a, b, tolerance=45):
    return all(abs(p - q) <= tolerance for pa, pb in zip(a, b) for p, q in zip(pa, pb))


def new_game_button(ox, oy):
    """The middle of New Game, at (120 + 1095 / 2, 120 + 375 / 2) twips."""
    return ox + (120 + 547) / TWIPS, oy + (120 + 187) / TWIPS


def arrows(cell, to):
    """The arrow keys that move the board's cursor from one (column, row) to another."""
    return (["Right" if to[0] > cell[0] else "Left"] * abs(to[0] - cell[0])
            + ["Down" if to[1] > cell[1] else "Up"] * abs(to[1] - cell[1]))


def card_boxes(ox, oy):
    """The cards of a 4 x 4 board on the designed surface, in screen pixels:
    cells of 1732 x 1104 twips from the surface's top at 595, each card 30 in
    and 100 short."""
    corners = {(column, row): (ox + (column * 1732 + 30) / TWIPS, oy + (595 + row * 1104 + 30) / TWIPS)
               for column in range(4) for row in range(4)}
    return {cell: (left, top, left + 1602 / TWIPS, top + 974 / TWIPS) for cell, (left, top) in corners.items()}


class Played:
    """A game as this script saw it: the attempts made, and its own clock when
    New Game was pressed, when the dealt board showed and when the last card
    was turned."""
    attempts = 0
    new_game = dealt = last_click = 0.0


def gap_colour(shot, box):
    """The mean colour of the gap right of a card, where its focus frame goes."""
    width, rgb = shot
    left, top, right, bottom = box
    points = [(int(right) + dx, int(top + (bottom - top) * k / 10)) for dx in (1, 2, 3) for k in range(2, 9)]
    return tuple(sum(rgb[(y * width + x) * 3 + channel] for x, y in points) / len(points) for channel in range(3))


def play(display, ox, oy, by_keys=False):
    """Finds every pair, remembering every face seen. By keys, New Game must
    have the focus: the game is dealt with Space and played with Tab, the
    arrows and Space."""
    played = Played()
    boxes = card_boxes(ox, oy)
    played.new_game = time.monotonic()
    if by_keys:
        display.xdotool("key", "space")
    else:
        display.click(*new_game_button(ox, oy))
    back = wait_for("the dealt board", lambda: (lambda shot: signature(shot, boxes[(0, 0)]) if all(
        close(signature(shot, box), signature(shot, boxes[(0, 0)])) for box in boxes.values()) else None)(
        display.screenshot()))
    played.dealt = time.monotonic()
    cursor = [(0, 0)]
    if by_keys:
        unfocused = gap_colour(display.screenshot(), boxes[(0, 0)])
        display.xdotool("key", "--delay", "50", "Tab", "Tab")
        wait_for("the focus frame round the first card", lambda: not close(
            [gap_colour(display.screenshot(), boxes[(0, 0)])], [unfocused], 60))

    def turn(cell):
        box = boxes[cell]
        played.last_click = time.monotonic()
        if by_keys:
            display.xdotool("key", "--delay", "30", *arrows(cursor[0], cell), "space")
            cursor[0] = cell
        else:
            display.click((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)
        return wait_for(f"card {cell} face up", lambda: (lambda face: None if close(face, back) else face)(
            signature(display.screenshot(), box)), timeout=10)

    def alike(a, b):
        return a != b and (min(a, b), max(a, b)) not in rejected and close(known[a], known[b])

    def turned_back(pair):
        return close(signature(display.screenshot(), boxes[pair[1]]), back)

    known = {}  # cell -> face, for every card seen and not found
    rejected = set()  # pairs that looked alike but turned back
    unseen = sorted(boxes)
    last = ()  # the pair turned last, until the game is seen to be done with it
    while True:
        free = [c for c in known if c not in last]
        pair = next(((a, b) for a in free for b in free if alike(a, b)), None)
        first = pair[0] if pair else unseen.pop(0) if unseen else free[0] if free else None
        if first is None:
            # Only the pair turned last is left: the game ends, or the pair turns back.
            wait_for("the high-score dialog or the last pair turned back",
                     lambda: display.windows("Brindlepair Hiscore") or turned_back(last))
            if display.windows("Brindlepair Hiscore"):
                return played
        else:
            known[first] = turn(first)
        # The game takes a click only once it is done with the pair before:
        # found, or turned back after its second.
        if last and turned_back(last):
            rejected.add((min(last), max(last)))
        elif last:
            del known[last[0]], known[last[1]]
        last = ()
        if first is not None:
            # Without a likeness or a card unseen, any card not yet tried with
            # this one: the eye may have misjudged a face.
            second = (next((c for c in known if alike(c, first)), None) or (unseen.pop(0) if unseen else None)
                      or next((c for c in known if c != first and (min(c, first), max(c, first)) not in rejected),
                              None))
            if second is None:
                raise SystemExit(f"every card seen, no pair recognised among {sorted(known)}")
            known[second] = turn(second)
            played.attempts += 2
            last = (first, second)


def name_the_entry(display, dialog, name):
    """Types the name into the high-score dialog and presses Enter."""
    display.activate(dialog)
    display.xdotool("type", "--delay", "30", name)
    display.xdotool("key", "Return")
    wait_for("the dialog to close", lambda: not display.windows("Brindlepair Hiscore"))


def saved_time(path, keys, name):
    """The time saved in hiscore.dat with the name among the 4 x 4 places."""
    name_key, time_key = keys
    with open(path, "rb") as scores:
        lines = scores.read().split(b"\r\n")
    assert len(lines) == 16 and lines[15] == b"", "15 lines, each ending in CR LF"
    rows = [line[1:-1].split(b'","') for line in lines[:3]]
    names = [bytes(c - name_key for c in row[0]).decode("cp1252") for row in rows]
    assert name in names, f"{name!r} not among the 4 x 4 names {names!r} of {path}"
    return int(bytes(c - time_key for c in rows[names.index(name)][2]))


def check_time(saved, played, won):
    """The time saved is the game's count of seconds: a count comes on a tick
    (five a second) more than a second after the count before it, and none
    while an unmatched pair is shown for its second. So over a game of W
    seconds with M such pairs it counts fewer than W, and more than
    (W - M) / 1.2 - 1."""
    longest = won - played.new_game
    shortest = played.last_click - played.dealt
    unmatched = (played.attempts - 16) // 2
    fewest = (shortest - unmatched) / 1.2 - 1
    assert fewest <= saved < longest, (
        f"{saved} s saved for a game of {shortest:.1f} to {longest:.1f} s with {unmatched} unmatched pairs")


def main():
    program, pics, keys = sys.argv[1], sys.argv[2], (int(sys.argv[3]), int(sys.argv[4]))
    folder = tempfile.mkdtemp(prefix="brindlepair-e2e-")
    shutil.copy(program, folder)
    shutil.copytree(pics, os.path.join(folder, "pics"))
    display = Display()
    game = None
    errors = os.path.join(folder, "stderr.txt")
    try:
        with open(errors, "w") as stderr:
            game = subprocess.Popen([os.path.join(folder, os.path.basename(program))], cwd=folder,
                                    env=display.env, stdout=subprocess.DEVNULL, stderr=stderr)
        main_window = wait_for("the main window", lambda: display.windows("Brindlepair"))[0]
        ox, oy, width, height = wait_for("its size", lambda: display.client_origin(main_window))
        assert (width, height) == (462, 334), (width, height)
        # Settings opens its dialog modally; its close control closes it and writes nothing.
        display.click(ox + (1320 + 547) / TWIPS, oy + (120 + 187) / TWIPS)
        settings = wait_for("the settings dialog", lambda: display.windows("Brindlepair Settings"))[0]
        # The window manager now and then lets an Alt+F4 pass that comes as
        # it gives the dialog the focus; a player presses it again.
        for attempt in range(3):
            display.activate(settings)
            display.xdotool("key", "alt+F4")
            deadline = time.monotonic() + 10
            while display.windows("Brindlepair Settings") and time.monotonic() < deadline:
                time.sleep(0.1)
            if not display.windows("Brindlepair Settings"):
                break
        else:
            raise SystemExit(f"Alt+F4 three times did not close the settings dialog {settings}; the active "
                             f"window is {display.xdotool('getactivewindow', check=False).strip()}")
        played = play(display, ox, oy)

        dialog = wait_for("the high-score dialog", lambda: display.windows("Brindlepair Hiscore"))[0]
        won = time.monotonic()
        # Opened for the first time, it is centred on the main window all the same,
        # give or take the finer border of a dialog that cannot be resized.
        def offset():
            centres = [display.frame_centre(window) for window in (dialog, main_window)]
            return None if None in centres else [a - b for a, b in zip(*centres)]
        wait_for(lambda: f"the high-score dialog on the main window's middle; it is {offset()} off",
                 lambda: (lambda d: d and all(abs(n) <= 2 for n in d))(offset()), 5)
        name_the_entry(display, dialog, NAME)
        saved = saved_time(os.path.join(folder, "hiscore.dat"), keys, NAME)
        check_time(saved, played, won)

        # The keyboard alone; New Game kept the focus from the game before.
        display.activate(main_window)
        by_keys = play(display, ox, oy, by_keys=True)
        dialog = wait_for("the high-score dialog", lambda: display.windows("Brindlepair Hiscore"))[0]
        display.activate(dialog)
        display.xdotool("key", "Return")
        wait_for("Enter to close the dialog", lambda: not display.windows("Brindlepair Hiscore"))

        display.activate(main_window)
        display.xdotool("key", "alt+F4")
        status = game.wait(timeout=10)
        with open(errors) as stderr:
            assert status == 0, f"the program ended with status {status}:\n{stderr.read()}"
        print(f"played a 4 x 4 game in {played.attempts} attempts and {won - played.new_game:.1f} s; "
              f"hiscore.dat holds {NAME!r} with {saved} s; a game by keys alone in {by_keys.attempts} "
              f"attempts; closed with Alt+F4")
    finally:
        if game and game.poll() is None:
            game.kill()
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
