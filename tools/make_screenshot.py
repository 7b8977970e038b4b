#!/usr/bin/env python3
"""Takes docs/screenshot.png: a game in progress in the real window.

Runs the built program under Xvfb, deals a 4 x 4 board with a real click on
New Game, turns cards until a pair is found, then turns two more and takes the
picture while they are face up.

usage: tools/make_screenshot.py [BUILD_DIR]   (default: build)
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from play_game import Display, card_boxes, close, new_game_button, signature, wait_for  # noqa: E402


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build")
    out = os.path.join(here, "..", "docs", "screenshot.png")
    folder = tempfile.mkdtemp(prefix="brindlepair-shot-")
    shutil.copy(os.path.join(build, "brindlepair"), folder)
    shutil.copytree(os.path.join(build, "pics"), os.path.join(folder, "pics"))
    display = Display()
    game = subprocess.Popen([os.path.join(folder, "brindlepair")], cwd=folder, env=display.env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for("the main window", lambda: display.windows("Brindlepair"))[0]
        ox, oy, width, height = display.client_origin(window)
        display.click(*new_game_button(ox, oy))
        boxes = card_boxes(ox, oy)
        time.sleep(1.0)
        back = signature(display.screenshot(), boxes[(0, 0)])

        def turn(cell):
            box = boxes[cell]
            display.click((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)
            return signature(wait_for("the card face up", lambda: (lambda s: s if not close(
                signature(s, box), back) else None)(display.screenshot()), timeout=5), box)

        # Turn the first card against each other card until its partner shows.
        first = (0, 0)
        for other in sorted(boxes):
            if other == first:
                continue
            face = turn(first)
            if close(turn(other), face):
                time.sleep(1.4)
                if not close(signature(display.screenshot(), boxes[other]), back):
                    found = {first, other}
                    break
            time.sleep(1.4)
        rest = [cell for cell in sorted(boxes) if cell not in found]
        turn(rest[-1])
        turn(rest[0])
        time.sleep(0.2)
        subprocess.run(["import", "-window", window, out], env=display.env, check=True)
        print("wrote", os.path.normpath(out))
    finally:
        game.kill()
        display.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
