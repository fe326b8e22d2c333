#!/usr/bin/env python3
"""Parameter sweep on Dask: the capacity at the pile tip over a grid of pile lengths and outside
diameters, one analysis per variant, in process on the workers.

    python3 examples/python/sweep.py                       # a local cluster of two workers
    python3 examples/python/sweep.py --scheduler tcp://head:8786 --lengths 40:70:61
    python3 examples/python/sweep.py --serial              # no Dask: one analysis after another

Every worker needs the module vorne (README, "Python module"). The base project is varied as a
dict (docs/project_json.md); the wall thickness is kept as the diameter changes.
"""

import argparse
import copy
import pathlib

import numpy as np

import vorne

HERE = pathlib.Path(__file__).resolve().parent
DEFAULT_PROJECT = HERE.parent / "steel_pipe_layered.vr6d"


def grid(text):
    """"START:STOP:COUNT" as COUNT evenly spaced values."""
    start, stop, count = text.split(":")
    return np.linspace(float(start), float(stop), int(count))


def variants(base, lengths, diameters):
    """One project per (length, diameter), the wall thickness of the base project kept; extra t-z
    depths below a shorter pile's tip are left out (a run refuses them)."""
    wall = base["OutsideDiameter"] - base["InsideDiameter"]
    projects = []
    for length in lengths:
        for diameter in diameters:
            project = copy.deepcopy(base)
            project["PileLength"] = float(length)
            project["OutsideDiameter"] = float(diameter)
            if base["InsideDiameter"] > 0.0:
                project["InsideDiameter"] = float(diameter) - wall
            embedded = float(length) - base["StickupLength"]
            project["TzDepths"] = [row for row in base.get("TzDepths", [])
                                   if row["Depth"] <= embedded]
            project["Title"] = f"{base['Title']} (L {length:g}, OD {diameter:g})"
            projects.append(project)
    return projects


def analyse_batch(projects):
    """Rows of (length, diameter, method, tip capacity) for a batch of projects; a project the
    engine refuses gives its message instead of a capacity."""
    rows = []
    for project in projects:
        key = (project["PileLength"], project["OutsideDiameter"])
        try:
            result = vorne.run(project)
        except vorne.InputError as error:
            rows.append((*key, "refused", float("nan"), str(error)))
            continue
        for method, table in result.capacity.items():
            rows.append((*key, method, float(table["total"][-1]), ""))
    return rows


def batches(items, size):
    return [items[k:k + size] for k in range(0, len(items), size)]


def run_sweep(projects, client=None, batch_size=20):
    """The rows of every project, in order: on the Dask client's workers (a task per batch, so
    that scheduling costs little beside the analyses), or here when client is None."""
    if client is None:
        return analyse_batch(projects)
    futures = client.map(analyse_batch, batches(projects, batch_size), pure=False)
    return [row for rows in client.gather(futures) for row in rows]


def start_client(scheduler=None, workers=2):
    """A client of the scheduler at that address, or of a new local cluster."""
    from dask.distributed import Client, LocalCluster

    if scheduler:
        return Client(scheduler)
    cluster = LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                           dashboard_address=None)
    return Client(cluster)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--project", default=str(DEFAULT_PROJECT))
    parser.add_argument("--lengths", type=grid, default=grid("40:70:7"), help="START:STOP:COUNT")
    parser.add_argument("--diameters", type=grid, default=grid("18:30:4"), help="START:STOP:COUNT")
    parser.add_argument("--scheduler", help="address of a Dask scheduler; default a local cluster")
    parser.add_argument("--workers", type=int, default=2, help="workers of the local cluster")
    parser.add_argument("--serial", action="store_true", help="run here, without Dask")
    parser.add_argument("--csv", help="also write the table to this file")
    args = parser.parse_args()

    base = vorne.load(args.project)
    projects = variants(base, args.lengths, args.diameters)
    client = None if args.serial else start_client(args.scheduler, args.workers)
    try:
        rows = run_sweep(projects, client)
    finally:
        if client is not None:
            client.close()

    import pandas

    frame = pandas.DataFrame(rows, columns=["length", "diameter", "method", "tip_capacity",
                                            "message"])
    force = "kips" if base.get("UnitSystem", 1) == 1 else "kN"
    table = frame[frame.method != "refused"].pivot_table(
        index="length", columns=["method", "diameter"], values="tip_capacity")
    print(f"Capacity at the pile tip [{force}] by pile length (rows) and outside diameter "
          f"(columns), {len(projects)} analyses")
    print(table.round(1).to_string())
    refused = frame[frame.method == "refused"]
    for row in refused.itertuples():
        print(f"L {row.length:g}, OD {row.diameter:g}: {row.message}")
    if args.csv:
        frame.to_csv(args.csv, index=False)


if __name__ == "__main__":
    main()
