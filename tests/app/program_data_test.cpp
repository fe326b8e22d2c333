// Project model: new project, save and open in both layouts, the save rules, the unit switch,
// failed saves, and the engine reading what the model saves.
#include "app/program_data.h"
#include "tests/support/file_bytes.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <csignal>

#include "base/io_error.h"
#include "io/data_file_reader.h"

using namespace vorne;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A project that uses every field: 40 layers alternating sand and clay, every scalar away from
// its default, five extra t-z depths, three cross-section rows and four CPT points.
void fillFullProject(TProgramData& p) {
  p.Title = QStringLiteral("Full project, 40 layers");
  p.Designer = QStringLiteral("R. Engineer");
  p.JobNumber = QStringLiteral("J-2014/7");
  p.PileType = 3;
  p.CircularSection = false;
  p.OutsideDiameter = 24.5;
  p.InsideDiameter = 0.0;
  p.PileLength = 123.456789;
  p.EnhancedEndLength = 5.25;
  p.EnhancedEndInsideDiameter = 20.125;
  p.ZeroFrictionLength = 3.5;
  p.StickupLength = 2.75;
  p.NoncircularPerimeter = 72.0;
  p.NoncircularTipArea = 324.0;
  p.ElasticModulus = 4200000.0;
  p.TaperAngle = 0.7;
  p.AreaOption = 2;
  p.SectionArea = 12.3456789012;  // more digits than the general format of a save shows
  p.PlugCondition = 2;
  p.LoadTransferMethod = 5;
  p.MethodSelected = {0, 1, 0, 1, 1, 1, 0, 1, 0, 1};
  p.LoadingType = 1;
  p.TensionReductionFactor = 0.85;
  p.ClayDrained = 1;
  p.ReducedLoadTransfer = 1;
  p.CriticalDepthOption = 2;
  p.UserCriticalDepth = 41.5;
  p.LengthIncrement = 0.5;
  p.PrintIncrement = 4;
  p.ExtraTzDepths = 1;
  p.D.setRowCount(40);
  for (int layer = 0; layer < 40; ++layer) {
    const bool sand = layer % 2 == 0;
    p.D.cell(col::kSoilType, layer).setInteger(sand ? 1 : 2);
    p.D.cell(col::kBottomDepth, layer).setFloat(2.5 * (layer + 1) + 0.123456789);
    p.D.cell(col::kMaxSideFriction, layer).setFloat(layer == 3 ? 0.0 : 1000.0 + layer);
    p.D.cell(col::kMaxEndBearing, layer).setFloat(60000.0 + 10 * layer);
    p.D.cell(col::kSideFrictionFactor, layer).setFloat(0.7);
    p.D.cell(col::kEndBearingFactor, layer).setFloat(0.65);
    TGridTable& data = p.layerData(layer);
    for (int row = 0; row < 2; ++row) {
      const double k = layer + 0.1 * row;
      data.cell(0, row).setFloat(110.0 + k);
      if (sand) {
        data.cell(col::kSandFrictionAngle, row).setFloat(30.0 + 0.01 * k);
        data.cell(col::kSandBlowCount, row).setInteger(10 + layer + row);
        data.cell(col::kSandKo, row).setFloat(0.8);
        data.cell(col::kSandNq, row).setFloat(12.0 + row);
      } else {
        data.cell(col::kClayUndrainedStrength, row).setFloat(600.0 + 3 * k);
        data.cell(col::kClayRemoldedStrength, row).setFloat(300.0 + k);
        data.cell(col::kClayPlasticityIndex, row).setFloat(25.0 + row);
        data.cell(col::kClayYieldStressRatio, row).setFloat(1.5 + 0.25 * row);
      }
      data.cell(col::kConeResistance, row).setFloat(100000.0 + 1000.0 * k);
      data.cell(col::kUserSkinFriction, row).setFloat(500.0 + k / 3.0);
      data.cell(col::kUserEndBearing, row).setFloat(20000.0 + k);
    }
  }
  p.TblTZDepth.setRowCount(5);
  for (int row = 0; row < 5; ++row) p.TblTZDepth.cell(0, row).setFloat(10.0 * row + 1.0 / 3.0);
  p.Sectionaldata.setRowCount(3);
  for (int row = 0; row < 3; ++row) {
    p.Sectionaldata.cell(col::kAreaDepth, row).setFloat(30.0 * row);
    p.Sectionaldata.cell(col::kArea, row).setFloat(45.0 - 2.5 * row);
  }
  p.CptPoints = {{1.0, 92.0}, {3.0, 96.5}, {5.5, 101.25}, {12.0, 0.0123}};
}

// Every scalar of a project, in words with every digit of the doubles, for comparing two
// projects.
QStringList scalars(const TProgramData& p) {
  QStringList s;
  const auto real = [&s](const char* name, double v) {
    s << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(v, 0, 'g', 17);
  };
  const auto integer = [&s](const char* name, int v) {
    s << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(v);
  };
  s << p.Title << p.Designer << p.JobNumber;
  integer("Units", p.units());
  integer("PileType", p.PileType);
  integer("CircularSection", p.CircularSection);
  real("OutsideDiameter", p.OutsideDiameter);
  real("InsideDiameter", p.InsideDiameter);
  real("PileLength", p.PileLength);
  real("EnhancedEndLength", p.EnhancedEndLength);
  real("EnhancedEndInsideDiameter", p.EnhancedEndInsideDiameter);
  real("ZeroFrictionLength", p.ZeroFrictionLength);
  real("StickupLength", p.StickupLength);
  real("NoncircularPerimeter", p.NoncircularPerimeter);
  real("NoncircularTipArea", p.NoncircularTipArea);
  real("ElasticModulus", p.ElasticModulus);
  real("TaperAngle", p.TaperAngle);
  integer("AreaOption", p.AreaOption);
  real("SectionArea", p.SectionArea);
  integer("PlugCondition", p.PlugCondition);
  integer("LoadTransferMethod", p.LoadTransferMethod);
  for (int m = 1; m <= 9; ++m) integer("MethodSelected", p.MethodSelected[m]);
  integer("LoadingType", p.LoadingType);
  real("TensionReductionFactor", p.TensionReductionFactor);
  integer("ClayDrained", p.ClayDrained);
  integer("ReducedLoadTransfer", p.ReducedLoadTransfer);
  integer("CriticalDepthOption", p.CriticalDepthOption);
  real("UserCriticalDepth", p.UserCriticalDepth);
  real("LengthIncrement", p.LengthIncrement);
  integer("PrintIncrement", p.PrintIncrement);
  integer("ExtraTzDepths", p.ExtraTzDepths);
  for (const CptProfilePoint& c : p.CptPoints) real("Cpt", c.depth), real("Qc", c.qc);
  return s;
}

// Every cell of a table (and of its sub-tables) with every digit it holds.
QStringList cells(const TGridTable& t) {
  QStringList s;
  for (int r = 0; r < t.rowCount(); ++r) {
    for (int c = 0; c < t.columnCount(); ++c) {
      s << t.exactCellText(c, r);
      if (t.column(c).type() == ColumnType::Table) s << cells(*t.column(c).subTable(r));
    }
  }
  return s;
}

const char* const kOlderLayout =
    "Older layout pile\r\n"
    "Someone\r\n"
    "Job 1\r\n"
    "1 2 4\r\n"
    "0 0 18 17 29000000 50\r\n"
    "0 0 \r\n"
    "0 1 1 0 4 1 \r\n"
    "40 0 \r\n"
    "0.0 1 0.8 115 30 12 \r\n"
    "1400 60000 0.0 10 0.0 0.0 104000 0 0 \r\n"
    "10 1 0.8 115 31 12 \r\n"
    "1400 60000 0.0 11 0.0 0.0 104000 0 0 \r\n"
    "10 2 0.0 50 0.0 0.0 \r\n"
    "0 0 600 300 1.5 25 9000 0 0 \r\n"
    "40 2 0.0 52 0.0 0.0 \r\n"
    "0 0 900 450 1.6 26 13500 0 0 \r\n"
    "0 \r\n"
    "0 1 \r\n"
    "0 0 \r\n"
    "%1\r\n";

}  // namespace

class ProgramDataTest : public QObject {
  Q_OBJECT

 private slots:
  void newProjectHasItsDefaults();
  void fullProjectSurvivesSaveAndOpen_data();
  void fullProjectSurvivesSaveAndOpen();
  void unitSwitchKeepsLimitCodes();
  void openingKeepsModifiedStateClear();
  void olderLayoutGetsItsDefaults();
  void missingAreaOptionIsDerived_data();
  void missingAreaOptionIsDerived();
  void saveAppliesItsRules();
  void unitSwitchUsesTheProjectFactors();
  void saveWritesPointUnderCommaLocale();
  void failedSaveKeepsThePreviousFile();
  void readOnlyFolderKeepsThePreviousFile();
  void badFilesAreRefusedWithLineAndReason_data();
  void badFilesAreRefusedWithLineAndReason();
  void engineReadsWhatTheModelSaves();
  void modelOpensWhatTheEngineReads_data();
  void modelOpensWhatTheEngineReads();
};

void ProgramDataTest::newProjectHasItsDefaults() {
  TProgramData p;
  QCOMPARE(p.units(), 1);
  QCOMPARE(p.fileName(), QStringLiteral("NewVORNE.vr6d"));
  QVERIFY(p.isUntitled());
  QCOMPARE(p.Title, QStringLiteral("New Pile"));
  QCOMPARE(p.layerCount(), 1);
  QCOMPARE(p.LoadTransferMethod, 4);
  QCOMPARE(p.MethodSelected, (std::array<int, 10>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
  QCOMPARE(p.LengthIncrement, 1.0);
  QCOMPARE(p.PrintIncrement, 1);
  QCOMPARE(p.TensionReductionFactor, 1.0);
  QCOMPARE(p.Sectionaldata.rowCount(), 2);
  QCOMPARE(p.TblTZDepth.rowCount(), 1);
  QVERIFY(!p.isModified());
  // The user-specified columns are hidden unless the load-transfer method is 5.
  QVERIFY(!p.layerData(0).column(col::kUserSkinFriction).Shown);
  // The whole file of a new project.
  QCOMPARE(p.dataFileText(),
           QByteArray("New Pile\r\n\r\n\r\n1 1 2\r\n0 0 0 0 0 0 0\r\n0 0 \r\n0 1 1 0 4 1 0 \r\n"
                      "0 0 0 1 0 0 0 0 0 \r\n0 0 \r\n"
                      "0.0 1 0 0 0 0 \r\n0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n"
                      "0 1 0 0 0 0 \r\n0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n"
                      "0 \r\n0 1 \r\n0 0 \r\n2 0 \r\n0 0 \r\n0 0 \r\n0 0 \r\n"));
  QCOMPARE(p.cptFileText(), QByteArray(" 1 0\r\n"));
}

void ProgramDataTest::fullProjectSurvivesSaveAndOpen_data() {
  QTest::addColumn<int>("typedIn");
  QTest::addColumn<int>("savedIn");
  QTest::newRow("typed in English, saved in SI") << 1 << 2;
  QTest::newRow("typed in SI, saved in English") << 2 << 1;
}

// A save after a unit switch reads back to the same doubles, CPT points included, and a second
// save of what was read is byte for byte the first.
void ProgramDataTest::fullProjectSurvivesSaveAndOpen() {
  QFETCH(int, typedIn);
  QFETCH(int, savedIn);
  QTemporaryDir dir;
  TProgramData first;
  first.switchUnits(typedIn);
  fillFullProject(first);
  first.switchUnits(savedIn);
  first.setFileName(dir.filePath(QStringLiteral("full.vr6d")));
  first.save();
  const QByteArray firstData = readFileBytes(first.fileName());
  const QByteArray firstCpt = readFileBytes(dir.filePath(QStringLiteral("full.cpt")));
  QVERIFY(firstData.contains("\r\n"));

  TProgramData second;
  second.createFromFile(first.fileName(), true);
  QCOMPARE(second.layerCount(), 40);
  QCOMPARE(second.CptPointCount(), 4);
  QCOMPARE(scalars(second), scalars(first));
  QCOMPARE(cells(second.D), cells(first.D));
  QCOMPARE(cells(second.TblTZDepth), cells(first.TblTZDepth));
  QCOMPARE(cells(second.Sectionaldata), cells(first.Sectionaldata));
  QCOMPARE(second.layerData(1).Caption, QStringLiteral("Clay Layer Data"));
  QVERIFY(second.layerData(0).column(col::kUserSkinFriction).Shown);

  second.setFileName(dir.filePath(QStringLiteral("again.vr6d")));
  second.save();
  QCOMPARE(readFileBytes(second.fileName()), firstData);
  QCOMPARE(readFileBytes(dir.filePath(QStringLiteral("again.cpt"))), firstCpt);
}

void ProgramDataTest::openingKeepsModifiedStateClear() {
  QTemporaryDir dir;
  TProgramData p;
  fillFullProject(p);
  QVERIFY(p.isModified());  // table edits count
  p.setFileName(dir.filePath(QStringLiteral("m.vr6d")));
  p.save();
  QVERIFY(!p.isModified());
  p.createFromFile(p.fileName(), true);
  QVERIFY(!p.isModified());
  p.layerData(5).storeText(0, 1, QStringLiteral("120"));
  QVERIFY(p.isModified());
}

void ProgramDataTest::olderLayoutGetsItsDefaults() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("old.vrd"));
  writeBytes(path, QByteArray(kOlderLayout).replace("%1\r\n", "1 0 \r\n"));
  TProgramData p;
  p.createFromFile(path, false);
  QCOMPARE(p.MethodSelected, (std::array<int, 10>{0, 1, 1, 1, 1, 0, 1, 1, 1, 1}));
  QCOMPARE(p.PrintIncrement, 2);
  QCOMPARE(p.OutsideDiameter, 18.0);
  QCOMPARE(p.PileLength, 50.0);
  QCOMPARE(p.StickupLength, 0.0);
  QCOMPARE(p.ReducedLoadTransfer, 0);
  QCOMPARE(p.CriticalDepthOption, 0);
  QCOMPARE(p.layerCount(), 2);
  QCOMPARE(p.D.cellText(col::kBottomDepth, 1), QStringLiteral("40"));
  QCOMPARE(p.layerData(0).cellText(col::kSandBlowCount, 1), QStringLiteral("11"));
  QCOMPARE(p.layerData(1).cellText(col::kClayYieldStressRatio, 1), QStringLiteral("1.6"));
  QCOMPARE(p.layerData(1).cellText(col::kClayPlasticityIndex, 1), QStringLiteral("26"));
  QCOMPARE(p.D.cellText(col::kSideFrictionFactor, 0), QStringLiteral("1"));
  QCOMPARE(p.AreaOption, 0);
  // Saving never writes the new layout over the older file.
  QCOMPARE(p.fileName(), dir.filePath(QStringLiteral("old.vr6d")));
}

void ProgramDataTest::missingAreaOptionIsDerived_data() {
  QTest::addColumn<QByteArray>("areaLines");
  QTest::addColumn<QByteArray>("sectionLine");
  QTest::addColumn<int>("areaOption");
  QTest::newRow("three rows") << QByteArray("3 \r\n0 10 \r\n20 9 \r\n40 8 ") << QByteArray("40 0 ")
                              << 2;
  QTest::newRow("constant area") << QByteArray("1 ") << QByteArray("40 12.5 ") << 1;
  QTest::newRow("area from section") << QByteArray("0 ") << QByteArray("40 0 ") << 0;
  QTest::newRow("option on the line wins")
      << QByteArray("3 0 \r\n0 10 \r\n20 9 \r\n40 8 ") << QByteArray("40 0 ") << 0;
}

void ProgramDataTest::missingAreaOptionIsDerived() {
  QFETCH(QByteArray, areaLines);
  QFETCH(QByteArray, sectionLine);
  QFETCH(int, areaOption);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("area.vrd"));
  writeBytes(path, QByteArray(kOlderLayout)
                       .replace("40 0 \r\n0.0", sectionLine + "\r\n0.0")
                       .replace("%1", areaLines));
  TProgramData p;
  p.createFromFile(path, false);
  QCOMPARE(p.AreaOption, areaOption);
  QVERIFY(p.Sectionaldata.rowCount() >= 2);
}

void ProgramDataTest::saveAppliesItsRules() {
  TProgramData p;
  fillFullProject(p);
  p.CircularSection = true;  // a tip area entered for a noncircular section is dropped
  p.PrintIncrement = 0;
  p.LengthIncrement = 0.0;
  p.LoadTransferMethod = 4;
  const QList<QByteArray> lines = p.dataFileText().split('\n');
  QCOMPARE(lines[3], QByteArray("1 1 80\r"));
  QVERIFY(lines[4].startsWith("0 0 24.5 0 4200000 "));
  QVERIFY(lines[6].startsWith("3.5 1 3 "));
  QCOMPARE(p.NoncircularTipArea, 0.0);
  QCOMPARE(p.PrintIncrement, 1);
  QCOMPARE(p.LengthIncrement, 1.0);
  // User-specified values are written as 0 and cleared in the layer tables.
  QCOMPARE(lines[10], QByteArray("1000 60000 0.0 10 0.0 0.0 100000 0 0 0.7 0.65 \r"));
  QCOMPARE(p.layerData(7).cellText(col::kUserEndBearing, 1), QStringLiteral("0"));
  // The deepest soil depth is the last layer's bottom, written with every digit typed (the cell
  // shows eight), and so is the section area.
  QCOMPARE(lines[8], QByteArray("100.123456789 12.3456789012 \r"));
}

// The limit codes are no quantities: 9999 ("use the API limits") on the side friction, 0 and
// 9999999 (no limit) on both limits keep their value in the other system.
void ProgramDataTest::unitSwitchKeepsLimitCodes() {
  TProgramData p;
  p.D.setRowCount(4);
  const double side[] = {9999.0, 0.0, 9999999.0, 1000.0};
  const double end[] = {9999999.0, 0.0, 9999.0, 1000.0};
  for (int row = 0; row < 4; ++row) {
    p.D.cell(col::kMaxSideFriction, row).setFloat(side[row]);
    p.D.cell(col::kMaxEndBearing, row).setFloat(end[row]);
  }
  // 1000 psf = 1000 * 0.00444822199911631 / 0.3048^2 kPa; a bearing limit of 9999 is a value.
  const double psfToKpa = 0.00444822199911631 / (0.3048 * 0.3048);
  p.switchUnits(2);
  const double sideSi[] = {9999.0, 0.0, 9999999.0, 1000.0 * psfToKpa};
  const double endSi[] = {9999999.0, 0.0, 9999.0 * psfToKpa, 1000.0 * psfToKpa};
  for (int row = 0; row < 4; ++row) {
    QCOMPARE(p.D.cell(col::kMaxSideFriction, row).asFloat(), sideSi[row]);
    QCOMPARE(p.D.cell(col::kMaxEndBearing, row).asFloat(), endSi[row]);
  }
  p.switchUnits(1);
  for (int row = 0; row < 3; ++row) {
    QCOMPARE(p.D.cell(col::kMaxSideFriction, row).asFloat(), side[row]);
  }
  QCOMPARE(p.D.cell(col::kMaxEndBearing, 0).asFloat(), 9999999.0);
}

void ProgramDataTest::unitSwitchUsesTheProjectFactors() {
  TProgramData p;
  p.OutsideDiameter = 24.0;
  p.PileLength = 100.0;
  p.ElasticModulus = 29000000.0;
  p.SectionArea = 10.0;
  p.TaperAngle = 0.5;
  p.D.cell(col::kBottomDepth, 0).setFloat(50.0);
  p.CptPoints = {{10.0, 100.0}};
  p.switchUnits(2);
  QCOMPARE(p.OutsideDiameter, 609.6);
  QCOMPARE(p.PileLength, 30.48);
  // 29e6 psi * 0.00444822199911631 / 0.0254^2 = 199,947,978.76 kPa (about 199,948,000)
  QVERIFY(std::fabs(p.ElasticModulus - 199947978.76) < 0.01);
  QVERIFY(std::fabs(p.SectionArea - 0.0064516) < 1e-15);
  QCOMPARE(p.TaperAngle, 0.5);
  QCOMPARE(p.D.cellText(col::kBottomDepth, 0), QStringLiteral("15.24"));
  QVERIFY(std::fabs(p.CptPoints[0].qc - 4788.026) < 0.01);  // 100 ksf in kPa
  QCOMPARE(p.cptFileText().left(3), QByteArray(" 2 "));

  p.switchUnits(2);  // already SI
  QCOMPARE(p.OutsideDiameter, 609.6);
  p.switchUnits(7);  // clamped to SI
  QCOMPARE(p.units(), 2);
  p.switchUnits(1);
  // There and back gives back exactly the values typed.
  QCOMPARE(p.OutsideDiameter, 24.0);
  QCOMPARE(p.PileLength, 100.0);
  QCOMPARE(p.ElasticModulus, 29000000.0);
  QCOMPARE(p.D.cellText(col::kBottomDepth, 0), QStringLiteral("50"));
}

void ProgramDataTest::saveWritesPointUnderCommaLocale() {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("de_DE.UTF-8 is not installed");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTemporaryDir dir;
  TProgramData p;
  fillFullProject(p);
  p.setFileName(dir.filePath(QStringLiteral("komma.vr6d")));
  p.save();
  TProgramData back;
  back.createFromFile(p.fileName(), true);
  std::setlocale(LC_ALL, saved.c_str());
  QLocale::setDefault(QLocale::c());
  const QByteArray data = readFileBytes(p.fileName());
  QVERIFY(data.contains("123.456789 "));
  QVERIFY(!data.mid(data.indexOf("\r\n1 ")).contains(','));  // nothing after the text lines
  QVERIFY(readFileBytes(dir.filePath(QStringLiteral("komma.cpt"))).contains("  1.0125E+02\r\n"));
  QCOMPARE(back.PileLength, 123.456789);
}

void ProgramDataTest::failedSaveKeepsThePreviousFile() {
  QTemporaryDir dir;
  TProgramData p;
  fillFullProject(p);
  p.setFileName(dir.filePath(QStringLiteral("keep.vr6d")));
  p.save();
  const QByteArray before = readFileBytes(p.fileName());
  const QByteArray cptBefore = readFileBytes(p.cptFileName());
  p.Title = QStringLiteral("Changed");
  p.setModified();

  // A full disk: writes past a small file-size limit fail as they would on a full disk.
  {
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 200;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    QString reason;
    try {
      p.save();
    } catch (const EInOutError& error) {
      failed = true;
      reason = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(failed);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readFileBytes(p.fileName()), before);
    QCOMPARE(readFileBytes(p.cptFileName()), cptBefore);
    QVERIFY(p.isModified());
  }

  // A folder that does not exist.
  p.setFileName(dir.filePath(QStringLiteral("missing/keep.vr6d")));
  QVERIFY_THROWS_EXCEPTION(EInOutError, p.save());
}

void ProgramDataTest::readOnlyFolderKeepsThePreviousFile() {
  QTemporaryDir dir;
  TProgramData p;
  fillFullProject(p);
  p.setFileName(dir.filePath(QStringLiteral("keep.vr6d")));
  p.save();
  const QByteArray before = readFileBytes(p.fileName());
  p.Title = QStringLiteral("Changed");
  QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
  QFile probe(dir.filePath(QStringLiteral("probe")));
  if (probe.open(QIODevice::WriteOnly)) {
    probe.remove();
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    QSKIP("this user writes into read-only folders (root)");
  }
  bool failed = false;
  try {
    p.save();
  } catch (const EInOutError& error) {
    failed = !error.message().isEmpty();
  }
  chmod(QFile::encodeName(dir.path()).constData(), 0755);
  QVERIFY(failed);
  QCOMPARE(readFileBytes(p.fileName()), before);
}

void ProgramDataTest::badFilesAreRefusedWithLineAndReason_data() {
  QTest::addColumn<QByteArray>("from");
  QTest::addColumn<QByteArray>("to");
  QTest::addColumn<QString>("message");
  QTest::newRow("odd soil point count") << QByteArray("1 2 4\r\n") << QByteArray("1 2 3\r\n")
                                        << "Error on Line 4\nThe number of soil points 3 must be "
                                           "an even number from 0 to 80 (two per layer).";
  QTest::newRow("pile type") << QByteArray("0 1 1 0 4 1 ") << QByteArray("0 1 9 0 4 1 ")
                             << "Error on Line 7\nPile type 9 is outside 1 to 7.";
  QTest::newRow("soil type") << QByteArray("10 2 0.0 50") << QByteArray("10 3 0.0 50")
                             << "Error on Line 13\nSoil type 3 is outside 1 to 2.";
  QTest::newRow("blow count") << QByteArray("0.0 11 0.0") << QByteArray("0.0 11.5 0.0")
                              << "Error on Line 12 Item 4\nAn integer was expected but not found.";
  QTest::newRow("short file") << QByteArray("0 1 \r\n0 0 \r\n") << QByteArray("0 1 \r\n")
                              << "This file either invalid or incomplete.";
}

void ProgramDataTest::badFilesAreRefusedWithLineAndReason() {
  QFETCH(QByteArray, from);
  QFETCH(QByteArray, to);
  QFETCH(QString, message);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bad.vrd"));
  QByteArray text = QByteArray(kOlderLayout).replace("%1\r\n", "1 0 \r\n");
  QVERIFY(text.contains(from));
  writeBytes(path, text.replace(from, to));
  TProgramData p;
  try {
    p.createFromFile(path, false);
    QFAIL("no error");
  } catch (const EInOutError& error) {
    QCOMPARE(error.message(), message);
    QCOMPARE(error.fileName(), path);
  }
  // What was read stays; the tables have their minimum rows; a save cannot overwrite the file.
  QCOMPARE(p.Title, QStringLiteral("Older layout pile"));
  QVERIFY(p.layerCount() >= 1 && p.Sectionaldata.rowCount() >= 2);
  QVERIFY(p.isUntitled());
}

void ProgramDataTest::engineReadsWhatTheModelSaves() {
  TProgramData p;
  fillFullProject(p);
  p.switchUnits(2);
  const QByteArray data = p.dataFileText();
  AnalysisInput in;
  const ReadResult result = readDataFile(data.toStdString(), "full.vr6d", in);
  QVERIFY2(result.ok, result.message.c_str());
  QCOMPARE(in.title, p.Title.toStdString());
  QCOMPARE(in.units, 2);
  QCOMPARE(in.printIncrement, p.PrintIncrement);
  QCOMPARE(static_cast<int>(in.soilPoints.size()), 80);
  // SI units: the file values are used as read, except where the pile is noncircular. Scalars
  // are written with 10 significant digits, cells with the 8 they show.
  constexpr double kCellDigits = 1e-7;
  const auto near = [](double a, double b) {
    return std::fabs(a - b) <= kCellDigits * std::max(1.0, std::fabs(b));
  };
  QVERIFY(near(in.pile.noncircularPerimeter, p.NoncircularPerimeter));
  QVERIFY(near(in.pile.outsideDiameter, p.NoncircularPerimeter / 3.1416));
  QVERIFY(near(in.pile.elasticModulus, p.ElasticModulus));
  QVERIFY(near(in.pile.stickupLength, p.StickupLength));
  QVERIFY(near(in.pile.enhancedEndInsideDiameter, p.EnhancedEndInsideDiameter));
  QCOMPARE(in.pile.pileType, p.PileType);
  QCOMPARE(in.loadTransferMethod, 5);
  QCOMPARE(in.reducedLoadTransfer, 1);
  for (int m = 1; m <= 9; ++m) QCOMPARE(in.methodSelected[m], p.MethodSelected[m]);
  QVERIFY(near(in.deepestSoilDepth, p.D.cell(col::kBottomDepth, 39).asFloat()));
  for (int layer = 0; layer < 40; ++layer) {
    const bool sand = layer % 2 == 0;
    TGridTable& cellsOfLayer = p.layerData(layer);
    for (int point = 0; point < 2; ++point) {
      const SoilPoint& sp = in.soilPoints[static_cast<std::size_t>(2 * layer + point)];
      const double top = layer == 0 ? 0.0 : p.D.cell(col::kBottomDepth, layer - 1).asFloat();
      QVERIFY(near(sp.depth, point == 0 ? top : p.D.cell(col::kBottomDepth, layer).asFloat()));
      QCOMPARE(sp.soilType, sand ? 1 : 2);
      QVERIFY(near(sp.effectiveUnitWeight, cellsOfLayer.cell(0, point).asFloat()));
      if (sand) {
        QVERIFY(
            near(sp.frictionAngle, cellsOfLayer.cell(col::kSandFrictionAngle, point).asFloat()));
        QCOMPARE(sp.blowCountOrYsr,
                 double(cellsOfLayer.cell(col::kSandBlowCount, point).asInteger()));
        QCOMPARE(sp.remoldedShearStrength, 0.0);
      } else {
        QVERIFY(near(sp.undrainedShearStrength,
                     cellsOfLayer.cell(col::kClayUndrainedStrength, point).asFloat()));
        QVERIFY(near(sp.blowCountOrYsr,
                     cellsOfLayer.cell(col::kClayYieldStressRatio, point).asFloat()));
        QVERIFY(near(sp.plasticityIndex,
                     cellsOfLayer.cell(col::kClayPlasticityIndex, point).asFloat()));
      }
      QVERIFY(near(sp.coneResistance, cellsOfLayer.cell(col::kConeResistance, point).asFloat()));
      QVERIFY(near(sp.userUnitSkinFriction,
                   cellsOfLayer.cell(col::kUserSkinFriction, point).asFloat()));
      // The layer with no friction limit reads as unlimited.
      if (layer == 3) {
        QVERIFY(sp.frictionUnlimited);
      } else {
        QVERIFY(near(sp.maxUnitFriction, p.D.cell(col::kMaxSideFriction, layer).asFloat()));
      }
      QVERIFY(near(sp.endResistanceFactor, 0.65));
    }
  }
  QCOMPARE(static_cast<int>(in.extraTzDepths.size()), 5);
  QVERIFY(near(in.extraTzDepths[4], p.TblTZDepth.cell(0, 4).asFloat()));
  QCOMPARE(in.loadingType, 1);
  QVERIFY(near(in.tensionReductionFactor, 0.85));
  QCOMPARE(in.clayDrained, 1);
  QCOMPARE(in.plugCondition, 2);
  QCOMPARE(in.pile.areaOption, 2);
  QCOMPARE(static_cast<int>(in.pile.areaTable.size()), 3);
  QVERIFY(near(in.pile.areaTable[2].area, p.Sectionaldata.cell(col::kArea, 2).asFloat()));
  QCOMPARE(in.criticalDepthOption, 2);
  QVERIFY(near(in.userCriticalDepth, p.UserCriticalDepth));

  CptData cpt;
  const ReadResult cptResult = readCptFile(p.cptFileText().toStdString(), "full.cpt", cpt);
  QVERIFY2(cptResult.ok, cptResult.message.c_str());
  QCOMPARE(cpt.cptUnits, 2);
  QCOMPARE(static_cast<int>(cpt.points.size()), 4);
  QVERIFY(std::fabs(cpt.points[3].depth / p.CptPoints[3].depth - 1.0) < 5e-3);  // 3 digits
}

namespace {

// What the engine takes from a data file, at the 8 digits a table cell keeps.
QStringList describe(const AnalysisInput& in) {
  QStringList s;
  const auto real = [&s](double v) { s << QString::number(v, 'g', 8); };
  s << QString::fromStdString(in.title) << QString::fromStdString(in.designer)
    << QString::fromStdString(in.jobNumber);
  s << QString::number(in.units) << QString::number(in.printIncrement);
  const PileProperties& pile = in.pile;
  for (double v : {pile.noncircularPerimeter, pile.noncircularTipArea, pile.outsideDiameter,
                   pile.insideDiameter, pile.elasticModulus, pile.pileLength, pile.stickupLength,
                   pile.enhancedEndLength, pile.enhancedEndInsideDiameter, pile.zeroFrictionLength,
                   pile.lengthIncrement, pile.taperAngle, pile.sectionArea}) {
    real(v);
  }
  s << QString::number(pile.pileType) << QString::number(pile.areaOption);
  // Area rows count only with area option 2 (a saved table always has its two minimum rows).
  if (pile.areaOption == 2) {
    for (const auto& row : pile.areaTable) real(row.depth), real(row.area);
  }
  s << QString::number(in.loadTransferMethod) << QString::number(in.reducedLoadTransfer);
  for (int m = 1; m <= 9; ++m) s << QString::number(in.methodSelected[m]);
  real(in.deepestSoilDepth);
  for (const SoilPoint& p : in.soilPoints) {
    s << QString::number(p.soilType);
    for (double v : {p.depth, p.earthPressureCoefficient, p.effectiveUnitWeight, p.frictionAngle,
                     p.bearingFactorNq, p.maxUnitFriction, p.maxUnitBearing,
                     p.undrainedShearStrength, p.remoldedShearStrength, p.blowCountOrYsr,
                     p.plasticityIndex, p.coneResistance, p.userUnitSkinFriction,
                     p.userUnitEndBearing, p.sideResistanceFactor, p.endResistanceFactor}) {
      real(v);
    }
  }
  s << QString::number(in.extraTzFlag);
  for (double d : in.extraTzDepths) real(d);
  s << QString::number(in.loadingType) << QString::number(in.clayDrained)
    << QString::number(in.plugCondition) << QString::number(in.criticalDepthOption);
  real(in.tensionReductionFactor);
  real(in.userCriticalDepth);
  return s;
}

}  // namespace

void ProgramDataTest::modelOpensWhatTheEngineReads_data() {
  QTest::addColumn<QString>("project");
  QTest::newRow("bundled example")
      << QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d");
  // Commas, records over several lines, a blank line inside a record, extra values ignored.
  QTest::newRow("free-format records")
      << QStringLiteral(VORNE_TEST_DATA "/reader_full_layout.vr6d");
}

void ProgramDataTest::modelOpensWhatTheEngineReads() {
  QFETCH(QString, project);
  QTemporaryDir dir;
  TProgramData p;
  p.createFromFile(project, true);
  p.setFileName(dir.filePath(QStringLiteral("copy.vr6d")));
  p.save();
  AnalysisInput original;
  AnalysisInput copy;
  const ReadResult before = readDataFile(readFileBytes(project).toStdString(), "original", original);
  QVERIFY2(before.ok, before.message.c_str());
  const ReadResult after = readDataFile(readFileBytes(p.fileName()).toStdString(), "copy", copy);
  QVERIFY2(after.ok, after.message.c_str());
  // A save clears the user-specified unit load transfers unless that method carries the loads.
  if (original.loadTransferMethod != 5) {
    for (SoilPoint& point : original.soilPoints) {
      point.userUnitSkinFriction = point.userUnitEndBearing = 0.0;
    }
  }
  QCOMPARE(describe(copy), describe(original));
  const QString cpt = QString(project).replace(QStringLiteral(".vr6d"), QStringLiteral(".cpt"));
  if (QFile::exists(cpt)) {
    QCOMPARE(readFileBytes(dir.filePath(QStringLiteral("copy.cpt"))), readFileBytes(cpt));
  }
}

QTEST_GUILESS_MAIN(ProgramDataTest)
#include "program_data_test.moc"
