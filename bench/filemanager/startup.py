#!/usr/bin/env python3
"""Measures tavvel, pcmanfm and a bare gtkmm 4 window starting on the same folder, in
interleaved rounds with a fresh profile each, and prints medians and per-round ratios.
Run it through bench/filemanager/startup.sh, which builds the programs and provides the
virtual display and session bus."""

import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from rounds import fresh_profile_env, print_medians, print_ratios, round_order  # noqa: E402

FOLDER = "bench-startup-folder"
METRICS = [("map_ms", "start to window mapped (ms)"),
           ("title_ms", "start to title shown (ms)"),
           ("pss_mib", "PSS of all processes (MiB)")]


def probe(work, name, command, title):
    result = subprocess.run([f"{work}/probe", title, "1000", "--", *command],
                            env=fresh_profile_env(work, name), cwd=work, capture_output=True,
                            text=True, timeout=120)
    if result.returncode != 0:
        raise RuntimeError(f"{name}: {result.stderr.strip()}")
    map_ms, title_ms, pss_kib = result.stdout.split()
    return float(map_ms), float(title_ms), int(pss_kib) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--tavvel", required=True)
    parser.add_argument("--rounds", type=int, default=31)
    args = parser.parse_args()

    folder = os.path.join(args.work, FOLDER)
    os.mkdir(folder)
    for i in range(200):
        open(os.path.join(folder, f"file {i:03}.txt"), "w").close()
    for i in range(20):
        os.mkdir(os.path.join(folder, f"folder {i:02}"))
    # Each program with the text its title shows once the window is up.
    programs = {"tavvel": ([args.tavvel, folder], "File Manager"),
                "pcmanfm": (["pcmanfm", "--no-desktop", folder], FOLDER),
                "bare": ([f"{args.work}/bare_window"], "Bare Window")}

    # One unmeasured start of each warms the disk cache for all.
    for name, (command, title) in programs.items():
        probe(args.work, name, command, title)

    results = {name: {key: [] for key, _ in METRICS} for name in programs}
    names = list(programs)
    for round_index in range(args.rounds):
        for name in round_order(names, round_index):
            command, title = programs[name]
            values = probe(args.work, name, command, title)
            for (key, _), value in zip(METRICS, values):
                results[name][key].append(value)
            print(f"round {round_index + 1} {name:7}: mapped {values[0]:6.1f} ms, title "
                  f"{values[1]:6.1f} ms, PSS {values[2]:5.1f} MiB", flush=True)

    print_medians(results, names, METRICS, args.rounds, 30)
    print_ratios(results, (("tavvel", "pcmanfm"), ("tavvel", "bare"), ("pcmanfm", "bare")),
                 METRICS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
