#!/usr/bin/python3
"""Runs end-to-end journeys, each in a process of its own (the accessibility library
binds a process to one accessibility bus, and every journey has its own).

  run_journey.py test_korvo.KorvoJourneys.test_browse_a_site   one journey, here
  run_journey.py                                               every journey, one by one

The programs come from E2E_KORVO, E2E_TAVVEL and E2E_SYSINFO; screenshots of failed
steps go to E2E_ARTIFACTS.
"""

import os
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
MODULES = ("test_korvo", "test_tavvel", "test_startup")


def journeys():
    loader = unittest.defaultTestLoader
    names = []
    for module in MODULES:
        suite = loader.loadTestsFromName(module)
        stack = [suite]
        while stack:
            item = stack.pop(0)
            if isinstance(item, unittest.TestSuite):
                stack.extend(item)
            else:
                names.append(item.id())
    return names


def main(argv):
    sys.path.insert(0, HERE)
    sys.dont_write_bytecode = True
    if len(argv) == 2:
        suite = unittest.defaultTestLoader.loadTestsFromName(argv[1])
        result = unittest.TextTestRunner(verbosity=2).run(suite)
        return 0 if result.wasSuccessful() else 1
    failed = []
    for name in journeys():
        started = time.monotonic()
        code = subprocess.call([sys.executable, os.path.abspath(__file__), name])
        print(f"{name}: {'ok' if code == 0 else 'FAILED'} in {time.monotonic() - started:.1f} s",
              flush=True)
        if code:
            failed.append(name)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
