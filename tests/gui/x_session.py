"""A test's own X server and the tools that drive what runs on it: xdotool for input and window
names, xclip for the clipboard, screenshots for colours, xev for events, and a stand-in xdg-open
that records what the browser is handed.

Everything started here is stopped here, by process id. Waits are on facts (a window, a file, a
window name, pixels), polled, with a deadline; never a fixed sleep.
"""

import json
import os
import random
import signal
import socket
import subprocess
import sys
import tempfile
import time

# Generous: a fact that comes at all comes in well under a second, but a loaded machine (CI
# running builds or other cases beside) can hold an X round trip for seconds.
DEFAULT_TIMEOUT = 30.0


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_until(fact, what, timeout=DEFAULT_TIMEOUT, interval=0.02):
    """Polls fact() until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = fact()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out waiting for {what}")
        time.sleep(interval)


def run_case(name, case, *arguments):
    """Runs one case; the exit status of the driver."""
    try:
        case(*arguments)
    except TestFailure as failure:
        print(f"FAILED {name}: {failure}", file=sys.stderr)
        return 1
    print(f"passed {name}")
    return 0


def stop(process, grace=5):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def display_in_use(number):
    """True when a lock file names the display or an X server answers on its socket."""
    if os.path.exists(f"/tmp/.X{number}-lock"):
        return True
    for address in (f"\0/tmp/.X11-unix/X{number}", f"/tmp/.X11-unix/X{number}"):
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as probe:
            try:
                probe.connect(address)
                return True
            except OSError:
                pass
    return False


class Image:
    """A screenshot of the root window, RGB."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def count(self, rect, colour):
        left, top, width, height = rect
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if self.at(x, y) == colour)

    def colours_in(self, rect):
        left, top, width, height = rect
        return {self.at(x, y) for y in range(top, top + height)
                for x in range(left, left + width)}

    def first(self, colour, within):
        """The top-most row and left-most column holding colour inside within."""
        left, top, width, height = within
        rows = [y for y in range(top, top + height)
                if any(self.at(x, y) == colour for x in range(left, left + width))]
        if not rows:
            return None
        columns = [x for x in range(left, left + width)
                   if any(self.at(x, y) == colour for y in rows[:40])]
        return columns[0], rows[0]


def parse_ppm(data):
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")
    width, height = int(fields[1]), int(fields[2])
    return Image(width, height, data[position + 1:position + 1 + width * height * 3])


class XDisplay:
    """An Xvfb of our own and the processes started on it."""

    def __init__(self, env, screen=(1920, 1080)):
        self.env = dict(env)
        self.processes = []
        self._start_xvfb(screen)

    def _start_xvfb(self, screen):
        # Xvfb -displayfd alone takes the lowest number without a lock file here, but X servers
        # of other sessions on this machine may hold its abstract socket: a client would reach
        # theirs. So the number is one that nobody answers on, and Xvfb says when it is ready.
        # Without -noreset the server would reset whenever its last client leaves (a restart of
        # the program, a tool run between two starts) and refuse the next one meanwhile.
        for _ in range(100):
            number = random.randrange(100, 10000)
            if display_in_use(number):
                continue
            read_end, write_end = os.pipe()
            xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0",
                 f"{screen[0]}x{screen[1]}x24", "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                env=self.env)
            os.close(write_end)
            with os.fdopen(read_end) as reader:
                reported = reader.readline().strip()
            if reported == str(number):
                self.processes.append(xvfb)
                self.env["DISPLAY"] = f":{number}"
                return
            xvfb.wait()  # another test took the number first
        raise TestFailure("no free display number for Xvfb")

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        for process in reversed(self.processes):
            stop(process)

    def run(self, command, check=True, input=None):
        result = subprocess.run(command, env=self.env, capture_output=True, input=input,
                                timeout=DEFAULT_TIMEOUT)
        if check and result.returncode != 0:
            raise TestFailure(f"{command[0]} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("utf-8", errors="replace")

    def start_process(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def start_window_manager(self):
        self.start_process(["openbox", "--sm-disable"])
        wait_until(lambda: "window id" in self.run(["xprop", "-root",
                                                    "_NET_SUPPORTING_WM_CHECK"], check=False),
                   "openbox to manage the screen")

    # --- windows and input ----------------------------------------------------------------------

    def search_windows(self, *criteria):
        """Window ids that xdotool search finds, oldest first."""
        return self.run(["xdotool", "search", *criteria], check=False).split()

    def name_of_window(self, window):
        return self.run(["xdotool", "getwindowname", window]).rstrip("\n")

    def click_at(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y), "click", "1"])

    def type_text(self, text, delay=5):
        self.run(["xdotool", "type", "--delay", str(delay), text])

    def key(self, *keys):
        self.run(["xdotool", "key", *keys])

    # --- the clipboard --------------------------------------------------------------------------

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                capture_output=True, timeout=DEFAULT_TIMEOUT)
        return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None

    def offer_clipboard(self, text):
        """Another program owns the clipboard with this text until it is stopped."""
        with tempfile.NamedTemporaryFile(prefix="tivarel-clipboard-", delete=False) as f:
            f.write(text.encode())
        try:
            owner = self.start_process(["xclip", "-quiet", "-selection", "clipboard", "-i",
                                        f.name])
            wait_until(lambda: self.clipboard() == text, "xclip to own the clipboard")
        finally:
            os.unlink(f.name)
        return owner

    # --- the screen -----------------------------------------------------------------------------

    def screenshot(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, check=True,
                              timeout=DEFAULT_TIMEOUT).stdout
        return parse_ppm(data)

    def save_screenshot(self, path, rect):
        left, top, width, height = rect
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
                        "+repage", "-strip", path], env=self.env, check=True,
                       timeout=DEFAULT_TIMEOUT)


class EventWatcher:
    """xev on a window, its report read as it comes (xev flushes after each event)."""

    def __init__(self, display, window_options):
        self.process = subprocess.Popen(["xev", *window_options], env=display.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        display.processes.append(self.process)
        os.set_blocking(self.process.stdout.fileno(), False)
        self.report = ""

    def text(self):
        chunk = self.process.stdout.read()
        if chunk:
            self.report += chunk.decode("utf-8", errors="replace")
        return self.report

    def wait_until_listening(self, event, poke):
        """Calls poke() until xev reports the event it causes: xev starts listening some time
        after it was started, and reports nothing before."""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        while event not in self.text():
            if time.monotonic() > deadline:
                raise TestFailure("timed out waiting for xev to listen")
            poke()
            time.sleep(0.1)


STAND_IN_OPENER = """#!/usr/bin/env python3
# Stands in for xdg-open: records how it was started, then waits until the test lets it go.
import json, os, sys, time
record = {{"argv": [os.fsencode(a).hex() for a in sys.argv[1:]], "pid": os.getpid(),
          "ppid": os.getppid(), "qpa": os.environ.get("QT_QPA_PLATFORM")}}
with open({record!r}, "a") as f:
    f.write(json.dumps(record) + "\\n")
deadline = time.monotonic() + 30
while (not os.path.exists({release!r}) and os.path.isdir(os.path.dirname({release!r}))
       and time.monotonic() < deadline):
    time.sleep(0.05)
"""


class StandInOpener:
    """An xdg-open in a folder of its own, to be put first on the PATH. It records each start
    and then holds until released (hold=False: it never holds)."""

    def __init__(self, folder, hold=True):
        self.bin_folder = os.path.join(folder, "bin")
        os.makedirs(self.bin_folder)
        self.record = os.path.join(folder, "opened.jsonl")
        self.release_path = os.path.join(folder, "release-opener")
        opener = os.path.join(self.bin_folder, "xdg-open")
        with open(opener, "w") as f:
            f.write(STAND_IN_OPENER.format(record=self.record, release=self.release_path))
        os.chmod(opener, 0o755)
        if not hold:
            self.release()

    def path_before(self, path):
        return self.bin_folder + os.pathsep + path

    def records(self):
        """One dict per start: argv (hex of the bytes of each argument), pid, ppid, qpa."""
        try:
            with open(self.record) as f:
                return [json.loads(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def argument_lists(self):
        return [decoded_argv(record) for record in self.records()]

    def release(self):
        with open(self.release_path, "w"):
            pass


def decoded_argv(record):
    return [bytes.fromhex(a).decode("utf-8") for a in record["argv"]]
