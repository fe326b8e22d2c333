// GRLWEAP input file: the whole file against a hand-written golden, and the values that depend on
// units, pile type and title.
#include "app/grlweap_file.h"

#include <QtTest>

#include "base/io_error.h"
#include "tests/support/file_size_limit.h"

using namespace vorne;

namespace {

GrlweapPile steelPipe() {
  GrlweapPile pile;
  pile.Title = "Pier 3 north, 24 in steel pipe in layered sand and clay";
  pile.Units = 1;
  pile.PileType = 1;
  pile.CircularSection = true;
  pile.OutsideDiameter = 24.0;
  pile.InsideDiameter = 23.0;
  pile.ElasticModulus = 29.0e6;
  return pile;
}

TGrlweapCache threePoints() {
  TGrlweapCache cache;
  cache.ResultDepth = {0.0, 10.0, 20.0};
  cache.ResultSkin = {0.0, 0.417, 0.862};
  cache.ResultTip = {0.0, 30.2, 61.5};
  return cache;
}

QList<QByteArray> linesOf(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  lines.removeLast();
  return lines;
}

}  // namespace

class GrlweapFileTest : public QObject {
  Q_OBJECT

 private slots:
  void matchesTheGoldenFile();
  void pileLineByTypeAndUnits_data();
  void pileLineByTypeAndUnits();
  void titleIsCutOrPadded_data();
  void titleIsCutOrPadded();
  void numberFormats();
  void unwritableFileReportsTheReason();
  void fullDiskKeepsTheEarlierFile();
};

void GrlweapFileTest::matchesTheGoldenFile() {
  // Area (24² − 23²) × 0.7854 = 36.91 in²; perimeter 24 × 3.1416 / 12 = 6.283 ft; E 29000 ksi;
  // L = 20 ft, the last cache depth.
  QFile golden(VORNE_TEST_DATA "/grlweap_steel_pipe.gwi");
  QVERIFY(golden.open(QIODevice::ReadOnly));
  GrlweapPile pile = steelPipe();
  QTemporaryDir folder;
  const QString path = folder.filePath("pier3.gwi");
  writeGrlweapFile(path, pile, threePoints());
  QFile written(path);
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readAll(), golden.readAll());
  QCOMPARE(pile.NoncircularPerimeter, 24.0 * 3.1416);  // stored back for a circular section
}

void GrlweapFileTest::pileLineByTypeAndUnits_data() {
  QTest::addColumn<int>("units");
  QTest::addColumn<int>("pileType");
  QTest::addColumn<bool>("circular");
  QTest::addColumn<QByteArray>("expected");
  // SI timber, OD 300 mm: area 300² × 0.7854 / 100 = 706.9 cm², perimeter 0.9425 m, E 1.1e7 kPa.
  QTest::newRow("timber SI") << 2 << 2 << true
                             << QByteArray("  2.00E+01  7.07E+02  1.10E+04  7.90E+00  9.42E-01");
  // Square concrete in English units: the perimeter is the given 48 in, 4 ft.
  QTest::newRow("square concrete English")
      << 1 << 3 << false << QByteArray("  2.00E+01  7.07E+04  1.10E+04  1.50E+02  4.00E+00");
  QTest::newRow("H-pile SI is steel")
      << 2 << 6 << false << QByteArray("  2.00E+01  7.07E+02  1.10E+04  7.73E+01  4.80E-02");
}

void GrlweapFileTest::pileLineByTypeAndUnits() {
  QFETCH(int, units);
  QFETCH(int, pileType);
  QFETCH(bool, circular);
  QFETCH(QByteArray, expected);
  GrlweapPile pile;
  pile.Units = units;
  pile.PileType = pileType;
  pile.CircularSection = circular;
  pile.OutsideDiameter = 300.0;
  pile.NoncircularPerimeter = 48.0;
  pile.ElasticModulus = 1.1e7;
  const QList<QByteArray> lines = linesOf(grlweapText(pile, threePoints()));
  QVERIFY(lines[5].startsWith(expected));
  QCOMPARE(lines[2], units == 1 ? QByteArray("   32.1700   32.1700\r")
                                : QByteArray("    9.8100    9.8100\r"));
  // One resistance line per cache point between the fixed blocks.
  QCOMPARE(lines.size(), 20);
  QVERIFY(lines[10].endsWith(units == 1 ? "6.56    1.00\r" : "1.50    1.00\r"));
  QVERIFY(lines[13].startsWith("  1.0000"));
}

void GrlweapFileTest::titleIsCutOrPadded_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("50 characters")
      << QString("12345678901234567890123456789012345678901234567890")
      << QByteArray("1234567890123456789012345678901234567890  VER. 2000 1 0\r");
  QTest::newRow("8 characters") << QString("Pier 3 N")
                                << QByteArray("Pier 3 N") + QByteArray(32, ' ') +
                                       "  VER. 2000 1 0\r";
  QTest::newRow("empty") << QString() << QByteArray(40, ' ') + "  VER. 2000 1 0\r";
}

void GrlweapFileTest::titleIsCutOrPadded() {
  QFETCH(QString, title);
  QFETCH(QByteArray, expected);
  GrlweapPile pile = steelPipe();
  pile.Title = title;
  QCOMPARE(linesOf(grlweapText(pile, {}))[0], expected);
}

void GrlweapFileTest::numberFormats() {
  QCOMPARE(grlweapFormatA(31.4159), std::string("3.14E+01"));
  QCOMPARE(grlweapFormatB(31.4159), std::string("3.14E+1"));
  QCOMPARE(grlweapFormatB(0.00417), std::string("4.17E-3"));
  QCOMPARE(grlweapFormatB(-2.5e12), std::string("-2.50E+12"));
  QCOMPARE(grlweapFormatA(0.0), std::string("0.00E+00"));
}

void GrlweapFileTest::unwritableFileReportsTheReason() {
  GrlweapPile pile = steelPipe();
  try {
    writeGrlweapFile("/nonexistent-folder/x.gwi", pile, threePoints());
    QFAIL("no error");
  } catch (const EInOutError& error) {
    QVERIFY(!error.message().isEmpty());
  }
}

void GrlweapFileTest::fullDiskKeepsTheEarlierFile() {
  QTemporaryDir folder;
  const QString file = folder.filePath("pile.gwi");
  GrlweapPile pile = steelPipe();
  writeGrlweapFile(file, pile, threePoints());
  QFile written(file);
  QVERIFY(written.open(QIODevice::ReadOnly));
  const QByteArray before = written.readAll();
  written.close();
  TGrlweapCache longer;
  for (int i = 0; i <= 500; ++i) {
    longer.ResultDepth.push_back(i * 0.2);
    longer.ResultSkin.push_back(i * 0.01);
    longer.ResultTip.push_back(i * 0.5);
  }
  {
    const test::FileSizeLimit fullDisk(static_cast<rlim_t>(before.size()));
    QVERIFY_THROWS_EXCEPTION(EInOutError, writeGrlweapFile(file, pile, longer));
  }
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readAll(), before);
}

QTEST_GUILESS_MAIN(GrlweapFileTest)
#include "grlweap_file_test.moc"
