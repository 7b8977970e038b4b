#!/usr/bin/env python3
"""Installs Brindlepair into a scratch prefix and plays it from there.

Runs `cmake --install BUILD --prefix PREFIX` with a blank in the prefix, checks
what went where (the game's own folder, the commands, the menu entry, the
icons, the metainfo, the manual pages), runs desktop-file-validate and
`appstreamcli validate --no-net` when they are there, makes a card set with the
installed brindlepair-cards, and then starts the installed PREFIX/bin/brindlepair
from another folder in a real X window: its window must show before any
image-format plugin is loaded, New Game must deal a board from the installed
pictures, and the game played to its end must save hiscore.dat beside the real
program, in PREFIX/lib/brindlepair. (The offscreen platform takes no input from
outside the program, so the installed program is played under Xvfb, as the
end-to-end game is.)

usage: install_game.py CMAKE BUILD_DIR SCRATCH_DIR APP_ID NAME_KEY TIME_KEY
"""

import os
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import play_game  # noqa: E402  (the X display, the board's geometry and a player)

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
NAME = "Installed"


def check(condition, what):
    if not condition:
        raise SystemExit(f"install: {what}")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", f"{path} is no PNG")
    return struct.unpack(">II", head[16:24])


def desktop_entry(path):
    entry = {}
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    check(lines[0] == "[Desktop Entry]", f"{path} does not start with its group")
    for line in lines[1:]:
        if line and not line.startswith("#"):
            key, value = line.split("=", 1)
            entry[key] = value
    return entry


def exec_program(value):
    """The program of an Exec value: quoted or bare, escapes undone."""
    value = value.replace("\\\\", "\\")
    if value.startswith('"'):
        program, i = "", 1
        while value[i] != '"':
            if value[i] == "\\":
                i += 1
            program += value[i]
            i += 1
        return program.replace("%%", "%")
    return value.split(" ")[0].replace("%%", "%")


def check_layout(prefix, app_id):
    game_dir = os.path.join(prefix, "lib", "brindlepair")
    check(sorted(os.listdir(prefix)) == ["bin", "lib", "share"], f"{prefix} holds {sorted(os.listdir(prefix))}")
    for program in ("brindlepair", "brindlepair-cards"):
        real = os.path.join(game_dir, program)
        check(os.access(real, os.X_OK), f"{real} is not an executable")
        command = os.path.join(prefix, "bin", program)
        check(os.path.realpath(command) == os.path.realpath(real), f"{command} does not start {real}")
    pics = sorted(os.listdir(os.path.join(game_dir, "pics")))
    wanted = [f"card{s}{n:02}.jpg" for s in ("Birds", "Pussy") for n in range(18)] + ["deckAcorn.jpg", "deckWaves.jpg"]
    check(pics == wanted, f"the installed pics are {pics}")

    entry_path = os.path.join(prefix, "share", "applications", app_id + ".desktop")
    entry = desktop_entry(entry_path)
    check(entry["Type"] == "Application" and entry["Name"] == "Brindlepair", f"{entry_path}: {entry}")
    check(exec_program(entry["Exec"]) == os.path.join(prefix, "bin", "brindlepair"), f"Exec={entry['Exec']}")
    check(entry["TryExec"] == os.path.join(prefix, "bin", "brindlepair"), f"TryExec={entry['TryExec']}")
    check(entry["Icon"] == app_id, f"Icon={entry['Icon']}")
    for size in ICON_SIZES:
        icon = os.path.join(prefix, "share", "icons", "hicolor", f"{size}x{size}", "apps", app_id + ".png")
        check(png_size(icon) == (size, size), f"{icon} is not {size} x {size}")

    metainfo_path = os.path.join(prefix, "share", "metainfo", app_id + ".metainfo.xml")
    metainfo = ElementTree.parse(metainfo_path).getroot()
    check(metainfo.get("type") == "desktop-application" and metainfo.findtext("id") == app_id, "the metainfo's id")
    check(metainfo.findtext("launchable") == app_id + ".desktop", "the metainfo does not launch the menu entry")
    check(metainfo.find("description/p") is not None and metainfo.find("content_rating") is not None
          and metainfo.find("releases/release") is not None, "the metainfo lacks a part")

    for page in ("brindlepair.6", "brindlepair-cards.6"):
        path = os.path.join(prefix, "share", "man", "man6", page)
        with open(path, encoding="utf-8") as f:
            check(".SH NAME" in f.read(), f"{path} is no manual page")
    return entry_path, metainfo_path


def validate(entry_path, metainfo_path):
    for tool, args in (("desktop-file-validate", [entry_path]),
                       ("appstreamcli", ["validate", "--no-net", metainfo_path])):
        if not shutil.which(tool):
            print(f"install: {tool} is not there; not run")
            continue
        result = subprocess.run([tool, *args], capture_output=True, text=True)
        check(result.returncode == 0, f"{tool} refuses it:\n{result.stdout}{result.stderr}")
        print(f"install: {tool} accepts it")


def make_card_set(prefix):
    """The installed brindlepair-cards writes into the pics folder beside its real self."""
    pics = os.path.join(prefix, "lib", "brindlepair", "pics")
    birds = [os.path.join(pics, f"cardBirds{n:02}.jpg") for n in range(8)]
    result = subprocess.run([os.path.join(prefix, "bin", "brindlepair-cards"), "Fresh", *birds],
                            cwd=os.path.dirname(prefix), capture_output=True, text=True)
    check(result.returncode == 0, f"brindlepair-cards failed:\n{result.stdout}{result.stderr}")
    check(os.path.exists(os.path.join(pics, "cardFresh07.jpg")), "brindlepair-cards made no set in the installed pics")


def image_plugins(pid):
    """Qt's image-format plugins the process has loaded. (libjpeg itself is
    linked to the game, which reads progressive photos with it.)"""
    with open(f"/proc/{pid}/maps") as f:
        return sorted({line.split()[-1] for line in f if "/imageformats/" in line})


def play_installed(prefix, keys):
    program = os.path.join(prefix, "bin", "brindlepair")
    game_dir = os.path.join(prefix, "lib", "brindlepair")
    elsewhere = os.path.join(os.path.dirname(prefix), "elsewhere")
    os.makedirs(elsewhere, exist_ok=True)
    display = play_game.Display()
    game = None
    try:
        game = subprocess.Popen([program], cwd=elsewhere, env=display.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        main_window = play_game.wait_for("the main window", lambda: display.windows("Brindlepair"))[0]
        check(image_plugins(game.pid) == [], f"shown with {image_plugins(game.pid)} loaded")
        ox, oy, _, _ = play_game.wait_for("its size", lambda: display.client_origin(main_window))
        played = play_game.play(display, ox, oy)
        check(len(display.windows("Brindlepair")) == 1, "a message box came up during the game")
        check(any("libqjpeg" in lib for lib in image_plugins(game.pid)), "the pictures were read without JPEG")

        dialog = play_game.wait_for("the high-score dialog", lambda: display.windows("Brindlepair Hiscore"))[0]
        play_game.name_the_entry(display, dialog, NAME)
        play_game.saved_time(os.path.join(game_dir, "hiscore.dat"), keys, NAME)
        check(os.listdir(elsewhere) == [], f"the game wrote {os.listdir(elsewhere)} where it was started")
        print(f"install: played the installed game in {played.attempts} attempts; its hiscore.dat is in {game_dir}")
    finally:
        if game:
            game.kill()
            game.wait()
        display.close()


def main():
    cmake, build, scratch, app_id = sys.argv[1:5]
    keys = (int(sys.argv[5]), int(sys.argv[6]))
    shutil.rmtree(scratch, ignore_errors=True)
    prefix = os.path.join(os.path.abspath(scratch), "a prefix")
    subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
    entry_path, metainfo_path = check_layout(prefix, app_id)
    print("install: the layout is as it should be")
    validate(entry_path, metainfo_path)
    make_card_set(prefix)
    play_installed(prefix, keys)
    shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
