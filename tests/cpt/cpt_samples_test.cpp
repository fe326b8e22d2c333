// Real CPT deliveries read with the counts and values their README gives. The files live beside
// the source tree (../shared/cpt-samples) or where VORNE_CPT_SAMPLES points; without them the
// test is skipped, so a clone without the samples still passes.
#include <QDir>
#include <QtTest>

#include "cpt/cpt_reader.h"
#include "cpt/engine_profile.h"
#include "tests/support/cpt_samples.h"

using namespace vorne::cpt;

namespace {

// The record nearest to depth (m).
const CptRecord& at(const CptProfile& p, double depth) {
  const CptRecord* best = &p.records.front();
  for (const CptRecord& r : p.records) {
    if (qAbs(r.depth - depth) < qAbs(best->depth - depth)) best = &r;
  }
  return *best;
}

}  // namespace

class CptSamplesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void readsEverySample_data();
  void readsEverySample();
  void valuesAtKnownDepths();
  void refusesTheForceUnitFile();

 private:
  QString m_folder;
};

void CptSamplesTest::initTestCase() {
  m_folder = cptSamplesFolder();
  if (m_folder.isEmpty()) QSKIP("the CPT sample files are not beside the source tree");
}

void CptSamplesTest::readsEverySample_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("format");
  QTest::addColumn<int>("locations");
  QTest::addColumn<QString>("location");  // the one checked; empty for a single one
  QTest::addColumn<int>("read");
  QTest::addColumn<int>("kept");
  QTest::addColumn<double>("top");
  QTest::addColumn<double>("bottom");
  // The first record is void in every column.
  QTest::newRow("pygef_cpt") << "gef/pygef_cpt.gef"
                             << "GEF" << 1 << "" << 1004 << 1003 << 0.01 << 20.004;
  // 200 records above the pre-excavated 2.0 m are dropped; LASTSCAN says 1035.
  QTest::newRow("pygef_cpt2") << "gef/pygef_cpt2.gef"
                              << "GEF" << 1 << "" << 1039 << 839 << 2.0 << 10.38;
  QTest::newRow("pygef_cpt3") << "gef/pygef_cpt3.gef"
                              << "GEF" << 1 << "" << 5939 << 5939 << 0.005 << 29.695;
  QTest::newRow("pygef_cpt4") << "gef/pygef_cpt4.gef"
                              << "GEF" << 1 << "" << 2021 << 2021 << 0.0 << 20.20;
  // Depth from the corrected depth: 29.817 m at the penetration length of 30.30 m.
  QTest::newRow("pygef_cpt_class_high") << "gef/pygef_cpt_class_high.gef"
                                        << "GEF" << 1 << "" << 1516 << 1515 << 0.02 << 29.817;
  // 301 void records above the pre-excavated 6 m; the corrected depth is negative.
  QTest::newRow("pygef_example") << "gef/pygef_example.gef"
                                 << "GEF" << 1 << "" << 1484 << 1183 << 6.019 << 29.481;
  // Void qc at 0.00, 0.03 and 0.09 m: those rows are skipped, never interpolated.
  QTest::newRow("pygef_cpt_voids") << "gef/pygef_cpt_voids.gef"
                                   << "GEF" << 1 << "" << 6 << 3 << 0.01 << 0.07;
  QTest::newRow("gef2map_tabs") << "gef/gef2map_tabs.gef"
                                << "GEF" << 1 << "" << 16 << 16 << 0.5 << 30.0;
  QTest::newRow("rvo_HKZ1-CPT01") << "ags/rvo_HKZ1-CPT01_AGS4.ags"
                                  << "AGS4" << 1 << "HKZ1-CPT01.000" << 2525 << 2525 << 0.0
                                  << 50.48;
  QTest::newRow("pyagsapi_C6048") << "ags/pyagsapi_C6048_AGS3.ags"
                                  << "AGS3" << 10 << "CPT 01" << -1 << -1 << 0.0 << -1.0;
  QTest::newRow("liquepy_standard_1") << "csv/liquepy_standard_1.csv"
                                      << "columns" << 1 << "" << 2765 << 2765 << 0.0 << 27.64;
}

void CptSamplesTest::readsEverySample() {
  QFETCH(QString, file);
  QFETCH(QString, format);
  QFETCH(int, locations);
  QFETCH(QString, location);
  QFETCH(int, read);
  QFETCH(int, kept);
  QFETCH(double, top);
  QFETCH(double, bottom);
  const CptFile f = readCptFile(m_folder + "/" + file);
  QCOMPARE(formatName(f.format), format);
  QCOMPARE(int(f.profiles.size()), locations);
  const CptProfile& p = selectLocation(f, location);
  if (read >= 0) QCOMPARE(p.recordsRead, read);
  if (kept >= 0)
    QVERIFY2(int(p.records.size()) == kept,
             qPrintable(QString::number(p.records.size()) + ": " + p.notes.join("; ")));
  QCOMPARE(p.records.front().depth, top);
  if (bottom >= 0) QCOMPARE(p.records.back().depth, bottom);
  // Every profile reaches the engine as at most 1000 points.
  QVERIFY(engineProfile(p, 2).points.size() <= 1000);
}

void CptSamplesTest::valuesAtKnownDepths() {
  // Seabed CPT: qc in MN/m2, fs and u2 in kN/m2 in the same group; fs empty in the first rows.
  const CptFile one = readCptFile(m_folder + "/ags/rvo_HKZ1-CPT01_AGS4.ags");
  const CptProfile& p = one.profiles[0];
  const CptRecord& r = at(p, 10.0);
  QCOMPARE(r.depth, 10.0);
  QCOMPARE(r.coneResistance, 33501.0);
  QCOMPARE(r.sleeveFriction, std::optional<double>(239.788));
  QCOMPARE(r.porePressure, std::optional<double>(94.9));
  QVERIFY(!p.records[0].sleeveFriction);
  QCOMPARE(p.coneAreaRatio, std::optional<double>(0.58));

  // Three locations in one file, depth restarting at 0 for each.
  const CptFile merged = readCptFile(m_folder + "/ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags");
  QCOMPARE(int(merged.profiles.size()), 3);
  int rows = 0;
  const double qcAt10[] = {5682.0, 19558.0, 21124.0};
  for (int k = 0; k < 3; ++k) {
    const CptProfile& loc = merged.profiles[std::size_t(k)];
    rows += loc.recordsRead;
    QCOMPARE(loc.records.front().depth, 0.0);
    QCOMPARE(at(loc, 10.0).coneResistance, qcAt10[k]);
  }
  QCOMPARE(rows, 7469);

  // AGS3: ten holes in one STCN group, 2299 rows in all.
  const CptFile ags3 = readCptFile(m_folder + "/ags/pyagsapi_C6048_AGS3.ags");
  int ags3Rows = 0;
  double deepest = 0.0;
  for (const CptProfile& loc : ags3.profiles) {
    ags3Rows += loc.recordsRead;
    deepest = qMax(deepest, loc.records.back().depth);
  }
  QCOMPARE(ags3Rows, 2299);
  QCOMPARE(deepest, 16.47);
  QCOMPARE(ags3.profiles[0].location, QString("CPT 01"));

  // A step profile: qc 2, 4, 15, 1, 35 MPa in blocks.
  const CptFile tabsFile = readCptFile(m_folder + "/gef/gef2map_tabs.gef");
  const CptProfile& tabs = tabsFile.profiles[0];
  QCOMPARE(tabs.records.front().coneResistance, 2000.0);
  QList<double> steps;
  for (const CptRecord& rec : tabs.records) {
    if (steps.isEmpty() || steps.back() != rec.coneResistance) steps << rec.coneResistance;
  }
  QCOMPARE(steps, (QList<double>{2000.0, 4000.0, 15000.0, 1000.0, 35000.0}));

  // The first record at or below the pre-excavated 2.0 m.
  const CptFile cpt2File = readCptFile(m_folder + "/gef/pygef_cpt2.gef");
  const CptProfile& cpt2 = cpt2File.profiles[0];
  QCOMPARE(cpt2.records.front().coneResistance, 223.2);

  // 5939 records averaged to 1000 points over 29.69 m / 1000.
  const CptFile cpt3File = readCptFile(m_folder + "/gef/pygef_cpt3.gef");
  const CptProfile& cpt3 = cpt3File.profiles[0];
  QCOMPARE(engineProfile(cpt3, 2).reduction, QString("5939 points averaged to 1000 over 0.030 m"));
}

void CptSamplesTest::refusesTheForceUnitFile() {
  try {
    readCptFile(m_folder + "/gef/pygef_cpt_pre_excavated.gef");
    QFAIL("a cone resistance in kN was read");
  } catch (const CptFileError& e) {
    QVERIFY2(e.message().contains("cone resistance in kN, a force, not a stress"),
             qPrintable(e.message()));
  }
}

QTEST_GUILESS_MAIN(CptSamplesTest)
#include "cpt_samples_test.moc"
