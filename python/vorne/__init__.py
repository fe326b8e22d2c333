"""VORNE in Python: projects as dicts, analyses in process.

    import vorne
    project = vorne.load("examples/steel_pipe_layered.vr6d")   # the JSON form as a dict
    project["PileLength"] = 70.0
    result = vorne.run(project)
    result.capacity["API"]["total"][-1]                           # capacity at the pile tip
    result.to_pandas()                                           # the capacity tables

Fields, units and rules of the project dict are those of the JSON form (docs/project_json.md).
Runs release the interpreter lock, so threads run analyses side by side.
"""

import json
import math
import os

from ._vorne import InputError
from . import _vorne

__all__ = ["InputError", "Result", "load", "save", "run"]


def _plain(value):
    # numpy scalars and arrays inside a project dict become plain numbers and lists.
    if hasattr(value, "tolist"):
        return value.tolist()
    if hasattr(value, "item"):
        return value.item()
    raise TypeError(f"{type(value).__name__} is not a project value")


def _non_finite(value, path=""):
    # The path of the first NaN or infinity in the project, or None.
    if isinstance(value, dict):
        items = ((f"{path}.{key}" if path else str(key), v) for key, v in value.items())
    elif isinstance(value, (list, tuple)):
        items = ((f"{path}[{k}]", v) for k, v in enumerate(value))
    else:
        try:
            return None if math.isfinite(value) else (path, value)
        except TypeError:
            return None
    for inner_path, inner in items:
        found = _non_finite(inner, inner_path)
        if found:
            return found
    return None


def _project_json(project):
    if not isinstance(project, dict):
        raise InputError("a project is a dict of the JSON form (vorne.load gives one)")
    found = _non_finite(project)
    if found:
        raise InputError(f"{found[0]}: {found[1]} is not a number a project can hold")
    try:
        return json.dumps(project, allow_nan=False, default=_plain)
    except (TypeError, ValueError) as error:
        raise InputError(f"the project cannot be written as JSON: {error}") from None


def load(path):
    """The project at path (.vr6d with its .cpt side file, older .vrd, or .json) as a dict."""
    return json.loads(_vorne.load_json(os.fspath(path)))


def save(project, path):
    """Saves the project dict as path: .vr6d (and its .cpt side file) or .json."""
    _vorne.save_json(_project_json(project), os.fspath(path))


class Result:
    """The results of one analysis.

    status: 0 (a run stopped by an input check raises InputError instead);
    messages: warnings of the run (e.g. the soil ends above the depth the engine wants);
    capacity: {method name: {"depth", "unit_skin_friction", "skin_friction", "tip", "total"}},
      numpy arrays of the printed capacity table, keyed by the method names of the runner's
      --json summary ("FHWA", "USACE", "Lambda", "API", "NGI", "MTD", "FUGRO", "UWA", and the
      curve name of the user-given unit load transfers); capacity.keys() lists those of the run;
    tz_curves, extra_tz_curves: lists of {"depth", "z", "t"};
    qw_curve: {"tip_load", "tip_movement"}; load_settlement: {"load", "settlement"};
    load_distribution: one {"load", "depth"} per load step;
    units ("English" or "SI"), unit_names, loading, load_transfer_method, report (its text).
    """

    def __init__(self, data):
        self.__dict__.update(data)

    def __repr__(self):
        methods = ", ".join(self.capacity)
        return f"<vorne.Result {self.units} units, methods {methods}>"

    def tip_capacity(self):
        """{method name: total capacity at the pile tip}."""
        return {name: float(table["total"][-1]) for name, table in self.capacity.items()}

    def to_pandas(self, table="capacity"):
        """A pandas DataFrame: "capacity" (one row per method and depth), "load_settlement" or
        "qw_curve"."""
        import pandas

        if table == "capacity":
            frames = []
            for name, columns in self.capacity.items():
                frame = pandas.DataFrame({key: columns[key] for key in
                                          ("depth", "unit_skin_friction", "skin_friction",
                                           "tip", "total")})
                frame.insert(0, "method", name)
                frames.append(frame)
            if not frames:
                return pandas.DataFrame(columns=["method", "depth", "unit_skin_friction",
                                                 "skin_friction", "tip", "total"])
            return pandas.concat(frames, ignore_index=True)
        if table in ("load_settlement", "qw_curve"):
            return pandas.DataFrame(getattr(self, table))
        raise ValueError(f"no table {table!r}; capacity, load_settlement or qw_curve")


def run(project_or_path, cpt=None):
    """Analyses a project dict, or the project file at a path, in process and returns a Result.

    cpt: None (the project's own CPT points), a sequence of (depth, qc) pairs in the project's
    units, or the path of a CPT side file (.cpt) to use in place of the project's. Nothing is
    written beside the project: the run works in a private temporary folder. Raises InputError
    with the engine's message when an input check stops the run or the project is bad.
    """
    cpt_points = None
    cpt_file = ""
    if isinstance(cpt, (str, os.PathLike)):
        cpt_file = os.fspath(cpt)
    elif cpt is not None:
        try:
            cpt_points = [(float(depth), float(qc)) for depth, qc in cpt]
        except (TypeError, ValueError):
            raise InputError("cpt: a sequence of (depth, qc) pairs or a CPT file was expected") from None
    if isinstance(project_or_path, (str, os.PathLike)):
        data = _vorne.run(os.fspath(project_or_path), "", cpt_points, cpt_file)
    else:
        data = _vorne.run("", _project_json(project_or_path), cpt_points, cpt_file)
    return Result(data)
