#!/usr/bin/env python3
"""Monte Carlo study on Dask: soil parameters drawn from distributions, one analysis per
realisation, and the capacity at the pile tip summarised per method.

    python3 examples/python/monte_carlo.py                      # 1000 realisations, local cluster
    python3 examples/python/monte_carlo.py -n 100000 --scheduler tcp://head:8786

Each sand layer's friction angle is drawn from a normal distribution about its value (standard
deviation --phi-sd degrees, the same shift at the top and bottom of the layer), and each clay
layer's undrained and remolded shear strengths are multiplied by one lognormal factor of mean 1
and coefficient of variation --su-cov. Realisations are drawn here from one seed, so a study is
repeatable whatever the cluster.
"""

import argparse
import copy
import pathlib

import numpy as np

import vorne

HERE = pathlib.Path(__file__).resolve().parent
DEFAULT_PROJECT = HERE.parent / "steel_pipe_layered.vr6d"


def realisations(base, count, phi_sd, su_cov, seed):
    """count projects with the soil drawn at random."""
    rng = np.random.default_rng(seed)
    sigma = np.sqrt(np.log(1.0 + su_cov ** 2))
    projects = []
    for _ in range(count):
        project = copy.deepcopy(base)
        for layer in project["SoilLayers"]:
            if layer["SoilType"] == "sand":
                shift = rng.normal(0.0, phi_sd)
                for row in layer["LayerData"]:
                    row["FrictionAngle"] = float(np.clip(row["FrictionAngle"] + shift, 0.0, 50.0))
            else:
                factor = rng.lognormal(-0.5 * sigma ** 2, sigma)
                for row in layer["LayerData"]:
                    row["UndrainedShearStrength"] *= float(factor)
                    row["RemoldedShearStrength"] *= float(factor)
        projects.append(project)
    return projects


def tip_capacities(projects):
    """{method: [capacity at the tip, ...]} for a batch; a refused realisation gives NaN."""
    out = {}
    for k, project in enumerate(projects):
        try:
            capacities = vorne.run(project).tip_capacity()
        except vorne.InputError:
            capacities = {}
        for method, value in capacities.items():
            out.setdefault(method, [float("nan")] * len(projects))[k] = value
    return out


def run_study(projects, client=None, batch_size=50):
    """{method: numpy array of the tip capacity of every realisation}, in order."""
    batches = [projects[k:k + batch_size] for k in range(0, len(projects), batch_size)]
    if client is None:
        parts = [tip_capacities(b) for b in batches]
    else:
        parts = client.gather(client.map(tip_capacities, batches, pure=False))
    methods = sorted({m for part in parts for m in part})
    return {m: np.concatenate([np.asarray(part.get(m, [np.nan] * len(b)))
                               for part, b in zip(parts, batches)]) for m in methods}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--project", default=str(DEFAULT_PROJECT))
    parser.add_argument("-n", "--realisations", type=int, default=1000)
    parser.add_argument("--phi-sd", type=float, default=2.0, help="degrees")
    parser.add_argument("--su-cov", type=float, default=0.3)
    parser.add_argument("--seed", type=int, default=2014)
    parser.add_argument("--scheduler", help="address of a Dask scheduler; default a local cluster")
    parser.add_argument("--workers", type=int, default=2, help="workers of the local cluster")
    parser.add_argument("--serial", action="store_true", help="run here, without Dask")
    args = parser.parse_args()

    base = vorne.load(args.project)
    projects = realisations(base, args.realisations, args.phi_sd, args.su_cov, args.seed)
    client = None
    if not args.serial:
        from sweep import start_client  # examples/python/sweep.py, beside this script

        client = start_client(args.scheduler, args.workers)
    try:
        capacities = run_study(projects, client)
    finally:
        if client is not None:
            client.close()

    force = "kips" if base.get("UnitSystem", 1) == 1 else "kN"
    print(f"Capacity at the pile tip [{force}], {args.realisations} realisations")
    print(f"{'method':<12}{'mean':>10}{'std':>10}{'5%':>10}{'50%':>10}{'95%':>10}{'refused':>9}")
    for method, values in capacities.items():
        ok = values[np.isfinite(values)]
        p5, p50, p95 = np.percentile(ok, [5, 50, 95]) if ok.size else (np.nan,) * 3
        print(f"{method:<12}{ok.mean():>10.1f}{ok.std():>10.1f}{p5:>10.1f}{p50:>10.1f}"
              f"{p95:>10.1f}{values.size - ok.size:>9d}")


if __name__ == "__main__":
    main()
