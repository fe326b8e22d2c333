// Soil profile editing.
#include "app/soil_layers.h"

#include <array>

#include "app/dialog_rules.h"

namespace vorne {

bool addSoilLayer(TProgramData& project) { return project.D.addRows(); }

bool insertSoilLayer(TProgramData& project, int layer) {
  if (layer < 0 || layer >= project.D.rowCount()) return false;
  return project.D.insertRows(layer);
}

bool deleteSoilLayer(TProgramData& project, int layer) {
  if (layer < 0 || layer >= project.D.rowCount()) return false;
  return project.D.deleteRows(layer);
}

void setSoilType(TProgramData& project, int layer, int soilType) {
  if (soilType != kSand && soilType != kClay) return;
  if (project.D.cell(col::kSoilType, layer).asInteger() == soilType) return;
  constexpr std::array<int, 3> kKept{col::kSandUnitWeight, col::kUserSkinFriction,
                                     col::kUserEndBearing};
  std::array<std::array<double, 2>, 3> kept{};
  TGridTable& before = project.layerData(layer);
  for (std::size_t k = 0; k < kKept.size(); ++k) {
    for (int row = 0; row < 2; ++row) kept[k][row] = before.cell(kKept[k], row).asFloat();
  }
  project.D.cell(col::kSoilType, layer).setInteger(soilType);  // a fresh layout of the new type
  TGridTable& after = project.layerData(layer);
  for (std::size_t k = 0; k < kKept.size(); ++k) {
    for (int row = 0; row < 2; ++row) after.cell(kKept[k], row).setFloat(kept[k][row]);
  }
  const bool userColumns = project.LoadTransferMethod == TProgramData::kUserSpecifiedMethod;
  after.column(col::kUserSkinFriction).Shown = userColumns;
  after.column(col::kUserEndBearing).Shown = userColumns;
}

void keepSandStrengthChoice(TGridTable& layerData, bool useBlowCounts) {
  for (int row = 0; row < 2; ++row) {
    if (useBlowCounts) {
      layerData.cell(col::kSandFrictionAngle, row).setFloat(0.0);
    } else {
      layerData.cell(col::kSandBlowCount, row).setInteger(0);
    }
  }
}

bool usesBlowCounts(const TGridTable& layerData) {
  const TColumn& blowCounts = layerData.column(col::kSandBlowCount);
  return blowCounts.intValue(0) != 0 || blowCounts.intValue(1) != 0;
}

bool layerFieldEnabled(const TProgramData& project, int soilType, int column) {
  const bool user = project.MethodSelected[kUserSpecified] != 0;
  switch (column) {
    case col::kConeResistance:
      return usesConeMethod(project);
    case col::kUserSkinFriction:
    case col::kUserEndBearing:
      return user;
    default:
      break;
  }
  if (soilType == kSand) {
    if (column == col::kSandKo || column == col::kSandNq) return project.MethodSelected[kApi] != 0;
    return true;
  }
  if (column == col::kClayRemoldedStrength) return project.PileType == kSteelPipe;
  if (column == col::kClayPlasticityIndex || column == col::kClayYieldStressRatio) {
    return project.MethodSelected[kIcpMtd] != 0;
  }
  return true;
}

void attachSoilTableHelp(TProgramData& project) {
  const QChar bullet(183);
  project.D.Comments =
      QStringLiteral("Max. Side Friction and Max. End Bearing:\r") + bullet +
      QStringLiteral(
          " If entries are left as zero, the program assumes no limits in side "
          "transfer\r") +
      bullet +
      QStringLiteral(
          " Use a very small number (eg. 0.001) for layers where load transfer should "
          "be ignored\r") +
      bullet +
      QStringLiteral(
          " The bottom of the last layer has to be deeper than the pile tip by 2 pile "
          "diameters.\r") +
      bullet +
      QStringLiteral(
          " The user can use the reduction factors for LRFD requirement or other design "
          "considerations such as driving strength loss.");
  project.tblDataSand.Comments = QStringLiteral(
      "Friction Angle may be computed from Blow Counts if Blow Counts is a value other than "
      "zero\rAPI recommendations for Ko (coefficient of lateral earth pressure) are:\rKo = 1 for "
      "full-displacement piles, and Ko = 0.8 for open-ended pipe piles\rAPI recommendations for Nq "
      "(bearing capacity factor) may vary from 8 to 50 according to the density of sand\rKo and Nq "
      "are required input, but only used by the API method \rThese values may be different for "
      "other computation methods (FHWA, USACE, etc.)\rThe interface friction angle is 5 degrees "
      "less than the inputted internal friction angle");
  project.tblDataClay.Comments =
      QStringLiteral("PI and YSR are required only for Offshore-Pile Design Methods.") +
      QStringLiteral("\r") +
      QStringLiteral(
          "Remolded Shear Strength is only used for open-ended pipe piles to compute\rthe "
          "resistance in skin friction along the inner surface of the pipe as the\rsoil plug "
          "enters the pipe.  A reduced strength may account for the fact\rthat the internal plug "
          "may be highly disturbed as it enters the pile.");
  project.applyUserLoadTransferColumns();
  for (TGridTable* table : {&project.tblDataSand, &project.tblDataClay}) {
    table->column(col::kConeResistance).Shown = true;
  }
}

}  // namespace vorne
