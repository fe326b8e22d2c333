"""The Python module against the runner: every example gives the numbers of vorne run's plot data,
projects go to JSON and back exactly, input errors carry the engine's message, and threads give
the results of one run at a time."""

import concurrent.futures
import json
import os
import pathlib
import shutil
import subprocess

import numpy as np
import pytest

import vorne

SOURCE = pathlib.Path(os.environ["VORNE_SOURCE_DIR"])
RUNNER = pathlib.Path(os.environ["VORNE_BIN_DIR"]) / "vorne"
EXAMPLES = sorted((SOURCE / "examples").glob("*.vr6d"))


def copy_example(example, folder):
    target = folder / example.name
    shutil.copy(example, target)
    cpt = example.with_suffix(".cpt")
    if cpt.exists():
        shutil.copy(cpt, target.with_suffix(".cpt"))
    return target


def without_clock_and_paths(report):
    """The report without its date-and-time line and the private folder's paths."""
    return [line for line in report.splitlines() if "Date:" not in line and "vorne-" not in line]


def plot_capacity(path):
    """The capacity rows of a plot data file: {curve index: (5, rows) array}."""
    words = path.read_text().split()
    curves, rows = int(words[0]), int(words[1])
    values = np.array([float(w) for w in words[4:4 + curves * rows * 5]])
    return values.reshape(curves, rows, 5)


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.stem)
def test_example_gives_the_numbers_of_vorne_run(example, tmp_path):
    project = copy_example(example, tmp_path)
    before = sorted(os.listdir(tmp_path))
    result = vorne.run(project)
    # Nothing is written beside the project: no names file, no outputs.
    assert sorted(os.listdir(tmp_path)) == before

    out = subprocess.run([RUNNER, "run", project, "--json", "--output-dir", tmp_path / "out"],
                         capture_output=True, text=True, check=True)
    summary = json.loads(out.stdout)
    table = plot_capacity(tmp_path / "out" / (project.stem + ".vr6p"))
    assert list(result.capacity) == [m["name"] for m in summary["methods"]]
    for k, (name, columns) in enumerate(result.capacity.items()):
        for j, key in enumerate(("depth", "skin_friction", "tip", "total", "unit_skin_friction")):
            np.testing.assert_array_equal(columns[key], table[k, :, j], err_msg=f"{name} {key}")
    assert result.load_settlement["load"].tolist() == [p["load"] for p in summary["load_settlement"]]
    assert result.load_settlement["settlement"].tolist() == [
        p["settlement"] for p in summary["load_settlement"]]
    assert result.units == summary["units"]
    assert len(result.load_distribution) == 9
    assert "COMPUTATION RESULT" in result.report
    frame = result.to_pandas()
    assert len(frame) == sum(len(c["depth"]) for c in result.capacity.values())


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.stem)
def test_json_round_trip_is_exact(example, tmp_path):
    project = vorne.load(example)
    vorne.save(project, tmp_path / "p.json")
    assert vorne.load(tmp_path / "p.json") == project
    # The dict saved as a data file is the data file vorne convert writes.
    vorne.save(project, tmp_path / "p.vr6d")
    subprocess.run([RUNNER, "convert", example, "--output", tmp_path / "c.vr6d"], check=True)
    assert (tmp_path / "p.vr6d").read_bytes() == (tmp_path / "c.vr6d").read_bytes()
    assert (tmp_path / "p.cpt").read_bytes() == (tmp_path / "c.cpt").read_bytes()


def test_input_errors_name_the_cause(tmp_path):
    project = vorne.load(SOURCE / "examples" / "steel_pipe_layered.vr6d")
    shallow = json.loads(json.dumps(project))
    shallow["SoilLayers"][-1]["BottomDepth"] = 30.0
    del shallow["DeepestSoilDepth"]
    with pytest.raises(vorne.InputError, match="Soil layer 5, Depth at Bottom: 30 ft is above the pile tip plus two pile diameters"):
        vorne.run(shallow)
    misspelt = dict(project, PileLenght=70.0)
    with pytest.raises(vorne.InputError, match="PileLenght: unknown field"):
        vorne.run(misspelt)
    with pytest.raises(vorne.InputError, match="PileLength: a number was expected"):
        vorne.run(dict(project, PileLength="70"))
    with pytest.raises(vorne.InputError, match="PileLength: nan is not a number"):
        vorne.save(dict(project, PileLength=float("nan")), tmp_path / "x.json")
    with pytest.raises(vorne.InputError, match="no such file"):
        vorne.run(tmp_path / "missing.vr6d")
    # numpy numbers are project values like any other.
    assert vorne.run(dict(project, PileLength=np.float64(60.0), PileType=np.int64(1))) \
        .tip_capacity() == vorne.run(project).tip_capacity()


def test_cpt_points_replace_the_projects_own():
    path = SOURCE / "examples" / "steel_pipe_layered.vr6d"
    project = vorne.load(path)
    own = vorne.run(project)
    doubled = vorne.run(project, cpt=[(d, 2.0 * qc) for d, qc in project["CptPoints"]])
    same = vorne.run(project, cpt=path.with_suffix(".cpt"))
    assert same.tip_capacity() == own.tip_capacity()
    assert own.report != doubled.report


def test_eight_threads_give_the_results_of_one_at_a_time():
    base = [vorne.load(p) for p in EXAMPLES]
    projects = []
    for k in range(16):
        p = json.loads(json.dumps(base[k % len(base)]))
        p["PrintIncrement"] = 1 + k % 3
        projects.append(p)
    serial = [vorne.run(p) for p in projects]
    with concurrent.futures.ThreadPoolExecutor(8) as pool:
        parallel = list(pool.map(vorne.run, projects))
    for one, other in zip(serial, parallel):
        assert list(one.capacity) == list(other.capacity)
        for name in one.capacity:
            for key, values in one.capacity[name].items():
                np.testing.assert_array_equal(values, other.capacity[name][key])
        np.testing.assert_array_equal(one.load_settlement["settlement"],
                                      other.load_settlement["settlement"])
        assert without_clock_and_paths(one.report) == without_clock_and_paths(other.report)
