"""One test's own X server (and openbox where asked) with its own copy of the Linux program in a
fresh folder, started from elsewhere, its browser a stand-in xdg-open.

Usage of a driver built on it: DRIVER --program build/tivarel [options] CASE
"""

import argparse
import os
import shutil
import subprocess
import tempfile

from x_session import (DEFAULT_TIMEOUT, StandInOpener, TestFailure, XDisplay, run_case, stop,
                       wait_until)


class XSession(XDisplay):
    def __init__(self, program, screen=(1920, 1080), window_manager=False):
        self.folder = tempfile.mkdtemp(prefix="tivarel-gui-")
        self.processes = []
        self.program_process = None
        self.opener = None
        self.window = None
        env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"):
            env.pop(name, None)
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        env.update(HOME=self.folder, XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8")
        try:
            super().__init__(env, screen)
            if window_manager:
                self.start_window_manager()
            self._install(program)
        except BaseException:
            self.close()
            raise

    def _install(self, program):
        self.program_folder = os.path.join(self.folder, "program")
        os.mkdir(self.program_folder)
        self.program = os.path.join(self.program_folder, "tivarel")
        shutil.copy2(program, self.program)
        self.config = os.path.join(self.program_folder, "config.ini")
        # The program is started from elsewhere: its settings belong beside it all the same.
        self.elsewhere = os.path.join(self.folder, "elsewhere")
        os.mkdir(self.elsewhere)
        self.opener = StandInOpener(self.folder)
        self.env["PATH"] = self.opener.path_before(self.env["PATH"])

    def close(self):
        if self.opener:
            self.opener.release()
        if self.program_process:
            stop(self.program_process)
        super().close()
        shutil.rmtree(self.folder, ignore_errors=True)

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
        found = self.search_windows("--onlyvisible", "--pid", str(self.program_process.pid),
                                    "--name", "^Tivarel")
        return found[0] if found else None

    def wait_for_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.program_process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("the program did not end") from None

    def stderr(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", errors="replace")

    def opened_links(self):
        return self.opener.records()

    def release_opener(self):
        self.opener.release()

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

    # --- the window ---------------------------------------------------------------------------

    def window_name(self):
        return self.name_of_window(self.window)

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

    # --- input and output in client-area pixels -----------------------------------------------

    def screen_point(self, x, y):
        left, top, _, _ = self.client_rect()
        return left + x, top + y

    def click(self, x, y):
        self.click_at(*self.screen_point(x, y))

    def click_control(self, place):
        left, top, width, height = place
        self.click(left + width // 2, top + height // 2)

    def client_rect_on_screen(self, place):
        left, top, width, height = place
        x, y = self.screen_point(left, top)
        return (x, y, width, height)


def main(cases, *options):
    """Runs the case named on the command line against --program; the exit status."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    for option in options:
        parser.add_argument(option)
    parser.add_argument("case", choices=sorted(cases))
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    return run_case(args.case, cases[args.case], args)
