"""What the benchmarks that start programs share: a fresh profile for each start, the
order of a round, and the per-round ratios they print."""

import os
import random
import statistics
import tempfile


def fresh_profile_env(base, name):
    """The environment of one start: a home and XDG folders of its own, under base."""
    home = tempfile.mkdtemp(prefix=f"{name}-", dir=base)
    env = dict(os.environ)
    env.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
               XDG_CACHE_HOME=f"{home}/.cache")
    return env


def round_order(names, round_index):
    """Each round starts with another program, so none always goes first."""
    start = round_index % len(names)
    return names[start:] + names[:start]


def print_medians(results, names, metrics, rounds, width):
    """A table of each metric's median for each program; labels take width columns."""
    print(f"\nMedians over {rounds} rounds:")
    print(f"{'':{width}}" + "".join(f"{name:>10}" for name in names))
    for key, label in metrics:
        print(f"{label:{width}}" + "".join(f"{statistics.median(results[name][key]):10.1f}"
                                           for name in names))


def median_interval(values, resamples=2000):
    """Where the median of values lies with 95 % confidence, judged from the spread of
    these values alone (bootstrap, fixed seed)."""
    draw = random.Random(0)
    medians = sorted(statistics.median(draw.choices(values, k=len(values)))
                     for _ in range(resamples))
    return medians[int(resamples * 0.025)], medians[int(resamples * 0.975) - 1]


def print_ratios(results, pairs, metrics):
    """The median, its 95 % interval and every round's ratio of each metric for each pair
    of programs."""
    print("\nPer-round ratios (at or below 1.00 means the first is as good or better):")
    for first, second in pairs:
        for key, _ in metrics:
            ratios = [a / b for a, b in zip(results[first][key], results[second][key])]
            low, high = median_interval(ratios)
            print(f"  {first}/{second} {key:9}: median {statistics.median(ratios):.2f} "
                  f"({low:.2f}-{high:.2f})  rounds " + " ".join(f"{r:.2f}" for r in ratios))
