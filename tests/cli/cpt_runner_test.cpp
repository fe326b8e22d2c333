// vorne cpt and vorne run --cpt as a user meets them: the JSON form against small files whose
// profile is known, the choice of a location, unit conversion, the side file written only on
// success, usage errors; a run with --cpt against the same points in the project's side file;
// and every real sample delivery (skipped when the samples are not beside the source tree).
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/cli/runner_process.h"
#include "tests/support/cpt_samples.h"
#include "tests/support/file_bytes.h"

namespace {

void writeAll(const QString& path, const QByteArray& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

// Two locations in one AGS4 file: A with fs missing in its first row, B deeper.
const QByteArray kTwoLocations =
    "\"GROUP\",\"SCPT\"\r\n"
    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_DPTH\",\"SCPT_RES\",\"SCPT_FRES\","
    "\"SCPT_PWP2\"\r\n"
    "\"UNIT\",\"\",\"\",\"m\",\"MN/m2\",\"kN/m2\",\"kN/m2\"\r\n"
    "\"TYPE\",\"ID\",\"X\",\"2DP\",\"3DP\",\"3DP\",\"1DP\"\r\n"
    "\"DATA\",\"A\",\"1\",\"0.50\",\"4.02\",\"\",\"10.5\"\r\n"
    "\"DATA\",\"A\",\"1\",\"1.00\",\"5.5\",\"30\",\"\"\r\n"
    "\"DATA\",\"B\",\"1\",\"0.00\",\"1\",\"2\",\"3\"\r\n"
    "\"DATA\",\"B\",\"1\",\"3.00\",\"7\",\"8\",\"9\"\r\n";

QJsonObject json(const QByteArray& out) { return QJsonDocument::fromJson(out).object(); }

// The capacity rows of a plot data file (every number after its header line).
QList<QByteArray> plotRows(const QString& path) {
  QList<QByteArray> lines = readFileBytes(path).split('\n');
  if (!lines.isEmpty()) lines.removeFirst();
  return lines;
}

}  // namespace

class CptRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void jsonFormOfOneLocation();
  void severalLocationsNeedOne();
  void englishUnits();
  void reducesToTheEnginesPoints();
  void refusesBadInputAndWritesNothing_data();
  void refusesBadInputAndWritesNothing();
  void runWithCptEqualsTheSameSideFile();
  void everySampleDelivery_data();
  void everySampleDelivery();
  void refusesTheForceUnitSample();

 private:
  std::unique_ptr<QTemporaryDir> m_dir;
  QString path(const QString& name) const { return m_dir->filePath(name); }
};

void CptRunnerTest::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QVERIFY(m_dir->isValid());
}

void CptRunnerTest::jsonFormOfOneLocation() {
  writeAll(path("two.ags"), kTwoLocations);
  const Outcome r = runner({"cpt", path("two.ags"), "--location", "A", "--json", "--output",
                            path("a.cpt")});
  QCOMPARE(r.status, 0);
  const QJsonObject o = json(r.out);
  QCOMPARE(o["format"].toString(), QString("AGS4"));
  const QJsonArray locations = o["locations"].toArray();
  QCOMPARE(locations.size(), 2);
  QCOMPARE(locations[1].toObject(),
           (QJsonObject{{"id", "B"}, {"points", 2}, {"top", 0.0}, {"bottom", 3.0}}));
  QCOMPARE(o["location"].toString(), QString("A"));
  QCOMPARE(o["units"].toString(), QString("si"));
  QCOMPARE(o["source_points"].toInt(), 2);
  // MN/m2 x 1000 and kN/m2 as they stand; a missing value is null, never 0. 4.02 MPa is exactly
  // 4020 kPa, not 4019.9999999999995.
  QCOMPARE(o["points"].toArray(),
           (QJsonArray{QJsonArray{0.5, 4020.0, QJsonValue(), 10.5},
                       QJsonArray{1.0, 5500.0, 30.0, QJsonValue()}}));
  QVERIFY(r.out.contains("[0.5, 4020, null, 10.5]"));
  QVERIFY(o["notes"].isArray());
  // The side file of the engine: SI, two points, shortest exponent text.
  QCOMPARE(readFileBytes(path("a.cpt")),
           QByteArray(" 2 2\r\n  5.00E-01  4.02E+03\r\n  1.00E+00  5.50E+03\r\n"));

  // The text form names the format, both locations and the chosen profile.
  const Outcome text = runner({"cpt", path("two.ags"), "--location", "B"});
  QCOMPARE(text.status, 0);
  QVERIFY2(text.out.contains("AGS4, 2 locations"), text.out.constData());
  QVERIFY2(text.out.contains("location B: 2 points in m and kPa"), text.out.constData());
}

void CptRunnerTest::severalLocationsNeedOne() {
  writeAll(path("two.ags"), kTwoLocations);
  const Outcome none = runner({"cpt", path("two.ags"), "--output", path("x.cpt")});
  QCOMPARE(none.status, 1);
  QVERIFY(none.out.isEmpty());
  QVERIFY2(none.err.contains("2 locations; choose one of: A, B"), none.err.constData());
  QVERIFY(!QFileInfo::exists(path("x.cpt")));
  const Outcome wrong = runner({"cpt", path("two.ags"), "--location", "C"});
  QCOMPARE(wrong.status, 1);
  QVERIFY2(wrong.err.contains("no location \"C\"; the file holds: A, B"), wrong.err.constData());
}

void CptRunnerTest::englishUnits() {
  writeAll(path("two.ags"), kTwoLocations);
  const Outcome r = runner({"cpt", path("two.ags"), "--location", "B", "--units", "english",
                            "--json", "--output", path("b.cpt")});
  QCOMPARE(r.status, 0);
  const QJsonObject o = json(r.out);
  QCOMPARE(o["units"].toString(), QString("english"));
  // 3 m / 0.3048 = 9.84252 ft; 7000 kPa / 47.880263 = 146.198 ksf; 8 kPa = 0.167083 ksf.
  const QJsonArray last = o["points"].toArray()[1].toArray();
  QCOMPARE(last[0].toDouble(), 9.84251968503937);
  QVERIFY(qAbs(last[1].toDouble() - 146.198) < 1e-3);
  QVERIFY(qAbs(last[2].toDouble() - 0.167083) < 1e-6);
  QCOMPARE(o["locations"].toArray()[1].toObject()["bottom"].toDouble(), 9.84251968503937);
  QVERIFY(readFileBytes(path("b.cpt")).startsWith(" 1 2\r\n"));
}

void CptRunnerTest::reducesToTheEnginesPoints() {
  // 1500 records every 0.01 m from 0.01 to 15.00 m with qc = depth in MPa.
  QByteArray text = "Depth (m),qc (MPa)\n";
  for (int k = 1; k <= 1500; ++k) text += QByteArray::number(k / 100.0) + "," +
                                          QByteArray::number(k / 100.0) + "\n";
  writeAll(path("long.csv"), text);
  const Outcome r = runner({"cpt", path("long.csv"), "--json"});
  QCOMPARE(r.status, 0);
  const QJsonObject o = json(r.out);
  QCOMPARE(o["format"].toString(), QString("columns"));
  QCOMPARE(o["source_points"].toInt(), 1500);
  const QJsonArray points = o["points"].toArray();
  QCOMPARE(points.size(), 1000);
  // Intervals of 14.99 / 1000 m: the mean depth and the mean qc agree (qc = depth) at every point.
  for (const QJsonValue& p : points) {
    const QJsonArray a = p.toArray();
    QVERIFY(qAbs(a[1].toDouble() - 1000.0 * a[0].toDouble()) < 1e-6);
    QVERIFY(a[2].isNull());
  }
  QVERIFY2(o["notes"].toArray().contains("1500 points averaged to 1000 over 0.015 m"),
           r.out.right(400).constData());
}

void CptRunnerTest::refusesBadInputAndWritesNothing_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("message");
  const QByteArray gef =
      "#GEFID= 1, 1, 0\n#PROCEDURECODE= GEF-CPT-Report, 1, 1, 0, -\n#COLUMN= 2\n"
      "#COLUMNINFO= 1, m, l, 1\n#COLUMNINFO= 2, MPa, qc, 2\n#EOH=\n0.1 1\n0.2 x\n";
  QTest::newRow("number that does not read")
      << gef << QStringList() << 1 << "in.txt: line 8: field 2 \"x\" is not a number";
  QTest::newRow("format forced against the content")
      << QByteArray("depth (m),qc (MPa)\n1,2\n") << QStringList{"--format", "gef"} << 1
      << "in.txt: line 1: not a GEF file (it does not start with #GEFID)";
  QTest::newRow("unknown format") << gef << QStringList{"--format", "xml"} << 2
                                  << "format xml is none of auto, gef, ags4, ags3, columns";
  QTest::newRow("unknown unit system")
      << gef << QStringList{"--units", "metric"} << 2 << "unit system metric is neither";
  QTest::newRow("output not a side file")
      << gef << QStringList{"--output", "out.vr6d"} << 2 << "written with the extension .cpt";
  QTest::newRow("unknown option") << gef << QStringList{"--strata"} << 2
                                  << "unknown option --strata";
  QTest::newRow("a layers option without --layers")
      << gef << QStringList{"--nkt", "20"} << 2 << "--nkt belongs to --layers";
}

void CptRunnerTest::refusesBadInputAndWritesNothing() {
  QFETCH(QByteArray, content);
  QFETCH(QStringList, options);
  QFETCH(int, status);
  QFETCH(QString, message);
  writeAll(path("in.txt"), content);
  const Outcome r =
      runner(QStringList{"cpt", "in.txt", "--output", "out.cpt"} + options, m_dir->path());
  QCOMPARE(r.status, status);
  QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
  QVERIFY(r.out.isEmpty());
  QVERIFY(!QFileInfo::exists(path("out.cpt")));
  QVERIFY(!QFileInfo::exists(path("out.vr6d")));
}

void CptRunnerTest::runWithCptEqualsTheSameSideFile() {
  // The example with the four cone methods, whose layers have no cone resistance of their own, so
  // that the methods take qc from the CPT side file (a layer's own qc comes first).
  const QByteArray data = readFileBytes(kExamples + "/offshore_open_pipe_cpt.vr6d");
  for (const QString& name : {QStringLiteral("a"), QStringLiteral("b")}) {
    writeAll(path(name + ".vr6d"), data);
    QVERIFY(QFile::copy(kExamples + "/offshore_open_pipe_cpt.cpt", path(name + ".cpt")));
  }
  QByteArray text = "Depth (m),qc (MPa),fs (kPa)\n";
  for (int k = 1; k <= 130; ++k) {
    text += QByteArray::number(k * 0.5) + "," + QByteArray::number(1.5 + 0.31 * k) + ",20\n";
  }
  writeAll(path("field.csv"), text);
  const QByteArray projectA = readFileBytes(path("a.vr6d"));
  const QByteArray sideA = readFileBytes(path("a.cpt"));

  // a: run with --cpt; b: the same points written as its side file first, then run as it is.
  Outcome a = runner({"run", path("a.vr6d"), "--cpt", path("field.csv"), "--json",
                      "--output-dir", path("outa")});
  QVERIFY2(a.status == 0, a.err.constData());
  const Outcome write = runner({"cpt", path("field.csv"), "--units", "si", "--output",
                                path("b.cpt")});
  QCOMPARE(write.status, 0);
  const Outcome b = runner({"run", path("b.vr6d"), "--json", "--output-dir", path("outb")});
  QVERIFY2(b.status == 0, b.err.constData());
  QCOMPARE(plotRows(path("outa/a.vr6p")), plotRows(path("outb/b.vr6p")));
  QCOMPARE(json(a.out)["methods"], json(b.out)["methods"]);

  // The project's own profile gives other capacities, and its files were not written.
  const Outcome own = runner({"run", path("a.vr6d"), "--output-dir", path("own")});
  QCOMPARE(own.status, 0);
  QVERIFY(plotRows(path("own/a.vr6p")) != plotRows(path("outa/a.vr6p")));
  QCOMPARE(readFileBytes(path("a.vr6d")), projectA);
  QCOMPARE(readFileBytes(path("a.cpt")), sideA);

  // A CPT file that does not read stops the run before anything is written.
  writeAll(path("bad.csv"), "Depth (m),qc (MPa)\n1,x\n");
  const Outcome bad = runner({"run", path("a.vr6d"), "--cpt", path("bad.csv"), "--output-dir",
                              path("outbad")});
  QCOMPARE(bad.status, 1);
  QVERIFY2(bad.err.contains("bad.csv: line 2:"), bad.err.constData());
  QVERIFY(!QFileInfo::exists(path("outbad/a.vr6o")));
  const Outcome stray = runner({"run", path("a.vr6d"), "--location", "A"});
  QCOMPARE(stray.status, 2);
}

void CptRunnerTest::everySampleDelivery_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("location");  // empty for a file of one location
  QTest::addColumn<QString>("format");
  QTest::addColumn<int>("locations");
  QTest::addColumn<int>("sourcePoints");
  QTest::addColumn<double>("top");     // m
  QTest::addColumn<double>("bottom");  // m
  QTest::addColumn<double>("depth");   // a depth with a known qc, or -1
  QTest::addColumn<double>("qc");      // kPa
  // Counts and depths after the reader dropped void, pre-excavated and empty-qc records.
  QTest::newRow("pygef_cpt") << "gef/pygef_cpt.gef" << "" << "GEF" << 1 << 1003 << 0.01
                             << 20.004 << -1.0 << 0.0;
  QTest::newRow("pygef_cpt2") << "gef/pygef_cpt2.gef" << "" << "GEF" << 1 << 839 << 2.0 << 10.38
                              << 2.0 << 223.2;
  QTest::newRow("pygef_cpt3") << "gef/pygef_cpt3.gef" << "" << "GEF" << 1 << 5939 << 0.005
                              << 29.695 << -1.0 << 0.0;
  QTest::newRow("pygef_cpt4") << "gef/pygef_cpt4.gef" << "" << "GEF" << 1 << 2021 << 0.0 << 20.2
                              << -1.0 << 0.0;
  QTest::newRow("pygef_cpt_class_high") << "gef/pygef_cpt_class_high.gef" << "" << "GEF" << 1
                                        << 1515 << 0.02 << 29.817 << -1.0 << 0.0;
  QTest::newRow("pygef_example") << "gef/pygef_example.gef" << "" << "GEF" << 1 << 1183 << 6.019
                                 << 29.481 << -1.0 << 0.0;
  QTest::newRow("pygef_cpt_voids") << "gef/pygef_cpt_voids.gef" << "" << "GEF" << 1 << 3 << 0.01
                                   << 0.07 << -1.0 << 0.0;
  QTest::newRow("gef2map_tabs") << "gef/gef2map_tabs.gef" << "" << "GEF" << 1 << 16 << 0.5
                                << 30.0 << 0.5 << 2000.0;
  // Averaged to 1000 points: qc near 10 m within the spread of the neighbouring records.
  QTest::newRow("rvo_HKZ1-CPT01") << "ags/rvo_HKZ1-CPT01_AGS4.ags" << "" << "AGS4" << 1 << 2525
                                  << 0.0 << 50.48 << 10.0 << 33501.0;
  QTest::newRow("rvo merged CPT02") << "ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags" << "HKZ1-CPT02.000"
                                    << "AGS4" << 3 << -1 << 0.0 << -1.0 << 10.0 << 5682.0;
  QTest::newRow("rvo merged CPT03") << "ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags" << "HKZ1-CPT03.000"
                                    << "AGS4" << 3 << -1 << 0.0 << -1.0 << 10.0 << 19558.0;
  QTest::newRow("rvo merged CPT04") << "ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags" << "HKZ1-CPT04.000"
                                    << "AGS4" << 3 << -1 << 0.0 << -1.0 << 10.0 << 21124.0;
  QTest::newRow("pyagsapi_C6048") << "ags/pyagsapi_C6048_AGS3.ags" << "CPT 01" << "AGS3" << 10
                                  << -1 << 0.0 << -1.0 << -1.0 << 0.0;
  QTest::newRow("liquepy_standard_1") << "csv/liquepy_standard_1.csv" << "" << "columns" << 1
                                      << 2765 << 0.0 << 27.64 << -1.0 << 0.0;
}

void CptRunnerTest::everySampleDelivery() {
  const QString folder = cptSamplesFolder();
  if (folder.isEmpty()) QSKIP("the CPT sample files are not beside the source tree");
  QFETCH(QString, file);
  QFETCH(QString, location);
  QFETCH(QString, format);
  QFETCH(int, locations);
  QFETCH(int, sourcePoints);
  QFETCH(double, top);
  QFETCH(double, bottom);
  QFETCH(double, depth);
  QFETCH(double, qc);
  QStringList args{"cpt", folder + "/" + file, "--json"};
  if (!location.isEmpty()) args << "--location" << location;
  const Outcome r = runner(args);
  QVERIFY2(r.status == 0, r.err.constData());
  const QJsonObject o = json(r.out);
  QCOMPARE(o["format"].toString(), format);
  QCOMPARE(o["locations"].toArray().size(), locations);
  if (sourcePoints >= 0) QCOMPARE(o["source_points"].toInt(), sourcePoints);
  const QJsonArray points = o["points"].toArray();
  QVERIFY(!points.isEmpty() && points.size() <= 1000);
  QCOMPARE(points.size(), std::min(o["source_points"].toInt(), 1000));
  bool found = false;
  for (const QJsonValue& l : o["locations"].toArray()) {
    if (l.toObject()["id"] != o["location"]) continue;
    found = true;
    QCOMPARE(l.toObject()["top"].toDouble(), top);
    if (bottom >= 0) QCOMPARE(l.toObject()["bottom"].toDouble(), bottom);
  }
  QVERIFY(found);
  // A reduced profile starts within one interval of the top.
  QVERIFY(points.first().toArray()[0].toDouble() >= top);
  QVERIFY(points.first().toArray()[0].toDouble() < top + 0.05);
  if (depth >= 0) {
    QJsonArray nearest = points.first().toArray();
    for (const QJsonValue& p : points) {
      if (qAbs(p.toArray()[0].toDouble() - depth) < qAbs(nearest[0].toDouble() - depth))
        nearest = p.toArray();
    }
    // A reduced point is the mean of two or three records 0.02 m apart: within 5 % of the value.
    const double tolerance = o["source_points"].toInt() > 1000 ? 0.05 * qc : 1e-9;
    QVERIFY2(qAbs(nearest[1].toDouble() - qc) <= tolerance,
             qPrintable(QString::number(nearest[1].toDouble())));
  }
  if (o["source_points"].toInt() > 1000) {
    QVERIFY(o["notes"].toArray().last().toString().contains(" averaged to 1000 over "));
  }

  // The merged delivery takes no location by itself.
  if (locations > 1) {
    const Outcome none = runner({"cpt", folder + "/" + file});
    QCOMPARE(none.status, 1);
    QVERIFY2(none.err.contains(QString("%1 locations; choose one of:").arg(locations).toUtf8()),
             none.err.constData());
  }
}

void CptRunnerTest::refusesTheForceUnitSample() {
  const QString folder = cptSamplesFolder();
  if (folder.isEmpty()) QSKIP("the CPT sample files are not beside the source tree");
  // A cone resistance in kN is a force: the file is refused with its reason.
  const Outcome force = runner({"cpt", folder + "/gef/pygef_cpt_pre_excavated.gef"});
  QCOMPARE(force.status, 1);
  QVERIFY2(force.err.contains("pygef_cpt_pre_excavated.gef: line"), force.err.constData());
  QVERIFY2(force.err.contains("cone resistance in kN, a force, not a stress"),
           force.err.constData());
}

QTEST_GUILESS_MAIN(CptRunnerTest)
#include "cpt_runner_test.moc"
