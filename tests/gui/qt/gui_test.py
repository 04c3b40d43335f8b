#!/usr/bin/env python3
"""The Linux program in a real X server, driven the way a person would drive it.

Usage: gui_test.py --program build/tivarel [--screenshots DIR] [--build DIR] CASE
Each case starts its own Xvfb (and openbox where the frame matters) and its own copy of the
program in a fresh folder.
"""

import itertools
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from qt_session import XSession, main  # noqa: E402
from x_session import (EventWatcher, TestFailure, check, decoded_argv,  # noqa: E402
                       display_in_use, wait_until)
from window_design import *  # noqa: E402,F403

B_ADDRESS = "https://www.bilibili.com/video/BV1GJ411x7h7/?spm_id_from=333.1007&vd=1"
B_LINK = B_PLAYER + "BV1GJ411x7h7&danmaku=0&autoplay=1"
B_SNIPPET = SNIPPET_HEAD + B_PLAYER + "BV1GJ411x7h7&danmaku=0" + SNIPPET_TAIL
X_ADDRESS = "https://www.ixigua.com/7123456789012345678?logTag=abc"
SWITCH_ON = "真".encode("gb18030")


def start_rect(screen):
    return ((screen[0] - WINDOW_WIDTH) // 2 if screen[0] >= WINDOW_WIDTH
            else -((WINDOW_WIDTH - screen[0]) // 2), screen[1] - COLLAPSED - 10,
            WINDOW_WIDTH, COLLAPSED)


def interior(place, inset=6):
    left, top, width, height = place
    return (left + inset, top + inset, width - 2 * inset, height - 2 * inset)


def colour_count(session, place, colour):
    return session.screenshot().count(session.client_rect_on_screen(place), colour)


def wait_for_colour(session, place, colour, what, at_least=1):
    wait_until(lambda: colour_count(session, place, colour) >= at_least, what)


def wait_for_link(session, count=1):
    return wait_until(lambda: len(session.opened_links()) >= count and session.opened_links(),
                      "the browser to be handed a link")[count - 1]


def type_into(session, place, text):
    session.click_control(place)
    session.key("ctrl+a")
    session.type_text(text)


# --- cases ------------------------------------------------------------------------------------

def case_start(args, screen, window_manager):
    """Start position and size, fixed size, title, icon, colours and Chinese captions."""
    with XSession(args.program, screen, window_manager) as session:
        if not window_manager:
            watcher = watch_root(session)
        session.start_program()
        session.wait_for_outer_rect(start_rect(screen), "the start placement")
        if not window_manager:
            # Placed and sized before it is first shown: no jump on the screen.
            check(geometry_when_mapped(watcher.text(), int(session.window)) == start_rect(screen),
                  "the window was shown before its start state was set")
        check(session.window_name() == CAPTION, "the caption at the start")
        hints = session.properties("WM_NORMAL_HINTS")
        left, right, top, bottom = session.frame_extents()
        client = f"{WINDOW_WIDTH - left - right} by {COLLAPSED - top - bottom}"
        check(f"minimum size: {client}" in hints and f"maximum size: {client}" in hints,
              f"the window's size is not fixed: {hints}")
        check("_NET_WM_ICON(CARDINAL)" in session.properties("_NET_WM_ICON"), "no window icon")
        if window_manager:
            check(top > 0, "openbox put no title bar on the window")
            actions = session.properties("_NET_WM_ALLOWED_ACTIONS")
            for forbidden in ("MAXIMIZE", "RESIZE"):
                check(forbidden not in actions, f"the window manager offers {forbidden}")
        if screen[0] < WINDOW_WIDTH:
            return  # the right part of the window lies off the screen
        # Each label in its colour, which also shows that the Chinese captions are drawn.
        for place, colour in ((LABEL_B, PINK), (LABEL_B_SEARCH, B_SEARCH_BLUE)):
            wait_for_colour(session, place, colour, f"label text in {colour}", at_least=20)
        shot = session.screenshot()
        check(shot.count(session.client_rect_on_screen(interior(EDIT_B_ADDRESS)),
                         BOX_BACKGROUND) > 0, "the address box's background")
        check(shot.count(session.client_rect_on_screen(interior(PART_BOX)), GREY) > 0,
              "the part box is not grey while the switch is off")


def watch_root(session):
    """xev on the root window, known to be listening: it has seen a window come and go."""
    watcher = EventWatcher(session, ["-root", "-event", "substructure"])

    def show_a_window():
        probe = session.start_process(["xmessage", "probe"])
        wait_until(lambda: session.search_windows("--onlyvisible", "--class", "Xmessage"),
                   "the probe window")
        probe.terminate()
        probe.wait()

    watcher.wait_until_listening("MapNotify", show_a_window)
    return watcher


def geometry_when_mapped(report, window):
    """The window's (x, y, width, height) at its first MapNotify, from an xev report."""
    geometry = None
    for event in report.split("\n\n"):
        kind = event.strip().split(" ", 1)[0]
        if kind in ("CreateNotify", "ConfigureNotify"):
            match = re.search(r"window (0x[0-9a-f]+), \((-?\d+),(-?\d+)\), "
                              r"width (\d+), height (\d+)", event)
            if match and int(match.group(1), 16) == window:
                geometry = tuple(int(v) for v in match.groups()[1:])
        elif kind == "MapNotify":
            match = re.search(r"event 0x[0-9a-f]+, window (0x[0-9a-f]+)", event)
            if match and int(match.group(1), 16) == window:
                return geometry
    raise TestFailure("xev saw no MapNotify of the window")


def case_open_b(args):
    """A B address opened: the exact link, once, detached; the address saved in GB18030."""
    with XSession(args.program) as session:
        # The saved address holds Chinese: read as GB18030, shown, and written back after the
        # user's addition.
        saved = "https://www.bilibili.com/video/BV1GJ411x7h7/?来自=首页"
        session.write_config(b"[KTB]\r\nb=" + saved.encode("gb18030") + b"\r\n")
        session.start_program()
        session.click_control(EDIT_B_ADDRESS)
        session.key("ctrl+End")
        session.type_text("&t=30")
        session.click_control(OPEN_B)
        record = wait_for_link(session)
        check(decoded_argv(record) == [B_LINK], f"the link handed over: {decoded_argv(record)}")
        # The opener still waits to be released: the program went on without waiting for it.
        wait_until(lambda: session.config_value(b"KTB", b"b") == (saved + "&t=30").encode(
            "gb18030"), "the address saved in GB18030 while the browser is still starting")
        check(record["ppid"] != session.program_process.pid,
              "the opener is a child of the program, not detached")
        check(record["qpa"] is None, "the program's platform choice leaked into the browser")
        zombies = [c for c in session.children_of_program() if c[1] == "Z"]
        check(not zombies, f"processes left unreaped: {zombies}")
        session.wait_for_name(CAPTION)
        session.release_opener()
        check(len(session.opened_links()) == 1, "the browser was handed more than one link")


def case_rejected(args):
    """A rejected address: the label turns red, the caption tells, nothing is opened or saved."""
    with XSession(args.program) as session:
        session.start_program()
        wait_for_colour(session, LABEL_B, PINK, "the label in its own colour", at_least=20)
        check(colour_count(session, LABEL_B, RED) == 0, "the label is red before any check")
        type_into(session, EDIT_B_ADDRESS, "https://www.bilibili.com/video/BV1")
        session.click_control(OPEN_B)
        session.wait_for_name(CAPTION_BAD_ADDRESS)
        wait_for_colour(session, LABEL_B, RED, "the label to turn red", at_least=20)
        check(colour_count(session, LABEL_B, PINK) == 0, "the label is still pink")
        # Clearing restores the label and the caption; still nothing was saved or opened.
        session.click_control(CLEAR_B)
        session.wait_for_name(CAPTION)
        wait_for_colour(session, LABEL_B, PINK, "the label's own colour again", at_least=20)
        check(session.read_config() is None, "a rejected address wrote config.ini")
        check(session.opened_links() == [], "a rejected address went to the browser")


def case_expand_collapse(args, window_manager):
    """Expanding near the bottom moves the window up; collapsing keeps its top edge."""
    screen = (1920, 1080)
    with XSession(args.program, screen, window_manager) as session:
        session.write_config(("[KTB]\nb=" + B_ADDRESS + "\n[KTX]\nx=" + X_ADDRESS + "\n")
                             .encode("gb18030"))
        session.start_program()
        left, top, width, _ = start_rect(screen)
        session.wait_for_outer_rect(start_rect(screen), "the start placement")
        session.click_control(EXPAND)
        session.wait_for_outer_rect((left, screen[1] - 272, width, EXPANDED),
                                    "the expanded window, moved up")
        for place, colour in ((LABEL_X, X_PINK), (LABEL_X_SEARCH, X_SEARCH_TEAL)):
            wait_for_colour(session, place, colour, f"the X rows in view ({colour})",
                            at_least=20)
        if window_manager and args.screenshots:
            session.save_screenshot(os.path.join(args.screenshots, "expanded.png"),
                                    session.outer_rect())
        session.click_control(EXPAND)
        session.wait_for_outer_rect((left, screen[1] - 272, width, COLLAPSED),
                                    "the collapsed window, top edge kept")


def case_pin(args):
    """The pin keeps the window above an activated window, without re-mapping it."""
    with XSession(args.program, window_manager=True) as session:
        session.start_program()
        session.wait_for_outer_rect(start_rect((1920, 1080)), "the start placement")
        watcher = EventWatcher(session, ["-id", session.window, "-event", "structure"])
        x, y, _, _ = session.outer_rect()
        offsets = itertools.cycle((100, 101))
        watcher.wait_until_listening("ConfigureNotify", lambda: session.run(
            ["xdotool", "windowmove", session.window, str(x), str(y - next(offsets))]))
        session.click_control(PIN)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in session.properties("_NET_WM_STATE"),
                   "_NET_WM_STATE_ABOVE")
        # Another program's window over ours, activated: ours stays in front of it.
        x, y, _, _ = session.outer_rect()
        session.start_process(["xmessage", "-geometry", f"+{x}+{y}", "in front?"])
        other_window = wait_until(lambda: session.search_windows(
            "--onlyvisible", "--class", "Xmessage"), "the other window")[0]
        session.run(["xdotool", "windowactivate", "--sync", other_window])
        check(stacking_order(session).index(int(session.window)) >
              stacking_order(session).index(int(other_window)),
              "the pinned window went behind an activated window")
        session.click(*centre(PIN))  # untick
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in session.properties("_NET_WM_STATE"),
                   "_NET_WM_STATE_ABOVE to go")
        session.run(["xdotool", "windowactivate", "--sync", other_window])
        wait_until(lambda: stacking_order(session).index(int(session.window)) <
                   stacking_order(session).index(int(other_window)),
                   "the unpinned window to go behind the activated one")
        events = watcher.text()
        check("UnmapNotify" not in events and "MapNotify" not in events,
              "pinning re-mapped the window")
        check("Map State: IsViewable" in session.run(["xwininfo", "-id", session.window]),
              "the window is no longer shown")


def centre(place):
    left, top, width, height = place
    return left + width // 2, top + height // 2


def stacking_order(session):
    """Client windows, bottom to top."""
    out = session.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"])
    return [int(w, 16) for w in out.split("#", 1)[1].split(",")]


def case_snippet(args, window_manager):
    """The snippet view over the window, edited, copied exactly, closed again."""
    with XSession(args.program, window_manager=window_manager) as session:
        session.start_program()
        start = start_rect((1920, 1080))
        session.wait_for_outer_rect(start, "the start placement")
        type_into(session, EDIT_B_ADDRESS, B_ADDRESS)
        session.click_control(MAKE_B_SNIPPET)
        session.wait_for_outer_rect((start[0], 1080 - 272, WINDOW_WIDTH, EXPANDED),
                                    "the window expanded for the view")
        wait_until(lambda: session.config_value(b"KTB", b"b") == B_ADDRESS.encode(),
                   "the address saved")
        # The view covers every other control; only 复制 and 关闭 stay in front of it.
        wait_for_colour(session, (4, 4, 400, 60), BOX_BACKGROUND, "the view", at_least=5000)
        for place, colour in ((LABEL_B, PINK), (LABEL_B_SEARCH, B_SEARCH_BLUE),
                              (LABEL_X, X_PINK)):
            check(colour_count(session, place, colour) == 0, "a label shows through the view")
        for button in (COPY, CLOSE_VIEW):
            area = interior(button, 2)
            check(colour_count(session, area, BOX_BACKGROUND) < area[2] * area[3] // 2,
                  "a button of the view is not in front of it")
        if window_manager and args.screenshots:
            session.save_screenshot(os.path.join(args.screenshots, "snippet.png"),
                                    session.outer_rect())
        session.click_control(COPY)
        session.wait_for_name(CAPTION_COPIED)
        wait_until(lambda: session.clipboard() == B_SNIPPET, "the snippet on the clipboard")
        check(session.opened_links() == [], "making a snippet went to the browser")
        # The whole text is selected in the focused view; the selection hides with the focus.
        selected_text = (4, 4, 600, 100)
        wait_until(lambda: colour_count(session, selected_text, BOX_BACKGROUND) < 60 * 100 // 2,
                   "the selection shown")
        session.key("Tab")
        wait_for_colour(session, selected_text, BOX_BACKGROUND, "the selection hidden",
                        at_least=600 * 100 // 2)

        # A click where the B address box lies lands in the view; what is typed there, a line
        # break included, is what the next copy takes. The address box is untouched.
        session.click(*centre(EDIT_B_ADDRESS))
        session.key("Z", "Return")
        session.click_control(COPY)
        copied = wait_until(lambda: (lambda c: c if c and c != B_SNIPPET else None)(
            session.clipboard()), "the edited snippet on the clipboard")
        check(copied.replace("Z\r\n", "", 1) == B_SNIPPET and copied.count("\r\n") == 1,
              f"the edited view copied as {copied!r}")
        session.click_control(CLOSE_VIEW)
        session.wait_for_outer_rect((start[0], 1080 - 272, WINDOW_WIDTH, COLLAPSED),
                                    "the window collapsed again")
        session.wait_for_name(CAPTION)
        wait_for_colour(session, LABEL_B, PINK, "the rows in view again", at_least=20)
        session.click_control(OPEN_B)
        check(decoded_argv(wait_for_link(session)) == [B_LINK],
              "the address box changed under the view")
        # Esc while the view is open ends the program as well.
        session.click_control(MAKE_B_SNIPPET)
        wait_for_colour(session, (4, 4, 400, 60), BOX_BACKGROUND, "the view", at_least=5000)
        session.key("Escape")
        check(session.wait_for_exit() == 0, "exit status after Esc in the view")


def case_part_switch(args):
    """Part switch and part box: digit filter, byte limit, pasting; a restart restores them."""
    with XSession(args.program) as session:
        session.start_program()
        session.click_control(PART_SWITCH)
        wait_until(lambda: session.config_value(b"KTBP", b"bpxzk") == SWITCH_ON,
                   "the switch saved as 真 in GB18030")
        wait_for_colour(session, interior(PART_BOX, 5), WHITE, "the part box turned white",
                        at_least=20)
        type_into(session, EDIT_B_ADDRESS, B_ADDRESS)
        # Typed: letters are dropped, digits and "-" kept, at most two bytes.
        cases = [
            ("typed letters and digits", ["a", "1", "x", "2", "3"], None, "12"),
            ("typed minus", ["minus", "5"], None, "-5"),
            ("pasted letters pass", ["ctrl+v"], "ab", "ab"),
            ("pasted Chinese, only what fits", ["ctrl+v"], "中文", "中"),
        ]
        for number, (what, keys, paste, expected) in enumerate(cases, start=1):
            owner = session.offer_clipboard(paste) if paste else None
            session.click_control(PART_BOX)
            session.key("ctrl+a", "BackSpace")
            session.key(*keys)
            session.click_control(OPEN_B)
            record = wait_for_link(session, number)
            link = B_LINK.replace("&danmaku", "&p=" + expected + "&danmaku")
            check(decoded_argv(record) == [link], f"{what}: link {decoded_argv(record)}")
            check(session.config_value(b"KTBP", b"bp") == expected.encode("gb18030"),
                  f"{what}: saved part {session.config_value(b'KTBP', b'bp')!r}")
            if owner:
                owner.terminate()
                owner.wait()
        session.key("Escape")
        check(session.wait_for_exit() == 0, "exit status")

        # The next run restores the ticked switch and the last part number, in the part box's
        # design colour rather than the white of a click.
        session.start_program()
        wait_for_colour(session, interior(PART_BOX, 5), BOX_BACKGROUND,
                        "the restored part box's background", at_least=20)
        session.click_control(OPEN_B)
        link = B_LINK.replace("&danmaku", "&p=中&danmaku")
        check(decoded_argv(wait_for_link(session, len(cases) + 1)) == [link],
              "the restored switch and part number")


def case_keys(args):
    """Tab moves on without a tab character, Enter on a button does nothing, Esc ends with 0."""
    with XSession(args.program) as session:
        session.start_program()
        type_into(session, EDIT_B_ADDRESS, B_ADDRESS)
        # Reading order: the address box, 清空, 打开. Enter on 清空 must not clear the box;
        # Space on 打开 opens it.
        session.key("Tab", "Return", "Tab", "space")
        wait_until(lambda: session.config_value(b"KTB", b"b") is not None, "an address saved")
        check(session.config_value(b"KTB", b"b") == B_ADDRESS.encode(),
              f"saved {session.config_value(b'KTB', b'b')!r}")
        session.click_control(EDIT_B_ADDRESS)
        session.key("Escape")
        check(session.wait_for_exit() == 0, "exit status after Esc")
        check(session.config_value(b"KTB", b"b") == B_ADDRESS.encode(),
              "closing changed the settings")


def case_no_display(args):
    """Without a display: a message on stderr and exit status -1."""
    folder = tempfile.mkdtemp(prefix="tivarel-nodisplay-")
    try:
        bare = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        # No DISPLAY; a display nobody serves; and the X11 platform chosen by the user, where Qt
        # itself finds that it cannot start.
        for extra in ({}, {"DISPLAY": ":" + str(free_display_number())},
                      {"QT_QPA_PLATFORM": "xcb"}):
            result = subprocess.run([args.program], env=dict(bare, **extra), cwd=folder,
                                    capture_output=True, timeout=20)
            message = result.stderr.decode("utf-8", errors="replace")
            check(result.returncode == 255, f"exit status {result.returncode} ({extra})")
            check("display" in message.lower(), f"no clear message on stderr: {message!r}")
    finally:
        os.rmdir(folder)


def free_display_number():
    return next(n for n in range(900, 1000) if not display_in_use(n))


def case_install(args):
    """cmake --install puts the program, its icon and its menu entry in the usual places."""
    check(args.build, "--build is needed")
    prefix = tempfile.mkdtemp(prefix="tivarel-install-")
    try:
        subprocess.run(["cmake", "--install", args.build, "--prefix", prefix], check=True,
                       capture_output=True, timeout=60)
        program = os.path.join(prefix, "bin", "tivarel")
        check(os.access(program, os.X_OK), "no program in bin")
        desktop = os.path.join(prefix, "share", "applications", "tivarel.desktop")
        with open(desktop, encoding="utf-8") as f:
            entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        check(entry.get("Exec") == "tivarel" and entry.get("Icon") == "tivarel",
              f"the menu entry: {entry}")
        for size in (16, 32, 48, 64, 128, 256):
            icon = os.path.join(prefix, "share", "icons", "hicolor", f"{size}x{size}", "apps",
                                "tivarel.png")
            check(os.path.isfile(icon), f"no {size}x{size} icon")
        validator = subprocess.run(["desktop-file-validate", desktop], capture_output=True)
        check(validator.returncode == 0 and not validator.stdout.strip(),
              f"desktop-file-validate: {validator.stdout.decode()}")
    finally:
        subprocess.run(["rm", "-rf", prefix])


CASES = {
    "start": lambda a: case_start(a, (1365, 768), False),  # an odd margin: the half is dropped
    "start_narrow": lambda a: case_start(a, (800, 600), False),
    "start_openbox": lambda a: case_start(a, (1920, 1080), True),
    "open_b": case_open_b,
    "rejected": case_rejected,
    "expand_collapse": lambda a: case_expand_collapse(a, False),
    "expand_collapse_openbox": lambda a: case_expand_collapse(a, True),
    "pin_openbox": case_pin,
    "snippet": lambda a: case_snippet(a, False),
    "snippet_openbox": lambda a: case_snippet(a, True),
    "part_switch": case_part_switch,
    "keys": case_keys,
    "no_display": case_no_display,
    "install": case_install,
}


if __name__ == "__main__":
    sys.exit(main(CASES, "--screenshots", "--build"))
