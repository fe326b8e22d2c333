// Project model: tables and their definitions, new project, unit switch, modified state.
#include "app/program_data.h"

#include <QFileInfo>
#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <tuple>

#include "app/field_ranges.h"
#include "app/soil_layers.h"
#include "base/number_text.h"
#include "base/unit_labels.h"

namespace vorne {

namespace {

const QString kStress = QStringLiteral("F/L2^2");
constexpr double kApiLimitCode = 9999.0;
constexpr double kNoLimitCode = 9999999.0;
const QString kUnitWeight = QStringLiteral("F/L2^3");

void defineLayerTemplate(TGridTable& table, bool sand) {
  table.Caption = sand ? QStringLiteral("Sand Layer Data") : QStringLiteral("Clay Layer Data");
  table.TopLeft = QStringLiteral("Location, 1=Top, 2=Bottom");
  table.setMinRows(2);
  table.setMaxRows(2);
  table.addColumn(
      std::make_unique<TFloatColumn>(QStringList{"Effective Unit ", "Weight,"}, kUnitWeight));
  if (sand) {
    table.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Friction ", "Angle (Deg.)"}, QString()));
    table.addColumn(
        std::make_unique<TIntColumn>(QStringList{"Blow Counts ", "(optional)"}, 0, 0, 2147483647));
    table.addColumn(std::make_unique<TFloatColumn>(QStringList{"Ko  "}, QString()));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Bearing Capacity ", "Factor, Nq (API)"}, QString()));
    table.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Qc from CPT", "(optional), "}, kStress));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Unit Skin Friction", "(user specified), "}, kStress));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Unit End Baering", "(user Specified),"}, kStress));
  } else {
    table.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Undrained Shear", "Strength,"}, kStress));
    table.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Remolded Shear ", "Strength,"}, kStress));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Plastic Index (PI)", "(optional), %"}, QString()));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Yield Stress Ratio", "YSR (optional), "}, QString()));
    table.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Qc from CPT", "(optional],"}, kStress));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Unit Skin Friction", "(user specified),"}, kStress));
    table.addColumn(std::make_unique<TFloatColumn>(
        QStringList{"Unit End Bearing", "(user specified),"}, kStress));
  }
}

}  // namespace

TProgramData::TProgramData() {
  defineTables();
  createNew();
}

void TProgramData::defineTables() {
  tblDataSand.setIdentifier(kSandTableId);
  defineLayerTemplate(tblDataSand, true);
  tblDataClay.setIdentifier(kClayTableId);
  defineLayerTemplate(tblDataClay, false);

  D.Caption = QStringLiteral("Soil Properties");
  D.TopLeft = QStringLiteral("Layer");
  D.setMinRows(1);
  D.setMaxRows(kMaxLayers);
  D.addColumn(std::make_unique<TEnumColumn>(QStringList{"Soil Type"}, QStringList{"sand", "clay"}));
  D.addColumn(std::make_unique<TFloatColumn>(QStringList{"Depth at Bottom ", "of each Layer"},
                                             QStringLiteral("L2")));
  D.addColumn(std::make_unique<TTableColumn>(QStringList{"Layer Data"},
                                             QList<int>{kSandTableId, kClayTableId}));
  // A limit of 0 or 9999999 means none, and a side friction limit of 9999 the API limits: codes
  // that keep their value in either unit system.
  auto sideLimit = std::make_unique<TFloatColumn>(QStringList{"Max. Side Friction"}, kStress);
  sideLimit->Codes = {0.0, kApiLimitCode, kNoLimitCode};
  D.addColumn(std::move(sideLimit));
  auto endLimit = std::make_unique<TFloatColumn>(QStringList{"Max. End Bearing"}, kStress);
  endLimit->Codes = {0.0, kNoLimitCode};
  D.addColumn(std::move(endLimit));
  // A factor of 1 leaves the unit resistance as computed.
  D.addColumn(std::make_unique<TFloatColumn>(
      QStringList{"Reduction/Resistance ", "Factors on Side Friction"}, QString(), 1.0));
  D.addColumn(std::make_unique<TFloatColumn>(
      QStringList{"Reduction/Resistance ", "Factors on End Bearing"}, QString(), 1.0));
  D.RowName = QStringLiteral("layer");
  // A typed entry is refused outside its plausible range (app/field_ranges), and a layer ends
  // below the layer above it. Layer data sub-tables keep the check of their template.
  D.EntryCheck = [this](int column, int row, double value) -> QString {
    if (QString reason = cellRangeReason(*this, D, column, value); !reason.isEmpty()) return reason;
    if (column == col::kBottomDepth && row > 0) {
      const double above = D.column(col::kBottomDepth).floatValue(row - 1);
      if (!(value > above)) {
        return QStringLiteral("%1 must be deeper than the bottom of layer %2 (%3 %4).")
            .arg(formatGeneralQ(value, 10))
            .arg(row)
            .arg(formatGeneralQ(above, 10), expandUnits(QStringLiteral("L2"), m_units));
      }
    }
    return {};
  };
  tblDataSand.EntryCheck = [this](int column, int, double value) {
    return cellRangeReason(*this, tblDataSand, column, value);
  };
  tblDataClay.EntryCheck = [this](int column, int, double value) {
    return cellRangeReason(*this, tblDataClay, column, value);
  };

  TblTZDepth.Caption = QStringLiteral("Depths for Internally-generated t-z curves");
  TblTZDepth.setMinRows(1);
  TblTZDepth.addColumn(std::make_unique<TFloatColumn>(
      QStringList{"Depth below the ground", "surface"}, QStringLiteral("L2")));

  Sectionaldata.Caption = QStringLiteral("Cross Section Area");
  Sectionaldata.setMinRows(2);
  Sectionaldata.setMaxRows(kMaxAreaRows);
  Sectionaldata.addColumn(std::make_unique<TFloatColumn>(
      QStringList{"Distance from ", "pile head,"}, QStringLiteral("L2")));
  Sectionaldata.addColumn(
      std::make_unique<TFloatColumn>(QStringList{"Cross section area,"}, QStringLiteral("L^2")));
  TblTZDepth.EntryCheck = [this](int column, int, double value) {
    return cellRangeReason(*this, TblTZDepth, column, value);
  };
  Sectionaldata.EntryCheck = [this](int column, int, double value) {
    return cellRangeReason(*this, Sectionaldata, column, value);
  };
}

void TProgramData::resetScalars() {
  m_windows1252Text.fill(false);
  // Nothing made by a switch: no value matches a NaN's bits by chance of a typed value.
  m_scalarHome.fill({std::numeric_limits<double>::quiet_NaN(), 0.0});
  m_cptDepthHome.clear();
  m_cptQcHome.clear();
  Title = QStringLiteral("New Pile");
  Designer.clear();
  JobNumber.clear();
  PileType = 1;
  CircularSection = true;
  OutsideDiameter = InsideDiameter = PileLength = EnhancedEndLength = 0.0;
  EnhancedEndInsideDiameter = ZeroFrictionLength = StickupLength = 0.0;
  NoncircularPerimeter = NoncircularTipArea = ElasticModulus = TaperAngle = 0.0;
  AreaOption = 0;
  SectionArea = 0.0;
  PlugCondition = 0;
  LoadTransferMethod = 4;
  MethodSelected.fill(0);
  MethodSelected[4] = 1;
  LoadingType = 0;
  TensionReductionFactor = 1.0;
  ClayDrained = 0;
  ReducedLoadTransfer = 0;
  CriticalDepthOption = 0;
  UserCriticalDepth = 0.0;
  LengthIncrement = 1.0;
  PrintIncrement = 1;
  ExtraTzDepths = 0;
  DeepestSoilDepth = 0.0;
  CptPoints.clear();
  CptImport = TCptImportSettings();
  ResultDepth.clear();
  ResultSkin.clear();
  ResultTip.clear();
}

void TProgramData::emptyTables() {
  for (TGridTable* table : {&D, &TblTZDepth, &Sectionaldata}) table->setRowCount(0);
}

void TProgramData::padTables() {
  for (TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    table->padToMinRows();
  }
}

void TProgramData::createNew() {
  setFileName(kUntitledName);
  m_units = kEnglishUnits;
  Title = QStringLiteral("New Pile");
  for (TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    table->setUnits(kEnglishUnits);
  }
  resetScalars();
  emptyTables();
  padTables();
  attachSoilTableHelp(*this);
  clearModified();
}

QString TProgramData::switchUnits(int units) {
  units = std::clamp(units, kEnglishUnits, kSiUnits);
  const bool toSi = units == kSiUnits;
  const char* const systemName = toSi ? "SI" : "English";
  // Every value converts or none does: a switch that would take one out of the range of numbers
  // is refused before anything changes, so the project never holds an infinite value.
  struct Scalar {
    double* value;
    const char* name;
    double factor;  // English to SI
  };
  const double area = kInchToMetre * kInchToMetre;
  const Scalar scalars[] = {
      {&NoncircularPerimeter, "Perimeter", kInchToMillimetre},
      {&OutsideDiameter, "Outside Diameter, OD", kInchToMillimetre},
      {&InsideDiameter, "Inside Diameter, ID", kInchToMillimetre},
      {&EnhancedEndInsideDiameter, "Enhanced End Inside Diameter, EID", kInchToMillimetre},
      {&PileLength, "Total Length, TL", kFootToMetre},
      {&EnhancedEndLength, "Enhanced End Section Length, ESL", kFootToMetre},
      {&ZeroFrictionLength, "Zero Friction Length, ZFL", kFootToMetre},
      {&StickupLength, "Pile Stick-up Length, PSL", kFootToMetre},
      {&LengthIncrement, "Increment of Pile Length", kFootToMetre},
      {&DeepestSoilDepth, "Depth of the Deepest Soil", kFootToMetre},
      {&UserCriticalDepth, "Critical Depth", kFootToMetre},
      {&NoncircularTipArea, "Tip Area", area},
      {&SectionArea, "Cross-section Area", area},
      {&ElasticModulus, "Modulus of Elasticity, E", kPoundToKiloNewton / area},
  };
  const double qcFactor = englishToSiFactor(QStringLiteral("F1/L2^2"));  // ksf <-> kPa
  const auto refusal = [systemName, this](const QString& field, double value) {
    return QStringLiteral(
               "%1 = %2 cannot be converted to %3 units: the result is beyond the range "
               "of numbers. The project keeps its %4 units.")
        .arg(field, QString::fromStdString(formatGeneral(value, 10)), QLatin1String(systemName),
             QLatin1String(m_units == kSiUnits ? "SI" : "English"));
  };
  if (units != m_units) {
    for (const Scalar& scalar : scalars) {
      if (!std::isfinite(convertUnitValue(*scalar.value, scalar.factor, toSi))) {
        return refusal(QLatin1String(scalar.name), *scalar.value);
      }
    }
    for (std::size_t k = 0; k < CptPoints.size(); ++k) {
      const CptProfilePoint& p = CptPoints[k];
      if (!std::isfinite(convertUnitValue(p.depth, kFootToMetre, toSi)) ||
          !std::isfinite(convertUnitValue(p.qc, qcFactor, toSi))) {
        return refusal(
            QStringLiteral("CPT point %1").arg(k + 1),
            std::isfinite(convertUnitValue(p.depth, kFootToMetre, toSi)) ? p.qc : p.depth);
      }
    }
  }
  for (TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    const QString problem = table->unitSwitchProblem(units);
    if (!problem.isEmpty()) {
      return QStringLiteral(
                 "%1 cannot be converted to %2 units: the result is beyond the range "
                 "of numbers. The project keeps its units.")
          .arg(problem, QLatin1String(systemName));
    }
  }

  for (TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    table->setUnits(units);
  }
  if (units == m_units) return {};
  static_assert(std::size(scalars) == std::tuple_size_v<decltype(m_scalarHome)>);
  for (std::size_t k = 0; k < std::size(scalars); ++k) {
    double& value = *scalars[k].value;
    auto& [made, from] = m_scalarHome[k];
    const double converted =
        std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(made)
            ? from
            : convertUnitValue(value, scalars[k].factor, toSi);
    made = converted;
    from = value;
    value = converted;
  }
  // CPT points: depth in ft or m, qc in ksf or kPa; the side file names the project's system.
  const auto convertHome = [toSi](double value, double factor,
                                  std::unordered_map<std::uint64_t, double>& home,
                                  std::unordered_map<std::uint64_t, double>& next) {
    const auto found = home.find(std::bit_cast<std::uint64_t>(value));
    const double converted =
        found != home.end() ? found->second : convertUnitValue(value, factor, toSi);
    next[std::bit_cast<std::uint64_t>(converted)] = value;
    return converted;
  };
  std::unordered_map<std::uint64_t, double> depthHome;
  std::unordered_map<std::uint64_t, double> qcHome;
  for (CptProfilePoint& p : CptPoints) {
    p.depth = convertHome(p.depth, kFootToMetre, m_cptDepthHome, depthHome);
    p.qc = convertHome(p.qc, qcFactor, m_cptQcHome, qcHome);
  }
  m_cptDepthHome = std::move(depthHome);
  m_cptQcHome = std::move(qcHome);
  m_units = units;
  m_modified = true;
  return {};
}

void TProgramData::setFileName(const QString& fileName) { m_fileName = fileName; }

namespace {

QString withExtension(const QString& fileName, const QString& extension) {
  const QFileInfo info(fileName);
  const QString base = info.completeSuffix().isEmpty()
                           ? fileName
                           : fileName.left(fileName.size() - info.suffix().size() - 1);
  return base + extension;
}

}  // namespace

QString TProgramData::grlweapFileName() const {
  return withExtension(m_fileName, QStringLiteral(".gwi"));
}

QString TProgramData::cptFileName() const {
  return withExtension(m_fileName, QStringLiteral(".cpt"));
}

bool TProgramData::isUntitled() const { return QFileInfo(m_fileName).fileName() == kUntitledName; }

bool TProgramData::isModified() const {
  if (m_modified) return true;
  for (const TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    if (table->isChanged()) return true;
  }
  return false;
}

void TProgramData::clearModified() {
  m_modified = false;
  for (TGridTable* table : {&tblDataSand, &tblDataClay, &D, &TblTZDepth, &Sectionaldata}) {
    table->resetChanged();
  }
}

void TProgramData::applyUserLoadTransferColumns() {
  const bool shown = LoadTransferMethod == kUserSpecifiedMethod;
  const auto apply = [shown](TGridTable& table) {
    table.column(col::kUserSkinFriction).Shown = shown;
    table.column(col::kUserEndBearing).Shown = shown;
  };
  apply(tblDataSand);
  apply(tblDataClay);
  for (int layer = 0; layer < D.rowCount(); ++layer) apply(layerData(layer));
}

TGridTable& TProgramData::layerData(int layer) { return *D.cell(col::kLayerData, layer).asTable(); }

}  // namespace vorne
