// vorne cpt FILE --layers as a user runs it: the proposed layers as text and JSON in either unit
// system, the settings and inputs it refuses, and a copy of a project with the proposed layers
// and the CPT points that the engine runs, on a fixture and on the real AGS4 and GEF samples
// (skipped when they are absent).
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "../cpt/cpt_fixtures.h"
#include "../support/cpt_samples.h"
#include "../support/file_bytes.h"
#include "app/program_data.h"
#include "app/soil_layers.h"
#include "base/unit_labels.h"
#include "runner_process.h"

using namespace vorne;
using cpt::test::profileOf;
using cpt::test::clayQt;
using cpt::test::sandQt;

namespace {

constexpr double kGamma = 18.0;

// Clay 0.5-10 m, sand 10.25-25 m, clay 25.25-40 m as column text (without fs when noFs): deep
// enough for the SI offshore example's 35 m pile.
QString writeProfile(const QString& path, bool noFs = false) {
  const cpt::CptProfile p = profileOf(
      {{0.5, 10.0, 3.1, clayQt}, {10.25, 25.0, 1.8, sandQt}, {25.25, 40.0, 3.1, clayQt}}, kGamma,
      0.0, 0.25);
  const QString text = cpt::test::columnText(p, noFs);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) return {};
  return path;
}

QJsonObject jsonOf(const Outcome& o) { return QJsonDocument::fromJson(o.out).object(); }

}  // namespace

class CptLayersTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void layersAsTextAndJson();
  void refusals_data();
  void refusals();
  void projectCopyRunsInTheEngine();
  void samplesGiveProjectsTheEngineRuns_data();
  void samplesGiveProjectsTheEngineRuns();

 private:
  QTemporaryDir m_folder;
  QString m_profile;
};

void CptLayersTest::initTestCase() {
  m_profile = writeProfile(m_folder.filePath("blocks.csv"));
  QVERIFY(!m_profile.isEmpty());
}

void CptLayersTest::layersAsTextAndJson() {
  const Outcome text = runner({"cpt", m_profile, "--layers"});
  QVERIFY2(text.status == 0, text.err.constData());
  const QString out = QString::fromUtf8(text.out);
  QVERIFY2(out.contains("3 layers proposed from 3 runs of one soil type"), qPrintable(out));
  QVERIFY(out.contains("Su top (kN/m^2)"));
  QVERIFY(out.contains("left at a new layer's defaults: sand Ko, Nq"));

  // The fixture's own unit weight, so that every record has the Ic it was made with.
  const Outcome si =
      runner({"cpt", m_profile, "--layers", "--json", "--nkt", "20", "--unit-weight", "18"});
  QVERIFY2(si.status == 0, si.err.constData());
  const QJsonObject root = jsonOf(si);
  QCOMPARE(root["units"].toString(), QStringLiteral("si"));
  QCOMPARE(root["settings"].toObject()["nkt"].toDouble(), 20.0);
  QCOMPARE(root["settings"].toObject()["unit_weight"].toDouble(), 18.0);
  const QJsonArray layers = root["layers"].toArray();
  QCOMPARE(layers.size(), 3);
  const char* types[] = {"clay", "sand", "clay"};
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(layers[i].toObject()["type"].toString(), QString(types[i]));
  }
  const QJsonObject clay = layers[0].toObject();
  QCOMPARE(clay["top"].toDouble(), 0.0);
  QCOMPARE(clay["bottom"].toDouble(), 10.125);  // midway between 10.0 and 10.25
  QVERIFY(clay["values"].toObject().contains("undrained_shear_strength"));
  QVERIFY(!clay["values"].toObject().contains("friction_angle"));
  QCOMPARE(clay["values"].toObject()["qc"].toArray().size(), 2);
  QCOMPARE(clay["zones"].toObject()["3"].toDouble(), 1.0);
  const QJsonObject sand = layers[1].toObject();
  QVERIFY(sand["values"].toObject().contains("friction_angle"));
  const QJsonArray records = root["records"].toArray();
  QVERIFY(records.size() > 100);
  QCOMPARE(records[0].toArray().size(), 6);  // depth, qt, Qtn, Fr, Ic, zone
  QVERIFY(std::fabs(records[0].toArray()[4].toDouble() - 3.1) < 1e-6);
  QCOMPARE(records[0].toArray()[5].toInt(), 3);

  // English: the same layers in feet, the default thickness 1.5 ft.
  const Outcome english = runner({"cpt", m_profile, "--layers", "--json", "--units", "english"});
  QVERIFY2(english.status == 0, english.err.constData());
  const QJsonObject e = jsonOf(english);
  QCOMPARE(e["units"].toString(), QStringLiteral("english"));
  QCOMPARE(e["settings"].toObject()["min_thickness"].toDouble(), 1.5);
  QVERIFY(e["settings"].toObject()["unit_weight"].isNull());
  QCOMPARE(e["layers"].toArray().size(), 3);
  QVERIFY(std::fabs(e["layers"].toArray()[0].toObject()["bottom"].toDouble() - 10.125 / 0.3048) <
          1e-9);
}

void CptLayersTest::refusals_data() {
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("message");
  QTest::newRow("water table below the profile")
      << QStringList{"--water-table", "41"} << 1
      << "Water table depth 41 m is outside 0 to 40 m (the profile's last record).";
  QTest::newRow("water table in feet")
      << QStringList{"--units", "english", "--water-table", "140"} << 1
      << "Water table depth 140 ft is outside 0 to 131.2 ft";
  QTest::newRow("Nkt") << QStringList{"--nkt", "40"} << 1 << "Nkt 40 is outside 6 to 30.";
  QTest::newRow("thickness") << QStringList{"--min-thickness", "-1"} << 1
                             << "Minimum layer thickness -1 m is outside 0 to 10 m.";
  QTest::newRow("unit weight") << QStringList{"--unit-weight", "30"} << 1
                               << "Total unit weight 30 kN/m^3 is outside 10 to 26 kN/m^3.";
  QTest::newRow("not a number") << QStringList{"--nkt", "fifteen"} << 2
                                << "--nkt: fifteen is not a number";
  QTest::newRow("output without project") << QStringList{"--output", "x.vr6d"} << 2
                                          << "--project IN and --output OUT";
}

void CptLayersTest::refusals() {
  QFETCH(QStringList, options);
  QFETCH(int, status);
  QFETCH(QString, message);
  const Outcome o = runner(QStringList{"cpt", m_profile, "--layers"} + options, m_folder.path());
  QCOMPARE(o.status, status);
  QVERIFY2(QString::fromUtf8(o.err).contains(message), o.err.constData());
  QVERIFY(o.out.isEmpty());
  QVERIFY(!QFile::exists(m_folder.filePath("x.vr6d")));
}

void CptLayersTest::projectCopyRunsInTheEngine() {
  QTemporaryDir folder;
  const QString in = folder.filePath("leg.vr6d");
  QVERIFY(QFile::copy(kExamples + "/offshore_pipe_si.vr6d", in));
  const QByteArray before = readFileBytes(in);
  const QString noFs = writeProfile(folder.filePath("no_fs.csv"), true);

  // A profile without fs writes nothing.
  const QString out = folder.filePath("leg_cpt.vr6d");
  const Outcome refused =
      runner({"cpt", noFs, "--layers", "--project", in, "--output", out});
  QCOMPARE(refused.status, 1);
  QVERIFY2(refused.err.contains("cannot be classified"), refused.err.constData());
  QVERIFY(!QFile::exists(out));
  // The output may not be the project itself.
  QCOMPARE(runner({"cpt", m_profile, "--layers", "--project", in, "--output", in}).status, 2);

  // The SI project asked for in English units is switched, not refused.
  const Outcome written = runner({"cpt", m_profile, "--layers", "--units", "english",
                                  "--water-table", "6.5", "--project", in, "--output", out});
  QVERIFY2(written.status == 0, written.err.constData());
  QVERIFY(written.out.contains("written: "));
  QCOMPARE(readFileBytes(in), before);
  QVERIFY(QFile::exists(folder.filePath("leg_cpt.cpt")));
  TProgramData project;
  project.createFromFile(out, true);
  QCOMPARE(project.units(), kEnglishUnits);
  QCOMPARE(project.layerCount(), 4);  // the water table splits the first clay
  QVERIFY(std::fabs(project.D.cell(col::kBottomDepth, 0).asFloat() - 6.5) < 1e-9);
  QCOMPARE(project.D.cell(col::kSoilType, 2).asInteger(), kSand);
  QVERIFY(project.CptPointCount() > 100);

  const Outcome run = runner({"run", out, "--json"});
  QVERIFY2(run.status == 0, run.err.constData());
  QVERIFY2(!run.err.contains("nput"), run.err.constData());
}

void CptLayersTest::samplesGiveProjectsTheEngineRuns_data() {
  QTest::addColumn<QString>("sample");
  QTest::addColumn<QString>("location");
  QTest::addColumn<QString>("example");
  QTest::addColumn<QStringList>("options");
  // The 35 m offshore pile in the 50 m seabed CPT; the 40 ft timber pile (English) in the 20 m
  // GEF profile, switched to SI.
  QTest::newRow("AGS4 seabed") << "ags/rvo_HKZ1-CPT01_AGS4.ags" << "" << "offshore_pipe_si.vr6d"
                               << QStringList{};
  QTest::newRow("AGS4 of three locations")
      << "ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags" << "HKZ1-CPT03.000"
      << "offshore_pipe_si.vr6d" << QStringList{};
  QTest::newRow("GEF") << "gef/pygef_cpt.gef" << "" << "timber_tapered_fhwa.vr6d"
                       << QStringList{"--units", "si", "--water-table", "1.2"};
}

void CptLayersTest::samplesGiveProjectsTheEngineRuns() {
  QFETCH(QString, sample);
  QFETCH(QString, location);
  QFETCH(QString, example);
  QFETCH(QStringList, options);
  const QString samples = cptSamplesFolder();
  if (samples.isEmpty()) QSKIP("the CPT samples are not beside the source tree");
  QTemporaryDir folder;
  const QString in = folder.filePath(example);
  QVERIFY(QFile::copy(kExamples + '/' + example, in));
  const QString out = folder.filePath("proposed.vr6d");
  QStringList args{"cpt", samples + '/' + sample, "--layers", "--json", "--project", in,
                   "--output", out};
  if (!location.isEmpty()) args << "--location" << location;
  const Outcome written = runner(args + options);
  QVERIFY2(written.status == 0, written.err.constData());
  const QJsonObject root = jsonOf(written);
  const QJsonArray layers = root["layers"].toArray();
  QVERIFY(layers.size() >= 2 && layers.size() <= 40);
  // A table an engineer can read: layers in order from the surface to the last record, sand
  // friction angles within the desktop's 0 to 50 degrees, every value a number.
  double top = 0.0;
  for (const QJsonValue& v : layers) {
    const QJsonObject layer = v.toObject();
    QCOMPARE(layer["top"].toDouble(), top);
    QVERIFY(layer["bottom"].toDouble() > top);
    top = layer["bottom"].toDouble();
    const QJsonObject values = layer["values"].toObject();
    for (const QString& key : values.keys()) {
      for (const QJsonValue& x : values[key].toArray()) QVERIFY2(x.isDouble(), qPrintable(key));
    }
    if (layer["type"].toString() == "sand") {
      for (const QJsonValue& phi : values["friction_angle"].toArray()) {
        QVERIFY(phi.toDouble() >= 0.0 && phi.toDouble() <= 50.0);
      }
    }
  }
  const Outcome run = runner({"run", out, "--json"});
  QVERIFY2(run.status == 0, run.err.constData());
}

QTEST_GUILESS_MAIN(CptLayersTest)
#include "cpt_layers_test.moc"
