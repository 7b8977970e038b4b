#!/usr/bin/env python3
"""A game installed for everyone, played by a player who is not root.

Installs Brindlepair as root into a scratch prefix, with a score table of the
installation's own (as an administrator may leave one), and then, as the
user nobody with a home of its own: makes a card set with the installed
brindlepair-cards (it goes into the player's data folder, as the game's folder
takes no new files), chooses it in the settings dialog of the installed game in
a real X window, wins a 4 x 4 game with it, names the entry, and wins a second
one. The player's hiscore.dat must then hold the installation's table with
both results ranked into it, and the installed folder must be exactly as it
was installed.

Skipped (exit status 77) unless run as root, who alone can install for
everyone and play as another user.

usage: shared_install.py CMAKE BUILD_DIR NAME_KEY ATTEMPTS_KEY TIME_KEY
"""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import play_game  # noqa: E402  (the X display, the board's geometry and a player)

SKIPPED = 77
PLAYER = "nobody"
FIRST, SECOND = "Shared One", "Shared Two"
TWIPS = play_game.TWIPS


def check(condition, what):
    if not condition:
        raise SystemExit(f"shared install: {what}")


def scrambled_table(keys, rows):
    """hiscore.dat's bytes for 15 rows of (name, attempts, time)."""
    lines = []
    for row in rows:
        fields = [bytes(c + key for c in str(value).encode("cp1252")) for value, key in zip(row, keys)]
        lines.append(b'"' + b'","'.join(fields) + b'"\r\n')
    return b"".join(lines)


def read_table(path, keys):
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    check(len(lines) == 16 and lines[15] == b"", f"{path} does not hold 15 lines")
    return [tuple(bytes(c - key for c in field).decode("cp1252")
                  for field, key in zip(line[1:-1].split(b'","'), keys)) for line in lines[:15]]


def snapshot(prefix):
    """Every entry under the prefix: its kind, mode and content."""
    seen = {}
    for folder, folders, files in os.walk(prefix):
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            if os.path.islink(path):
                seen[path] = ("link", os.readlink(path))
            elif os.path.isdir(path):
                seen[path] = ("folder", info.st_mode)
            else:
                with open(path, "rb") as f:
                    seen[path] = ("file", info.st_mode, hashlib.sha256(f.read()).hexdigest())
    return seen


def as_player(home, command):
    """The command as the player, with the player's own home and nothing of root's."""
    return ["runuser", "-u", PLAYER, "--", "env", "-u", "XDG_DATA_HOME", "-u", "XDG_RUNTIME_DIR", f"HOME={home}",
            *command]


def choose_card_set(display, main_window, name):
    """Settings, the card set typed into its box, OK: a new set deals a new game."""
    ox, oy, _, _ = display.client_origin(main_window)
    display.click(ox + (1320 + 547) / TWIPS, oy + (120 + 187) / TWIPS)
    dialog = play_game.wait_for("the settings dialog", lambda: display.windows("Brindlepair Settings"))[0]
    display.activate(dialog)
    dx, dy, _, _ = play_game.wait_for("its size", lambda: display.client_origin(dialog))
    display.click(dx + (2280 + 1087) / TWIPS, dy + (120 + 157) / TWIPS)
    display.xdotool("key", "ctrl+a")
    display.xdotool("type", "--delay", "30", name)
    display.click(dx + (4680 + 607) / TWIPS, dy + (120 + 187) / TWIPS)
    play_game.wait_for("the settings dialog to close", lambda: not display.windows("Brindlepair Settings"))


def win(display, main_window, name):
    ox, oy, _, _ = display.client_origin(main_window)
    played = play_game.play(display, ox, oy)
    check(len(display.windows("Brindlepair")) == 1, "a message box came up during the game")
    dialog = play_game.wait_for("the high-score dialog", lambda: display.windows("Brindlepair Hiscore"))[0]
    play_game.name_the_entry(display, dialog, name)
    return played.attempts


def main():
    if os.geteuid() != 0:
        print("shared install: skipped, as only root can install for everyone and play as another user")
        sys.exit(SKIPPED)
    cmake, build = sys.argv[1:3]
    keys = tuple(int(k) for k in sys.argv[3:6])
    scratch = tempfile.mkdtemp(prefix="brindlepair-shared-")
    os.chmod(scratch, 0o755)
    prefix = os.path.join(scratch, "usr")
    home = os.path.join(scratch, "home")
    display = None
    game = None
    try:
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        game_dir = os.path.join(prefix, "lib", "brindlepair")
        # The installation's own table: every place is there to be taken.
        shared = [(f"Admin{row}", 99, 999) for row in range(15)]
        with open(os.path.join(game_dir, "hiscore.dat"), "wb") as f:
            f.write(scrambled_table(keys, shared))
        installed = snapshot(prefix)
        os.makedirs(home)
        shutil.chown(home, PLAYER)
        own = os.path.join(home, ".local", "share", "Brindlepair")

        faces = [os.path.join(game_dir, "pics", f"cardPussy{n:02}.jpg") for n in range(8, 16)]
        made = subprocess.run(as_player(home, [os.path.join(prefix, "bin", "brindlepair-cards"), "Fresh", *faces]),
                              cwd=home, capture_output=True, text=True)
        check(made.returncode == 0, f"brindlepair-cards failed:\n{made.stdout}{made.stderr}")
        check("takes no new files: the set goes into your own" in made.stdout, f"it said:\n{made.stdout}")
        check(os.path.exists(os.path.join(own, "pics", "cardFresh07.jpg")), "no set in the player's pics")

        display = play_game.Display()
        env = dict(display.env)
        # The sanitizers' suppressions are read from where the player may read them.
        if "LSAN_OPTIONS" in env:
            shutil.copy(os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "lsan.supp"),
                        scratch)
            env["LSAN_OPTIONS"] = f"suppressions={scratch}/lsan.supp:print_suppressions=0"
        game = subprocess.Popen(as_player(home, [os.path.join(prefix, "bin", "brindlepair")]),
                                cwd=home, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        main_window = play_game.wait_for("the main window", lambda: display.windows("Brindlepair"))[0]
        play_game.wait_for("its size", lambda: display.client_origin(main_window))
        choose_card_set(display, main_window, "cardFresh")
        first = win(display, main_window, FIRST)
        scores = os.path.join(own, "hiscore.dat")
        check(os.path.exists(scores), "the first result was not saved in the player's data folder")
        second = win(display, main_window, SECOND)

        display.activate(main_window)
        display.xdotool("key", "alt+F4")
        check(game.wait(timeout=30) == 0, "the game did not end well")

        # Both results ranked into the installation's table, fewer attempts first.
        table = read_table(scores, keys)
        places = [row[0] for row in table[:3]]
        check(sorted(places[:2]) == [FIRST, SECOND] and places[2] == "Admin0"
              and (first == second or places[0] == (FIRST if first < second else SECOND)),
              f"the player's 4 x 4 places are {table[:3]} after games of {first} and {second} attempts")
        check(table[3:] == [tuple(str(v) for v in row) for row in shared[3:]],
              "the other sizes are not the installation's table")
        check(snapshot(prefix) == installed, "the installed folder changed")
        print(f"shared install: as {PLAYER}, a set made in {own}/pics, games of {first} and {second} attempts "
              f"ranked into the installation's table and kept in {scores}; the installation unchanged")
    finally:
        if game and game.poll() is None:
            game.terminate()
            game.wait()
        if display:
            display.close()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
