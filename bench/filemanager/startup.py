#!/usr/bin/env python3
"""Measures tavvel, pcmanfm and a bare gtkmm 4 window starting on the same folder, in
interleaved rounds with a fresh profile each, and prints medians and per-round ratios.
Run it through bench/filemanager/startup.sh, which builds the programs and provides the
virtual display and session bus."""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile

FOLDER = "bench-startup-folder"
METRICS = [("map_ms", "start to window mapped (ms)"),
           ("title_ms", "start to title shown (ms)"),
           ("pss_mib", "PSS of all processes (MiB)")]


def fresh_profile_env(base, name):
    home = tempfile.mkdtemp(prefix=f"{name}-", dir=base)
    env = dict(os.environ)
    env.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
               XDG_CACHE_HOME=f"{home}/.cache")
    return env


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
    parser.add_argument("--rounds", type=int, default=9)
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
        # Each round starts with another program, so none always goes first.
        order = names[round_index % len(names):] + names[:round_index % len(names)]
        for name in order:
            command, title = programs[name]
            values = probe(args.work, name, command, title)
            for (key, _), value in zip(METRICS, values):
                results[name][key].append(value)
            print(f"round {round_index + 1} {name:7}: mapped {values[0]:6.1f} ms, title "
                  f"{values[1]:6.1f} ms, PSS {values[2]:5.1f} MiB", flush=True)

    print(f"\nMedians over {args.rounds} rounds:")
    print(f"{'':30}" + "".join(f"{name:>10}" for name in names))
    for key, label in METRICS:
        print(f"{label:30}" + "".join(f"{statistics.median(results[name][key]):10.1f}"
                                      for name in names))
    print("\nPer-round ratios (at or below 1.00 means the first is as good or better):")
    for first, second in (("tavvel", "pcmanfm"), ("tavvel", "bare"), ("pcmanfm", "bare")):
        for key, _ in METRICS:
            ratios = [a / b for a, b in zip(results[first][key], results[second][key])]
            print(f"  {first}/{second} {key:8}: median {statistics.median(ratios):.2f}  rounds "
                  + " ".join(f"{r:.2f}" for r in ratios))
    return 0


if __name__ == "__main__":
    sys.exit(main())
