#!/usr/bin/env python3
"""What the real program costs while the player rests.

Starts the optimised program on SDL's dummy drivers and, when Xvfb is installed, under Xvfb,
brings it to the intro's start box, the menu, the stage map, the first level running and the
same level paused, leaves it alone there and prints for each: the share of one processor core
the whole process used, the updates a second it ran and the frames a second it presented, over
--seconds of the program's own clock (its "Loop Stats" debug lines, once every 100 updates).

Each driver's way is gone twice, in 2-D and in 3-D, one after the other, and the two tables are
printed side by side. The 3-D pass starts with the "Is3D" setting on and the capability test's
stored outcome (taken from a first start of the program on the dummy drivers) beside it, as a
player who ticked the options' 3-D box has them: a fresh outcome with a warning, which SDL's
software renderer always gets, would switch 3-D off again.

- On the dummy drivers nobody can click: the intro of a first start (full screen, so the 16-bit
  picture) is measured as it comes; then record_story_demo records the "rest" demo (a bot that
  rests at each of those places; it prints where each rest begins) and the program plays it
  back at normal speed (in a window, as every playback: the desktop's 32-bit picture).
- Under Xvfb xdotool is the player, through the X server: it clicks the intro's start box,
  types a name into the first start's question at --typing-ms a key, accepts it, and goes on by
  clicks and the space bar. The name must arrive whole (checked in the profile list file).

  bench/program_rest.py [--bin build/release/bin] [--program PATH] [--seconds 10]
                        [--drivers dummy,xvfb] [--modes 2d,3d] [--screen 640x480x16]

--program measures another build of the program with the data set of --bin (a before/after
comparison). The status is 1 when a stage was not reached or the name arrived cut.
"""

import argparse
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

STAGES = ["intro", "menu", "map", "running", "paused"]
MODES = {"2d": "2-D", "3d": "3-D"}
STATS = re.compile(r"Loop Stats: (\d+) ms, (\d+) updates, (\d+) presents, (\d+) sleeps")
TICKS = os.sysconf("SC_CLK_TCK")
NAME = "abcdefg"  # seven letters, the longest name the question takes

# Places on the 640 x 480 picture (the screens' own layout).
INTRO_START = (320, 446)
PROFILES_OK = (330, 385)
MENU_STORY = (300, 180)
PROLOGUE_ON = (510, 445)
MAP_PLAY = (575, 456)
HELP_PANEL = (300, 230)
SCREEN_SIZE = (640, 480)  # the Xvfb screen's
# The intro's splash pictures have ended and its start box shows by this update.
INTRO_READY = 1000


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def make_folder(prefix, bin_dir, program, settings):
    """A folder beside the data set with a copy of the program and the three user folders; the
    settings (a path under config/ and its text) written when given."""
    folder = tempfile.mkdtemp(prefix=prefix)
    for data in ("images", "levels", "local", "sound", "media"):
        if os.path.exists(os.path.join(bin_dir, data)):
            os.symlink(os.path.join(bin_dir, data), os.path.join(folder, data))
    shutil.copy(program, folder)
    for sub in ("config", "share", "run"):
        os.makedirs(os.path.join(folder, sub))
    if settings is not None:
        path = os.path.join(folder, "config", settings[0])
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as file:
            file.write(settings[1])
    return folder


def user_env(folder):
    return {"XDG_CONFIG_HOME": os.path.join(folder, "config"),
            "XDG_DATA_HOME": os.path.join(folder, "share"),
            "XDG_RUNTIME_DIR": os.path.join(folder, "run")}


class Run:
    """The program started in a folder of its own beside the data set, its debug text kept."""

    def __init__(self, bin_dir, program, env, args=(), settings=None):
        self.folder = make_folder("program-rest-", bin_dir, program, settings)
        self.log_path = os.path.join(self.folder, "debug.txt")
        full_env = dict(os.environ, VURO_DEBUG_OUTPUT="1", **user_env(self.folder), **env)
        self.log = open(self.log_path, "w")
        self.process = subprocess.Popen(
            [os.path.join(self.folder, os.path.basename(program)), *args], cwd=self.folder,
            env=full_env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)

    def text(self):
        with open(self.log_path, errors="replace") as log:
            return log.read()

    def stats(self):
        return [tuple(map(int, m)) for m in STATS.findall(self.text())]

    def wait_for(self, test, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end and self.process.poll() is None:
            if test():
                return True
            time.sleep(0.05)
        return test()

    def wait_for_update(self, update, timeout):
        return self.wait_for(lambda: any(s[1] >= update for s in self.stats()), timeout)

    def measure(self, seconds):
        """CPU, updates and presents a second over the next `seconds` of the program's clock."""
        first = self.stats()
        if not first or self.process.poll() is not None:
            return None
        start = first[-1]
        cpu = cpu_seconds(self.process.pid)
        wall = time.monotonic()
        if not self.wait_for(lambda: self.stats()[-1][0] - start[0] >= seconds * 1000,
                             seconds * 3):
            return None
        end = self.stats()[-1]
        cpu = cpu_seconds(self.process.pid) - cpu
        wall = time.monotonic() - wall
        span = (end[0] - start[0]) / 1000
        return (100 * cpu / wall, (end[1] - start[1]) / span, (end[2] - start[2]) / span)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def three_d_settings(bin_dir, program):
    """The settings of a player who switched 3-D on: "Is3D" and the capability test's outcome,
    which a first start on the dummy drivers stores. A path under config/ and the text."""
    run = Run(bin_dir, program, {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy"})
    try:
        run.wait_for_update(1, 120)
    finally:
        run.stop()
    stored = glob.glob(os.path.join(run.folder, "config", "**", "*.reg"), recursive=True)
    text = ""
    if stored:
        with open(stored[0]) as file:
            text = file.read()
    run.remove()
    section = text.find('["Test3D"]')
    if section < 0:
        sys.exit("the first start stored no 3-D test outcome")
    path = os.path.relpath(stored[0], os.path.join(run.folder, "config"))
    return path, '"Is3D"=dword:00000001\n\n' + text[section:]


def record_rest_demo(bin_dir, settings):
    """Records the rest demo; its path (in a folder of its own) and where each rest begins. The
    settings are the recording's, and so the playback's: a demo gives back what it read."""
    folder = make_folder("program-rest-demo-", bin_dir, os.path.join(bin_dir, "record_story_demo"),
                         settings)
    demo = os.path.join(folder, "rest.dmo")
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy", **user_env(folder))
    result = subprocess.run([os.path.join(folder, "record_story_demo"), "rest", demo],
                            cwd=folder, env=env, stdin=subprocess.DEVNULL,
                            capture_output=True, text=True, timeout=600)
    starts = {m[0]: int(m[1]) for m in re.findall(r"^rest (\w+) (\d+)$", result.stdout, re.M)}
    if result.returncode != 0 or len(starts) != len(STAGES):
        sys.exit("recording the rest demo failed:\n" + result.stdout + result.stderr)
    return folder, demo, starts


def measure_first_start_intro(bin_dir, program, seconds, env, settings):
    """The intro of a first start (full screen, the 16-bit picture), left alone."""
    run = Run(bin_dir, program, env, settings=settings)
    try:
        if run.wait_for_update(INTRO_READY, 120):
            return run.measure(seconds)
        return None
    finally:
        run.stop()
        run.remove()


def measure_dummy(bin_dir, program, seconds, settings):
    env = {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy"}
    rows = {"first start": measure_first_start_intro(bin_dir, program, seconds, env, settings)}
    folder, demo, starts = record_rest_demo(bin_dir, settings)
    run = Run(bin_dir, program, env, ["-play", "-demofile=" + demo], settings)
    try:
        for stage in STAGES:
            # A second into the rest, so the way there is not counted.
            if run.wait_for_update(starts[stage] + 100, 300):
                rows[stage] = run.measure(seconds)
    finally:
        run.stop()
        run.remove()
        shutil.rmtree(folder, ignore_errors=True)
    return rows, None


def free_display():
    number = 90
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


def xdotool(display, *args):
    subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display), check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def click(display, place):
    """A click on a place of the picture, which full screen fills the screen with its shape kept."""
    width, height = SCREEN_SIZE
    scale = min(width / 640, height / 480)
    x = (width - 640 * scale) / 2 + (place[0] + 0.5) * scale
    y = (height - 480 * scale) / 2 + (place[1] + 0.5) * scale
    xdotool(display, "mousemove", str(int(x)), str(int(y)))
    time.sleep(0.2)
    xdotool(display, "click", "1")


def measure_xvfb(bin_dir, program, seconds, screen, typing_ms, settings):
    global SCREEN_SIZE
    SCREEN_SIZE = tuple(int(n) for n in screen.split("x")[:2])
    display = free_display()
    server = subprocess.Popen(["Xvfb", display, "-screen", "0", screen, "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    socket = f"/tmp/.X11-unix/X{display[1:]}"
    deadline = time.monotonic() + 10
    while not os.path.exists(socket) and time.monotonic() < deadline:
        time.sleep(0.1)
    run = Run(bin_dir, program, {"DISPLAY": display, "SDL_AUDIODRIVER": "dummy"},
              settings=settings)
    rows = {}
    name = None
    try:
        if not run.wait_for_update(INTRO_READY, 120):
            return rows, name
        rows["intro"] = run.measure(seconds)
        click(display, INTRO_START)
        time.sleep(3)  # the menu comes and asks for a name
        # xdotool's type sends a key every half of its delay (--delay 150: a key every 75 ms,
        # as the program's own record of the keys shows).
        xdotool(display, "type", "--delay", str(2 * typing_ms), NAME)
        time.sleep(0.5)
        xdotool(display, "key", "Return")
        time.sleep(1)
        click(display, PROFILES_OK)  # the profile list is written as the dialog closes
        time.sleep(2)
        name = typed_name(run.folder)
        rows["menu"] = run.measure(seconds)
        click(display, MENU_STORY)
        time.sleep(3)  # the prologue picture
        click(display, PROLOGUE_ON)
        time.sleep(3)
        rows["map"] = run.measure(seconds)
        before = run.text().count("Resource Loading Time")
        click(display, MAP_PLAY)
        run.wait_for(lambda: run.text().count("Resource Loading Time") > before, 120)
        time.sleep(3)
        click(display, HELP_PANEL)  # the first level's help panel
        time.sleep(2)
        rows["running"] = run.measure(seconds)
        xdotool(display, "key", "space")
        time.sleep(1)
        rows["paused"] = run.measure(seconds)
    finally:
        run.stop()
        run.remove()
        server.terminate()
        server.wait()
    return rows, name


def typed_name(folder):
    """The first name in the profile list the program wrote, or None."""
    beside = [os.path.join(folder, "data", "profile.dat")]
    for path in beside + glob.glob(os.path.join(folder, "share", "**", "profile.dat"),
                                   recursive=True):
        if not os.path.exists(path):
            continue
        with open(path, "rb") as data:
            raw = data.read()
        return raw[4:11].split(b"\0")[0].decode("cp1251")
    return None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--bin", default=os.path.join(here, "..", "build", "release", "bin"))
    parser.add_argument("--program")
    parser.add_argument("--seconds", type=int, default=10)
    parser.add_argument("--drivers", default="dummy,xvfb")
    parser.add_argument("--modes", default="2d,3d")
    parser.add_argument("--screen", default="640x480x16")
    parser.add_argument("--typing-ms", type=int, default=120)
    options = parser.parse_args()
    bin_dir = os.path.abspath(options.bin)
    program = os.path.abspath(options.program or os.path.join(bin_dir, "quandrellis"))

    print(f"program {program}")
    print("load average at start: " + open("/proc/loadavg").read().strip())
    modes = [mode for mode in options.modes.split(",") if mode in MODES]
    settings = {mode: None for mode in modes}
    if "3d" in modes:
        settings["3d"] = three_d_settings(bin_dir, program)
    failed = False
    for driver in options.drivers.split(","):
        if driver == "xvfb" and (shutil.which("Xvfb") is None or shutil.which("xdotool") is None):
            print(f"{driver}: Xvfb or xdotool not installed, skipped")
            continue
        tables = {}
        names = {}
        for mode in modes:
            if driver == "dummy":
                tables[mode], names[mode] = measure_dummy(bin_dir, program, options.seconds,
                                                          settings[mode])
            else:
                tables[mode], names[mode] = measure_xvfb(bin_dir, program, options.seconds,
                                                         options.screen, options.typing_ms,
                                                         settings[mode])
        if driver == "dummy":
            label = "SDL dummy drivers (the rest demo played back)"
        else:
            label = f"Xvfb {options.screen} (xdotool)"
        print(f"\n{label}")
        print("| stage | " + " | ".join(f"{MODES[m]} CPU of one core | {MODES[m]} updates/s | "
                                       f"{MODES[m]} presents/s" for m in modes) + " |")
        print("|---|" + "---|---|---|" * len(modes))
        for stage in (["first start"] if driver == "dummy" else []) + STAGES:
            cells = []
            for mode in modes:
                row = tables[mode].get(stage)
                if row is None:
                    failed = True
                    cells.append("not reached | |")
                else:
                    cells.append(f"{row[0]:.1f}% | {row[1]:.1f} | {row[2]:.1f}")
            print(f"| {stage} | " + " | ".join(cells) + " |")
        if driver == "xvfb":
            for mode in modes:
                whole = names[mode] == NAME
                failed = failed or not whole
                print(f"{MODES[mode]}: name typed at {options.typing_ms} ms a key: {NAME!r} "
                      f"arrived as {names[mode]!r}" + ("" if whole else " (CUT)"))
    print("\nload average at end: " + open("/proc/loadavg").read().strip())
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
