// vorne cpt: a field CPT file as the engine would take it, in text or JSON (docs/cpt_json.md).
#include "cli/cpt_command.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdio>

#include "base/atomic_file.h"
#include "base/io_error.h"
#include "base/number_text.h"
#include "base/unit_labels.h"
#include "cli/commands.h"
#include "cli/cpt_layers.h"
#include "cpt/cpt_units.h"

namespace vorne {

namespace {

const char* const kCptUsage =
    "usage: vorne cpt FILE [--location ID] [--format auto|gef|ags4|ags3|columns]\n"
    "                 [--units english|si] [--json] [--output FILE.cpt]\n"
    "\n"
    "Reads a field CPT file (GEF, AGS4, AGS3 or column text with a header row) and prints its\n"
    "format, its locations (id, points, top and bottom depth) and the chosen location's profile\n"
    "as the engine takes it: at most 1000 points (more are averaged over equal depth intervals),\n"
    "in the unit system asked for, with every decision the reader took. Nothing is written\n"
    "unless --output is given.\n"
    "\n"
    "  --location ID     the location to take; a file with several needs it\n"
    "  --format F        read the file as F instead of the format its content shows\n"
    "  --units english|si  depths in ft and stresses in ksf, or m and kPa (default si)\n"
    "  --json            print the same as JSON (docs/cpt_json.md)\n"
    "  -o FILE.cpt, --output FILE.cpt  also write the profile as the engine's CPT side file\n"
    "\n"
    "usage: vorne cpt FILE [--location ID] --layers [--water-table D] [--unit-weight G]\n"
    "                 [--nkt N] [--min-thickness T] [--units english|si] [--json]\n"
    "                 [--project IN --output OUT]\n"
    "\n"
    "Proposes the soil layers of the profile (docs/cpt_layers.md), a starting point for the\n"
    "engineer to review. The settings and the output are in the units of --units, else the\n"
    "project's, else SI.\n"
    "\n";

int usageError(const QString& message) {
  complain(message + QStringLiteral(" (vorne cpt --help shows the usage)"));
  return kExitUsage;
}

bool takeValue(const QStringList& args, qsizetype& i, QString& value) {
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

// The shortest text that reads back to the same double, with "." whatever the locale.
QString number(double value) { return QString::fromStdString(formatGeneralExact(value, 15)); }

QByteArray jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  return QByteArray::fromStdString(formatGeneralExact(value, 15));
}
QByteArray jsonNumber(const std::optional<double>& value) {
  return value ? jsonNumber(*value) : QByteArray("null");
}
QByteArray jsonString(const QString& text) {
  // A one-element array gives the string's JSON text with every escape right.
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return array.mid(1, array.size() - 2);
}

// A depth in metres in the unit system, converted as the engine profile converts it.
double lengthIn(double metres, int units) {
  return units == 1 ? cpt::scaled(metres, 1.0 / englishToSiFactor(QStringLiteral("L2")))
                    : metres;
}

QString locationName(const cpt::CptProfile& profile) {
  return profile.location.isEmpty() ? QStringLiteral("(none)") : profile.location;
}

// The reader's notes and then the reduction's, as the output lists them.
QStringList allNotes(const CptSelection& s) {
  QStringList notes = s.profile->notes;
  if (!s.engine.reduction.isEmpty()) notes << s.engine.reduction;
  return notes;
}

QByteArray jsonText(const CptSelection& s) {
  const int units = s.engine.units;
  QByteArray out = "{\n  \"format\": " + jsonString(cpt::formatName(s.file.format)) + ",\n";
  out += "  \"locations\": [";
  for (std::size_t k = 0; k < s.file.profiles.size(); ++k) {
    const cpt::CptProfile& p = s.file.profiles[k];
    out += k == 0 ? "\n" : ",\n";
    out += "    {\"id\": " + jsonString(p.location) +
           ", \"points\": " + QByteArray::number(static_cast<qsizetype>(p.records.size())) +
           ", \"top\": " + jsonNumber(lengthIn(p.records.front().depth, units)) +
           ", \"bottom\": " + jsonNumber(lengthIn(p.records.back().depth, units)) + "}";
  }
  out += "\n  ],\n";
  out += "  \"location\": " + jsonString(s.profile->location) + ",\n";
  out += "  \"units\": " + QByteArray(units == 1 ? "\"english\"" : "\"si\"") + ",\n";
  out += "  \"source_points\": " + QByteArray::number(s.engine.sourcePoints) + ",\n";
  out += "  \"points\": [";
  for (std::size_t k = 0; k < s.engine.points.size(); ++k) {
    const cpt::EnginePoint& p = s.engine.points[k];
    out += k == 0 ? "\n" : ",\n";
    out += "    [" + jsonNumber(p.depth) + ", " + jsonNumber(p.coneResistance) + ", " +
           jsonNumber(p.sleeveFriction) + ", " + jsonNumber(p.porePressure) + "]";
  }
  out += "\n  ],\n";
  out += "  \"notes\": [";
  const QStringList notes = allNotes(s);
  for (qsizetype k = 0; k < notes.size(); ++k) {
    out += k == 0 ? "\n" : ",\n";
    out += "    " + jsonString(notes[k]);
  }
  out += notes.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

QByteArray plainText(const CptSelection& s) {
  const int units = s.engine.units;
  const QString length = units == 1 ? QStringLiteral("ft") : QStringLiteral("m");
  const QString stress = units == 1 ? QStringLiteral("ksf") : QStringLiteral("kPa");
  QString out = QStringLiteral("%1: %2, %3 location%4\n")
                    .arg(s.file.fileName, cpt::formatName(s.file.format))
                    .arg(s.file.profiles.size())
                    .arg(s.file.profiles.size() == 1 ? QString() : QStringLiteral("s"));
  if (!s.file.units.isEmpty()) out += QStringLiteral("units: ") + s.file.units.join(", ") + "\n";
  out += QStringLiteral("  %1 %2 %3 %4\n")
             .arg(QStringLiteral("location"), -20)
             .arg(QStringLiteral("points"), 7)
             .arg(QStringLiteral("top ") + length, 10)
             .arg(QStringLiteral("bottom ") + length, 10);
  for (const cpt::CptProfile& p : s.file.profiles) {
    out += QStringLiteral("  %1 %2 %3 %4\n")
               .arg(locationName(p), -20)
               .arg(p.records.size(), 7)
               .arg(number(lengthIn(p.records.front().depth, units)), 10)
               .arg(number(lengthIn(p.records.back().depth, units)), 10);
  }
  out += QStringLiteral("location %1: %2 points in %3 and %4 from %5 in the file\n")
             .arg(locationName(*s.profile))
             .arg(s.engine.points.size())
             .arg(length, stress)
             .arg(s.engine.sourcePoints);
  for (const QString& note : allNotes(s)) out += QStringLiteral("note: ") + note + "\n";
  out += QStringLiteral("%1 %2 %3 %4\n")
             .arg(QStringLiteral("depth ") + length, 20)
             .arg(QStringLiteral("qc ") + stress, 20)
             .arg(QStringLiteral("fs ") + stress, 20)
             .arg(QStringLiteral("u2 ") + stress, 20);
  auto optional = [](const std::optional<double>& v) {
    return v ? number(*v) : QStringLiteral("-");
  };
  for (const cpt::EnginePoint& p : s.engine.points) {
    out += QStringLiteral("%1 %2 %3 %4\n")
               .arg(number(p.depth), 20)
               .arg(number(p.coneResistance), 20)
               .arg(optional(p.sleeveFriction), 20)
               .arg(optional(p.porePressure), 20);
  }
  return out.toUtf8();
}

void print(const QByteArray& text) {
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
}

}  // namespace

bool takeCptOption(const QStringList& args, qsizetype& i, CptCommand& command, QString& error) {
  const QString& arg = args[i];
  QString value;
  if (arg == "--json") {
    command.json = true;
  } else if (arg == "--location") {
    if (!takeValue(args, i, command.location) || command.location.isEmpty())
      error = QStringLiteral("--location needs a location id");
  } else if (arg == "--format") {
    if (!takeValue(args, i, value)) {
      error = QStringLiteral("--format needs auto, gef, ags4, ags3 or columns");
    } else if (value.compare("auto", Qt::CaseInsensitive) == 0) {
      command.format.reset();
    } else if (const auto format = cpt::formatFromName(value)) {
      command.format = format;
    } else {
      error = QStringLiteral("format ") + value +
              QStringLiteral(" is none of auto, gef, ags4, ags3, columns");
    }
  } else if (arg == "--units") {
    if (!takeValue(args, i, value)) {
      error = QStringLiteral("--units needs english or si");
    } else if (value.compare("english", Qt::CaseInsensitive) == 0) {
      command.units = 1;
    } else if (value.compare("si", Qt::CaseInsensitive) == 0) {
      command.units = 2;
    } else {
      error = QStringLiteral("unit system ") + value + QStringLiteral(" is neither english nor si");
    }
  } else if (arg == "--output" || arg == "-o") {
    if (!takeValue(args, i, command.output)) error = QStringLiteral("--output needs a file");
  } else {
    return false;
  }
  return true;
}

CptSelection selectCpt(const CptCommand& command) {
  CptSelection s;
  cpt::CptReadOptions options;
  options.format = command.format;
  s.file = cpt::readCptFile(command.file, options);
  s.profile = &cpt::selectLocation(s.file, command.location);
  s.engine = cpt::engineProfile(*s.profile, command.units);
  return s;
}

int runCpt(const CptCommand& command) {
  if (!command.output.isEmpty() &&
      QFileInfo(command.output).suffix().compare("cpt", Qt::CaseInsensitive) != 0) {
    return usageError(command.output +
                      QStringLiteral(": the CPT side file is written with the extension .cpt"));
  }
  CptSelection s;
  try {
    s = selectCpt(command);
  } catch (const cpt::CptFileError& error) {
    complain(error.message());
    return kExitFailed;
  }
  if (!command.output.isEmpty()) {
    try {
      writeFileAtomically(QFileInfo(command.output).absoluteFilePath(),
                          cpt::cptSideFileText(s.engine));
    } catch (const EInOutError& error) {
      complain(command.output + QStringLiteral(": ") + error.message());
      return kExitFailed;
    }
  }
  print(command.json ? jsonText(s) : plainText(s));
  return kExitOk;
}

int cptMain(const QStringList& args) {
  CptCommand command;
  CptLayersCommand layers;
  bool proposeLayers = false;
  bool unitsGiven = false;
  QString layersOption;  // the first option of the --layers family, for its usage error
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kCptUsage, stdout);
      std::fputs(kCptLayersOptionsUsage, stdout);
      return kExitOk;
    }
    if (arg == "--units") unitsGiven = true;
    // Each option family in turn; a family's error stops the parse.
    QString error;
    if (arg == "--layers") {
      proposeLayers = true;
    } else if (const QString option = arg; takeCptLayersOption(args, i, layers, error)) {
      if (!error.isEmpty()) return usageError(error);
      if (layersOption.isEmpty()) layersOption = option;
    } else if (takeCptOption(args, i, command, error)) {
      if (!error.isEmpty()) return usageError(error);
    } else if (arg.startsWith("-") && arg != "-") {
      return usageError("unknown option " + arg);
    } else if (command.file.isEmpty()) {
      command.file = arg;
    } else {
      return usageError("cpt takes one file");
    }
  }
  if (command.file.isEmpty()) return usageError("cpt needs a CPT file");
  if (!proposeLayers) {
    if (!layersOption.isEmpty()) return usageError(layersOption + " belongs to --layers");
    return runCpt(command);
  }
  // --output is the project copy here, not the side file.
  layers.file = command.file;
  layers.location = command.location;
  layers.format = command.format;
  layers.units = unitsGiven ? command.units : 0;
  layers.json = command.json;
  layers.output = command.output;
  return runCptLayers(layers);
}

}  // namespace vorne
