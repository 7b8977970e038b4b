#!/usr/bin/env python3
"""Plays a whole 4 x 4 game of Brindlepair in a real X window.

Starts Xvfb and openbox, runs the built program from a folder of its own (so
its hiscore.dat is fresh), presses New Game with real pointer events, turns the
cards by looking at what the window shows, types a name into the high-score
dialog, presses Enter and reads hiscore.dat back.

usage: play_game.py PROGRAM PICS_DIR NAME_KEY
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

TWIPS = 15.0
NAME = "Robo Player"


def run(*args, env=None, check=True):
    return subprocess.run(args, env=env, check=check, capture_output=True, text=True).stdout


def wait_for(what, condition, timeout=30.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    raise SystemExit(f"timed out waiting for {what}")


class Display:
    def __init__(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=":" + number)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    def close(self):
        for process in (self.wm, self.xvfb):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()

    def xdotool(self, *args, check=True):
        return run("xdotool", *args, env=self.env, check=check)

    def windows(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", "^" + title + "$", check=False)
        return [w for w in out.split() if w]

    def client_origin(self, window):
        info = run("xwininfo", "-id", window, env=self.env)
        values = {}
        for line in info.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
                values["Width"], values["Height"])

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", str(int(x)), str(int(y)))
        self.xdotool("click", str(button))

    def screenshot(self):
        """The whole screen as (width, height, rgb bytes)."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              check=True, capture_output=True).stdout
        # P6 header: magic, width, height, maxval, each separated by whitespace.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        width, height = int(fields[1]), int(fields[2])
        return width, height, data[pos + 1:]


def pixel(shot, x, y):
    width, _, rgb = shot
    i = (int(y) * width + int(x)) * 3
    return tuple(rgb[i:i + 3])


def signature(shot, box):
    """The mean colour of each of nine blocks of a card: enough to tell faces
    apart, and the same for two cards showing the same picture, whatever part
    of a pixel their edges fall on."""
    left, top, right, bottom = box
    blocks = []
    for bx in range(3):
        for by in range(3):
            total = [0, 0, 0]
            samples = 0
            for sx in range(8):
                for sy in range(8):
                    x = left + (right - left) * (0.1 + 0.8 * (bx * 8 + sx + 0.5) / 24)
                    y = top + (bottom - top) * (0.1 + 0.8 * (by * 8 + sy + 0.5) / 24)
                    for i, value in enumerate(pixel(shot, x, y)):
                        total[i] += value
                    samples += 1
            blocks.append(tuple(v / samples for v in total))
    return tuple(blocks)


def distance(a, b):
    return max(abs(p - q) for pa, pb in zip(a, b) for p, q in zip(pa, pb))


def new_game_button(ox, oy):
    """The middle of New Game, at (120 + 1095 / 2, 120 + 375 / 2) twips."""
    return ox + (120 + 547) / TWIPS, oy + (120 + 187) / TWIPS


def card_boxes(ox, oy):
    """The cards of a 4 x 4 board on the designed surface, in screen pixels:
    cells of 1732 x 1104 twips from the surface's top at 595, each card 30 in
    and 100 short."""
    boxes = {}
    for column in range(4):
        for row in range(4):
            left = ox + (column * 1732 + 30) / TWIPS
            top = oy + (595 + row * 1104 + 30) / TWIPS
            boxes[(column, row)] = (left, top, left + 1602 / TWIPS, top + 974 / TWIPS)
    return boxes


def close(a, b, tolerance=45):
    return all(abs(p - q) <= tolerance for pa, pb in zip(a, b) for p, q in zip(pa, pb))


def main():
    program, pics, name_key = sys.argv[1], sys.argv[2], int(sys.argv[3])
    folder = tempfile.mkdtemp(prefix="brindlepair-e2e-")
    shutil.copy(program, folder)
    shutil.copytree(pics, os.path.join(folder, "pics"))
    display = Display()
    game = None
    try:
        game = subprocess.Popen([os.path.join(folder, os.path.basename(program))], cwd=folder,
                                env=display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        main_window = wait_for("the main window", lambda: display.windows("Brindlepair"))[0]
        ox, oy, width, height = wait_for("its size", lambda: display.client_origin(main_window))
        assert (width, height) == (462, 334), (width, height)

        display.click(*new_game_button(ox, oy))
        boxes = card_boxes(ox, oy)

        def dealt():
            shot = display.screenshot()
            backs = [signature(shot, box) for box in boxes.values()]
            return shot if all(close(b, backs[0]) for b in backs) and backs[0][4] != (0, 0, 0) else None

        shot = wait_for("the dealt board", dealt)
        back = signature(shot, boxes[(0, 0)])

        def turn(cell):
            box = boxes[cell]
            display.click((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)
            return wait_for(f"card {cell} face up",
                            lambda: (lambda s: s if not close(signature(s, box), back) else None)(
                                display.screenshot()), timeout=5)

        def face_down(cell):
            wait_for(f"card {cell} face down",
                     lambda: close(signature(display.screenshot(), boxes[cell]), back), timeout=5)

        def still_up(cells):
            """A pair taken for a match stays face up; a mismatch turns back
            after its second."""
            time.sleep(1.4)
            if display.windows("Brindlepair Hiscore"):
                return True
            shot = display.screenshot()
            return all(not close(signature(shot, boxes[c]), back) for c in cells)

        known = {}      # cell -> face signature, for cards seen but not found
        rejected = set()  # pairs that looked alike but turned back
        found = set()
        attempts = 0
        unseen = [cell for cell in sorted(boxes)]
        while len(found) < 16:
            # A pair already seen twice: take it.
            pair = None
            for a in known:
                for b in known:
                    if a < b and (a, b) not in rejected and close(known[a], known[b]):
                        pair = (a, b)
            if pair:
                for cell in pair:
                    turn(cell)
                    attempts += 1
                if still_up(pair):
                    found.update(pair)
                    for cell in pair:
                        del known[cell]
                else:
                    rejected.add(pair)
                continue
            if not unseen:
                pairs = sorted(round(distance(known[a], known[b])) for a in known for b in known if a < b)
                raise SystemExit("every card seen, no pair recognised; closest: " + str(pairs[:10]))
            first = unseen.pop(0)
            shot = turn(first)
            attempts += 1
            face = signature(shot, boxes[first])
            partner = min((c for c, f in known.items() if close(f, face)),
                          key=lambda c: distance(known[c], face), default=None)
            if partner:
                turn(partner)
                attempts += 1
                if still_up((first, partner)):
                    found.update((first, partner))
                    del known[partner]
                else:
                    known[first] = face
                    rejected.add(tuple(sorted((first, partner))))
                continue
            if not unseen:
                raise SystemExit("no card left to turn; distances to the cards seen: "
                                 + str(sorted(round(distance(face, f)) for f in known.values())))
            second = unseen.pop(0)
            shot = turn(second)
            attempts += 1
            second_face = signature(shot, boxes[second])
            # The last pair opens the high-score dialog at once, which may
            # cover part of the board.
            if display.windows("Brindlepair Hiscore") or (close(second_face, face) and still_up((first, second))):
                found.update((first, second))
                continue
            known[first] = face
            known[second] = second_face
            face_down(second)
            face_down(first)

        dialog = wait_for("the high-score dialog", lambda: display.windows("Brindlepair Hiscore"))[0]
        time.sleep(0.5)
        display.xdotool("windowactivate", "--sync", dialog, check=False)
        display.xdotool("type", "--delay", "30", NAME)
        display.xdotool("key", "Return")
        wait_for("the dialog to close", lambda: not display.windows("Brindlepair Hiscore"))

        score_file = os.path.join(folder, "hiscore.dat")
        data = wait_for("hiscore.dat", lambda: open(score_file, "rb").read() if os.path.exists(score_file) else None)
        lines = data.split(b"\r\n")
        assert len(lines) == 16 and lines[15] == b"", "15 lines, each ending in CR LF"
        names = [bytes(c - name_key for c in line.split(b'","')[0][1:]).decode("latin-1") for line in lines[:3]]
        assert NAME in names, f"{NAME!r} not among the 4 x 4 names {names!r}"
        print(f"played a 4 x 4 game in {attempts} attempts; hiscore.dat holds {NAME!r}")
        game.terminate()
        game.wait(timeout=10)
    finally:
        if game and game.poll() is None:
            game.kill()
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
