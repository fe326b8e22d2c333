// Project files that lose nothing: a unit switch there and back gives back the values typed,
// a switch or a side file that would leave the range of numbers is refused, the writer never
// writes a number no reader takes, Windows-1252 text keeps its bytes, and the reader refuses
// what the engine's reader refuses, on the same line.
#include <utime.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>

#include "app/program_data.h"
#include "base/io_error.h"
#include "io/data_file_reader.h"
#include "tests/support/file_bytes.h"

using namespace vorne;

namespace {

const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples");

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// Awkward values of up to 12 significant digits, the most a file round trip promises, in the
// project's own units: extremes, many digits, values next to a power of ten, tiny and huge.
void fillAwkwardProject(TProgramData& p) {
  p.CircularSection = false;
  p.OutsideDiameter = 17.9999999999;
  p.InsideDiameter = 0.000123456789012;
  p.PileLength = 123456.789012;
  p.StickupLength = 1e-7;
  p.EnhancedEndLength = 9.99999999999;
  p.EnhancedEndInsideDiameter = 1.00000000001;
  p.ZeroFrictionLength = 0.1;
  p.NoncircularPerimeter = 56.4;
  p.NoncircularTipArea = 1e-300;
  p.ElasticModulus = 2.9e300;
  p.SectionArea = 72.0;
  p.LengthIncrement = 0.999999999999;
  p.UserCriticalDepth = 13.0;
  p.DeepestSoilDepth = 7.77777777777;
  p.D.setRowCount(3);
  const double depths[] = {0.3, 49.9999999999, 1e12};
  for (int layer = 0; layer < 3; ++layer) {
    p.D.cell(col::kSoilType, layer).setInteger(layer == 1 ? 2 : 1);
    p.D.cell(col::kBottomDepth, layer).setFloat(depths[layer]);
    p.D.cell(col::kMaxSideFriction, layer).setFloat(layer == 0 ? 9999.0 : 1234.56789012);
    p.D.cell(col::kMaxEndBearing, layer).setFloat(layer == 2 ? 9999999.0 : 0.017);
    TGridTable& data = p.layerData(layer);
    for (int row = 0; row < 2; ++row) {
      data.cell(0, row).setFloat(110.0 + 0.3 * row);
      data.cell(col::kConeResistance, row).setFloat(row == 0 ? 3.33333333333e-5 : 8.1e9);
    }
  }
  p.TblTZDepth.setRowCount(2);
  p.TblTZDepth.cell(0, 0).setFloat(2.54);
  p.TblTZDepth.cell(0, 1).setFloat(30.48);
  p.CptPoints = {{0.0, 0.0}, {1.64041994751, 46.3656599965}, {100.5, 123456789.012}};
}

// A project with values no file round trip could promise (17 digits, an expression's result):
// a switch there and back in the same session still gives them back.
void fillSeventeenDigitProject(TProgramData& p) {
  fillAwkwardProject(p);
  p.OutsideDiameter = 1501.0 / 3.0;
  p.PileLength = 0.1 + 0.2;
  p.D.cell(col::kBottomDepth, 1).setFloat(std::nextafter(50.0, 0.0));
  p.layerData(0).cell(0, 1).setFloat(std::sqrt(2.0) * 100.0);
  p.CptPoints[1] = {M_PI, std::exp(1.0) * 1000.0};
}

QByteArray projectText(TProgramData& p) { return p.dataFileText() + "\n--\n" + p.cptFileText(); }

}  // namespace

class ProjectFileTest : public QObject {
  Q_OBJECT

 private slots:
  void unitSwitchThereAndBackGivesBackWhatWasTyped_data();
  void unitSwitchThereAndBackGivesBackWhatWasTyped();
  void switchBeyondTheRangeOfNumbersIsRefused_data();
  void switchBeyondTheRangeOfNumbersIsRefused();
  void writerNeverWritesANonFiniteNumber();
  void sideFileErrorsNameTheSideFile_data();
  void sideFileErrorsNameTheSideFile();
  void windows1252TextKeepsItsBytes();
  void readerRefusesWhatTheEngineRefuses_data();
  void readerRefusesWhatTheEngineRefuses();
  void openRemovesStaleTemporaryFiles();
};

void ProjectFileTest::unitSwitchThereAndBackGivesBackWhatWasTyped_data() {
  QTest::addColumn<QString>("example");  // empty: a generated project
  QTest::addColumn<int>("typedIn");
  QTest::addColumn<bool>("throughFile");  // the converted project saved and opened in between
  for (const QString& name : QDir(kExamples).entryList({"*.vr6d"}, QDir::Files, QDir::Name)) {
    for (bool file : {false, true}) {
      QTest::addRow("%s%s", qPrintable(name), file ? " through a file" : "")
          << kExamples + "/" + name << 0 << file;
    }
  }
  for (int units : {1, 2}) {
    for (bool file : {false, true}) {
      QTest::addRow("awkward values typed in %s%s", units == 1 ? "English" : "SI",
                    file ? " through a file" : "")
          << QString() << units << file;
    }
    QTest::addRow("17 digits typed in %s", units == 1 ? "English" : "SI")
        << QString("17") << units << false;
  }
}

void ProjectFileTest::unitSwitchThereAndBackGivesBackWhatWasTyped() {
  QFETCH(QString, example);
  QFETCH(int, typedIn);
  QFETCH(bool, throughFile);
  QTemporaryDir dir;
  TProgramData p;
  if (example.isEmpty() || example == "17") {
    QCOMPARE(p.switchUnits(typedIn), QString());
    example.isEmpty() ? fillAwkwardProject(p) : fillSeventeenDigitProject(p);
  } else {
    p.createFromFile(example, true);
  }
  const int home = p.units();
  const QByteArray plain = projectText(p);
  QCOMPARE(p.switchUnits(3 - home), QString());
  QVERIFY(projectText(p) != plain);
  TProgramData reopened;
  TProgramData* back = &p;
  if (throughFile) {
    p.setFileName(dir.filePath("converted.vr6d"));
    p.save();
    reopened.createFromFile(p.fileName(), true);
    back = &reopened;
  }
  QCOMPARE(back->switchUnits(home), QString());
  QCOMPARE(projectText(*back), plain);
}

void ProjectFileTest::switchBeyondTheRangeOfNumbersIsRefused_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<QString>("field");
  QTest::newRow("modulus 1e308 psi") << 1 << "Modulus of Elasticity, E = 1E308";
  QTest::newRow("side friction limit 1e307 kPa") << 2 << "Max";
  QTest::newRow("cone resistance 1e308 ksf") << 1 << "CPT point 1";
}

void ProjectFileTest::switchBeyondTheRangeOfNumbersIsRefused() {
  QFETCH(int, from);
  QFETCH(QString, field);
  TProgramData p;
  QCOMPARE(p.switchUnits(from), QString());
  if (field.startsWith("Modulus")) p.ElasticModulus = 1e308;
  if (field == "Max") p.D.cell(col::kMaxSideFriction, 0).setFloat(1e307);
  if (field.startsWith("CPT")) p.CptPoints = {{5.0, 1e308}};
  const QByteArray before = projectText(p);
  const QString refused = p.switchUnits(3 - from);
  QVERIFY2(refused.contains(field) && refused.contains("beyond the range of numbers"),
           qPrintable(refused));
  QCOMPARE(p.units(), from);
  QCOMPARE(projectText(p), before);  // nothing converted, nothing lost
}

void ProjectFileTest::writerNeverWritesANonFiniteNumber() {
  QTemporaryDir dir;
  TProgramData p;
  p.setFileName(dir.filePath("pile.vr6d"));
  p.save();
  const QByteArray saved = readFileBytes(p.fileName());
  for (int k = 0; k < 3; ++k) {
    TProgramData bad;
    bad.setFileName(p.fileName());
    if (k == 0) bad.OutsideDiameter = std::numeric_limits<double>::infinity();
    if (k == 1) bad.D.cell(col::kMaxEndBearing, 0).setFloat(std::nan(""));
    if (k == 2) bad.CptPoints = {{1.0, -std::numeric_limits<double>::infinity()}};
    try {
      bad.save();
      QFAIL("saved a non-finite number");
    } catch (const EInOutError& error) {
      QVERIFY2(error.message().contains("not a finite number"), qPrintable(error.message()));
    }
    QCOMPARE(readFileBytes(p.fileName()), saved);
  }
}

void ProjectFileTest::sideFileErrorsNameTheSideFile_data() {
  QTest::addColumn<QByteArray>("side");
  QTest::addColumn<QString>("reason");
  QTest::newRow("damaged") << QByteArray(" 1 2\r\n 1.0 x\r\n") << "Error on Line 2 Item 2";
  QTest::newRow("beyond the range in SI")
      << QByteArray(" 1 1\r\n 1.0 1.0E+308\r\n") << "CPT point 1 cannot be converted";
}

void ProjectFileTest::sideFileErrorsNameTheSideFile() {
  QFETCH(QByteArray, side);
  QFETCH(QString, reason);
  QTemporaryDir dir;
  TProgramData si;
  QCOMPARE(si.switchUnits(2), QString());
  si.setFileName(dir.filePath("pile.vr6d"));
  si.save();
  writeBytes(dir.filePath("pile.cpt"), side);
  TProgramData p;
  try {
    p.createFromFile(dir.filePath("pile.vr6d"), true);
    QFAIL("opened");
  } catch (const EInOutError& error) {
    QVERIFY2(error.message().startsWith("CPT side file " + dir.filePath("pile.cpt") + ":\n"),
             qPrintable(error.message()));
    QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    QCOMPARE(error.fileName(), dir.filePath("pile.cpt"));
  }
}

void ProjectFileTest::windows1252TextKeepsItsBytes() {
  QTemporaryDir dir;
  TProgramData p;
  p.setFileName(dir.filePath("old.vr6d"));
  p.save();
  QByteArray text = readFileBytes(p.fileName());
  const QByteArray title = "Pile \xD8 24 in, 30\xB0 batter, caf\xE9 \x80";  // Windows-1252
  text.replace("New Pile\r\n", title + "\r\n");
  text.replace("\r\n\r\n", "\r\nJ. M\xFCller\r\n");  // the designer line
  writeBytes(p.fileName(), text);

  TProgramData opened;
  opened.createFromFile(p.fileName(), true);
  QCOMPARE(opened.Title, QString::fromUtf8("Pile Ø 24 in, 30° batter, café €"));
  QCOMPARE(opened.Designer, QString::fromUtf8("J. Müller"));
  opened.save();
  QCOMPARE(readFileBytes(p.fileName()), text);  // byte for byte, no U+FFFD
  // A character Windows-1252 has no byte for: that line is written in UTF-8, the others stay.
  opened.Title += QString::fromUtf8(" 桩");
  opened.save();
  const QByteArray again = readFileBytes(p.fileName());
  QVERIFY(again.startsWith(QString(opened.Title).toUtf8() + "\r\nJ. M\xFC"
                                                            "ller\r\n"));
  TProgramData reread;
  reread.createFromFile(p.fileName(), true);
  QCOMPARE(reread.Title, opened.Title);
}

void ProjectFileTest::readerRefusesWhatTheEngineRefuses_data() {
  QTest::addColumn<QByteArray>("from");
  QTest::addColumn<QByteArray>("to");
  QTest::addColumn<QString>("message");
  const QByteArray units = "\r\n1 4 10\r\n";
  QTest::newRow("units 0") << units << QByteArray("\r\n0 4 10\r\n") << "Units 0 is outside 1 to 2.";
  QTest::newRow("units -7") << units << QByteArray("\r\n-7 4 10\r\n") << "Units -7 is outside";
  QTest::newRow("units 3") << units << QByteArray("\r\n3 4 10\r\n") << "Units 3 is outside";
  QTest::newRow("print increment 0")
      << units << QByteArray("\r\n1 0 10\r\n") << "print increment 0 must be at least 1";
  QTest::newRow("no soil points") << units << QByteArray("\r\n1 4 0\r\n")
                                  << "number of soil points is 0";
  QTest::newRow("increment 0") << QByteArray("\r\n0 0.5 1 0 4 1 0 \r\n")
                               << QByteArray("\r\n0 0 1 0 4 1 0 \r\n")
                               << "increment of pile length 0 must be greater than 0";
  QTest::newRow("first depth not at the surface")
      << QByteArray("\r\n0.0 1 0.8 115") << QByteArray("\r\n2.0 1 0.8 115") << "must be 0";
  QTest::newRow("hex in an unused slot")
      << QByteArray("1400 60000 0.0 10 0.0 0.0") << QByteArray("1400 60000 0x10 10 0.0 0.0")
      << "A floating point number was expected";
  QTest::newRow("nan in an unused slot")
      << QByteArray("1400 60000 0.0 10 0.0 0.0") << QByteArray("1400 60000 0.0 10 nan 0.0")
      << "A floating point number was expected";
  QTest::newRow("negative OD") << QByteArray("\r\n0 0 24 23 29000000 60 0\r\n")
                               << QByteArray("\r\n0 0 -24 23 29000000 60 0\r\n")
                               << "outside diameter -24 must not be negative";
  QTest::newRow("negative modulus")
      << QByteArray(" 24 23 29000000 60 0\r\n") << QByteArray(" 24 23 -29000000 60 0\r\n")
      << "modulus of elasticity -29000000 must not be negative";
  QTest::newRow("negative zero-friction length")
      << QByteArray("\r\n0 0.5 1 0 4 1 0 \r\n") << QByteArray("\r\n-3 0.5 1 0 4 1 0 \r\n")
      << "zero friction length -3 must not be negative";
  QTest::newRow("negative layer depth")
      << QByteArray("\r\n10 2 0.0 ") << QByteArray("\r\n-10 2 0.0 ") << "must not be negative";
  QTest::newRow("inf as a clay point's unused value")
      << QByteArray("\r\n10 2 0.0 ") << QByteArray("\r\n10 2 inf ")
      << "A floating point number was expected";
}

void ProjectFileTest::readerRefusesWhatTheEngineRefuses() {
  QFETCH(QByteArray, from);
  QFETCH(QByteArray, to);
  QFETCH(QString, message);
  QByteArray text = readFileBytes(kExamples + "/steel_pipe_layered.vr6d");
  QVERIFY(text.contains(from));
  text.replace(text.indexOf(from), from.size(), to);
  QTemporaryDir dir;
  const QString path = dir.filePath("bad.vr6d");
  writeBytes(path, text);

  AnalysisInput input;
  const ReadResult engine = readDataFile(text.toStdString(), "bad.vr6d", input);
  QVERIFY2(!engine.ok, "the engine takes it");
  const QRegularExpression engineLine("bad\\.vr6d, line (\\d+):");
  const QString engineLineNumber =
      engineLine.match(QString::fromStdString(engine.message)).captured(1);
  QVERIFY2(!engineLineNumber.isEmpty(), engine.message.c_str());

  TProgramData p;
  try {
    p.createFromFile(path, true);
    QFAIL("the desktop reader takes it");
  } catch (const EInOutError& error) {
    QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    QVERIFY2(error.message().startsWith("Error on Line " + engineLineNumber),
             qPrintable(error.message() + " / " + QString::fromStdString(engine.message)));
  }
}

void ProjectFileTest::openRemovesStaleTemporaryFiles() {
  QTemporaryDir dir;
  TProgramData p;
  p.setFileName(dir.filePath("pile.vr6d"));
  p.save();
  const QString left = dir.filePath(".pile.vr6d.tmpq1w2e3");
  const QString leftCpt = dir.filePath(".pile.cpt.tmpq1w2e3");
  for (const QString& path : {left, leftCpt}) {
    writeBytes(path, "half a save");
    const utimbuf hourAgo{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &hourAgo), 0);
  }
  TProgramData opened;
  opened.createFromFile(p.fileName(), true);
  QVERIFY(!QFileInfo::exists(left));
  QVERIFY(!QFileInfo::exists(leftCpt));
}

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "project_file_test.moc"
