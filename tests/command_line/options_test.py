#!/usr/bin/python3
"""The programs' options, answered on the terminal: each row runs a built program as a
real process with no display at all and checks its exit status and what it printed.

  options_test.py KORVO TAVVEL SYSINFO VERSION
"""

import os
import subprocess
import sys
import unittest

PROGRAMS = {}
VERSION = ""


class Options(unittest.TestCase):
    def test_answered_without_a_display(self):
        rows = [
            # program, arguments, exit status, stream, text printed
            ("korvo", ["--version"], 0, "stdout", f"korvo {VERSION}\n"),
            ("tavvel", ["--version"], 0, "stdout", f"tavvel {VERSION}\n"),
            ("korvo-sysinfo", ["--version"], 0, "stdout", f"korvo-sysinfo {VERSION}\n"),
            ("korvo", ["--help"], 0, "stdout", "korvo [OPTION…] [ADDRESS…]"),
            ("tavvel", ["--help"], 0, "stdout", "tavvel [OPTION…] [FOLDER]"),
            ("korvo", ["--no-such-option"], 1, "stderr", "Unknown option --no-such-option"),
            ("tavvel", ["/no/such/folder"], 1, "stderr", "tavvel: cannot open /no/such/folder"),
            ("tavvel", ["/", "/tmp"], 1, "stderr", "tavvel: give one folder at most"),
            ("korvo-sysinfo", ["x"], 1, "stderr", "korvo-sysinfo: takes no arguments"),
        ]
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        for program, arguments, status, stream, text in rows:
            with self.subTest(program=program, arguments=arguments):
                done = subprocess.run([PROGRAMS[program], *arguments], env=env,
                                      capture_output=True, text=True, timeout=30)
                self.assertEqual(done.returncode, status, done.stderr)
                self.assertIn(text, getattr(done, stream))


if __name__ == "__main__":
    korvo, tavvel, sysinfo, VERSION = sys.argv[1:5]
    PROGRAMS.update({"korvo": korvo, "tavvel": tavvel, "korvo-sysinfo": sysinfo})
    unittest.main(argv=sys.argv[:1])
