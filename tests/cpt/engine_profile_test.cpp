// The profile as the engine takes it: the reduction to 1000 points by averaging over equal depth
// intervals, the unit systems, and the side file text.
#include "cpt/engine_profile.h"

#include <QtTest>

using namespace vorne::cpt;

class EngineProfileTest : public QObject {
  Q_OBJECT

 private slots:
  void averagesOverEqualDepthIntervals();
  void leavesGapsEmpty();
  void keepsShortProfiles();
  void convertsToTheProjectUnits();
  void sideFileCarriesTheShortestText();
};

void EngineProfileTest::averagesOverEqualDepthIntervals() {
  // 2000 records at 0.01 m from 0.01 to 20.00 m, qc = 100 × index: the span 19.99 m in 1000
  // intervals of 0.01999 m holds the records in pairs (k, k+1), so point k is the mean of records
  // 2k and 2k+1: depth 0.01 × (2k + 1.5), qc 100 × (2k + 0.5). fs is given on even records only.
  CptProfile profile;
  for (int i = 0; i < 2000; ++i) {
    CptRecord r{0.01 * (i + 1), 100.0 * i, std::nullopt, std::nullopt, std::nullopt};
    if (i % 2 == 0) r.sleeveFriction = 1.0 * i;
    profile.records.push_back(r);
  }
  double interval = 0.0;
  const std::vector<CptRecord> reduced = reduceRecords(profile.records, 1000, &interval);
  QCOMPARE(int(reduced.size()), 1000);
  QVERIFY(qAbs(interval - 0.01999) < 1e-12);
  for (int k : {0, 1, 499, 998}) {
    QVERIFY(qAbs(reduced[k].depth - 0.01 * (2 * k + 1.5)) < 1e-9);
    QVERIFY(qAbs(reduced[k].coneResistance - 100.0 * (2 * k + 0.5)) < 1e-9);
    QCOMPARE(*reduced[k].sleeveFriction, 2.0 * k);
  }
  const EngineProfile engine = engineProfile(profile, 2);
  QCOMPARE(engine.sourcePoints, 2000);
  QCOMPARE(engine.reduction, QString("2000 points averaged to 1000 over 0.020 m"));
}

void EngineProfileTest::leavesGapsEmpty() {
  // 600 records over 0..5.99 m and 600 over 14..19.99 m: no point falls in the gap between.
  std::vector<CptRecord> records;
  for (int i = 0; i < 600; ++i) records.push_back({0.01 * i, 1.0, {}, {}, {}});
  for (int i = 0; i < 600; ++i) records.push_back({14.0 + 0.01 * i, 2.0, {}, {}, {}});
  const std::vector<CptRecord> reduced = reduceRecords(records, 1000);
  QVERIFY(reduced.size() <= 1000);
  for (const CptRecord& r : reduced) {
    QVERIFY2(r.depth < 6.0 || r.depth >= 14.0, qPrintable(QString::number(r.depth)));
    QCOMPARE(r.coneResistance, r.depth < 6.0 ? 1.0 : 2.0);
  }
}

void EngineProfileTest::keepsShortProfiles() {
  CptProfile profile;
  for (int i = 0; i < 1000; ++i) profile.records.push_back({0.01 * i, 5.0, {}, {}, {}});
  const EngineProfile engine = engineProfile(profile, 2);
  QCOMPARE(int(engine.points.size()), 1000);
  QVERIFY(engine.reduction.isEmpty());
  QCOMPARE(engine.points[999].depth, 9.99);
}

void EngineProfileTest::convertsToTheProjectUnits() {
  // 3.048 m is 10 ft; 47.88026311212539 kPa is 1 ksf to the project's factor (4.44822199911631
  // kN per kip over 0.3048² m² per ft²): the converted values carry no conversion noise.
  CptProfile profile;
  profile.records.push_back({3.048, 4788.026311212539, 95.76052622425078, {}, {}});
  const EngineProfile english = engineProfile(profile, 1);
  QCOMPARE(english.units, 1);
  QCOMPARE(english.points[0].depth, 10.0);
  QCOMPARE(english.points[0].coneResistance, 100.0);
  QCOMPARE(*english.points[0].sleeveFriction, 2.0);
  const EngineProfile si = engineProfile(profile, 2);
  QCOMPARE(si.points[0].depth, 3.048);
  QCOMPARE(si.points[0].coneResistance, 4788.026311212539);
}

void EngineProfileTest::sideFileCarriesTheShortestText() {
  EngineProfile profile;
  profile.units = 2;
  profile.points = {{0.5, 4020.0, {}, {}}, {12.5, 1234.5678, {}, {}}};
  QCOMPARE(cptSideFileText(profile),
           QByteArray(" 2 2\r\n  5.00E-01  4.02E+03\r\n  1.25E+01  1.2345678E+03\r\n"));
}

QTEST_GUILESS_MAIN(EngineProfileTest)
#include "engine_profile_test.moc"
