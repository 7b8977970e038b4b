#!/usr/bin/env python3
"""How soon the game shows its first window, against a bare Qt window.

Starts an Xvfb of its own (no window manager), then starts the programs in
turns, each run timed from just before the process is started to the moment
its first top-level window is drawn on the screen: the X server reports the
window's creation, then the first drawing into it (the DAMAGE extension), and
that is when a player sees it. Each program is killed once it has shown its
window. One unmeasured run of each comes first, so that both start with the
libraries in the page cache.

usage: startup.py [--runs N] GAME BARE_WINDOW
  GAME         the game's program, in the folder it is installed or built in
  BARE_WINDOW  brindlepair_bare_window (bench/bare_window.cpp)

Prints every run, then "name: value unit" lines: each program's median in
milliseconds and the game's median over the bare window's, then the same for
the time each program's threads ran on a core until then (what the scheduler
counts; on a busy machine it is steadier than the time that passed), and the
machine's load average before and after.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import time

CREATE_NOTIFY = 16
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
DAMAGE_REPORT_NON_EMPTY = 3
TIMEOUT_S = 20.0
PR_SET_PDEATHSIG = 1


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class XAnyWindowEvent(ctypes.Structure):
    # The head every event used here shares: type, serial, send_event, display,
    # then the window the event was sent to and the window it is about.
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("first", ctypes.c_ulong), ("second", ctypes.c_ulong)]


def load_library(name):
    path = ctypes.util.find_library(name)
    if not path:
        raise SystemExit(f"startup.py: lib{name} is missing")
    return ctypes.CDLL(path)


class Watcher:
    """A connection to the X server that sees top-level windows appear and
    the first drawing into each."""

    def __init__(self, display_name):
        self.x = load_library("X11")
        self.damage = load_library("Xdamage")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.damage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                      ctypes.POINTER(ctypes.c_int)]
        self.damage.XDamageCreate.restype = ctypes.c_ulong
        self.damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        # A window may be gone before it is watched, taking its damage object
        # with it: such errors are no news, and Xlib's default would exit.
        self.x.XSetErrorHandler.argtypes = [ERROR_HANDLER]
        self.ignore_errors = ERROR_HANDLER(lambda display, error: 0)
        self.x.XSetErrorHandler(self.ignore_errors)

        self.display = self.x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise SystemExit(f"startup.py: cannot open display {display_name}")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not self.damage.XDamageQueryExtension(self.display, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise SystemExit("startup.py: the X server has no DAMAGE extension")
        self.damage_notify = event_base.value
        self.x.XSelectInput(self.display, self.x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XSync(self.display, 0)
        self.fd = self.x.XConnectionNumber(self.display)

    def next_event(self, deadline):
        while not self.x.XPending(self.display):
            left = deadline - time.perf_counter()
            if left <= 0:
                return None
            select.select([self.fd], [], [], left)
        event = XEvent()
        self.x.XNextEvent(self.display, ctypes.byref(event))
        return event

    def drain(self):
        while self.x.XPending(self.display):
            event = XEvent()
            self.x.XNextEvent(self.display, ctypes.byref(event))

    def time_to_first_window(self, command, env):
        """Starts the command and returns the seconds until a top-level window
        of it is mapped and drawn into, and the seconds its threads ran on a
        core until then; kills it afterwards."""
        self.x.XSync(self.display, 0)
        self.drain()
        mapped = set()
        start = time.perf_counter()
        # Nothing runs between fork and exec that the measure would count.
        process = subprocess.Popen(command, env=env, cwd=os.path.dirname(command[0]),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            deadline = start + TIMEOUT_S
            while True:
                event = self.next_event(deadline)
                if event is None:
                    raise SystemExit(f"startup.py: {command[0]} showed no window in {TIMEOUT_S:.0f} s")
                now = time.perf_counter()
                head = ctypes.cast(ctypes.byref(event), ctypes.POINTER(XAnyWindowEvent)).contents
                if event.type == CREATE_NOTIFY:
                    # Watched from its creation on, long before it can be drawn into.
                    window = head.second
                    self.damage.XDamageCreate(self.display, window, DAMAGE_REPORT_NON_EMPTY)
                    self.x.XFlush(self.display)
                elif event.type == MAP_NOTIFY:
                    mapped.add(head.second)
                elif event.type == self.damage_notify and head.first in mapped:
                    return now - start, cpu_seconds(process.pid)
        finally:
            process.kill()
            process.wait()
            self.x.XSync(self.display, 0)
            self.drain()


def die_with_parent():
    """Run in the X server's process before it starts: it is killed when this
    script ends, however it ends."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def cpu_seconds(pid):
    """The time the process's threads have run on a core, from the scheduler's
    own count in nanoseconds."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that has ended since the listing
    return total / 1e9


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
                             "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            preexec_fn=die_with_parent)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        raise SystemExit("startup.py: Xvfb did not start")
    return xvfb, ":" + number


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("game")
    parser.add_argument("bare")
    args = parser.parse_args()
    programs = {"game": os.path.abspath(args.game), "bare_window": os.path.abspath(args.bare)}

    xvfb, display = start_xvfb()
    try:
        env = dict(os.environ, DISPLAY=display)
        env.pop("QT_QPA_PLATFORM", None)
        watcher = Watcher(display)
        print(f"# load average before: {load_average()}  ({os.cpu_count()} cores)")
        for path in programs.values():
            watcher.time_to_first_window([path], env)
        times = {name: [] for name in programs}
        cpu = {name: [] for name in programs}
        for run in range(args.runs):
            # Alternate which goes first, so neither always follows the other.
            order = list(programs.items()) if run % 2 == 0 else list(reversed(programs.items()))
            for name, path in order:
                wall, on_core = watcher.time_to_first_window([path], env)
                times[name].append(wall * 1000)
                cpu[name].append(on_core * 1000)
            print(f"# run {run + 1}: " + "  ".join(
                f"{name} {times[name][-1]:.1f} ms ({cpu[name][-1]:.1f} ms on a core)" for name in programs))
        medians = {name: statistics.median(values) for name, values in times.items()}
        print(f"startup_game_ms: {medians['game']:.1f} ms")
        print(f"startup_bare_window_ms: {medians['bare_window']:.1f} ms")
        print(f"startup_game_to_bare_window: {medians['game'] / medians['bare_window']:.2f}")
        # On a busy machine the time on a core says more than the time that
        # passed, which includes the waits for a core the others hold.
        cpu_medians = {name: statistics.median(values) for name, values in cpu.items()}
        print(f"startup_game_cpu_ms: {cpu_medians['game']:.1f} ms")
        print(f"startup_bare_window_cpu_ms: {cpu_medians['bare_window']:.1f} ms")
        print(f"startup_game_to_bare_window_cpu: {cpu_medians['game'] / cpu_medians['bare_window']:.2f}")
        print(f"# load average after: {load_average()}")
    finally:
        xvfb.kill()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main())
