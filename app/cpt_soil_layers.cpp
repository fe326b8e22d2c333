// Soil layers from a CPT into the project's soil table.
#include "app/cpt_soil_layers.h"

#include "app/soil_layers.h"
#include "base/unit_labels.h"

namespace vorne {

namespace {

const QString kStressTemplate = QStringLiteral("F/L2^2");
const QString kUnitWeightTemplate = QStringLiteral("F/L2^3");

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

}  // namespace vorne
