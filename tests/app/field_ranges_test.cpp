// The range table of the project's inputs: bounds in each unit system, open and closed ends,
// whole numbers, the refusal text, and the field of each project table cell.
#include "app/field_ranges.h"

#include <QtTest>
#include <limits>

#include "app/program_data.h"
#include "base/unit_labels.h"

using namespace vorne;

class FieldRangesTest : public QObject {
  Q_OBJECT

 private slots:
  void bounds_data();
  void bounds();
  void everyFieldHasARow();
  void refusalNamesFieldValueAndRange();
  void cellsOfTheProjectTables();
};

void FieldRangesTest::bounds_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<int>("units");
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("accepted");
  const auto row = [](const char* name, FieldId id, int units, double value, bool accepted) {
    QTest::newRow(name) << static_cast<int>(id) << units << value << accepted;
  };
  row("friction angle inside", FieldId::FrictionAngle, kEnglishUnits, 34.0, true);
  row("friction angle 0 (from blow counts)", FieldId::FrictionAngle, kSiUnits, 0.0, true);
  row("friction angle at 50", FieldId::FrictionAngle, kEnglishUnits, 50.0, true);
  row("friction angle 95", FieldId::FrictionAngle, kEnglishUnits, 95.0, false);
  row("friction angle -30", FieldId::FrictionAngle, kSiUnits, -30.0, false);
  row("factor at 1", FieldId::SideFrictionFactor, kEnglishUnits, 1.0, true);
  row("factor 200000", FieldId::EndBearingFactor, kEnglishUnits, 200000.0, false);
  row("open lower end: OD 0", FieldId::OutsideDiameter, kEnglishUnits, 0.0, false);
  row("OD just above 0", FieldId::OutsideDiameter, kEnglishUnits, 1.0e-3, true);
  row("OD 600 in", FieldId::OutsideDiameter, kEnglishUnits, 600.0, true);
  row("OD 601 in", FieldId::OutsideDiameter, kEnglishUnits, 601.0, false);
  row("OD 601 mm is small", FieldId::OutsideDiameter, kSiUnits, 601.0, true);
  row("depth 1E30", FieldId::LayerBottomDepth, kEnglishUnits, 1.0e30, false);
  row("negative depth", FieldId::LayerBottomDepth, kEnglishUnits, -5.0, false);
  row("depth 2000 ft", FieldId::LayerBottomDepth, kEnglishUnits, 2000.0, true);
  row("depth 2000 m", FieldId::LayerBottomDepth, kSiUnits, 2000.0, false);
  row("su 1e11 psf", FieldId::UndrainedShearStrength, kEnglishUnits, 1.0e11, false);
  row("su 1e11 kPa", FieldId::UndrainedShearStrength, kSiUnits, 1.0e11, false);
  row("su 10000 kPa", FieldId::UndrainedShearStrength, kSiUnits, 10000.0, true);
  row("su 10000 psf", FieldId::UndrainedShearStrength, kEnglishUnits, 10000.0, true);
  row("unit weight 0", FieldId::UnitWeight, kEnglishUnits, 0.0, false);
  row("unit weight 120 pcf", FieldId::UnitWeight, kEnglishUnits, 120.0, true);
  row("unit weight 120 kN/m3", FieldId::UnitWeight, kSiUnits, 120.0, false);
  row("print increment 2.5", FieldId::PrintIncrement, kEnglishUnits, 2.5, false);
  row("print increment 500", FieldId::PrintIncrement, kSiUnits, 500.0, true);
  row("tension factor below 0.001", FieldId::TensionReductionFactor, kSiUnits, 0.0005, false);
  row("not a number", FieldId::PileLength, kEnglishUnits, std::numeric_limits<double>::quiet_NaN(),
      false);
  row("infinity", FieldId::ElasticModulus, kEnglishUnits, std::numeric_limits<double>::infinity(),
      false);
}

void FieldRangesTest::bounds() {
  QFETCH(int, field);
  QFETCH(int, units);
  QFETCH(double, value);
  QFETCH(bool, accepted);
  const FieldId id = static_cast<FieldId>(field);
  QCOMPARE(fieldRange(id, units).contains(value), accepted);
  QCOMPARE(rangeRefusal(id, value, units).isEmpty(), accepted);
}

void FieldRangesTest::everyFieldHasARow() {
  for (int k = 0; k <= static_cast<int>(FieldId::Area); ++k) {
    for (int units : {kEnglishUnits, kSiUnits}) {
      const FieldRange range = fieldRange(static_cast<FieldId>(k), units);
      QVERIFY2(range.caption != QStringLiteral("?"), qPrintable(QString::number(k)));
      QVERIFY(range.minimum < range.maximum);
    }
  }
}

void FieldRangesTest::refusalNamesFieldValueAndRange() {
  QCOMPARE(rangeRefusal(FieldId::FrictionAngle, 95.0, kEnglishUnits),
           QStringLiteral("Friction Angle: 95 is outside the range 0 to 50 deg."));
  QCOMPARE(rangeRefusal(FieldId::OutsideDiameter, -3.0, kSiUnits),
           QStringLiteral("Outer Diameter, OD: -3 is outside the range greater than 0 and at most "
                          "15000 mm."));
  QCOMPARE(rangeRefusal(FieldId::UndrainedShearStrength, 1.0e11, kEnglishUnits),
           QStringLiteral("Undrained Shear Strength: 1E11 is outside the range 0 to 200000 "
                          "lbs/ft^2."));
  QCOMPARE(rangeRefusal(FieldId::BlowCount, 12.5, kEnglishUnits),
           QStringLiteral("Blow Counts from SPT: 12.5 is outside the range 0 to 300 (a whole "
                          "number)."));
}

void FieldRangesTest::cellsOfTheProjectTables() {
  TProgramData project;
  project.D.setRowCount(3);
  project.D.cell(col::kSoilType, 1).setInteger(2);  // layer 2 clay
  project.D.cell(col::kSoilType, 2).setInteger(1);
  QCOMPARE(fieldOfCell(project, project.D, col::kBottomDepth), FieldId::LayerBottomDepth);
  QCOMPARE(fieldOfCell(project, project.D, col::kSoilType), std::nullopt);
  QCOMPARE(fieldOfCell(project, project.layerData(1), col::kClayUndrainedStrength),
           FieldId::UndrainedShearStrength);
  QCOMPARE(fieldOfCell(project, project.layerData(2), col::kSandFrictionAngle),
           FieldId::FrictionAngle);
  QCOMPARE(fieldOfCell(project, project.TblTZDepth, 0), FieldId::ExtraTzDepth);
  QCOMPARE(fieldOfCell(project, project.Sectionaldata, col::kArea), FieldId::Area);
  TProgramData other;
  QCOMPARE(fieldOfCell(project, other.D, col::kBottomDepth), std::nullopt);

  QCOMPARE(cellRangeRefusal(project, project.layerData(2), col::kSandFrictionAngle, 1, 95.0),
           QStringLiteral("Soil layer 3, bottom, Friction Angle: 95 is outside the range 0 to 50 "
                          "deg."));
  QCOMPARE(cellRangeRefusal(project, project.D, col::kSideFrictionFactor, 0, 200000.0),
           QStringLiteral("Soil layer 1, Reduction/Resistance Factor on Side Friction: 200000 is "
                          "outside the range 0 to 1."));
  QVERIFY(cellRangeRefusal(project, project.D, col::kBottomDepth, 0, 40.0).isEmpty());
}

QTEST_GUILESS_MAIN(FieldRangesTest)
#include "field_ranges_test.moc"
