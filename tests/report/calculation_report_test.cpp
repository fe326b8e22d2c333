// The calculation report as a checker meets it: the PDF of a run read back with pdftotext and one
// page of graphs rendered with pdftoppm (poppler-utils; the tests skip without them). The run is
// the golden square concrete pile: its plot data and report as the engine wrote them.
#include "report/calculation_report.h"
#include "tests/support/file_bytes.h"

#include <clocale>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/analysis_run.h"
#include "base/io_error.h"

using namespace vorne;

namespace {

const QDateTime kDate(QDate(2026, 3, 5), QTime(9, 7, 3));

bool havePoppler() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QByteArray tool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(60000);
  return process.readAllStandardOutput();
}

// A finished run of the example: the project, its graphs from the golden plot data, the golden
// report.
struct Run {
  TProgramData project;
  TMainGraphs graphs;
  ReportSources sources;

  explicit Run(const char* example) {
    const QString name = QLatin1String(example);
    project.createFromFile(QStringLiteral(VORNE_SOURCE_DIR "/examples/") + name + ".vr6d", true);
    const QString golden = QStringLiteral(VORNE_TEST_DATA "/golden/") + name;
    if (!loadPlotDataIntoProject(graphs, project, golden + ".vr6p")) {
      qFatal("the golden plot data of %s cannot be read", example);
    }
    sources.project = &project;
    sources.graphs = &graphs;
    sources.reportText = QString::fromLatin1(readFileBytes(golden + ".vr6o"));
    sources.reportFile = name + ".vr6o";
  }
};

// The text of each page.
QStringList pagesOf(const QString& pdf) {
  QStringList pages = QString::fromUtf8(tool("pdftotext", {"-layout", pdf, "-"})).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QString infoField(const QString& pdf, const QString& field) {
  for (const QString& line : QString::fromUtf8(tool("pdfinfo", {pdf})).split('\n')) {
    if (line.startsWith(field + ':')) return line.mid(field.size() + 1).trimmed();
  }
  return {};
}

QString write(const QTemporaryDir& folder,
              const char* name,
              const Run& run,
              const ReportOptions& options) {
  const QString path = folder.filePath(QLatin1String(name));
  writeCalculationReport(path, run.sources, options);
  return path;
}

}  // namespace

class CalculationReportTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void checkerReadsTheRunWithoutTheProgram();
  void graphsAreDrawnOnTheGraphPages();
  void sameRunAndDateGiveTheSameBytes();
  void decimalCommaLocaleGivesTheSameBytes();
  void pageSizeFollowsTheUnitsUnlessChosen();
  void requirementBeyondEveryMethodIsNotReached();
  void openEndedPipeShowsThePlugAtTheTip();
  void missingFolderIsReportedWithTheFile();
};

void CalculationReportTest::init() {
  if (!havePoppler()) QSKIP("poppler-utils (pdftotext, pdftoppm, pdfinfo) are not installed");
}

void CalculationReportTest::checkerReadsTheRunWithoutTheProgram() {
  Run run("square_concrete");
  QTemporaryDir folder;
  ReportOptions options;
  options.requiredCapacity = 400.0;
  options.date = kDate;
  const QString pdf = write(folder, "report.pdf", run, options);
  const QStringList pages = pagesOf(pdf);
  QVERIFY(pages.size() >= 6);
  QCOMPARE(infoField(pdf, "Pages").toInt(), pages.size());
  // The title block and the page number on every page.
  for (int i = 0; i < pages.size(); ++i) {
    const QString& page = pages[i];
    QVERIFY2(page.contains("18 in square prestressed concrete pile in clay over sand"),
             qPrintable(QString::number(i + 1)));
    QVERIFY(page.contains("Designer: Design Engineer"));
    QVERIFY(page.contains("Job number: Example 5"));
    QVERIFY(page.contains("VORNE 2014.6.5"));
    QVERIFY(page.contains("Run of 2026-03-05 09:07:03"));
    QVERIFY(page.contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
  }
  const QString text = pages.join('\n');
  // Inputs: the pile as the engine read it, the soil layers with their units.
  QVERIFY(text.contains("Precast concrete pile (Square/Rectangular/Orthogonal)"));
  QVERIFY(text.contains(QRegularExpression(R"(- PERIMETER OF PILE\s+=\s+72\.00 IN\.)")));
  QVERIFY(text.contains("English units (kips, ft, in)"));
  QVERIFY(text.contains(QRegularExpression(R"(\n3\s+45\.00\s+SAND\s+1\.00\s+62\.60\s+35\.00)")));
  // The tip table: every method's row with its values as printed and the penetration for
  // 400 kips. FHWA by hand: 44 + (400 - 311.4) / (402.4 - 311.4) * 2 = 45.947 ft.
  const QStringList names{"FHWA", "USACE", "Lambda", "API"};
  for (int i = 0; i < 4; ++i) {
    const auto& skin = run.graphs.pltSkin.Lines[std::size_t(i)].Points.back();
    const double tip = run.graphs.pltTip.Lines[std::size_t(i)].Points.back().X;
    const double total = run.graphs.pltTotal.Lines[std::size_t(i)].Points.back().X;
    const QString row = QStringLiteral(R"(\n%1\s+%2\s+%3\s+%4\s+%5\s+\d+\.\d\d\s*\n)")
                            .arg(names[i], QString::number(skin.Y, 'f', 2).replace('.', "\\."),
                                 QString::number(skin.X, 'f', 1).replace('.', "\\."),
                                 QString::number(tip, 'f', 1).replace('.', "\\."),
                                 QString::number(total, 'f', 1).replace('.', "\\."));
    QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(row));
  }
  QVERIFY(
      text.contains(QRegularExpression(R"(\nFHWA\s+60\.00\s+400\.2\s+242\.1\s+642\.3\s+45\.95)")));
  QVERIFY(text.contains(QRegularExpression(R"(Lowest of the methods\s+446\.5)")));
  QVERIFY(text.contains(QRegularExpression(R"(Highest of the methods\s+642\.3)")));
  // (642.3 + 446.5 + 607.6 + 596.6) / 4 = 573.25
  QVERIFY(text.contains(QRegularExpression(R"(Mean of the methods\s+573\.[23])")));
  // The capacity against depth at the printed interval, the load-settlement levels.
  QVERIFY(text.contains(QRegularExpression(R"(\n\s*44\.00\s+214\.6\s+96\.8\s+311\.4)")));
  QVERIFY(text.contains(QRegularExpression(R"(\n9\s+575\.2\s+2\.222\s+282\.1\s+2)")));
  QVERIFY(text.contains("The run gave no warnings or messages."));
  QVERIFY(text.contains("Required 400.0 kips"));  // the legend of the requirement's line
  // Numbers keep "." under any locale: no decimal comma crept in.
  QVERIFY(!text.contains(QRegularExpression(R"(\d,\d\d\b)")));
  // Fonts are embedded.
  const QString fonts = QString::fromUtf8(tool("pdffonts", {pdf}));
  QVERIFY(!fonts.isEmpty());
  for (const QString& line : fonts.split('\n').mid(2)) {
    if (line.trimmed().isEmpty()) continue;
    QVERIFY2(line.contains(QRegularExpression(R"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+)")),
             qPrintable(line));
  }
}

void CalculationReportTest::graphsAreDrawnOnTheGraphPages() {
  Run run("square_concrete");
  QTemporaryDir folder;
  ReportOptions options;
  options.date = kDate;
  const QString pdf = write(folder, "report.pdf", run, options);
  const QStringList pages = pagesOf(pdf);
  int first = -1;
  for (int i = 0; i < pages.size() && first < 0; ++i) {
    if (pages[i].contains("Total Capacity vs Depth")) first = i + 1;
  }
  QVERIFY(first > 0);
  const QString prefix = folder.filePath("page");
  tool("pdftoppm", {"-r", "50", "-f", QString::number(first), "-l", QString::number(first), "-png",
                    "-singlefile", pdf, prefix});
  const QImage page(prefix + ".png");
  QVERIFY(!page.isNull());
  // The total-capacity graph fills the left half below the title block: its curves are drawn
  // in the palette's colours (blue for the second method), not only the black grid.
  int coloured = 0;
  int ink = 0;
  for (int y = page.height() / 4; y < page.height() * 9 / 10; ++y) {
    for (int x = page.width() / 10; x < page.width() / 2; ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.lightness() < 200) ++ink;
      if (c.blue() > 150 && c.red() < 100 && c.green() < 100) ++coloured;
    }
  }
  QVERIFY2(coloured > 50, qPrintable(QString::number(coloured)));
  QVERIFY2(ink > 1000, qPrintable(QString::number(ink)));
}

void CalculationReportTest::sameRunAndDateGiveTheSameBytes() {
  Run run("square_concrete");
  ReportOptions options;
  options.requiredCapacity = 400.0;
  options.date = kDate;
  const QByteArray first = calculationReportPdf(run.sources, options);
  const QByteArray second = calculationReportPdf(run.sources, options);
  QVERIFY(first.startsWith("%PDF-"));
  QCOMPARE(first, second);
  QVERIFY(first.contains("/CreationDate (D:20260305090703"));
  // Without a date the run's own date from the report is used, so it gives the same bytes.
  options.date = {};
  QCOMPARE(calculationReportPdf(run.sources, options), first);
}

// A desk set to German numbers (the program's default locale and the C library's) writes the
// same document: every number in it keeps its ".".
void CalculationReportTest::decimalCommaLocaleGivesTheSameBytes() {
  Run run("square_concrete");
  ReportOptions options;
  options.requiredCapacity = 400.5;
  options.date = kDate;
  const QByteArray plain = calculationReportPdf(run.sources, options);
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const bool cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const QByteArray german = calculationReportPdf(run.sources, options);
  std::setlocale(LC_ALL, "C");
  QLocale::setDefault(before);
  QCOMPARE(german, plain);
  if (!cLocale) qInfo("de_DE.UTF-8 is not installed: only the program's locale was German");
}

void CalculationReportTest::pageSizeFollowsTheUnitsUnlessChosen() {
  QTemporaryDir folder;
  Run english("square_concrete");
  Run si("offshore_pipe_si");
  ReportOptions options;
  options.date = kDate;
  QVERIFY(infoField(write(folder, "english.pdf", english, options), "Page size")
              .startsWith("612 x 792"));
  QVERIFY(infoField(write(folder, "si.pdf", si, options), "Page size").startsWith("595"));
  options.page = ReportPage::A4;
  QVERIFY(infoField(write(folder, "a4.pdf", english, options), "Page size").startsWith("595"));
  ReportPage page = ReportPage::A4;
  QVERIFY(parseReportPage("Letter", page) && page == ReportPage::Letter);
  QVERIFY(!parseReportPage("a3", page));
}

void CalculationReportTest::requirementBeyondEveryMethodIsNotReached() {
  Run run("square_concrete");
  QTemporaryDir folder;
  ReportOptions options;
  options.requiredCapacity = 10000.0;
  options.date = kDate;
  const QString text = pagesOf(write(folder, "report.pdf", run, options)).join('\n');
  QCOMPARE(text.count("not reached"), 4 + 1);  // four methods and the note under the table
  QVERIFY(text.contains("10000.0 kips"));
}

void CalculationReportTest::openEndedPipeShowsThePlugAtTheTip() {
  Run run("offshore_pipe_si");
  QTemporaryDir folder;
  ReportOptions options;
  options.date = kDate;
  const QString text = pagesOf(write(folder, "report.pdf", run, options)).join('\n');
  QVERIFY(text.contains(
      QRegularExpression(R"(\nAPI\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+unplugged \*)")));
  QVERIFY(
      text.contains(QRegularExpression(R"(\nNGI\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+[\d.]+\s+plugged)")));
  QVERIFY(text.contains("SI units (kN, m, mm)"));
  QVERIFY(text.contains("CPT data:"));
}

void CalculationReportTest::missingFolderIsReportedWithTheFile() {
  Run run("square_concrete");
  QTemporaryDir folder;
  const QString path = folder.filePath("missing/report.pdf");
  try {
    writeCalculationReport(path, run.sources, {});
    QFAIL("no error");
  } catch (const EInOutError& error) {
    QCOMPARE(error.fileName(), path);
    QVERIFY(!error.message().isEmpty());
  }
  QVERIFY(!QFileInfo::exists(path));
}

QTEST_MAIN(CalculationReportTest)
#include "calculation_report_test.moc"
