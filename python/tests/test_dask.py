"""The sweep of examples/python on a local Dask cluster of two workers gives the serial results."""

import os
import pathlib
import sys

import numpy as np
import pytest

import vorne

SOURCE = pathlib.Path(os.environ["VORNE_SOURCE_DIR"])
EXAMPLE_SCRIPTS = SOURCE / "examples" / "python"
distributed = pytest.importorskip("distributed")


@pytest.fixture(scope="module")
def client():
    # The workers import the sweep's functions by name, as this process does.
    sys.path.insert(0, str(EXAMPLE_SCRIPTS))
    os.environ["PYTHONPATH"] = os.pathsep.join(
        [str(EXAMPLE_SCRIPTS), os.environ.get("PYTHONPATH", "")])
    cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                       dashboard_address=None)
    with distributed.Client(cluster) as c:
        yield c
    cluster.close()


def test_200_variant_sweep_equals_the_serial_results(client):
    import sweep

    base = vorne.load(SOURCE / "examples" / "steel_pipe_layered.vr6d")
    projects = sweep.variants(base, np.linspace(40, 70, 20), np.linspace(18, 30, 10))
    assert len(projects) == 200
    on_cluster = sweep.run_sweep(projects, client, batch_size=7)
    assert on_cluster == sweep.run_sweep(projects)
    assert len({row[:2] for row in on_cluster}) == 200


def test_monte_carlo_on_the_cluster_equals_the_serial_study(client):
    import monte_carlo

    base = vorne.load(SOURCE / "examples" / "steel_pipe_layered.vr6d")
    projects = monte_carlo.realisations(base, 60, 2.0, 0.3, seed=7)
    on_cluster = monte_carlo.run_study(projects, client, batch_size=16)
    serial = monte_carlo.run_study(projects)
    assert on_cluster.keys() == serial.keys()
    for method in serial:
        np.testing.assert_array_equal(on_cluster[method], serial[method])
    assert np.std(serial["API"]) > 0.0
