// Soil layers from a CPT into the project's soil table.
#include "app/cpt_soil_layers.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/soil_layers.h"
#include "base/unit_labels.h"
#include "cpt/cpt_reader.h"
#include "cpt/engine_profile.h"
#include "plot/plot_geometry.h"

namespace vorne {

namespace {

const QString kStressTemplate = QStringLiteral("F/L2^2");
const QString kUnitWeightTemplate = QStringLiteral("F/L2^3");
const QString kDepthTemplate = QStringLiteral("L2");
// Matches the tolerance of the proposal's own check of the water table [m].
constexpr double kDepthTolerance = 1.0e-9;

// The columns of the proposed table after type, top and bottom: the value's key, its header and
// its unit template (a plain unit when it names no token).
struct ValueColumn {
  const char* key;
  const char* header;
  const char* unit;
};
const ValueColumn kValueColumns[] = {
    {"effective_unit_weight", "Effective unit weight", "F/L2^3"},
    {"friction_angle", "Friction angle", "deg"},
    {"blow_count", "N60", ""},
    {"undrained_shear_strength", "Su", "F/L2^2"},
    {"yield_stress_ratio", "YSR", ""},
    {"qc", "Qc", "F/L2^2"},
};

QString withUnit(const QString& caption, const QString& unitTemplate, int units) {
  if (unitTemplate.isEmpty()) return caption;
  return caption + QStringLiteral(" (") + expandUnits(unitTemplate, units) + QStringLiteral(")");
}

// A line of two points, drawn in its panel.
TLine lineOf(TGraphPlot& graph, const QString& name, std::vector<TFloatPoint> points) {
  TLine line;
  line.Name = name;
  line.Points = std::move(points);
  line.Owner = &graph;
  return line;
}

}  // namespace

CptLayerSettings defaultCptLayerSettings(int units) {
  CptLayerSettings s;
  s.minThickness =
      units == kSiUnits ? cpt::kDefaultMinThicknessSi : cpt::kDefaultMinThicknessEnglish;
  return s;
}

double depthFromSi(double metres, int units) {
  return units == kSiUnits ? metres : metres / kFootToMetre;
}

double valueFromSi(double value, cpt::ValueKind kind, int units) {
  if (units == kSiUnits) return value;
  switch (kind) {
    case cpt::ValueKind::Stress:
      return value / englishToSiFactor(kStressTemplate);
    case cpt::ValueKind::UnitWeight:
      return value / englishToSiFactor(kUnitWeightTemplate);
    case cpt::ValueKind::Plain:
      break;
  }
  return value;
}

cpt::ProposalSettings toProposalSettings(const CptLayerSettings& settings, int units) {
  cpt::ProposalSettings s;
  const bool si = units == kSiUnits;
  s.waterTableDepth = si ? settings.waterTableDepth : settings.waterTableDepth * kFootToMetre;
  s.minThickness = si ? settings.minThickness : settings.minThickness * kFootToMetre;
  s.nkt = settings.nkt;
  s.notesInFeet = !si;
  if (settings.totalUnitWeight) {
    s.totalUnitWeight = si ? *settings.totalUnitWeight
                           : *settings.totalUnitWeight * englishToSiFactor(kUnitWeightTemplate);
  }
  return s;
}

bool replaceSoilLayers(TProgramData& project, const cpt::SoilLayerProposal& proposal) {
  const int count = static_cast<int>(proposal.layers.size());
  if (!proposal.ok || count == 0 || count > TProgramData::kMaxLayers) return false;
  const int units = project.units();
  project.D.setRowCount(0);
  for (int row = 0; row < count; ++row) {
    const cpt::ProposedLayer& layer = proposal.layers[static_cast<std::size_t>(row)];
    project.D.addRows();  // a new layer: sand, limits 0, factors 1, layer data 0
    const bool sand = layer.soil == cpt::LayerSoil::Sand;
    if (!sand) project.D.cell(col::kSoilType, row).setInteger(kClay);
    project.D.cell(col::kBottomDepth, row).setFloat(depthFromSi(layer.bottom, units));
    TGridTable& data = project.layerData(row);
    const auto put = [&](int column, const QString& key) {
      const cpt::ProposedValue* v = layer.value(key);
      if (v == nullptr) return;
      data.cell(column, 0).setFloat(valueFromSi(v->top, v->kind, units));
      data.cell(column, 1).setFloat(valueFromSi(v->bottom, v->kind, units));
    };
    put(col::kSandUnitWeight, QStringLiteral("effective_unit_weight"));
    put(col::kConeResistance, QStringLiteral("qc"));
    if (sand) {
      put(col::kSandFrictionAngle, QStringLiteral("friction_angle"));
    } else {
      put(col::kClayUndrainedStrength, QStringLiteral("undrained_shear_strength"));
      put(col::kClayYieldStressRatio, QStringLiteral("yield_stress_ratio"));
    }
  }
  project.applyUserLoadTransferColumns();
  project.setModified();
  return true;
}

bool hasSleeveFriction(const cpt::CptProfile& profile) {
  return std::any_of(profile.records.begin(), profile.records.end(),
                     [](const cpt::CptRecord& r) { return r.sleeveFriction.has_value(); });
}

CptLayerSource readCptLayerSource(const QString& path,
                                  const QString& location,
                                  const cpt::CptReadOptions& options) {
  CptLayerSource source;
  try {
    const cpt::CptFile file = cpt::readCptFile(path, options);
    const cpt::CptProfile& profile = cpt::selectLocation(file, location);
    if (!hasSleeveFriction(profile)) {
      source.message = QStringLiteral(
                           "%1: the profile has no sleeve friction fs, so its soil behaviour type "
                           "cannot be classified.")
                           .arg(QFileInfo(path).fileName());
      return source;
    }
    source.profile = profile;
  } catch (const cpt::CptFileError& e) {
    source.message = e.message();
  }
  return source;
}

QString checkCptLayerSettings(const CptLayerSettings& settings,
                              int units,
                              const cpt::CptProfile& profile) {
  const cpt::ProposalSettings si = toProposalSettings(settings, units);
  const QString depthUnit = expandUnits(kDepthTemplate, units);
  const QString weightUnit = expandUnits(kUnitWeightTemplate, units);
  const auto text = [](double value) { return cptTableNumber(value); };
  const double lastDepth = profile.records.empty() ? 0.0 : profile.records.back().depth;
  if (!(si.waterTableDepth >= 0.0) || !(si.waterTableDepth <= lastDepth + kDepthTolerance)) {
    return QStringLiteral("%1 %2 %3 is outside 0 to %4 %3 (the profile's last record).")
        .arg(kWaterTableField, text(settings.waterTableDepth), depthUnit,
             text(depthFromSi(lastDepth, units)));
  }
  if (!(si.nkt >= cpt::kMinNkt && si.nkt <= cpt::kMaxNkt)) {
    return QStringLiteral("%1 %2 is outside %3 to %4.")
        .arg(kNktField, text(settings.nkt), text(cpt::kMinNkt), text(cpt::kMaxNkt));
  }
  if (!(si.minThickness >= 0.0 && si.minThickness <= cpt::kMaxMinThickness)) {
    return QStringLiteral("%1 %2 %3 is outside 0 to %4 %3.")
        .arg(kMinThicknessField, text(settings.minThickness), depthUnit,
             text(depthFromSi(cpt::kMaxMinThickness, units)));
  }
  if (si.totalUnitWeight &&
      !(*si.totalUnitWeight >= cpt::kMinUnitWeight && *si.totalUnitWeight <= cpt::kMaxUnitWeight)) {
    const auto weight = [units](double kn) {
      return cptTableNumber(valueFromSi(kn, cpt::ValueKind::UnitWeight, units));
    };
    return QStringLiteral("%1 %2 %3 is outside %4 to %5 %3.")
        .arg(kUnitWeightField, text(*settings.totalUnitWeight), weightUnit,
             weight(cpt::kMinUnitWeight), weight(cpt::kMaxUnitWeight));
  }
  return {};
}

cpt::SoilLayerProposal proposeCptLayers(const cpt::CptProfile& profile,
                                        const CptLayerSettings& settings,
                                        int units) {
  const QString refused = checkCptLayerSettings(settings, units, profile);
  if (!refused.isEmpty()) {
    cpt::SoilLayerProposal out;
    out.settings = toProposalSettings(settings, units);
    out.error = refused;
    return out;
  }
  return cpt::proposeSoilLayers(profile, toProposalSettings(settings, units));
}

std::vector<CptProfilePoint> projectCptPoints(const cpt::CptProfile& profile,
                                              int units,
                                              QString* reduction) {
  const cpt::EngineProfile engine = cpt::engineProfile(profile, units);
  if (reduction != nullptr) *reduction = engine.reduction;
  std::vector<CptProfilePoint> points;
  points.reserve(engine.points.size());
  for (const cpt::EnginePoint& p : engine.points) points.push_back({p.depth, p.coneResistance});
  return points;
}

bool applyCptLayers(TProgramData& project,
                    const cpt::SoilLayerProposal& proposal,
                    const cpt::CptProfile& profile) {
  std::vector<CptProfilePoint> points = projectCptPoints(profile, project.units());
  if (points.empty() || static_cast<int>(points.size()) > TProgramData::kMaxCptPoints) {
    return false;
  }
  if (!replaceSoilLayers(project, proposal)) return false;
  project.CptPoints = std::move(points);
  return true;
}

QString cptTableNumber(double value) {
  if (!std::isfinite(value)) return QStringLiteral("-");
  if (value == 0.0) return QStringLiteral("0");
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::clamp(3 - magnitude, 0, 3);
  QString text = QString::number(value, 'f', decimals);
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

QString zoneMixText(const cpt::ProposedLayer& layer) {
  QStringList parts;
  for (const auto& [zone, share] : layer.zoneShares) {
    parts << QStringLiteral("%1 %2%")
                 .arg(static_cast<int>(zone))
                 .arg(static_cast<int>(std::lround(share * 100.0)));
  }
  return parts.join(QStringLiteral(", "));
}

QStringList defaultValuesOf(cpt::LayerSoil soil) {
  QStringList values;
  if (soil == cpt::LayerSoil::Sand) {
    values << QStringLiteral("Ko") << QStringLiteral("Nq");
  } else {
    values << QStringLiteral("remolded su") << QStringLiteral("PI");
  }
  values << QStringLiteral("limits") << QStringLiteral("factors") << QStringLiteral("user values");
  return values;
}

CptLayerTable cptLayerTable(const cpt::SoilLayerProposal& proposal, int units) {
  CptLayerTable table;
  table.headers << QStringLiteral("Layer") << QStringLiteral("Type")
                << withUnit(QStringLiteral("Top"), kDepthTemplate, units)
                << withUnit(QStringLiteral("Bottom"), kDepthTemplate, units);
  for (const ValueColumn& c : kValueColumns) {
    const QString unit = QString::fromLatin1(c.unit);
    const QString header = QString::fromLatin1(c.header);
    // The caption over its top and bottom, so that the window's columns stay narrow.
    table.headers << withUnit(header + QStringLiteral("\ntop"), unit, units)
                  << withUnit(header + QStringLiteral("\nbottom"), unit, units);
  }
  table.headers << QStringLiteral("Zones") << QStringLiteral("Records used")
                << QStringLiteral("Defaults");
  if (!proposal.ok) return table;
  for (std::size_t i = 0; i < proposal.layers.size(); ++i) {
    const cpt::ProposedLayer& layer = proposal.layers[i];
    const bool sand = layer.soil == cpt::LayerSoil::Sand;
    QStringList row;
    row << QString::number(i + 1) << (sand ? QStringLiteral("Sand") : QStringLiteral("Clay"))
        << cptTableNumber(depthFromSi(layer.top, units))
        << cptTableNumber(depthFromSi(layer.bottom, units));
    for (const ValueColumn& c : kValueColumns) {
      const cpt::ProposedValue* v = layer.value(QString::fromLatin1(c.key));
      if (v == nullptr) {
        row << QString() << QString();
        continue;
      }
      const QString mark = v->capped ? QStringLiteral(" (capped)") : QString();
      row << cptTableNumber(valueFromSi(v->top, v->kind, units)) + mark
          << cptTableNumber(valueFromSi(v->bottom, v->kind, units)) + mark;
    }
    const int inLayer = layer.lastRecord - layer.firstRecord + 1;
    row << zoneMixText(layer) << QStringLiteral("%1 of %2").arg(layer.recordsUsed).arg(inLayer)
        << defaultValuesOf(layer.soil).join(QStringLiteral(", "));
    table.rows.push_back(row);
  }
  return table;
}

void fillCptLayerGraph(TGraphPlot& graph, const cpt::SoilLayerProposal& proposal, int units) {
  graph.Lines.clear();
  graph.Lines2.clear();
  graph.Lines3.clear();
  graph.LayerLines.clear();
  graph.SetUnits(units);
  graph.Caption = QStringLiteral("Soil Layers from CPT");
  graph.ShowThree = true;
  graph.ShowLayers = true;
  graph.ShowLegend = false;
  graph.XOnTop = true;
  graph.Markers = 0;
  graph.LimitCurves = false;
  graph.XCaption = QStringLiteral("Cone Resistance qc");
  graph.XUnits = QStringLiteral("F1/L2^2");
  graph.XCaption2 = QStringLiteral("Friction Ratio Fr");
  graph.XUnits2 = QStringLiteral("%");
  graph.XCaption3 = QStringLiteral("Soil Behaviour Type Index Ic");
  graph.XUnits3.clear();
  graph.YCaption = QStringLiteral("Depth");
  graph.YUnits = kDepthTemplate;
  graph.YCaption2.clear();
  graph.YUnits2.clear();
  graph.YCaption3.clear();
  graph.YUnits3.clear();
  if (!proposal.ok || proposal.interpretation.records.empty()) return;

  // qc in ksf or kPa, as the CPT graph of the cone data import shows it.
  const double qcFactor = units == kSiUnits ? 1.0 : 1.0 / (1000.0 * englishToSiFactor(kStressTemplate));
  std::vector<TFloatPoint> qc, fr, ic;
  for (const cpt::InterpretedRecord& r : proposal.interpretation.records) {
    const double depth = depthFromSi(r.depth, units);
    qc.push_back({r.qc * qcFactor, depth});
    if (!r.classified()) continue;
    fr.push_back({r.normalised.fr, depth});
    ic.push_back({r.normalised.ic, depth});
  }
  // The boundaries run from edge to edge of each panel's automatic range; joined into one line
  // per panel, the steps between them lie on the frame.
  const auto rangeOf = [](const std::vector<TFloatPoint>& points, double xAtLeast) {
    TLineList lines(1);
    lines[0].Points = points;
    lines[0].Points.push_back({xAtLeast, 0.0});
    TRange range;
    AutoRange(lines, range);
    return range;
  };
  const TRange qcRange = rangeOf(qc, 0.0);
  const TRange frRange = rangeOf(fr, 0.0);
  const TRange icRange = rangeOf(ic, 4.0);
  const double bottom = qcRange.YMax;
  graph.Lines.push_back(lineOf(graph, QStringLiteral("qc"), std::move(qc)));
  graph.Lines2.push_back(lineOf(graph, QStringLiteral("Fr"), std::move(fr)));
  graph.Lines3.push_back(lineOf(graph, QStringLiteral("Ic"), std::move(ic)));
  std::vector<TFloatPoint> zones;
  bool down = true;
  for (double boundary : {1.31, 2.05, 2.60, 2.95, 3.60}) {
    zones.push_back({boundary, down ? 0.0 : bottom});
    zones.push_back({boundary, down ? bottom : 0.0});
    down = !down;
  }
  graph.Lines3.push_back(lineOf(graph, QStringLiteral("Zone boundaries"), std::move(zones)));

  std::vector<TLayerStripRow> strip;
  std::vector<double> boundaries;
  for (std::size_t i = 0; i < proposal.layers.size(); ++i) {
    const cpt::ProposedLayer& layer = proposal.layers[i];
    const double depth = depthFromSi(layer.bottom, units);
    strip.push_back({layer.soil == cpt::LayerSoil::Sand ? kSand : kClay, depth});
    if (i + 1 < proposal.layers.size()) boundaries.push_back(depth);
  }
  if (!boundaries.empty()) {
    const auto across = [&](TLineList& lines, const TRange& range) {
      std::vector<TFloatPoint> points;
      bool rightward = true;
      for (double depth : boundaries) {
        points.push_back({rightward ? range.XMin : range.XMax, depth});
        points.push_back({rightward ? range.XMax : range.XMin, depth});
        rightward = !rightward;
      }
      lines.push_back(lineOf(graph, QStringLiteral("Layer boundaries"), std::move(points)));
    };
    across(graph.Lines, qcRange);
    across(graph.Lines2, frRange);
    across(graph.Lines3, icRange);
  }
  AddLayersGraphPlot(graph, strip);
}

}  // namespace vorne
