#!/usr/bin/env python3
"""The Windows program under Wine, driven as a person would: xdotool clicks at the design's pixel
positions, a stand-in xdg-open records the links handed to the browser, xclip reads the clipboard,
screenshots give the colours.

    wine_gui_test.py --exe build-win/tivarel.exe --work DIR prefix      # a fresh Wine prefix
    wine_gui_test.py --exe build-win/tivarel.exe --work DIR CASE        # one case, see CASES
    wine_gui_test.py --exe build-win/tivarel.exe --work DIR run-tests EXE   # a test program
    wine_gui_test.py --exe build-win/tivarel.exe --work DIR shutdown    # ends the prefix's server

The prefix is made once per run (it takes seconds); every case starts its own X display and its
own copy of the program in a fresh folder. Only processes started here are stopped.
"""
import argparse
import os
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from x_session import (StandInOpener, TestFailure, XDisplay, check, run_case,  # noqa: E402
                       wait_until)
from window_design import *  # noqa: E402,F403

SCREEN = (1920, 1080)
B_ADDRESS = "https://www.bilibili.com/video/BV1xx411c7mD"


def wait_for(what, probe, timeout=20.0):
    """Polls probe until it gives something true, and returns that."""
    return wait_until(probe, what, timeout, interval=0.1)


class Environment:
    def __init__(self, work: Path):
        work = work.resolve()
        self.work = work
        self.prefix = work / "prefix"
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=str(self.prefix), WINEDEBUG="-all", LC_ALL="zh_CN.UTF-8",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.env.pop("DISPLAY", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
        if not {"zh_CN.utf8", "zh_CN.UTF-8"} & set(locales):
            # Made beside the prefix, so that nothing of the system needs changing.
            self.env["LOCPATH"] = str(work / "locale")

    def make_locale(self):
        if "LOCPATH" in self.env and not (self.work / "locale" / "zh_CN.UTF-8").exists():
            (self.work / "locale").mkdir(parents=True, exist_ok=True)
            subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8",
                            str(self.work / "locale" / "zh_CN.UTF-8")], check=True)

    def wineserver(self, *args):
        subprocess.run(["wineserver", *args], env=self.env, check=False)


def make_prefix(environment: Environment):
    shutil.rmtree(environment.work, ignore_errors=True)
    environment.work.mkdir(parents=True)
    environment.make_locale()
    display = XDisplay(environment.env, SCREEN)
    try:
        # Created under the Chinese locale, or the title bar shows boxes.
        subprocess.run(["wineboot", "-i"], env=display.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        # Without a window manager, Wine draws the frame and title bar itself.
        added = subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v",
                                "Decorated", "/d", "N", "/f"], env=display.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        environment.wineserver("-w")
    finally:
        display.close()
    check(added.returncode == 0 and (environment.prefix / "user.reg").exists(),
          "the Wine prefix was not made")
    marlett = Path("/usr/share/wine/fonts/marlett.ttf")
    if marlett.exists():
        shutil.copy(marlett, environment.prefix / "drive_c" / "windows" / "Fonts")
    environment.wineserver("-w")


class Program:
    """One copy of tivarel.exe in its own folder, started under Wine on a display."""

    def __init__(self, display: XDisplay, folder: Path, opener: StandInOpener):
        self.display = display
        self.folder = folder
        self.opener = opener
        self.process = None
        self.window = None
        self.frame = None  # the client area's corner relative to the outer window's

    def start(self):
        env = dict(self.display.env)
        env["PATH"] = self.opener.path_before(env["PATH"])
        # The working folder is elsewhere: the program finds config.ini by its own path.
        self.process = subprocess.Popen(["wine", str(self.folder / "tivarel.exe")], env=env,
                                        cwd=self.folder.parent.parent, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = wait_for("the window", self.find_window, timeout=60)
        wait_for("the window at its start place",
                 lambda: self.geometry()[3] == COLLAPSED or None)
        origin = wait_for("the controls drawn", self.find_origin)
        left, top, _, _ = self.geometry()
        self.frame = (origin[0] - left, origin[1] - top)

    @property
    def origin(self):
        left, top, _, _ = self.geometry()
        return left + self.frame[0], top + self.frame[1]

    def find_window(self):
        windows = self.display.search_windows("--name", "^Tivarel")
        return windows[0] if windows else None

    def geometry(self):
        """Left, top, width and height of the outer window, frame included."""
        shown = self.display.run(["xdotool", "getwindowgeometry", "--shell", self.window])
        values = dict(line.split("=", 1) for line in shown.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def caption(self):
        return self.display.name_of_window(self.window)

    def find_origin(self):
        """The client area's top-left corner on the screen, found where 编辑框1's background
        begins: inside its one-pixel edge, at client (129, 17); 编辑框2's lies 48 pixels below."""
        left, top, width, height = self.geometry()
        picture = self.display.screenshot()
        corner = picture.first(BOX_BACKGROUND, (max(left, 0), max(top, 0), min(width, 400),
                                                min(height, 100)))
        if not corner or picture.at(corner[0], corner[1] + 48) != BOX_BACKGROUND:
            return None
        return corner[0] - 129, corner[1] - 17

    def at(self, rect, dx=None, dy=None):
        left, top, width, height = rect
        return (self.origin[0] + left + (width // 2 if dx is None else dx),
                self.origin[1] + top + (height // 2 if dy is None else dy))

    def click(self, rect):
        self.display.click_at(*self.at(rect))

    def type(self, text):
        self.display.type_text(text, delay=20)

    def key(self, *keys):
        self.display.key(*keys)

    def screen_rect(self, rect):
        return (self.origin[0] + rect[0], self.origin[1] + rect[1], rect[2], rect[3])

    def colours_in(self, rect):
        return self.display.screenshot().colours_in(self.screen_rect(rect))

    def wait_caption(self, caption):
        wait_for(f"the caption {caption!r}", lambda: self.caption() == caption)

    def wait_height(self, height):
        wait_for(f"the window {height} high", lambda: self.geometry()[3] == height)

    def opened_links(self):
        return [" ".join(arguments) for arguments in self.opener.argument_lists()]

    def end_with_escape(self):
        self.key("Escape")
        try:
            status = self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            raise TestFailure("Esc did not end the program") from None
        check(status == 0, f"exit status {status}, not 0")
        self.process = None

    def kill(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class Case:
    def __init__(self, environment: Environment, name: str, folder_name: str = "tivarel"):
        self.environment = environment
        self.root = environment.work / "cases" / name
        shutil.rmtree(self.root, ignore_errors=True)
        self.folder = self.root / folder_name
        self.folder.mkdir(parents=True)
        # Nothing here needs the browser held: the stand-in lets go at once.
        self.opener = StandInOpener(str(self.root), hold=False)
        self.display = None
        self.programs = []

    def __enter__(self):
        self.display = XDisplay(self.environment.env, SCREEN)
        return self

    def __exit__(self, *exc):
        for program in self.programs:
            program.kill()
        self.environment.wineserver("-k")
        self.environment.wineserver("-w")
        self.display.close()
        return False

    def start(self, exe: Path) -> Program:
        shutil.copy(exe, self.folder / "tivarel.exe")
        program = Program(self.display, self.folder, self.opener)
        self.programs.append(program)
        program.start()
        return program

    def config(self):
        path = self.folder / "config.ini"
        return path.read_bytes() if path.exists() else None


def wait_for_link(program, count):
    return wait_for(f"{count} link(s) handed to the browser",
                    lambda: len(program.opened_links()) >= count and program.opened_links())


# The cases. Each gets a Case (display, folder, xdg-open stand-in) and the path of the exe.

def start_position_and_size(case: Case, exe: Path):
    program = case.start(exe)
    left, top, width, height = program.geometry()
    # Centred across the full screen, the bottom edge 10 pixels above the screen's.
    check((left, top, width, height) ==
          ((SCREEN[0] - WINDOW_WIDTH) // 2, SCREEN[1] - COLLAPSED - 10, WINDOW_WIDTH, COLLAPSED),
          f"window at {(left, top, width, height)}")
    check(program.caption() == CAPTION, f"caption {program.caption()!r}")
    # The X rows lie below the collapsed client area, whose bottom frame is as wide as its side.
    check(program.origin[1] + 127 >= top + height - program.frame[0],
          "the X address row is in view")
    check(program.colours_in(PART_BOX) >= {GREY}, "the part box is not grey at the first start")
    check(case.config() is None, "config.ini was written without any action")
    # Without a window manager nothing gives the new window the keyboard; a click on a label does.
    program.click(LABEL_B)
    program.end_with_escape()
    check(case.config() is None, "config.ini was written at the end")


def b_address_opened_and_saved(case: Case, exe: Path):
    program = case.start(exe)
    program.click(EDIT_B_ADDRESS)
    program.type(B_ADDRESS + "?p=2")
    program.click(PART_SWITCH)
    wait_for("the part box enabled", lambda: GREY not in program.colours_in(PART_BOX))
    # The part box takes digits and "-" only, two bytes at most.
    program.click(PART_BOX)
    program.key("End", "BackSpace", "BackSpace")
    program.type("a1b2c3")
    program.click(OPEN_B)
    links = wait_for_link(program, 1)
    check(links == [B_PLAYER + "BV1xx411c7mD&p=12&danmaku=0&autoplay=1"], f"links {links}")
    config = wait_for("config.ini", case.config)
    for entry in [b"[KTB]\r\nb=" + (B_ADDRESS + "?p=2").encode() + b"\r\n",
                  b"bpxzk=\xd5\xe6\r\n", b"bp=12\r\n"]:
        check(entry in config, f"config.ini lacks {entry!r}: {config!r}")
    program.end_with_escape()

    # A restart reads it back: the same click opens the same link, the part switch restored.
    again = case.start(exe)
    check(BOX_BACKGROUND in again.colours_in(PART_BOX), "the part switch was not restored")
    again.click(OPEN_B)
    links = wait_for_link(again, 2)
    check(links[1] == links[0], f"after the restart {links[1]}")
    again.end_with_escape()


def chinese_folder_and_x_address(case: Case, exe: Path):
    # An X address with a Chinese character after the id, saved in GBK by an earlier run.
    address = "https://www.ixigua.com/7012345678901234567真?logTag=1"
    (case.folder / "config.ini").write_bytes(
        b"[KTX]\r\nx=" + address.encode("gbk") + b"\r\n")
    before = (case.folder / "config.ini").stat().st_ino
    program = case.start(exe)
    program.click(EXPAND)
    program.wait_height(EXPANDED)
    program.click(OPEN_X)
    links = wait_for_link(program, 1)
    check(links == [X_PLAYER + "7012345678901234567真?autoplay=1"], f"links {links}")
    # The file is replaced by a new one, not written in place.
    wait_for("config.ini rewritten", lambda: (case.folder / "config.ini").stat().st_ino != before)
    config = case.config()
    check(config == b"[KTX]\r\nx=" + address.encode("gbk") + b"\r\n", f"config.ini {config!r}")
    program.end_with_escape()


def rejected_x_address(case: Case, exe: Path):
    program = case.start(exe)
    program.click(EXPAND)
    program.wait_height(EXPANDED)
    colours = program.colours_in(LABEL_X)
    check(X_PINK in colours and RED not in colours, "X label not in its colour at start")
    program.click(EDIT_X_ADDRESS)
    program.type("https://www.ixigua.com/701234")
    program.click(OPEN_X)
    program.wait_caption(CAPTION_BAD_ADDRESS)
    wait_for("the X label red", lambda: RED in program.colours_in(LABEL_X))
    check(X_PINK not in program.colours_in(LABEL_X), "X label partly in its colour")
    check(RED not in program.colours_in(LABEL_B), "the B label turned red too")
    check(PINK in program.colours_in(LABEL_B), "the B label lost its colour")
    check(program.opened_links() == [], "a rejected address reached the browser")
    check(case.config() is None, "a rejected address was saved")
    program.end_with_escape()


def expand_and_collapse(case: Case, exe: Path):
    program = case.start(exe)
    left, top, width, _ = program.geometry()
    program.click(EXPAND)
    program.wait_height(EXPANDED)
    # Moved up so that the expanded window ends 10 pixels above the screen's bottom.
    check(program.geometry() == (left, SCREEN[1] - 272, width, EXPANDED),
          f"expanded to {program.geometry()}")
    check(X_PINK in program.colours_in(LABEL_X), "the X rows are not shown")
    program.click(EXPAND)
    program.wait_height(COLLAPSED)
    check(program.geometry() == (left, SCREEN[1] - 272, width, COLLAPSED),
          f"collapsed to {program.geometry()}")
    program.end_with_escape()


def snippet_view_copy_and_close(case: Case, exe: Path):
    program = case.start(exe)
    program.click(EDIT_B_ADDRESS)
    program.type(B_ADDRESS)
    # From the collapsed window: the view expands it and collapses it again on closing.
    program.click(MAKE_B_SNIPPET)
    program.wait_height(EXPANDED)
    # The view covers the rows: where the labels were, only its background and text show.
    wait_for("the snippet view over the rows",
             lambda: PINK not in program.colours_in(LABEL_B) and
             BOX_BACKGROUND in program.colours_in(LABEL_B))
    check(X_PINK not in program.colours_in(LABEL_X), "the X label shows through")
    program.click(COPY)
    program.wait_caption(CAPTION_COPIED)
    snippet = SNIPPET_HEAD + B_PLAYER + "BV1xx411c7mD&danmaku=0" + SNIPPET_TAIL
    copied = program.display.clipboard()
    check(copied == snippet, f"clipboard {copied!r}")
    check(program.opened_links() == [], "making a snippet opened the browser")
    check(b"b=" + B_ADDRESS.encode() in (case.config() or b""), "the address was not saved")
    program.click(CLOSE_VIEW)
    program.wait_caption(CAPTION)
    program.wait_height(COLLAPSED)
    wait_for("the rows shown again", lambda: PINK in program.colours_in(LABEL_B))
    # Esc ends the program also while the snippet view is open, the focus in it.
    program.click(EDIT_B_ADDRESS)
    program.click(MAKE_B_SNIPPET)
    program.wait_height(EXPANDED)
    program.click(COPY)
    program.wait_caption(CAPTION_COPIED)
    program.end_with_escape()


CASES = {f.__name__: f for f in [start_position_and_size, b_address_opened_and_saved,
                                 chinese_folder_and_x_address, rejected_x_address,
                                 expand_and_collapse, snippet_view_copy_and_close]}
FOLDERS = {"chinese_folder_and_x_address": "程序目录"}


def run_in_case(environment: Environment, name: str, exe: Path):
    with Case(environment, name, FOLDERS.get(name, "tivarel")) as case:
        CASES[name](case, exe)


def run_tests(environment: Environment, program: Path):
    """A Windows test program, in a folder of its own, without a display."""
    folder = environment.work / "cases" / "run-tests"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy(program, folder)
    result = subprocess.run(["wine", str(folder / program.name)], env=environment.env,
                            cwd=folder)
    environment.wineserver("-k")
    environment.wineserver("-w")
    return result.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("what", choices=["prefix", "shutdown", "run-tests", *CASES])
    parser.add_argument("program", type=Path, nargs="?")
    args = parser.parse_args()
    environment = Environment(args.work)
    if args.what == "prefix":
        return run_case("prefix", make_prefix, environment)
    if not (environment.prefix / "user.reg").exists():
        print(f"{args.what}: no Wine prefix; make it first with 'prefix'", file=sys.stderr)
        return 1
    if args.what == "shutdown":
        environment.wineserver("-k")
        return 0
    if args.what == "run-tests":
        return run_tests(environment, args.program)
    return run_case(args.what, run_in_case, environment, args.what, args.exe)


if __name__ == "__main__":
    sys.exit(main())
