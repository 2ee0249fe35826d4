"""A private desktop for one end-to-end journey: its own X display (Xvfb), runtime
folder, session bus and, through the bus, its own accessibility bus.

The display and runtime folder are set before the bus starts, so the accessibility
bus that the session bus launches belongs to this desktop alone and is never shared
with another session on the machine. The test process becomes a subreaper, so every
process the journey starts, however deeply it forks, stays its descendant: at the end
the desktop can tell which of them a program left behind.
"""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

_PR_SET_CHILD_SUBREAPER = 36

# Variables of the calling session that would point the programs at another desktop
# or change how GTK publishes itself to assistive technology.
_FOREIGN_VARIABLES = (
    "DBUS_SESSION_BUS_ADDRESS",
    "AT_SPI_BUS_ADDRESS",
    "GTK_A11Y",
    "NO_AT_BRIDGE",
    "WAYLAND_DISPLAY",
    "DISPLAY",
    "XAUTHORITY",
    "SESSION_MANAGER",
    "DBUS_STARTER_ADDRESS",
    "DBUS_STARTER_BUS_TYPE",
)


def _read_line(fd, what, timeout=30):
    """The first line written to fd within timeout seconds."""
    deadline = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while not data.endswith(b"\n"):
        if time.monotonic() > deadline:
            raise RuntimeError(f"waited {timeout} s for {what}; got {data!r}")
        try:
            chunk = os.read(fd, 256)
        except BlockingIOError:
            time.sleep(0.02)
            continue
        if not chunk:
            raise RuntimeError(f"{what} never came: the writer closed its end ({data!r})")
        data += chunk
    return data.decode().strip()


def _process_table():
    """pid -> (ppid, state, command line) of every process on the machine."""
    table = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as stat:
                text = stat.read().decode(errors="replace")
            with open(f"/proc/{entry}/cmdline", "rb") as cmdline:
                command = cmdline.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except OSError:
            continue  # ended while being read
        # The command name in parentheses may itself hold spaces and parentheses.
        fields = text[text.rindex(")") + 2:].split()
        table[int(entry)] = (int(fields[1]), fields[0], command or text[: text.rindex(")") + 1])
    return table


def _started_by_a_bus(pid):
    """True for a service that a bus started on demand (such as the accessibility bus
    and its registry): the bus hands every service it starts its own address."""
    try:
        with open(f"/proc/{pid}/environ", "rb") as environ:
            return b"\0DBUS_STARTER_ADDRESS=" in b"\0" + environ.read()
    except OSError:
        return False


def _descendants(table, root):
    children = {}
    for pid, (ppid, _, _) in table.items():
        children.setdefault(ppid, []).append(pid)
    found, stack = [], list(children.get(root, []))
    while stack:
        pid = stack.pop()
        found.append(pid)
        stack.extend(children.get(pid, []))
    return found


class Desktop:
    """Start with start(), end with stop(); env is the environment programs get."""

    def __init__(self, artifacts, name, window_manager=False):
        self.artifacts = artifacts
        self.name = name
        self.window_manager = window_manager
        self.root = None
        self.env = None
        self._xvfb = None
        self._bus = None
        self._wm = None
        self._programs = []
        self._screenshots = 0

    # Start and stop -------------------------------------------------------------

    def start(self):
        libc = ctypes.CDLL(None, use_errno=True)
        if libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
            raise OSError(ctypes.get_errno(), "cannot become a subreaper")
        self.root = os.path.realpath(tempfile.mkdtemp(prefix="korvo-e2e-"))
        runtime = self.path("runtime")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items() if k not in _FOREIGN_VARIABLES}
        # A home of its own too: what the programs keep between runs (korvo's cookies
        # and cache) stays on this desktop.
        for variable, folder in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"),
                                 ("XDG_CACHE_HOME", "cache"), ("XDG_DATA_HOME", "data"),
                                 ("XDG_STATE_HOME", "state")):
            os.mkdir(self.path(folder))
            env[variable] = self.path(folder)
        env.update(XDG_RUNTIME_DIR=runtime, GDK_BACKEND="x11", GSETTINGS_BACKEND="memory",
                   LC_ALL="C.UTF-8", LANGUAGE="")
        self.env = env

        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=env, start_new_session=True)
        os.close(write_end)
        try:
            env["DISPLAY"] = ":" + _read_line(read_end, "Xvfb to name its display")
        finally:
            os.close(read_end)

        read_end, write_end = os.pipe()
        self._bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             "--address=unix:path=" + os.path.join(runtime, "bus"),
             f"--print-address={write_end}"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=env, start_new_session=True)
        os.close(write_end)
        try:
            env["DBUS_SESSION_BUS_ADDRESS"] = _read_line(read_end, "the session bus address")
        finally:
            os.close(read_end)

        if self.window_manager:
            self._start_window_manager()

        # The accessibility library of this process reads these once, when it first
        # connects, so they must be in place before it is imported.
        for variable in _FOREIGN_VARIABLES:
            os.environ.pop(variable, None)
        os.environ.update({k: env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                "XDG_RUNTIME_DIR", "GSETTINGS_BACKEND")})

    def stop(self):
        """Ends everything; returns what the programs left behind (empty when clean)."""
        problems = []
        for program in self._programs:
            if program.poll() is None:
                problems.append(f"{program.args[0]} (pid {program.pid}) still running")
                self._kill(program.pid)
                program.wait(5)
        leftovers = self._wait_for_leftovers(5)
        for pid, command in leftovers.items():
            problems.append(f"left behind: pid {pid} {command}")
            self._kill(pid)
        for infrastructure in (self._wm, self._bus, self._xvfb):
            if infrastructure and infrastructure.poll() is None:
                infrastructure.terminate()
                try:
                    infrastructure.wait(10)
                except subprocess.TimeoutExpired:
                    infrastructure.kill()
                    infrastructure.wait(5)
        # What the session bus started for this desktop (the accessibility bus and its
        # registry) ends with the bus; anything still here after that is killed.
        for pid in self._wait_for_leftovers(10, everything=True):
            self._kill(pid)
        self._wait_for_leftovers(5, everything=True)
        if self.root:
            shutil.rmtree(self.root, ignore_errors=True)
        return problems

    def _start_window_manager(self):
        """Starts openbox, a window manager that honours the place a program asks
        for, and waits until it manages the screen."""
        self._wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, env=self.env,
                                    start_new_session=True)
        deadline = time.monotonic() + 30
        while "window id" not in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                          check=False):
            if time.monotonic() > deadline or self._wm.poll() is not None:
                raise RuntimeError("openbox did not start managing the screen")
            time.sleep(0.05)

    # Programs -------------------------------------------------------------------

    def launch(self, command, cwd=None):
        """Starts a program on this desktop, its output kept in the runtime folder."""
        log = open(self.path(f"runtime/{os.path.basename(command[0])}.log"), "ab")
        with log:
            program = subprocess.Popen(command, cwd=cwd or self.root, env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                       start_new_session=True)
        self._programs.append(program)
        return program

    def processes_of(self, executable):
        """Pids of this desktop's running processes whose executable is executable."""
        wanted = os.path.realpath(executable)
        pids = []
        for pid in _descendants(_process_table(), os.getpid()):
            try:
                if os.readlink(f"/proc/{pid}/exe") == wanted:
                    pids.append(pid)
            except OSError:
                continue
        return pids

    def program_log(self, executable):
        try:
            with open(self.path(f"runtime/{os.path.basename(executable)}.log"), "rb") as log:
                return log.read().decode(errors="replace")
        except OSError:
            return ""

    # Helpers ----------------------------------------------------------------------

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def run(self, command, check=True):
        """Runs a short tool (xdotool, xprop) on this desktop; returns its output."""
        done = subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=30)
        if check and done.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} failed: {done.stderr.strip()}")
        return done.stdout

    def screenshot(self, label):
        """Saves the whole screen into the artifacts folder; returns the file's path."""
        os.makedirs(self.artifacts, exist_ok=True)
        self._screenshots += 1
        safe = "".join(c if c.isalnum() or c in "-_" else "-" for c in label)[:60]
        target = os.path.join(self.artifacts, f"{self.name}-{self._screenshots}-{safe}.png")
        try:
            self.run(["import", "-window", "root", target])
        except (RuntimeError, subprocess.TimeoutExpired) as error:
            return f"(no screenshot: {error})"
        return target

    def _infrastructure(self, table):
        """The display, the bus and the services the bus started, with their children."""
        roots = {p.pid for p in (self._xvfb, self._bus, self._wm) if p and p.poll() is None}
        roots.update(pid for pid in _descendants(table, os.getpid()) if _started_by_a_bus(pid))
        pids = set(roots)
        for root in roots:
            pids.update(_descendants(table, root))
        return pids

    def _wait_for_leftovers(self, timeout, everything=False):
        """Reaps what has ended and waits up to timeout seconds for the rest of the
        journey's processes (apart from the display and bus, unless everything) to
        end; returns those that did not, pid -> command line."""
        mine = {p.pid for p in self._programs} | {
            p.pid for p in (self._xvfb, self._bus, self._wm) if p}
        deadline = time.monotonic() + timeout
        while True:
            table = _process_table()
            ignored = set() if everything else self._infrastructure(table)
            living = {}
            for pid in _descendants(table, os.getpid()):
                ppid, state, command = table[pid]
                if pid in ignored or pid in mine:
                    continue
                if state == "Z":
                    if ppid == os.getpid():
                        try:
                            os.waitpid(pid, os.WNOHANG)
                        except ChildProcessError:
                            pass
                    continue
                living[pid] = command
            if not living or time.monotonic() > deadline:
                return living
            time.sleep(0.1)

    @staticmethod
    def _kill(pid):
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
