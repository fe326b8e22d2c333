// Interpretation of a CPT profile: the normalised values with the iterated stress exponent, the
// zones at their boundaries, the unit weight, qt and the stresses with a water table, and the
// profiles that cannot be classified.
#include "cpt/cpt_interpretation.h"

#include <QtTest>
#include <cmath>

#include "cpt_fixtures.h"

using namespace vorne::cpt;

class CptInterpretationTest : public QObject {
  Q_OBJECT

 private slots:
  void normalisedValuesByHand_data();
  void normalisedValuesByHand();
  void zoneBoundaries_data();
  void zoneBoundaries();
  void unitWeightByRobertsonAndCabal();
  void correctedResistanceAndStresses();
  void fixtureRecordsHaveTheirIndex();
  void refusesProfilesThatCannotBeClassified();
};

void CptInterpretationTest::normalisedValuesByHand_data() {
  QTest::addColumn<double>("qt");
  QTest::addColumn<double>("fs");
  QTest::addColumn<double>("totalStress");
  QTest::addColumn<double>("effectiveStress");
  QTest::addColumn<double>("qtn");
  QTest::addColumn<double>("fr");
  QTest::addColumn<double>("ic");
  QTest::addColumn<double>("n");
  QTest::addColumn<int>("iterations");
  // Fr = 60 / 1350 * 100 = 4.444; n = 1: Qtn = 13.5 * (100 / 90) = 15.0;
  // Ic = sqrt((3.47 - 1.1761)^2 + (0.6478 + 1.22)^2) = 2.9582; n = 0.381 * 2.9582 + 0.045 - 0.15
  // = 1.022, capped at 1, so the first update ends the iteration.
  QTest::newRow("clay, n capped at 1")
      << 1500.0 << 60.0 << 150.0 << 90.0 << 15.0 << 4.444444 << 2.958168 << 1.0 << 1;
  // sigma'_v0 = pa: Qtn = (qt - sigma_v0) / pa = 198.2 whatever n, so the second update repeats
  // the first: n = 0.381 * 1.4925 + 0.05 - 0.15 = 0.4686.
  QTest::newRow("sand at sigma' = pa, ends after two")
      << 20000.0 << 100.0 << 180.0 << 100.0 << 198.2 << 0.504541 << 1.492456 << 0.468626 << 2;
  // Dense sand at 5 m with the water table at the surface: n settles at 0.5076 after six updates
  // (from 1, 0.4950, 0.5089, ...), Qtn = 99.1 * (100 / 60.57)^0.5076 = 127.82.
  QTest::newRow("sand, iterated") << 10000.0 << 50.0 << 90.0 << 60.57 << 127.81783 << 0.504541
                                  << 1.646396 << 0.507562 << 6;
  QTest::newRow("silty sand, iterated")
      << 5000.0 << 40.0 << 40.0 << 40.0 << 85.646956 << 0.806452 << 1.905894 << 0.596146 << 8;
}

void CptInterpretationTest::normalisedValuesByHand() {
  QFETCH(double, qt);
  QFETCH(double, fs);
  QFETCH(double, totalStress);
  QFETCH(double, effectiveStress);
  QFETCH(double, qtn);
  QFETCH(double, fr);
  QFETCH(double, ic);
  QFETCH(double, n);
  QFETCH(int, iterations);
  const NormalisedRecord r = normaliseRecord(qt, fs, totalStress, effectiveStress);
  QVERIFY(r.valid);
  constexpr double kHandDigits = 1.0e-5;  // the hand values carry 6 to 8 digits
  QVERIFY(std::fabs(r.qtn - qtn) < kHandDigits * qtn);
  QVERIFY(std::fabs(r.fr - fr) < kHandDigits * fr);
  QVERIFY(std::fabs(r.ic - ic) < kHandDigits);
  QVERIFY(std::fabs(r.n - n) < kHandDigits);
  QCOMPARE(r.iterations, iterations);
}

void CptInterpretationTest::zoneBoundaries_data() {
  QTest::addColumn<double>("ic");
  QTest::addColumn<int>("zone");
  QTest::newRow("1.31 is gravelly sand") << 1.31 << 7;
  QTest::newRow("just above 1.31 is sand") << 1.3100001 << 6;
  QTest::newRow("2.05 is sand") << 2.05 << 6;
  QTest::newRow("just above 2.05 is a sand mixture") << 2.0500001 << 5;
  QTest::newRow("2.60 is a sand mixture") << 2.60 << 5;
  QTest::newRow("just above 2.60 is a silt mixture") << 2.6000001 << 4;
  QTest::newRow("2.95 is a silt mixture") << 2.95 << 4;
  QTest::newRow("just above 2.95 is clay") << 2.9500001 << 3;
  QTest::newRow("3.60 is clay") << 3.60 << 3;
  QTest::newRow("just above 3.60 is organic") << 3.6000001 << 2;
  QTest::newRow("not a number is not classified") << std::nan("") << 0;
}

void CptInterpretationTest::zoneBoundaries() {
  QFETCH(double, ic);
  QFETCH(int, zone);
  QCOMPARE(static_cast<int>(soilZone(ic)), zone);
}

void CptInterpretationTest::unitWeightByRobertsonAndCabal() {
  // Rf = 50 / 10000 * 100 = 0.5 %: 9.81 * (0.27 * -0.30103 + 0.36 * 2 + 1.236) = 18.3910 kN/m3.
  QVERIFY(std::fabs(robertsonCabalUnitWeight(10000.0, 50.0) - 18.391022) < 1e-5);
  QVERIFY(std::isnan(robertsonCabalUnitWeight(10000.0, 0.0)));
}

void CptInterpretationTest::correctedResistanceAndStresses() {
  // Uniform 18 kN/m3, water table at 2 m; u2 = 100 kPa with the file's a = 0.75 adds 25 kPa.
  CptProfile p;
  p.coneAreaRatio = 0.75;
  for (double z : {1.0, 2.0, 5.0}) {
    CptRecord r;
    r.depth = z;
    r.coneResistance = 2000.0;
    r.sleeveFriction = 40.0;
    r.porePressure = 100.0;
    p.records.push_back(r);
  }
  InterpretationSettings s;
  s.waterTableDepth = 2.0;
  s.totalUnitWeight = 18.0;
  const Interpretation in = interpretProfile(p, s);
  QVERIFY2(in.ok, qPrintable(in.error));
  QCOMPARE(in.records[2].qt, 2025.0);
  // At 5 m: sigma_v0 = 90, u0 = 9.81 * 3 = 29.43, sigma'_v0 = 60.57; Bq = (100 - 29.43) / 1935.
  QVERIFY(std::fabs(in.records[2].totalStress - 90.0) < 1e-9);
  QVERIFY(std::fabs(in.records[2].effectiveStress - 60.57) < 1e-9);
  QVERIFY(std::fabs(*in.records[2].bq - 70.57 / 1935.0) < 1e-12);
  // Above the water table the whole weight is effective; at it and below, gamma - gamma_w.
  QCOMPARE(in.records[0].effectiveUnitWeight, 18.0);
  QVERIFY(std::fabs(in.records[1].effectiveUnitWeight - 8.19) < 1e-12);
  QVERIFY(in.notes.isEmpty());

  // Without a from the file, 0.8 is used and said.
  p.coneAreaRatio.reset();
  const Interpretation assumed = interpretProfile(p, s);
  QCOMPARE(assumed.records[0].qt, 2020.0);
  QVERIFY(assumed.notes.join(' ').contains("a = 0.8"));
}

void CptInterpretationTest::fixtureRecordsHaveTheirIndex() {
  // The fixture's records come back with the Ic they were built for, above and below water.
  CptProfile p;
  for (int k = 1; k <= 30; ++k) {
    const double z = 0.5 * k;
    p.records.push_back(test::recordWithIc(z, 3000.0 + 500.0 * z, 1.5 + 0.07 * k, 19.0, 4.0));
  }
  InterpretationSettings s;
  s.waterTableDepth = 4.0;
  s.totalUnitWeight = 19.0;
  const Interpretation in = interpretProfile(p, s);
  QVERIFY2(in.ok, qPrintable(in.error));
  for (int k = 1; k <= 30; ++k) {
    QVERIFY(std::fabs(in.records[static_cast<std::size_t>(k - 1)].normalised.ic -
                      (1.5 + 0.07 * k)) < 1e-5);
  }
}

void CptInterpretationTest::refusesProfilesThatCannotBeClassified() {
  CptProfile noFs;
  noFs.records = {{1.0, 2000.0, {}, {}, {}}, {2.0, 2500.0, {}, {}, {}}};
  const Interpretation a = interpretProfile(noFs, {});
  QVERIFY(!a.ok);
  QVERIFY(a.error.contains("no sleeve friction"));

  QVERIFY(!interpretProfile(CptProfile{}, {}).ok);

  // fs present but zero everywhere: no unit weight can be estimated and nothing classified.
  CptProfile zeroFs;
  zeroFs.records = {{1.0, 2000.0, 0.0, {}, {}}, {2.0, 2500.0, 0.0, {}, {}}};
  QVERIFY(!interpretProfile(zeroFs, {}).ok);
  InterpretationSettings given;
  given.totalUnitWeight = 18.0;
  const Interpretation c = interpretProfile(zeroFs, given);
  QVERIFY(!c.ok);
  QVERIFY(c.error.contains("no record"));
}

QTEST_GUILESS_MAIN(CptInterpretationTest)
#include "cpt_interpretation_test.moc"
