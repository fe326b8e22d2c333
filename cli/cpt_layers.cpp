// vorne cpt FILE --layers: the proposed soil layers of a CPT.
#include "cli/cpt_layers.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/cpt_soil_layers.h"
#include "app/project_json.h"
#include "base/atomic_file.h"
#include "base/io_error.h"
#include "base/number_text.h"
#include "base/unit_labels.h"
#include "cli/commands.h"
#include "cpt/cpt_reader.h"

namespace vorne {

const char* const kCptLayersOptionsUsage =
    "  --layers          propose soil layers from the profile (sand where Ic <= 2.60, clay\n"
    "                    above), with each layer's values at its top and bottom\n"
    "  --water-table D   depth of the water table below the surface (default 0)\n"
    "  --unit-weight G   one total unit weight for every record (lbs/ft^3 or kN/m^3) in place\n"
    "                    of the correlation\n"
    "  --nkt N           su = (qt - sigma_v0) / N, 6 to 30 (default 15)\n"
    "  --min-thickness T thinner layers are merged into a neighbour (default 0.5 m, 1.5 ft)\n"
    "  --project IN --output OUT  write a copy of the project IN with the proposed layers and\n"
    "                    the profile's CPT points as OUT (.vr6d with its side file, or .json);\n"
    "                    IN is never written. Its unit system is switched to --units when given\n";

namespace {

void print(const QString& text) { std::fputs(text.toUtf8().constData(), stdout); }

// A number from an option's value; "." decimals whatever the locale.
bool readNumber(const QString& text, double& value) {
  return parseDecimal(text.trimmed().toStdString(), value) && std::isfinite(value);
}

const QString kDepth = QStringLiteral("L2");
const QString kStress = QStringLiteral("F/L2^2");
const QString kUnitWeight = QStringLiteral("F/L2^3");

QJsonValue jsonNumber(double value) {
  return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonObject settingsJson(const CptLayerSettings& s) {
  return {{"water_table", s.waterTableDepth},
          {"unit_weight", s.totalUnitWeight ? QJsonValue(*s.totalUnitWeight)
                                            : QJsonValue(QJsonValue::Null)},
          {"nkt", s.nkt},
          {"min_thickness", s.minThickness}};
}

QByteArray proposalJson(const cpt::CptProfile& profile,
                        const cpt::SoilLayerProposal& proposal,
                        const CptLayerSettings& settings,
                        int units,
                        const QString& written) {
  QJsonArray layers;
  for (const cpt::ProposedLayer& layer : proposal.layers) {
    QJsonObject values;
    for (const cpt::ProposedValue& v : layer.values) {
      values.insert(v.key, QJsonArray{valueFromSi(v.top, v.kind, units),
                                      valueFromSi(v.bottom, v.kind, units)});
    }
    QJsonObject zones;
    for (const auto& [zone, share] : layer.zoneShares) {
      zones.insert(QString::number(static_cast<int>(zone)), share);
    }
    QJsonArray defaults;
    for (const QString& d : defaultValuesOf(layer.soil)) defaults.append(d);
    layers.append(QJsonObject{
        {"type", layer.soil == cpt::LayerSoil::Sand ? "sand" : "clay"},
        {"top", depthFromSi(layer.top, units)},
        {"bottom", depthFromSi(layer.bottom, units)},
        {"values", values},
        {"zones", zones},
        {"records_used", layer.recordsUsed},
        {"records", layer.lastRecord - layer.firstRecord + 1},
        {"defaults", defaults}});
  }
  QJsonArray records;
  for (const cpt::InterpretedRecord& r : proposal.interpretation.records) {
    const bool c = r.classified();
    const double nan = std::nan("");
    records.append(QJsonArray{depthFromSi(r.depth, units),
                              valueFromSi(r.qt, cpt::ValueKind::Stress, units),
                              jsonNumber(c ? r.normalised.qtn : nan),
                              jsonNumber(c ? r.normalised.fr : nan),
                              jsonNumber(c ? r.normalised.ic : nan), static_cast<int>(r.zone)});
  }
  QJsonArray notes;
  for (const QString& note : profile.notes) notes.append(note);
  for (const QString& note : proposal.notes) notes.append(note);
  QJsonObject root{
      {"file", profile.sourceFile},
      {"format", cpt::formatName(profile.format)},
      {"location", profile.location},
      {"units", units == kEnglishUnits ? "english" : "si"},
      {"units_of", QJsonObject{{"depth", expandUnits(kDepth, units)},
                               {"stress", expandUnits(kStress, units)},
                               {"unit_weight", expandUnits(kUnitWeight, units)}}},
      {"settings", settingsJson(settings)},
      {"runs", proposal.runCount},
      {"layers", layers},
      {"records_fields", QJsonArray{"depth", "qt", "Qtn", "Fr", "Ic", "zone"}},
      {"records", records},
      {"notes", notes}};
  if (!written.isEmpty()) root.insert("project", written);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString proposalText(const cpt::CptProfile& profile,
                     const cpt::SoilLayerProposal& proposal,
                     const CptLayerSettings& settings,
                     int units) {
  const QString depthUnit = expandUnits(kDepth, units);
  QString out;
  const double first = profile.records.empty() ? 0.0 : profile.records.front().depth;
  const double last = profile.records.empty() ? 0.0 : profile.records.back().depth;
  out += QStringLiteral("file: %1 (%2)%3, %4 records from %5 to %6 %7\n")
             .arg(profile.sourceFile, cpt::formatName(profile.format),
                  profile.location.isEmpty() ? QString()
                                             : QStringLiteral(", location ") + profile.location)
             .arg(profile.records.size())
             .arg(cptTableNumber(depthFromSi(first, units)),
                  cptTableNumber(depthFromSi(last, units)), depthUnit);
  out += QStringLiteral("settings: water table %1 %2, %3, Nkt %4, minimum layer thickness %5 %2\n")
             .arg(cptTableNumber(settings.waterTableDepth), depthUnit,
                  settings.totalUnitWeight
                      ? QStringLiteral("total unit weight %1 %2")
                            .arg(cptTableNumber(*settings.totalUnitWeight),
                                 expandUnits(kUnitWeight, units))
                      : QStringLiteral("unit weight from the correlation"),
                  cptTableNumber(settings.nkt), cptTableNumber(settings.minThickness));
  out += QStringLiteral("%1 layers proposed from %2 runs of one soil type:\n\n")
             .arg(proposal.layers.size())
             .arg(proposal.runCount);

  // The table without its defaults column, which the notes give per soil type.
  CptLayerTable table = cptLayerTable(proposal, units);
  for (QString& header : table.headers) header.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const qsizetype columns = table.headers.size() - 1;
  std::vector<qsizetype> widths(static_cast<std::size_t>(columns));
  for (qsizetype c = 0; c < columns; ++c) {
    qsizetype w = table.headers[c].size();
    for (const QStringList& row : table.rows) w = std::max(w, row[c].size());
    widths[static_cast<std::size_t>(c)] = w;
  }
  const auto line = [&](const QStringList& cells) {
    QString text;
    for (qsizetype c = 0; c < columns; ++c) {
      if (c > 0) text += QStringLiteral("  ");
      const qsizetype w = widths[static_cast<std::size_t>(c)];
      // Numbers right-aligned, words (type, zones) left.
      text += c == 1 || c == columns - 2 ? cells[c].leftJustified(w) : cells[c].rightJustified(w);
    }
    return text.trimmed() + QLatin1Char('\n');
  };
  out += line(table.headers);
  for (const QStringList& row : table.rows) out += line(row);
  out += QStringLiteral("\nzones: 2 organic soil, 3 clay, 4 silt mixtures, 5 sand mixtures, "
                        "6 sands, 7 gravelly to dense sand; 0 not classified\n");
  out += QStringLiteral("left at a new layer's defaults: sand %1; clay %2\n")
             .arg(defaultValuesOf(cpt::LayerSoil::Sand).join(QStringLiteral(", ")),
                  defaultValuesOf(cpt::LayerSoil::Clay).join(QStringLiteral(", ")));
  out += QStringLiteral("notes:\n");
  for (const QString& note : profile.notes) out += QStringLiteral("  ") + note + '\n';
  for (const QString& note : proposal.notes) out += QStringLiteral("  ") + note + '\n';
  return out;
}

bool sameFile(const QString& a, const QString& b) {
  const QFileInfo x(a), y(b);
  if (x.exists() && y.exists()) return x.canonicalFilePath() == y.canonicalFilePath();
  return x.absoluteFilePath() == y.absoluteFilePath();
}

}  // namespace

bool takeCptLayersOption(const QStringList& args,
                         qsizetype& i,
                         CptLayersCommand& command,
                         QString& error) {
  const QString& arg = args[i];
  std::optional<double>* number = nullptr;
  if (arg == "--water-table") {
    number = &command.waterTable;
  } else if (arg == "--unit-weight") {
    number = &command.unitWeight;
  } else if (arg == "--nkt") {
    number = &command.nkt;
  } else if (arg == "--min-thickness") {
    number = &command.minThickness;
  } else if (arg == "--project") {
    if (i + 1 >= args.size()) {
      error = QStringLiteral("--project needs a project file");
    } else {
      command.project = args[++i];
    }
    return true;
  } else {
    return false;
  }
  if (i + 1 >= args.size()) {
    error = arg + QStringLiteral(" needs a number");
    return true;
  }
  double value = 0.0;
  const QString& text = args[++i];
  if (!readNumber(text, value)) {
    error = arg + QStringLiteral(": ") + text + QStringLiteral(" is not a number");
    return true;
  }
  *number = value;
  return true;
}

int runCptLayers(const CptLayersCommand& command) {
  if (command.project.isEmpty() != command.output.isEmpty()) {
    complain(QStringLiteral("--layers writes a project only with both --project IN and --output "
                            "OUT (vorne cpt --help shows the usage)"));
    return kExitUsage;
  }
  const bool writing = !command.project.isEmpty();
  if (writing) {
    if (isOlderLayout(command.output)) {
      complain(command.output + QStringLiteral(": the output is saved in the current layout; give "
                                               "it the extension .vr6d"));
      return kExitUsage;
    }
    if (sameFile(command.project, command.output)) {
      complain(command.output + QStringLiteral(": the output must not be the project itself"));
      return kExitUsage;
    }
    if (!QFileInfo(command.project).isFile()) {
      complain(command.project + QStringLiteral(": no such file"));
      return kExitFailed;
    }
  }
  cpt::CptReadOptions options;
  options.format = command.format;
  const CptLayerSource source = readCptLayerSource(command.file, command.location, options);
  if (!source.profile) {
    complain(source.message);
    return kExitFailed;
  }
  const cpt::CptProfile& profile = *source.profile;

  TProgramData project;
  int units = command.units != 0 ? command.units : kSiUnits;
  if (writing) {
    try {
      openAnyProject(project, command.project);
    } catch (const EInOutError& error) {
      const QString file = error.fileName().isEmpty() ? command.project : error.fileName();
      complain(file + QStringLiteral(": ") + error.message());
      return kExitFailed;
    }
    // A project in the other unit system is switched to the one asked for, not refused.
    if (command.units != 0 && command.units != project.units()) {
      if (const QString refused = project.switchUnits(command.units); !refused.isEmpty()) {
        complain(command.project + QStringLiteral(": ") + refused);
        return kExitFailed;
      }
    }
    units = project.units();
  }

  CptLayerSettings settings = defaultCptLayerSettings(units);
  if (command.waterTable) settings.waterTableDepth = *command.waterTable;
  if (command.unitWeight) settings.totalUnitWeight = *command.unitWeight;
  if (command.nkt) settings.nkt = *command.nkt;
  if (command.minThickness) settings.minThickness = *command.minThickness;
  const cpt::SoilLayerProposal proposal = proposeCptLayers(profile, settings, units);
  if (!proposal.ok) {
    complain(QFileInfo(command.file).fileName() + QStringLiteral(": ") + proposal.error);
    return kExitFailed;
  }

  QString written;
  if (writing) {
    if (!applyCptLayers(project, proposal, profile)) {
      complain(command.file + QStringLiteral(": the proposal cannot replace the soil layers"));
      return kExitFailed;
    }
    const QString output = QFileInfo(command.output).absoluteFilePath();
    try {
      if (isProjectJson(output)) {
        writeFileAtomically(output, projectJson(project));
      } else {
        project.setFileName(output);
        project.save();
      }
    } catch (const EInOutError& error) {
      const QString file = error.fileName().isEmpty() ? command.output : error.fileName();
      complain(file + QStringLiteral(": ") + error.message());
      return kExitFailed;
    }
    written = output;
  }

  if (command.json) {
    std::fputs(proposalJson(profile, proposal, settings, units, written).constData(), stdout);
  } else {
    print(proposalText(profile, proposal, settings, units));
    if (writing) {
      print(QStringLiteral("\nwritten: %1 with %2 soil layers and %3 CPT points\n")
                .arg(written)
                .arg(project.layerCount())
                .arg(project.CptPointCount()));
    }
  }
  return kExitOk;
}

}  // namespace vorne
