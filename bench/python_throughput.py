#!/usr/bin/env python3
"""Analyses per second: the Python module in process (threads) against vorne batch processes on
the same variants, for a small example and the heavy benchmark project. A benchmark, never a
test: it prints its figures and the ratio beside the goal (5 times the process throughput for the
small example).

    PYTHONPATH=build/release/python python3 bench/python_throughput.py --bin build/release/bin

Each variant is the project with a slightly different pile length (all within the soil); the
batch runs the same variants saved as data files, with as many processes at a time as the module
has threads (--jobs, default the number of processors).
"""

import argparse
import concurrent.futures
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import vorne

HERE = pathlib.Path(__file__).resolve().parent
SMALL = HERE.parent / "examples" / "tension_pipe.vr6d"


def variants(base, count):
    out = []
    for k in range(count):
        project = dict(base)
        # Shorter by up to 1 %: the soil still reaches below the tip.
        project["PileLength"] = base["PileLength"] * (1.0 - 0.01 * k / count)
        out.append(project)
    return out


def module_rate(projects, threads):
    start = time.perf_counter()
    if threads == 1:
        for p in projects:
            vorne.run(p)
    else:
        with concurrent.futures.ThreadPoolExecutor(threads) as pool:
            list(pool.map(vorne.run, projects))
    return len(projects) / (time.perf_counter() - start)


def batch_rate(projects, runner, jobs, folder):
    paths = []
    for k, p in enumerate(projects):
        path = folder / f"v{k:05d}.vr6d"
        vorne.save(p, path)
        paths.append(str(path))
    start = time.perf_counter()
    subprocess.run([str(runner), "batch", *paths, "-j", str(jobs), "--output-dir",
                    str(folder / "out")], check=True, stdout=subprocess.DEVNULL)
    return len(projects) / (time.perf_counter() - start)


def measure(name, base, count, runner, jobs, repeats):
    projects = variants(base, count)
    vorne.run(projects[0])  # warm up
    with tempfile.TemporaryDirectory() as tmp:
        folder = pathlib.Path(tmp)
        batch = max(batch_rate(projects, runner, jobs, folder) for _ in range(repeats))
    serial = max(module_rate(projects, 1) for _ in range(repeats))
    threaded = max(module_rate(projects, jobs) for _ in range(repeats))
    print(f"{name:<8} {count:>6}  {serial:>14.1f}  {threaded:>14.1f}  {batch:>14.1f}"
          f"  {threaded / batch:>6.1f}x")
    return threaded / batch


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--bin", required=True, help="folder of vorne and vorne_heavy_project")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--small-count", type=int, default=400)
    parser.add_argument("--heavy-count", type=int, default=20)
    parser.add_argument("--repeats", type=int, default=3, help="best of this many")
    args = parser.parse_args()
    bin_dir = pathlib.Path(args.bin)
    runner = bin_dir / "vorne"

    print(f"analyses per second, best of {args.repeats}; {args.jobs} threads or processes")
    print(f"{'project':<8} {'runs':>6}  {'module 1 thr':>14}  {'module threads':>14}  "
          f"{'vorne batch':>14}  {'ratio':>7}")
    small = measure("small", vorne.load(SMALL), args.small_count, runner, args.jobs, args.repeats)
    with tempfile.TemporaryDirectory() as tmp:
        heavy_path = pathlib.Path(tmp) / "heavy"
        subprocess.run([str(bin_dir / "vorne_heavy_project"), str(heavy_path)], check=True)
        measure("heavy", vorne.load(heavy_path.with_suffix(".vr6d")), args.heavy_count, runner,
                args.jobs, args.repeats)
    print(f"goal: module at least 5x vorne batch for the small example: "
          f"{'met' if small >= 5.0 else 'not met'} ({small:.1f}x)")


if __name__ == "__main__":
    sys.exit(main())
