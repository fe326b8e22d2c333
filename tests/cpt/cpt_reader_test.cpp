// Field CPT file readers: one small file per trap of real deliveries, with values known by
// construction (MPa x 1000 = kPa, so qc 1.5 MPa is 1500 kPa), and one broken file per message.
#include "cpt/cpt_reader.h"

#include <QtTest>
#include <optional>

using namespace vorne::cpt;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// A GEF header of penetration length (m) and qc (MPa), with extra header lines, then the data.
QByteArray gef(const QByteArray& extraHeader, const QByteArray& data) {
  return "#GEFID= 1, 1, 0\n#PROCEDURECODE= GEF-CPT-Report, 1, 1, 0, -\n" + extraHeader + "#EOH=\n" +
         data;
}
const QByteArray kTwoColumns =
    "#COLUMN= 2\n#COLUMNINFO= 1, m, Sondeerlengte, 1\n#COLUMNINFO= 2, MPa, Conusweerstand, 2\n";
const QByteArray kThreeColumns = kTwoColumns + "#COLUMNINFO= 3, MPa, Plaatselijke wrijving, 3\n";

// An AGS4 file with LOCA, SCPG and SCPT groups; rows are full DATA lines of SCPT.
QByteArray ags4(const QByteArray& scptRows, const QByteArray& eol = "\r\n") {
  QByteArray text = "\"GROUP\",\"PROJ\"" + eol + "\"HEADING\",\"PROJ_ID\"" + eol + "\"UNIT\",\"\"" +
                    eol + "\"TYPE\",\"ID\"" + eol + "\"DATA\",\"P1\"" + eol + eol +
                    "\"GROUP\",\"SCPG\"" + eol +
                    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPG_CAR\"" + eol +
                    "\"UNIT\",\"\",\"\",\"\"" + eol + "\"TYPE\",\"ID\",\"X\",\"2DP\"" + eol +
                    "\"DATA\",\"CPT1\",\"1\",\"0.58\"" + eol + eol + "\"GROUP\",\"SCPT\"" + eol +
                    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_DPTH\",\"SCPT_RES\","
                    "\"SCPT_FRES\",\"SCPT_PWP2\"" +
                    eol + "\"UNIT\",\"\",\"\",\"m\",\"MN/m2\",\"kN/m2\",\"kN/m2\"" + eol +
                    "\"TYPE\",\"ID\",\"X\",\"2DP\",\"3DP\",\"3DP\",\"1DP\"" + eol;
  QByteArray rows = scptRows;
  rows.replace("\n", eol);
  return text + rows;
}

struct Expect {
  int records;
  double firstDepth, firstQc;  // m, kPa
  double lastDepth, lastQc;
};

void checkProfile(const CptProfile& p, const Expect& e) {
  QCOMPARE(int(p.records.size()), e.records);
  QCOMPARE(p.records.front().depth, e.firstDepth);
  QCOMPARE(p.records.front().coneResistance, e.firstQc);
  QCOMPARE(p.records.back().depth, e.lastDepth);
  QCOMPARE(p.records.back().coneResistance, e.lastQc);
}

bool anyNoteHas(const CptProfile& p, const QString& text) {
  for (const QString& n : p.notes) {
    if (n.contains(text)) return true;
  }
  return false;
}

}  // namespace

class CptReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void detectsTheFormat_data();
  void detectsTheFormat();
  void readsGefTraps_data();
  void readsGefTraps();
  void gefKeepsFsMissingWhereOnlyFsIsVoid();
  void readsAgs4Traps_data();
  void readsAgs4Traps();
  void ags4SeveralLocationsAndPushes();
  void readsAgs3WithContinuationAndWrappedHeadings();
  void readsColumnTextTraps_data();
  void readsColumnTextTraps();
  void columnOverridesReplaceTheHeader();
  void refusesBadFiles_data();
  void refusesBadFiles();
  void selectsLocations();
};

void CptReaderTest::detectsTheFormat_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("format");
  QTest::newRow("GEF") << gef(kTwoColumns, "0.1;1\n") << int(CptFormat::Gef);
  QTest::newRow("GEF padded") << QByteArray("#GEFID   = 1, 1, 0\r\n") << int(CptFormat::Gef);
  QTest::newRow("AGS4 with BOM") << "\xEF\xBB\xBF" + ags4("") << int(CptFormat::Ags4);
  QTest::newRow("AGS3") << QByteArray("\"**PROJ\"\n\"*PROJ_ID\"\n\"1\"\n") << int(CptFormat::Ags3);
  QTest::newRow("columns") << QByteArray("depth (m),qc (MPa)\n0.1,1\n") << int(CptFormat::Columns);
}

void CptReaderTest::detectsTheFormat() {
  QFETCH(QByteArray, content);
  QFETCH(int, format);
  QCOMPARE(int(detectFormat(content)), format);
}

void CptReaderTest::readsGefTraps_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("records");
  QTest::addColumn<double>("firstDepth");
  QTest::addColumn<double>("firstQc");
  QTest::addColumn<double>("lastDepth");
  QTest::addColumn<double>("lastQc");
  QTest::addColumn<QString>("note");  // a note the reader must leave, or empty

  // Voids are per column and compared as numbers: -9.9990e+003 is the declared -9999.000000.
  QTest::newRow("void per column, other notation")
      << gef(kTwoColumns + "#COLUMNVOID= 1, 999.000\n#COLUMNVOID= 2, -9999.000000\n",
             "0.0 -9.9990e+003\n0.1 1.5\n999 2.0\n0.2 2.5\n")
      << 2 << 0.1 << 1500.0 << 0.2 << 2500.0 << "1 records with a void qc skipped";
  // A depth column void of 0.000000 makes the 0.0 m record void.
  QTest::newRow("depth column void")
      << gef(kTwoColumns + "#COLUMNVOID= 1, 0.000000\n", "0.0 1.0\n0.02 1.1\n") << 1 << 0.02
      << 1100.0 << 0.02 << 1100.0 << "void depth";
  QTest::newRow("semicolon and record separator, leading zeros")
      << gef(kTwoColumns + "#COLUMNSEPARATOR= ;\n#RECORDSEPARATOR= !\n",
             "00.01; .040;!\n00.02;  0.05;!\n")
      << 2 << 0.01 << 40.0 << 0.02 << 50.0 << "";
  QTest::newRow("several records on one line")
      << gef(kTwoColumns + "#COLUMNSEPARATOR= ;\n#RECORDSEPARATOR= !\n", "0.1;1!0.2;2!0.3;3!\n")
      << 3 << 0.1 << 1000.0 << 0.3 << 3000.0 << "";
  QTest::newRow("record separator declared, unused")
      << gef(kTwoColumns + "#COLUMNSEPARATOR= ;\n#RECORDSEPARATOR= !\n", "0.1;1;\n0.2;2;\n") << 2
      << 0.1 << 1000.0 << 0.2 << 2000.0 << "";
  QTest::newRow("tabs without a column separator, CRLF")
      << gef(kTwoColumns, "0.50\t2.00\r\n2.00\t\t4.00\r\n") << 2 << 0.5 << 2000.0 << 2.0 << 4000.0
      << "";
  QTest::newRow("colon separator with free text after the fields")
      << gef(kTwoColumns + "#COLUMNSEPARATOR= :\n#COLUMNTEXT= 1, aan\n#RECORDSEPARATOR= !\n",
             "0.1:1.0:example commentary text 1!\n0.2:2.0:more: text!\n")
      << 2 << 0.1 << 1000.0 << 0.2 << 2000.0 << "";
  QTest::newRow("wrapped header line and padded keywords")
      << gef("#COLUMN    = 2\n#COLUMNINFO   = 1, m,\n  Sondeerlengte, 1\n"
             "#COLUMNINFO= 2, MPa (megaPascal), Conus,\n 2\n",
             "0.1 1\n")
      << 1 << 0.1 << 1000.0 << 0.1 << 1000.0 << "";
  // Negative penetration lengths and a negative corrected depth: the corrected depth wins, as
  // a positive depth; a void corrected depth falls back to the penetration length.
  QTest::newRow("negative depths, corrected depth preferred")
      << gef(kTwoColumns +
                 "#COLUMNINFO= 3, m, Gecorrigeerde diepte, 11\n#COLUMNVOID= 3, -999.999\n",
             "-0.10 1.0 -0.09\n-0.20 2.0 -0.19\n-0.30 3.0 -999.999\n")
      << 3 << 0.09 << 1000.0 << 0.3 << 3000.0 << "take the penetration length";
  // The void test comes before the sign: -999.999 is void, never a 999.999 m depth.
  QTest::newRow("void before the sign change")
      << gef(kTwoColumns + "#COLUMNVOID= 1, -999.999\n", "-0.1 1\n-999.999 5\n-0.2 2\n") << 2 << 0.1
      << 1000.0 << 0.2 << 2000.0 << "void depth";
  QTest::newRow("rows above the pre-excavated depth dropped")
      << gef(kTwoColumns + "#MEASUREMENTVAR= 13, 1.000000, m, voorgeboorde diepte\n",
             "0.5 9\n0.99 9\n1.0 2\n1.5 3\n")
      << 2 << 1.0 << 2000.0 << 1.5 << 3000.0 << "2 records above the pre-excavated depth";
  QTest::newRow("wrong #COLUMN and #LASTSCAN counts")
      << gef("#COLUMN= 10\n#LASTSCAN= 2808\n" + kTwoColumns.mid(11), "0.1 1\n0.2 2\n0.3 3\n") << 3
      << 0.1 << 1000.0 << 0.3 << 3000.0 << "#COLUMN says 10";
  QTest::newRow("cp1252 text")
      << gef(kTwoColumns + "#TESTID= Zee\xEB\n#COLUMNINFO= 3, \xB0 (graden), Helling, 8\n",
             "0.1 1 0\n")
      << 1 << 0.1 << 1000.0 << 0.1 << 1000.0 << "";
  QTest::newRow("unknown quantity numbers ignored")
      << gef(kTwoColumns + "#COLUMNINFO= 3, kN, Qt_H, 136\n#COLUMNINFO= 4, C, Temperatuur, 135\n",
             "0.1 1 5 20\n")
      << 1 << 0.1 << 1000.0 << 0.1 << 1000.0 << "";
}

void CptReaderTest::readsGefTraps() {
  QFETCH(QByteArray, content);
  QFETCH(int, records);
  QFETCH(double, firstDepth);
  QFETCH(double, firstQc);
  QFETCH(double, lastDepth);
  QFETCH(double, lastQc);
  QFETCH(QString, note);
  const CptFile file = readCptText(content, "t.gef");
  QCOMPARE(int(file.format), int(CptFormat::Gef));
  QCOMPARE(int(file.profiles.size()), 1);
  checkProfile(file.profiles[0], {records, firstDepth, firstQc, lastDepth, lastQc});
  if (!note.isEmpty())
    QVERIFY2(anyNoteHas(file.profiles[0], note), qPrintable(file.profiles[0].notes.join("; ")));
}

void CptReaderTest::gefKeepsFsMissingWhereOnlyFsIsVoid() {
  // An unused column's void never drops a valid qc row, and a missing fs is not 0.
  const CptFile file = readCptText(
      gef(kThreeColumns + "#COLUMNVOID= 3, -999999\n#TESTID= S04\n#MEASUREMENTVAR= 3, 0.8, -, a\n",
          "0.1 1 0.01\n0.2 2 -999999\n"),
      "t.gef");
  const CptProfile& p = file.profiles[0];
  QCOMPARE(int(p.records.size()), 2);
  QCOMPARE(p.records[0].sleeveFriction, std::optional<double>(10.0));
  QVERIFY(!p.records[1].sleeveFriction);
  QCOMPARE(p.location, QString("S04"));
  QCOMPARE(p.coneAreaRatio, std::optional<double>(0.8));
  QCOMPARE(p.recordsRead, 2);
}

void CptReaderTest::readsAgs4Traps_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("records");
  QTest::addColumn<double>("firstDepth");
  QTest::addColumn<double>("firstQc");
  QTest::addColumn<std::optional<double>>("firstFs");
  QTest::addColumn<std::optional<double>>("firstU2");

  // qc in MN/m2, fs and u2 in kN/m2 in one group: each column by its own unit.
  QTest::newRow("mixed units")
      << ags4("\"DATA\",\"CPT1\",\"1\",\"0.50\",\"4.02\",\"12.5\",\"3.1\"\n") << 1 << 0.5 << 4020.0
      << std::optional<double>(12.5) << std::optional<double>(3.1);
  QTest::newRow("empty fields are missing, never 0")
      << ags4(
             "\"DATA\",\"CPT1\",\"1\",\"0.00\",\"0.006\",\"\",\"\"\n"
             "\"DATA\",\"CPT1\",\"1\",\"0.02\",\"\",\"1\",\"1\"\n")
      << 1 << 0.0 << 6.0 << std::optional<double>() << std::optional<double>();
  QTest::newRow("LF endings") << ags4("\"DATA\",\"CPT1\",\"1\",\"1.00\",\"2\",\"3\",\"4\"\n", "\n")
                              << 1 << 1.0 << 2000.0 << std::optional<double>(3.0)
                              << std::optional<double>(4.0);
  QTest::newRow("BOM") << "\xEF\xBB\xBF" +
                              ags4("\"DATA\",\"CPT1\",\"1\",\"1.00\",\"2\",\"3\",\"4\"\n")
                       << 1 << 1.0 << 2000.0 << std::optional<double>(3.0)
                       << std::optional<double>(4.0);
  // Dissipation data hold qc against time at one depth: never part of the profile.
  QTest::newRow("dissipation group kept out")
      << ags4(
             "\"DATA\",\"CPT1\",\"1\",\"1.00\",\"2\",\"3\",\"4\"\n\n\"GROUP\",\"SCDT\"\n"
             "\"HEADING\",\"LOCA_ID\",\"SCDT_SECS\",\"SCPT_RES\"\n\"UNIT\",\"\",\"s\",\"MN/m2\"\n"
             "\"DATA\",\"CPT1\",\"10\",\"9\"\n")
      << 1 << 1.0 << 2000.0 << std::optional<double>(3.0) << std::optional<double>(4.0);
}

void CptReaderTest::readsAgs4Traps() {
  QFETCH(QByteArray, content);
  QFETCH(int, records);
  QFETCH(double, firstDepth);
  QFETCH(double, firstQc);
  QFETCH(std::optional<double>, firstFs);
  QFETCH(std::optional<double>, firstU2);
  const CptFile file = readCptText(content, "t.ags");
  QCOMPARE(int(file.format), int(CptFormat::Ags4));
  const CptProfile& p = selectLocation(file, "CPT1");
  QCOMPARE(int(p.records.size()), records);
  QCOMPARE(p.records[0].depth, firstDepth);
  QCOMPARE(p.records[0].coneResistance, firstQc);
  QCOMPARE(p.records[0].sleeveFriction, firstFs);
  QCOMPARE(p.records[0].porePressure, firstU2);
  QCOMPARE(p.coneAreaRatio, std::optional<double>(0.58));
}

void CptReaderTest::ags4SeveralLocationsAndPushes() {
  // A quoted id holding a comma and doubled quotes; depth restarts at 0 for the second location,
  // whose second push (listed first) leaves a gap from 1.0 to 2.0 m.
  const CptFile file =
      readCptText(ags4("\"DATA\",\"A,1 \"\"x\"\"\",\"1\",\"0.00\",\"1\",\"\",\"\"\n"
                       "\"DATA\",\"A,1 \"\"x\"\"\",\"1\",\"0.50\",\"2\",\"\",\"\"\n"
                       "\"DATA\",\"B\",\"2\",\"2.00\",\"7\",\"\",\"\"\n"
                       "\"DATA\",\"B\",\"2\",\"2.50\",\"8\",\"\",\"\"\n"
                       "\"DATA\",\"B\",\"1\",\"0.00\",\"5\",\"\",\"\"\n"
                       "\"DATA\",\"B\",\"1\",\"1.00\",\"6\",\"\",\"\"\n"),
                  "t.ags");
  QCOMPARE(int(file.profiles.size()), 2);
  QCOMPARE(file.profiles[0].location, QString("A,1 \"x\""));
  QCOMPARE(int(file.profiles[0].records.size()), 2);
  const CptProfile& b = selectLocation(file, "B");
  QCOMPARE(b.recordsRead, 4);
  QList<double> depths, qc;
  for (const CptRecord& r : b.records) {
    depths << r.depth;
    qc << r.coneResistance;
  }
  QCOMPARE(depths, (QList<double>{0.0, 1.0, 2.0, 2.5}));
  QCOMPARE(qc, (QList<double>{5000.0, 6000.0, 7000.0, 8000.0}));
  QVERIFY2(anyNoteHas(b, "gap between push 1 (to 1.00 m) and push 2 (from 2.00 m)"),
           qPrintable(b.notes.join("; ")));
}

void CptReaderTest::readsAgs3WithContinuationAndWrappedHeadings() {
  const QByteArray text =
      "\"**HOLE\"\n\"*HOLE_ID\",\"*HOLE_REM\",\n\"*HOLE_TYPE\"\n\"<UNITS>\",\"\",\"\"\n"
      "\"CPT 01\",\"Data filtere\",\n\"<CONT>\",\"d to 0.05m\",\"\"\n\n"
      "\"**STCN\"\n\"*HOLE_ID\",\"*STCN_DPTH\",\"*STCN_RES\",\n\"*STCN_FRES\",\"*?STCN_TESN\"\n"
      "\"<UNITS>\",\"m\",\"MN/m2\",\"kN/m2\",\"\"\n"
      "\"CPT 01\",\"0.000\",\"0.0200\",\"\",\"1\"\n\"CPT "
      "01\",\"0.050\",\"0.0700\",\"1.0000\",\"1\"\n"
      "\"CPT 02\",\"0.000\",\"1.5\",\"2\",\"1\"\n";
  const CptFile file = readCptText(text, "t.ags");
  QCOMPARE(int(file.format), int(CptFormat::Ags3));
  QCOMPARE(int(file.profiles.size()), 2);
  const CptProfile& p = selectLocation(file, "CPT 01");
  QCOMPARE(int(p.records.size()), 2);
  QCOMPARE(p.records[1].depth, 0.05);
  QCOMPARE(p.records[1].coneResistance, 70.0);
  QCOMPARE(p.records[1].sleeveFriction, std::optional<double>(1.0));
  QVERIFY(!p.records[0].sleeveFriction);
}

void CptReaderTest::readsColumnTextTraps_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("records");
  QTest::addColumn<double>("lastDepth");
  QTest::addColumn<double>("lastQc");
  QTest::addColumn<std::optional<double>>("lastFs");
  QTest::addColumn<std::optional<double>>("lastU2");

  QTest::newRow("preamble, units in parentheses")
      << QByteArray(
             "Project:,6409098,,\nAssumed GWL:,0.94,m below ground level,\n,,,\n"
             "Depth (m),qc (MPa),fs (MPa),u2 (MPa)\n0.00,0.02,0.00001,0\n"
             "0.01,0.02,0.00001,0.00009\n")
      << 2 << 0.01 << 20.0 << std::optional<double>(0.01) << std::optional<double>(0.09);
  QTest::newRow("semicolon with decimal comma, Dutch names, brackets")
      << QByteArray(
             "Diepte[m];Conuswaarden[MN/m\xC2\xB2];Kleef[kPa];\n0,2;1,43;12;\n"
             "0,4;-0,20;13,5;\n")
      << 2 << 0.4 << -200.0 << std::optional<double>(13.5) << std::optional<double>();
  QTest::newRow("names row and units row, tabs, German")
      << QByteArray(
             "Tiefe\tSpitzenwiderstand\tReibung\tPW-Druck\n(m)\t(MPa)\t(kPa)\t(kPa)\n"
             "1.0\t2.0\t30\t40\n")
      << 1 << 1.0 << 2000.0 << std::optional<double>(30.0) << std::optional<double>(40.0);
  // Fixed width with a blank cell: a plain split would shift "40" into the fs column.
  QTest::newRow("fixed width with blank cells")
      << QByteArray(
             "Depth [m]  Cone [MPa]  Friction [kPa]  Pore 2 [kPa]\n"
             "     1.00        2.00           30.0          10.0\n"
             "     2.00        3.00                         40.0\n")
      << 2 << 2.0 << 3000.0 << std::optional<double>() << std::optional<double>(40.0);
  QTest::newRow("blank separated single blanks, missing markers, BOM")
      << QByteArray(
             "\xEF\xBB\xBF"
             "depth(m) qc(kPa) fs(kPa)\n1 100 NaN\n2 -9999 5\n3 300 -999.25\n")
      << 2 << 3.0 << 300.0 << std::optional<double>() << std::optional<double>();
}

void CptReaderTest::readsColumnTextTraps() {
  QFETCH(QByteArray, content);
  QFETCH(int, records);
  QFETCH(double, lastDepth);
  QFETCH(double, lastQc);
  QFETCH(std::optional<double>, lastFs);
  QFETCH(std::optional<double>, lastU2);
  const CptFile file = readCptText(content, "t.csv");
  QCOMPARE(int(file.format), int(CptFormat::Columns));
  const CptProfile& p = file.profiles[0];
  QVERIFY2(int(p.records.size()) == records, qPrintable(p.notes.join("; ")));
  QCOMPARE(p.records.back().depth, lastDepth);
  QCOMPARE(p.records.back().coneResistance, lastQc);
  QCOMPARE(p.records.back().sleeveFriction, lastFs);
  QCOMPARE(p.records.back().porePressure, lastU2);
}

void CptReaderTest::columnOverridesReplaceTheHeader() {
  // No recognisable names: the user names the columns and their units.
  CptReadOptions options;
  options.columns.depth = {1, "ft"};
  options.columns.coneResistance = {0, "tsf"};
  const CptFile file = readCptText("a b\n10 1\n20 2\n", "t.txt", options);
  const CptProfile& p = file.profiles[0];
  QCOMPARE(int(p.records.size()), 2);
  QCOMPARE(p.records[1].depth, 0.6096);
  // 20 tsf = 20 x 2 ksf at the project's 47.88026311212539 kPa per ksf.
  QCOMPARE(p.records[1].coneResistance, 1915.21052448502);
  // A unit chosen by the user replaces the header's.
  CptReadOptions unit;
  unit.columns.coneResistance.unit = "kPa";
  QCOMPARE(readCptText("depth (m),qc (MPa)\n1,150\n", "t.csv", unit)
               .profiles[0]
               .records[0]
               .coneResistance,
           150.0);
}

void CptReaderTest::refusesBadFiles_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("format");  // forced format, -1 detects
  QTest::addColumn<QString>("message");
  QTest::newRow("qc in kN")
      << gef("#COLUMNINFO=1,m,penetrationLength,1\n#COLUMNINFO=2,kN,coneResistance,2\n",
             "0.5;10.0;!\n")
      << -1 << "f: line 4: cone resistance in kN, a force, not a stress";
  QTest::newRow("qc in an unknown unit")
      << gef("#COLUMNINFO= 1, m, l, 1\n#COLUMNINFO= 2, Mpaa, qc, 2\n", "0.5 1\n") << -1
      << "f: line 4: cone resistance in an unknown unit \"Mpaa\"";
  QTest::newRow("GEF without qc") << gef("#COLUMNINFO= 1, m, l, 1\n#COLUMNINFO= 2, MPa, fs, 3\n",
                                         "0.5 1\n")
                                  << -1 << "f: no cone resistance column (quantity number 2)";
  QTest::newRow("GEF quantity number beyond any quantity")
      << gef("#COLUMNINFO= 1, m, l, 1\n#COLUMNINFO= 2, MPa, qc, 2555555555555555555555555555555\n",
             "0.5 1\n")
      << -1 << "f: line 4: #COLUMNINFO needs a column number, a unit, a description and a quantity number";
  QTest::newRow("GEF void of a column beyond any column")
      << gef(kTwoColumns + "#COLUMNVOID= 1e30, -9999\n", "0.1 1\n") << -1
      << "f: line 6: #COLUMNVOID needs a column number and a value";
  QTest::newRow("GEF field not a number")
      << gef(kTwoColumns, "0.1 1\n0.2 x\n") << -1 << "f: line 8: field 2 \"x\" is not a number";
  QTest::newRow("GEF record too short") << gef(kTwoColumns, "0.1 1\n0.2\n") << -1
                                        << "f: line 8: 1 fields where the header defines 2 columns";
  QTest::newRow("GEF empty after voids")
      << gef(kTwoColumns + "#COLUMNVOID= 2, -9999\n", "0.1 -9999\n") << -1
      << "f: no record with a depth and a cone resistance (1 records read)";
  QTest::newRow("borehole log")
      << QByteArray("#GEFID= 1, 1, 0\n#REPORTCODE= GEF-BORE-Report, 1, 0, 0\n#EOH=\n") << -1
      << "f: line 2: a borehole log (GEF-BORE-Report), not a CPT";
  QTest::newRow("forced GEF on column text")
      << QByteArray("depth,qc\n") << int(CptFormat::Gef)
      << "f: line 1: not a GEF file (it does not start with #GEFID)";
  QTest::newRow("AGS field count differs from the headings")
      << ags4("\"DATA\",\"CPT1\",\"1\",\"0.50\",\"4.02\",\"12.5\"\n") << -1
      << "f: line 17: 5 fields where the SCPT headings have 6";
  QTest::newRow("AGS qc unit unknown") << ags4("").replace("\"MN/m2\"", "\"furlong\"") << -1
                                       << "f: line 15: SCPT_RES in an unknown unit \"furlong\"";
  QTest::newRow("AGS without SCPT") << QByteArray("\"GROUP\",\"PROJ\"\n\"HEADING\",\"PROJ_ID\"\n")
                                    << -1 << "f: no CPT data (group SCPT)";
  QTest::newRow("AGS with no qc at all")
      << ags4("\"DATA\",\"CPT1\",\"1\",\"0.50\",\"\",\"12.5\",\"1\"\n") << -1
      << "f: no CPT record with a depth and a cone resistance";
  QTest::newRow("AGS number that does not read")
      << ags4("\"DATA\",\"CPT1\",\"1\",\"0,50\",\"1\",\"12.5\",\"1\"\n") << -1
      << "f: line 17: SCPT_DPTH \"0,50\" is not a number";
  QTest::newRow("columns without a header")
      << QByteArray("1 2\n3 4\n") << -1
      << "f: no header row naming a depth and a cone resistance column (depth, diepte or tiefe; "
         "qc, conus or cone)";
  QTest::newRow("columns qc without a unit")
      << QByteArray("depth (m),qc\n1,2\n") << -1
      << "f: line 1: the cone resistance column has no unit; choose one";
  QTest::newRow("columns value not a number")
      << QByteArray("depth (m),qc (MPa)\n1,2\n2,abc\n") << -1
      << "f: line 3: column 2 \"abc\" is not a number";
}

void CptReaderTest::refusesBadFiles() {
  QFETCH(QByteArray, content);
  QFETCH(int, format);
  QFETCH(QString, message);
  CptReadOptions options;
  if (format >= 0) options.format = CptFormat(format);
  try {
    readCptText(content, "f", options);
    QFAIL("no error");
  } catch (const CptFileError& e) {
    QCOMPARE(e.message(), message);
  }
}

void CptReaderTest::selectsLocations() {
  const CptFile file = readCptText(ags4("\"DATA\",\"A\",\"1\",\"0\",\"1\",\"\",\"\"\n"
                                        "\"DATA\",\"B\",\"1\",\"0\",\"2\",\"\",\"\"\n"),
                                   "f");
  QCOMPARE(selectLocation(file, "B").records[0].coneResistance, 2000.0);
  for (const auto& [id, message] :
       {std::pair{QString(), QString("f: 2 locations; choose one of: A, B")},
        std::pair{QString("C"), QString("f: no location \"C\"; the file holds: A, B")}}) {
    try {
      selectLocation(file, id);
      QFAIL("no error");
    } catch (const CptFileError& e) {
      QCOMPARE(e.message(), message);
    }
  }
}

QTEST_GUILESS_MAIN(CptReaderTest)
#include "cpt_reader_test.moc"
