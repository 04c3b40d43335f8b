"""One test's own X server, window manager and copy of the program, and the means to drive them.

Everything started here is stopped here, by process id. Waits are on facts (a window, a file, a
window name, pixels), polled, with a deadline; never a fixed sleep.
"""

import json
import os
import random
import shutil
import signal
import socket
import subprocess
import tempfile
import time

DEFAULT_TIMEOUT = 10.0


class TestFailure(AssertionError):
    pass


def wait_until(fact, what, timeout=DEFAULT_TIMEOUT):
    """Polls fact() until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = fact()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out waiting for {what}")
        time.sleep(0.02)


def check(condition, message):
    if not condition:
        raise TestFailure(message)


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


class EventWatcher:
    """xev on a window, its report read as it comes (xev flushes after each event)."""

    def __init__(self, session, window_options):
        self.process = subprocess.Popen(["xev", *window_options], env=session.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        session.processes.append(self.process)
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


class XSession:
    def __init__(self, program, screen=(1920, 1080), window_manager=False):
        self.folder = tempfile.mkdtemp(prefix="tivarel-gui-")
        self.processes = []
        self.program_process = None
        self.window = None
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
            self.env.pop(name, None)
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        self.env.update(HOME=self.folder, XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8")
        try:
            self._start_x(screen)
            if window_manager:
                self._start_window_manager()
            self._install(program)
        except BaseException:
            self.close()
            raise

    # --- set-up -------------------------------------------------------------------------------

    def _start_x(self, screen):
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

    def _start_window_manager(self):
        self.processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=self.env))
        wait_until(lambda: "window id" in self.run(["xprop", "-root",
                                                    "_NET_SUPPORTING_WM_CHECK"], check=False),
                   "openbox to manage the screen")

    def _install(self, program):
        self.program_folder = os.path.join(self.folder, "program")
        os.mkdir(self.program_folder)
        self.program = os.path.join(self.program_folder, "tivarel")
        shutil.copy2(program, self.program)
        self.config = os.path.join(self.program_folder, "config.ini")
        # The program is started from elsewhere: its settings belong beside it all the same.
        self.elsewhere = os.path.join(self.folder, "elsewhere")
        os.mkdir(self.elsewhere)
        bin_folder = os.path.join(self.folder, "bin")
        os.mkdir(bin_folder)
        self.opened = os.path.join(self.folder, "opened.jsonl")
        self.release = os.path.join(self.folder, "release-opener")
        opener = os.path.join(bin_folder, "xdg-open")
        with open(opener, "w") as f:
            f.write(STAND_IN_OPENER.format(record=self.opened, release=self.release))
        os.chmod(opener, 0o755)
        self.env["PATH"] = bin_folder + os.pathsep + self.env["PATH"]

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        with open(os.path.join(self.folder, "release-opener"), "w"):
            pass
        for process in reversed(([self.program_process] if self.program_process else []) +
                                self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    # --- tools --------------------------------------------------------------------------------

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

    # --- the program --------------------------------------------------------------------------

    def write_config(self, data):
        with open(self.config, "wb") as f:
            f.write(data)

    def read_config(self):
        try:
            with open(self.config, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def config_value(self, section, key):
        """The value as bytes, or None."""
        data = self.read_config()
        current = None
        for line in (data or b"").replace(b"\r\n", b"\n").split(b"\n"):
            if line.startswith(b"[") and line.endswith(b"]"):
                current = line[1:-1]
            elif current == section and line.split(b"=", 1)[0] == key and b"=" in line:
                return line.split(b"=", 1)[1]
        return None

    def start_program(self):
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        with open(self.stderr_path, "wb") as stderr:
            self.program_process = subprocess.Popen([self.program], cwd=self.elsewhere,
                                                    env=self.env, stdout=subprocess.DEVNULL,
                                                    stderr=stderr)
        try:
            self.window = wait_until(self._find_window, "the window to appear")
        except TestFailure:
            status = self.program_process.poll()
            probe = subprocess.run(["xdpyinfo"], env=self.env, capture_output=True)
            raise TestFailure(f"no window (exit status {status}, display {self.env['DISPLAY']}, "
                              f"stderr {self.stderr()!r}, xvfb {self.processes[0].poll()}, "
                              f"xdpyinfo {probe.returncode} {probe.stderr[:200]!r})") from None
        return self.window

    def _find_window(self):
        found = self.run(["xdotool", "search", "--onlyvisible", "--pid",
                          str(self.program_process.pid), "--name", "^Tivarel"], check=False)
        return found.split()[0] if found.split() else None

    def wait_for_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.program_process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("the program did not end") from None

    def stderr(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", errors="replace")

    # --- the window ---------------------------------------------------------------------------

    def window_name(self):
        return self.run(["xdotool", "getwindowname", self.window]).rstrip("\n")

    def wait_for_name(self, name):
        wait_until(lambda: self.window_name() == name, f"the window name {name!r}")

    def frame_extents(self):
        """left, right, top, bottom; zeros while no window manager frames the window."""
        out = self.run(["xprop", "-id", self.window, "_NET_FRAME_EXTENTS"], check=False)
        if "=" not in out:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    def client_rect(self):
        out = self.run(["xwininfo", "-id", self.window])
        values = {}
        for line in out.splitlines():
            name, _, value = line.strip().partition(":")
            values[name] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def outer_rect(self):
        left, right, top, bottom = self.frame_extents()
        x, y, width, height = self.client_rect()
        return (x - left, y - top, width + left + right, height + top + bottom)

    def wait_for_outer_rect(self, expected, what):
        try:
            wait_until(lambda: self.outer_rect() == expected, what)
        except TestFailure:
            raise TestFailure(f"{what}: outer rectangle {self.outer_rect()}, "
                              f"expected {expected}") from None

    def properties(self, *names):
        return self.run(["xprop", "-id", self.window, *names], check=False)

    # --- input --------------------------------------------------------------------------------

    def screen_point(self, x, y):
        """A point in client-area pixels on the screen."""
        left, top, _, _ = self.client_rect()
        return left + x, top + y

    def click(self, x, y):
        sx, sy = self.screen_point(x, y)
        self.run(["xdotool", "mousemove", str(sx), str(sy), "click", "1"])

    def click_control(self, place):
        left, top, width, height = place
        self.click(left + width // 2, top + height // 2)

    def type_text(self, text):
        self.run(["xdotool", "type", "--delay", "5", text])

    def key(self, *keys):
        self.run(["xdotool", "key", *keys])

    def offer_clipboard(self, text):
        """Another program owns the clipboard with this text until the session ends."""
        owner = self.start_process(["xclip", "-quiet", "-selection", "clipboard", "-i",
                                    self._write_temp(text.encode())])
        wait_until(lambda: self.clipboard() == text, "xclip to own the clipboard")
        return owner

    def _write_temp(self, data):
        with tempfile.NamedTemporaryFile(dir=self.folder, delete=False) as f:
            f.write(data)
        return f.name

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                                capture_output=True, timeout=DEFAULT_TIMEOUT)
        return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None

    # --- output -------------------------------------------------------------------------------

    def screenshot(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, capture_output=True, check=True,
                              timeout=DEFAULT_TIMEOUT).stdout
        return parse_ppm(data)

    def client_rect_on_screen(self, place):
        left, top, width, height = place
        x, y = self.screen_point(left, top)
        return (x, y, width, height)

    def save_screenshot(self, path, rect):
        left, top, width, height = rect
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
                        "+repage", "-strip", path], env=self.env, check=True,
                       timeout=DEFAULT_TIMEOUT)

    def opened_links(self):
        try:
            with open(self.opened) as f:
                return [json.loads(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def release_opener(self):
        with open(self.release, "w"):
            pass

    def children_of_program(self):
        """(pid, state) of each process whose parent is the program."""
        children = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/stat") as f:
                    stat = f.read()
            except OSError:
                continue
            fields = stat.rsplit(")", 1)[1].split()
            if int(fields[1]) == self.program_process.pid:
                children.append((int(entry), fields[0]))
        return children
