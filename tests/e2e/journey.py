"""The base of every end-to-end journey: a fresh private desktop per journey, the
programs under test named by the environment, and an end that proves the journey left
no process and no temporary folder behind.

One journey runs per process (run_journey.py sees to that): the accessibility library
binds a process to the first accessibility bus it meets.
"""

import functools
import glob
import importlib
import os
import subprocess
import sys
import unittest

from gi.repository import GLib

from desktop import Desktop


def program(variable):
    """The built program that the variable names (set by the test registration)."""
    path = os.environ.get(variable, "")
    if not os.access(path, os.X_OK):
        raise AssertionError(f"{variable} does not name a built program ({path!r})")
    return path


def journey(method):
    """Marks a journey: a failure it did not describe itself still gets a screenshot."""

    @functools.wraps(method)
    def run(self):
        try:
            method(self)
        except Exception as error:  # noqa: BLE001 - re-raised with the screenshot added
            self.journey_failed = True
            if getattr(self, "ui", None) is None or self.ui.failure_shot:
                raise
            shot = self.ui.screenshot(method.__name__)
            raise AssertionError(f"{error}; screenshot: {shot}") from error

    return run


class Journey(unittest.TestCase):
    ui = None
    journey_failed = False
    # Whether the journey's desktop runs a window manager (openbox); without one, every
    # window stands exactly where it asks to.
    window_manager = False

    def setUp(self):
        artifacts = os.environ.get("E2E_ARTIFACTS") or os.path.join(os.getcwd(), "e2e-artifacts")
        self.desktop = Desktop(artifacts, self.id().rsplit(".", 1)[-1], self.window_manager)
        self.addCleanup(self._end_desktop)
        self.desktop.start()
        self.ui = importlib.import_module("ui").Ui(self.desktop)

    def _end_desktop(self):
        folder = self.desktop.root
        # A program that ended on its own (a crash, a sanitizer's report) said why in
        # its log, which goes with the desktop.
        if self.journey_failed and folder:
            for log in sorted(glob.glob(os.path.join(folder, "runtime", "*.log"))):
                program = os.path.basename(log).removesuffix(".log")
                if tail := self.desktop.program_log(program)[-4000:]:
                    print(f"--- end of {program}'s log ---\n{tail}", file=sys.stderr)
        problems = self.desktop.stop()
        if folder and os.path.exists(folder):
            problems.append(f"temporary folder left behind: {folder}")
        # After a failed step the programs are still open by design; the failure
        # already says what went wrong.
        if problems and not self.journey_failed:
            self.fail("the journey did not end cleanly: " + "; ".join(problems))

    # Shared steps -----------------------------------------------------------------

    def close_window(self, window):
        """Closes a window as its close button would. A program whose last window it is
        may end before it answers the bus; wait_exit then says how it ended."""
        try:
            self.ui.act(window, "window.close")
        except GLib.Error as error:
            if "disconnected" not in str(error):
                raise

    def wait_exit(self, process, what, timeout=20):
        try:
            code = process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.ui.fail(f"waited {timeout} s for {what} to end after its last window closed")
        self.assertEqual(code, 0, f"{what} ended with status {code}:\n"
                         + self.desktop.program_log(process.args[0])[-2000:])
