#!/usr/bin/env python3
"""Hostile input in the boxes of the real Linux program, in Xvfb.

Usage: qt_hostile_input.py --program build/tivarel CASE
Each case starts its own X server and copy of the program (tests/gui/qt/qt_session.py), pastes
what a user might paste, and checks what reaches the browser, the clipboard and the screen.
"""

import os
import sys

_gui = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui")
sys.path[:0] = [_gui, os.path.join(_gui, "qt")]
from qt_session import XSession, main  # noqa: E402
from x_session import check, decoded_argv, wait_until  # noqa: E402
from window_design import *  # noqa: E402,F403

B_PREFIX = "https://www.bilibili.com/video/"
UNRESERVED = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~")


def encoded(text):
    """What a link carries of a typed text: ASCII other than the unreserved bytes as %XX, the
    rest as typed."""
    return "".join(c if ord(c) >= 0x80 or c in UNRESERVED else "%%%02X" % ord(c) for c in text)


def paste_into(session, place, text):
    session.offer_clipboard(text)
    session.click_control(place)
    session.key("ctrl+a")
    session.key("ctrl+v")


def handed_links(session):
    return [decoded_argv(record) for record in session.opened_links()]


def case_shell_metacharacters(args):
    """A keyword full of shell syntax reaches xdg-open as one argument, unchanged but for the
    percent-encoding, from both search rows."""
    keyword = "C# 教程 \"q\" 'a' <b> & c=d; e|f `g` $(h) ${i} * ? ~ \\ %41 !j\nk -- --help"
    # The box gives back a line break as CR LF.
    expected = encoded(keyword.replace("\n", "\r\n"))
    with XSession(args.program) as session:
        session.start_program()
        paste_into(session, EDIT_B_KEYWORD, keyword)
        session.click_control(SEARCH_B)
        wait_until(lambda: len(session.opened_links()) == 1, "the B search handed over")
        session.click_control(EXPAND)
        paste_into(session, EDIT_X_KEYWORD, keyword)
        session.click_control(SEARCH_X)
        wait_until(lambda: len(session.opened_links()) == 2, "the X search handed over")
        links = handed_links(session)
        check(links == [[B_SEARCH + expected], [X_SEARCH + expected]],
              f"the browser was handed {links!r}")


def case_snippet_breakout(args):
    """An address with quotes and angle brackets: the copied snippet has one src attribute, and
    the window shows the same text."""
    address = B_PREFIX + 'BV1xx"><script>alert(1)</script>'
    link = B_PLAYER + "BV1xx%22%3E%3Cscript%3Ealert%281%29%3C&danmaku=0"
    with XSession(args.program) as session:
        session.start_program()
        paste_into(session, EDIT_B_ADDRESS, address)
        session.click_control(MAKE_B_SNIPPET)
        session.wait_for_outer_rect((session.outer_rect()[0], session.outer_rect()[1], WINDOW_WIDTH,
                                     EXPANDED),
                                    "the window expanded for the view")
        session.click_control(COPY)
        session.wait_for_name(CAPTION_COPIED)
        copied = session.clipboard()
        check(copied == SNIPPET_HEAD + link + SNIPPET_TAIL, f"the snippet copied: {copied!r}")
        check(session.config_value(b"KTB", b"b") == address.encode("gb18030"),
              "the address was not saved as typed")


def case_megabyte_paste(args):
    """A megabyte pasted into an address box, once as a query and once as the id: the window
    goes on answering, opens the right link, saves the whole address, and shows and copies a
    megabyte snippet. (A window that lays the megabyte out word by word holds still for half a
    minute and misses the deadlines here.)"""
    megabyte = "a" * (1024 * 1024)
    with XSession(args.program) as session:
        session.start_program()
        left, top, width, _ = session.outer_rect()
        address = B_PREFIX + "BV1xx411c7mD?" + megabyte
        paste_into(session, EDIT_B_ADDRESS, address)
        session.click_control(OPEN_B)
        wait_until(lambda: session.opened_links(), "the link handed over after the paste")
        check(handed_links(session) == [[B_PLAYER + "BV1xx411c7mD&danmaku=0&autoplay=1"]],
              f"the browser was handed {handed_links(session)!r}")
        wait_until(lambda: session.config_value(b"KTB", b"b") == address.encode(),
                   "the whole address saved")

        # The megabyte as the id: too long for a command line, but the snippet holds it.
        paste_into(session, EDIT_B_ADDRESS, B_PREFIX + megabyte)
        session.click_control(MAKE_B_SNIPPET)
        session.wait_for_outer_rect((left, top - 110, width, EXPANDED), "the window expanded")
        session.click_control(COPY)
        session.wait_for_name(CAPTION_COPIED)
        check(session.clipboard() == SNIPPET_HEAD + B_PLAYER + megabyte + "&danmaku=0" +
              SNIPPET_TAIL, "the megabyte snippet copied")
        session.click_control(CLOSE_VIEW)
        session.wait_for_outer_rect((left, top - 110, width, COLLAPSED), "the view closed")
        check(session.program_process.poll() is None, "the program ended")


CASES = {
    "shell_metacharacters": case_shell_metacharacters,
    "snippet_breakout": case_snippet_breakout,
    "megabyte_paste": case_megabyte_paste,
}


if __name__ == "__main__":
    sys.exit(main(CASES))
