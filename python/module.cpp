// The compiled part of the Python module vorne: projects to and from their JSON form, and one
// analysis in process through the run service of the runner (app/analysis_run.h) on the engine
// core, in a private temporary folder, with the interpreter lock released while it runs. The
// Python side (vorne/__init__.py) turns the results into numpy arrays.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/analysis_run.h"
#include "app/engine_in_process.h"
#include "app/project_check.h"
#include "app/project_json.h"
#include "base/atomic_file.h"
#include "base/io_error.h"
#include "plot/graph_plot.h"

namespace py = pybind11;
using namespace vorne;

namespace {

// A failed input check or a project that cannot be read: vorne.InputError in Python.
struct InputError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The run could not be made (no temporary folder, a file that cannot be written): RuntimeError.
struct RunFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

QString qstr(const std::string& text) { return QString::fromStdString(text); }

std::string failureText(const EInOutError& error, const QString& fallbackFile) {
  const QString file = error.fileName().isEmpty() ? fallbackFile : error.fileName();
  return (file.isEmpty() ? error.message() : file + QStringLiteral(": ") + error.message())
      .toStdString();
}

std::string loadJson(const std::string& path) {
  TProgramData project;
  try {
    openAnyProject(project, qstr(path));
  } catch (const EInOutError& error) {
    throw InputError(failureText(error, qstr(path)));
  }
  return projectJson(project).toStdString();
}

void saveJson(const std::string& json, const std::string& path) {
  TProgramData project;
  const QString target = QFileInfo(qstr(path)).absoluteFilePath();
  try {
    readProjectJson(project, QByteArray::fromStdString(json));
  } catch (const EInOutError& error) {
    throw InputError(failureText(error, {}));
  }
  try {
    if (isProjectJson(target)) {
      writeFileAtomically(target, projectJson(project));
    } else {
      if (QFileInfo(target).suffix().compare(QLatin1String("vrd"), Qt::CaseInsensitive) == 0)
        throw InputError(path + ": projects are saved in the current layout (.vr6d) or as .json");
      project.setFileName(target);
      project.save();
    }
  } catch (const EInOutError& error) {
    throw RunFailure(failureText(error, target));
  }
}

// One curve as two columns.
struct Curve {
  std::vector<double> x;
  std::vector<double> y;
};

Curve curveOf(const TLine& line) {
  Curve c;
  for (const TFloatPoint& p : line.Points) {
    c.x.push_back(p.X);
    c.y.push_back(p.Y);
  }
  return c;
}

// Everything a run gives, gathered while the interpreter lock is released.
struct RunOutput {
  int status = 0;
  std::vector<std::string> messages;
  int units = 1;
  bool tension = false;
  std::string loadTransferMethod;
  struct Method {
    std::string name;
    int methodId = 0;
    Curve unitSkin, skin, tip, total;
  };
  std::vector<Method> methods;
  struct Tz {
    std::string name;
    Curve curve;
  };
  std::vector<Tz> tzCurves, extraTzCurves;
  std::vector<Curve> loadDistribution;
  Curve loadSettlement, qw;
  std::vector<std::pair<std::string, std::string>> unitNames;
  std::string report;
};

std::string readText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// path: a project file (empty: json holds the project). cptPoints replace the project's CPT
// points; cptFile (a CPT side file) replaces its side file.
// Where the private folders go: TMPDIR when the user set it, else the memory-backed /dev/shm when
// it can be written (creating and removing a handful of small files per analysis costs more than
// the analysis on a disk file system, and serialises threads in its journal), else the system's
// temporary folder.
QString privateRoot() {
  static const QString root = [] {
    if (!qEnvironmentVariableIsEmpty("TMPDIR")) return QDir::tempPath();
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) return shm.absoluteFilePath();
    return QDir::tempPath();
  }();
  return root;
}

RunOutput runProject(const std::string& path,
                     const std::string& json,
                     const std::optional<std::vector<std::pair<double, double>>>& cptPoints,
                     const std::string& cptFile) {
  QTemporaryDir folder(privateRoot() + QStringLiteral("/vorne-py-XXXXXX"));
  if (!folder.isValid())
    throw RunFailure("no private temporary folder: " + folder.errorString().toStdString());
  TProgramData project;
  const QString given = path.empty() ? QString() : QFileInfo(qstr(path)).absoluteFilePath();
  try {
    if (given.isEmpty()) {
      readProjectJson(project, QByteArray::fromStdString(json));
    } else {
      if (!QFileInfo(given).isFile()) throw InputError(path + ": no such file");
      openAnyProject(project, given);
    }
  } catch (const EInOutError& error) {
    throw InputError(failureText(error, given));
  }
  const QString base =
      given.isEmpty() ? QStringLiteral("project") : QFileInfo(given).completeBaseName();
  const bool asOnDisk =
      !given.isEmpty() && !isProjectJson(given) &&
      QFileInfo(given).suffix().compare(QLatin1String("vr6d"), Qt::CaseInsensitive) == 0 &&
      !cptPoints && cptFile.empty();
  if (asOnDisk) {
    // A data file runs as it is on disk, as vorne run runs it; only the outputs go elsewhere.
    project.setFileName(given);
  } else {
    if (cptPoints) {
      project.CptPoints.clear();
      for (const auto& [depth, qc] : *cptPoints) project.CptPoints.push_back({depth, qc});
    }
    project.setFileName(folder.filePath(base + QStringLiteral(".vr6d")));
    try {
      // The private folder lives for this call only: plain writes, without the synced
      // replacement that protects a user's files.
      for (const auto& [name, text] : {std::pair{project.fileName(), project.dataFileText()},
                                       std::pair{project.cptFileName(), project.cptFileText()}}) {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush())
          throw EInOutError(file.errorString(), name);
      }
      if (!cptFile.empty()) {
        QFile side(qstr(cptFile));
        if (!side.open(QIODevice::ReadOnly))
          throw InputError(cptFile + ": " + side.errorString().toStdString());
        writeFileAtomically(project.cptFileName(), side.readAll());
      }
    } catch (const EInOutError& error) {
      throw RunFailure(failureText(error, project.fileName()));
    }
  }

  TMainGraphs graphs;
  AnalysisRunOptions options;
  options.saveFirst = false;
  options.outputFolder = folder.path();
  options.engine = [](const EngineRunFiles& files) {
    return runEngineInProcess(files, privateRoot());
  };
  options.writeGrlweap = false;
  RunOutput out;
  QString failure;
  const AnalysisRunResult result = runAnalysis(
      project, graphs, options,
      [&](RunMessageKind kind, const QString& text, const QString& reason) {
        if (kind == RunMessageKind::Information && text.startsWith(QStringLiteral("Computations")))
          return;
        const QString line = reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
        if (kind != RunMessageKind::Information && failure.isEmpty()) failure = line;
        out.messages.push_back(line.toStdString());
      });
  if (const QString warning = consoleSoilWarning(result.console); !warning.isEmpty())
    out.messages.insert(out.messages.begin(), warning.toStdString());
  if (result.outcome == AnalysisRunOutcome::Stopped) {
    throw InputError(result.stopMessage.isEmpty() ? "the run stopped; see its report"
                                                  : result.stopMessage.toStdString());
  }
  if (result.outcome == AnalysisRunOutcome::NotRun) {
    // The project check and the taper check are input checks; anything else kept the engine
    // from running. The project check keeps one problem per line.
    if (failure.startsWith(kProjectProblemsHeading)) throw InputError(failure.toStdString());
    if (!failure.isEmpty() && failure.startsWith(QStringLiteral("Taper angle")))
      throw InputError(failure.simplified().toStdString());
    throw RunFailure(failure.isEmpty() ? "the analysis did not run" : failure.toStdString());
  }
  if (!result.ResultsAvailable) throw RunFailure(failure.toStdString());

  out.status = 0;
  out.units = graphs.pltSkin.Units() == 2 ? 2 : 1;
  out.tension = project.LoadingType == 1;
  out.loadTransferMethod =
      graphs.pltAxial.LineCount() > 0 ? graphs.pltAxial.DisplayName(0).toStdString() : "";
  const std::vector<int> ids = plottedMethods(project.MethodSelected, graphs.pltSkin.LineCount());
  for (int i = 0; i < graphs.pltSkin.LineCount(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    RunOutput::Method m;
    m.name = graphs.pltSkin.DisplayName(i).toStdString();
    m.methodId = k < ids.size() ? ids[k] : 0;
    m.unitSkin = curveOf(graphs.pltUSkin.Lines[k]);
    m.skin = curveOf(graphs.pltSkin.Lines[k]);
    m.tip = curveOf(graphs.pltTip.Lines[k]);
    m.total = curveOf(graphs.pltTotal.Lines[k]);
    out.methods.push_back(std::move(m));
  }
  for (int i = 0; i < graphs.pltTZcurves.LineCount(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    out.tzCurves.push_back(
        {graphs.pltTZcurves.Lines[k].Name.toStdString(), curveOf(graphs.pltTZcurves.Lines[k])});
  }
  for (int i = 0; i < graphs.PltExtraTZ.LineCount(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    out.extraTzCurves.push_back(
        {graphs.PltExtraTZ.Lines[k].Name.toStdString(), curveOf(graphs.PltExtraTZ.Lines[k])});
  }
  for (const TLine& line : graphs.pltLoad.Lines) out.loadDistribution.push_back(curveOf(line));
  if (graphs.pltAxial.LineCount() > 0) out.loadSettlement = curveOf(graphs.pltAxial.Lines[0]);
  if (graphs.PltQw.LineCount() > 0) out.qw = curveOf(graphs.PltQw.Lines[0]);
  const int u = out.units;
  const auto unit = [u](const QString& templ) { return ExpandUnits(templ, u).toStdString(); };
  out.unitNames = {{"depth", unit(graphs.pltSkin.YUnits)},
                   {"unit_skin_friction", unit(graphs.pltUSkin.XUnits)},
                   {"force", unit(graphs.pltSkin.XUnits)},
                   {"settlement", u == 1 ? "in" : "m"},
                   {"tz_displacement", unit(graphs.pltTZcurves.XUnits)},
                   {"tz_unit_load_transfer", unit(graphs.pltTZcurves.YUnits)},
                   {"qw_tip_movement", unit(graphs.PltQw.YUnits)}};
  out.report = readText(result.files.reportFile);
  return out;
}

py::array_t<double> array(const std::vector<double>& values) {
  return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::dict curveDict(const Curve& c, const char* xName, const char* yName) {
  py::dict d;
  d[xName] = array(c.x);
  d[yName] = array(c.y);
  return d;
}

py::list tzList(const std::vector<RunOutput::Tz>& curves) {
  py::list list;
  for (const RunOutput::Tz& tz : curves) {
    py::dict d = curveDict(tz.curve, "z", "t");
    // The curve's name is its depth followed by the unit.
    const std::string number = tz.name.substr(0, tz.name.find(' '));
    d["depth"] = std::stod(number);
    list.append(d);
  }
  return list;
}

py::dict runToDict(const RunOutput& out) {
  py::dict d;
  d["status"] = out.status;
  d["messages"] = out.messages;
  d["units"] = out.units == 1 ? "English" : "SI";
  d["loading"] = out.tension ? "tension" : "compression";
  d["load_transfer_method"] = out.loadTransferMethod;
  py::dict capacity;
  for (const RunOutput::Method& m : out.methods) {
    py::dict c;
    c["method_id"] = m.methodId;
    c["depth"] = array(m.skin.y);
    c["unit_skin_friction"] = array(m.unitSkin.x);
    c["skin_friction"] = array(m.skin.x);
    c["tip"] = array(m.tip.x);
    c["total"] = array(m.total.x);
    capacity[py::str(m.name)] = c;
  }
  d["capacity"] = capacity;
  d["tz_curves"] = tzList(out.tzCurves);
  d["extra_tz_curves"] = tzList(out.extraTzCurves);
  py::list distribution;
  for (const Curve& c : out.loadDistribution) distribution.append(curveDict(c, "load", "depth"));
  d["load_distribution"] = distribution;
  d["load_settlement"] = curveDict(out.loadSettlement, "load", "settlement");
  d["qw_curve"] = curveDict(out.qw, "tip_load", "tip_movement");
  py::dict units;
  for (const auto& [key, value] : out.unitNames) units[py::str(key)] = value;
  d["unit_names"] = units;
  d["report"] = py::bytes(out.report).attr("decode")("latin-1");
  return d;
}

}  // namespace

PYBIND11_MODULE(_vorne, m) {
  m.doc() = "VORNE engine in process: projects as JSON, analyses on threads";
  static py::exception<InputError> inputError(m, "InputError", PyExc_ValueError);
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const InputError& e) {
      PyErr_SetString(inputError.ptr(), e.what());
    } catch (const RunFailure& e) {
      PyErr_SetString(PyExc_RuntimeError, e.what());
    }
  });
  m.def("load_json", &loadJson, py::arg("path"),
        "The JSON text of a project file (.vr6d, .vrd or .json).");
  m.def("save_json", &saveJson, py::arg("json"), py::arg("path"),
        "Saves a project given as JSON text as .vr6d (with its CPT side file) or .json.");
  m.def(
      "run",
      [](const std::string& path, const std::string& json,
         std::optional<std::vector<std::pair<double, double>>> cptPoints,
         const std::string& cptFile) {
        RunOutput out;
        {
          py::gil_scoped_release release;
          out = runProject(path, json, cptPoints, cptFile);
        }
        return runToDict(out);
      },
      py::arg("path"), py::arg("json"), py::arg("cpt_points"), py::arg("cpt_file"),
      "One analysis in process; a dict of the results.");
}
