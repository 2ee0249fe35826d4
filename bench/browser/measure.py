#!/usr/bin/env python3
"""Measures korvo, surf and the bare GTK 4 + WebKit window in interleaved rounds, each
run in a fresh profile against pages served on loopback, and prints medians and
per-round ratios. Run it through bench/browser/run, which builds the programs and
provides the virtual display.

Each round also measures the CPU that korvo's UI process spends while a page load is
held open by the server (korvo polls the view every 5 ms until it is idle), with surf's
for reference, as a percentage of one core."""

import argparse
import functools
import http.server
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from rounds import fresh_profile_env, print_medians, print_ratios, round_order  # noqa: E402

LIGHT_TITLE = "Bench Light Page"
HEAVY_TITLE = "Bench Heavy Page"
METRICS = [("map_ms", "start to window mapped (ms)"),
           ("title_ms", "start to page title shown (ms)"),
           ("pss_mib", "PSS of all processes, heavy page (MiB)")]


def write_pages(folder):
    with open(os.path.join(folder, "light.html"), "w") as page:
        page.write(f"<!DOCTYPE html><html><head><meta charset='utf-8'><title>{LIGHT_TITLE}"
                   "</title></head><body><h1>Light</h1><p>A small page.</p></body></html>")
    # About 1 MB in 20,000 elements.
    rows = "".join(f"<div class='r'>Row {i}: some ordinary text to lay out and paint.</div>\n"
                   for i in range(20000))
    with open(os.path.join(folder, "heavy.html"), "w") as page:
        page.write(f"<!DOCTYPE html><html><head><meta charset='utf-8'><title>{HEAVY_TITLE}"
                   "</title><style>.r{padding:1px;border-bottom:1px solid #ddd}</style></head>"
                   f"<body>{rows}</body></html>")


# The held page: its head arrives at once, the rest only after HOLD_S seconds. The CPU
# is measured from SETTLE_S to HOLD_S - 1 seconds after the request came in.
HOLD_S = 6.0
SETTLE_S = 1.0
held_request = threading.Event()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path != "/held.html":
            return super().do_GET()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.end_headers()
        self.wfile.write(b"<!DOCTYPE html><html><head><title>Bench Held Page</title></head><body>")
        self.wfile.flush()
        held_request.set()
        time.sleep(HOLD_S)
        try:
            self.wfile.write(b"<p>Held.</p></body></html>")
        except OSError:
            pass  # the program measured has already been closed


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}"


def probe(build, profiles, name, command, title, settle_ms):
    result = subprocess.run([f"{build}/probe", title, str(settle_ms), "--", *command],
                            env=fresh_profile_env(profiles, name), capture_output=True, text=True,
                            timeout=120)
    if result.returncode != 0:
        raise RuntimeError(f"{name}: {result.stderr.strip()}")
    map_ms, title_ms, pss_kib = result.stdout.split()
    return float(map_ms), float(title_ms), int(pss_kib) / 1024


def process_tree(root):
    """The process and every descendant, found through each process's parent."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                parent = int(stat.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(parent, []).append(int(entry))
    tree = [root]
    for pid in tree:
        tree.extend(children.get(pid, []))
    return tree


def cpu_seconds(pid):
    """utime + stime of one process, in seconds."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def held_load_cpu(profiles, name, command, site):
    """Percent of a core that the program's own process uses while a load is held open."""
    held_request.clear()
    process = subprocess.Popen(command + [f"{site}/held.html"], start_new_session=True,
                               env=fresh_profile_env(profiles, name), stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        if not held_request.wait(60):
            raise RuntimeError(f"{name}: the held page was never asked for")
        arrived = time.monotonic()
        time.sleep(SETTLE_S)
        start_cpu, start = cpu_seconds(process.pid), time.monotonic()
        time.sleep(arrived + HOLD_S - 1 - time.monotonic())
        end_cpu, end = cpu_seconds(process.pid), time.monotonic()
        return 100 * (end_cpu - start_cpu) / (end - start)
    finally:
        tree = process_tree(process.pid)
        for pid in tree:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()

    programs = {"korvo": [f"{args.build}/tree/browser/korvo"], "surf": ["surf"],
                "bare": [f"{args.build}/bare_window"]}
    work = tempfile.mkdtemp(prefix="korvo-bench-")
    write_pages(work)
    site = serve(work)
    profiles = os.path.join(work, "profiles")
    os.mkdir(profiles)

    # One unmeasured start of each warms the disk cache for all.
    for name, command in programs.items():
        probe(args.build, profiles, name, command + [f"{site}/light.html"], LIGHT_TITLE, 0)

    results = {name: {key: [] for key, _ in METRICS} for name in programs}
    held_cpu = {"korvo": [], "surf": []}
    names = list(programs)
    for round_index in range(args.rounds):
        for name in round_order(names, round_index):
            command = programs[name]
            map_ms, title_ms, _ = probe(args.build, profiles, name,
                                        command + [f"{site}/light.html"], LIGHT_TITLE, 0)
            _, _, pss_mib = probe(args.build, profiles, name, command + [f"{site}/heavy.html"],
                                  HEAVY_TITLE, 1000)
            for key, value in (("map_ms", map_ms), ("title_ms", title_ms), ("pss_mib", pss_mib)):
                results[name][key].append(value)
            held = ""
            if name in held_cpu:
                held_cpu[name].append(held_load_cpu(profiles, name, command, site))
                held = f", CPU during a held load {held_cpu[name][-1]:4.1f}%"
            print(f"round {round_index + 1} {name:5}: mapped {map_ms:7.1f} ms, title "
                  f"{title_ms:7.1f} ms, PSS {pss_mib:6.1f} MiB{held}", flush=True)

    print_medians(results, names, METRICS, args.rounds, 42)
    print(f"{'UI process CPU, page load held (% core)':42}"
          + "".join(f"{statistics.median(held_cpu[name]):10.1f}" if name in held_cpu
                    else f"{'-':>10}" for name in names))

    print_ratios(results, (("korvo", "surf"), ("korvo", "bare"), ("surf", "bare")), METRICS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
