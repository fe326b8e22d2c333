// vorne run --pdf as a user meets it: the document's tip table equals the JSON summary to the
// printed digit, "required_depth" in the JSON, the report's folder checked before the analysis,
// and the options' usage errors. The PDF is read back with pdftotext (skipped without it).
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtTest>

#include "tests/cli/runner_process.h"

namespace {

QString copyExample(const QString& example, const QTemporaryDir& folder) {
  const QString target = folder.filePath(example + ".vr6d");
  QFile::copy(kExamples + "/" + example + ".vr6d", target);
  if (QFileInfo::exists(kExamples + "/" + example + ".cpt")) {
    QFile::copy(kExamples + "/" + example + ".cpt", folder.filePath(example + ".cpt"));
  }
  return target;
}

QString escaped(double value, int decimals) {
  return QRegularExpression::escape(QString::number(value, 'f', decimals));
}

}  // namespace

class ReportRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void documentEqualsTheJsonSummary();
  void requiredDepthIsNullWhenNotReached();
  void reportFolderIsCheckedBeforeTheAnalysis();
  void badReportOptions_data();
  void badReportOptions();
};

void ReportRunnerTest::documentEqualsTheJsonSummary() {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
  QTemporaryDir folder;
  const QString project = copyExample("square_concrete", folder);
  const QString pdf = folder.filePath("report.pdf");
  const Outcome outcome =
      runner({"run", project, "--pdf", pdf, "--required-capacity", "400", "--json"});
  QVERIFY2(outcome.status == 0, outcome.err.constData());
  QVERIFY2(outcome.err.isEmpty(), outcome.err.constData());
  const QJsonObject root = QJsonDocument::fromJson(outcome.out).object();
  QCOMPARE(root["required_capacity"].toDouble(), 400.0);
  const QJsonArray methods = root["methods"].toArray();
  QCOMPARE(methods.size(), 4);

  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  text.waitForFinished(60000);
  const QString document = QString::fromUtf8(text.readAllStandardOutput());
  QVERIFY(document.contains("Page 1 of"));
  for (const QJsonValue& value : methods) {
    const QJsonObject m = value.toObject();
    QVERIFY(m["required_depth"].isDouble());
    // Method, tip depth, skin friction, end bearing, ultimate capacity, penetration for 400 kips.
    const QString row =
        QStringLiteral(R"(\n%1\s+%2\s+%3\s+%4\s+%5\s+%6\s*\n)")
            .arg(QRegularExpression::escape(m["name"].toString()),
                 escaped(m["tip_depth"].toDouble(), 2), escaped(m["skin_friction"].toDouble(), 1),
                 escaped(m["end_bearing"].toDouble(), 1),
                 escaped(m["ultimate_capacity"].toDouble(), 1),
                 escaped(m["required_depth"].toDouble(), 2));
    QVERIFY2(document.contains(QRegularExpression(row)), qPrintable(row));
  }
  // FHWA by hand: 44 + (400 - 311.4) / (402.4 - 311.4) * 2 = 45.947 ft.
  QCOMPARE(QString::number(methods[0].toObject()["required_depth"].toDouble(), 'f', 3), "45.947");
}

void ReportRunnerTest::requiredDepthIsNullWhenNotReached() {
  QTemporaryDir folder;
  const QString project = copyExample("square_concrete", folder);
  const Outcome outcome = runner({"run", project, "--required-capacity", "1e6", "--json"});
  QCOMPARE(outcome.status, 0);
  const QJsonArray methods = QJsonDocument::fromJson(outcome.out).object()["methods"].toArray();
  QCOMPARE(methods.size(), 4);
  for (const QJsonValue& m : methods) {
    QVERIFY(m.toObject().contains("required_depth"));
    QVERIFY(m.toObject()["required_depth"].isNull());
  }
  // Without a requirement the entry is left out.
  const Outcome plain = runner({"run", project, "--json"});
  QVERIFY(!QJsonDocument::fromJson(plain.out).object()["methods"].toArray()[0].toObject().contains(
      "required_depth"));
  // The text summary gives the column too.
  const Outcome table = runner({"run", project, "--required-capacity", "400"});
  QVERIFY2(table.out.contains("Depth for 400.0 kips"), table.out.constData());
  QVERIFY(table.out.contains("45.95"));
}

void ReportRunnerTest::reportFolderIsCheckedBeforeTheAnalysis() {
  QTemporaryDir folder;
  const QString project = copyExample("square_concrete", folder);
  const Outcome outcome = runner({"run", project, "--pdf", folder.filePath("missing/report.pdf")});
  QCOMPARE(outcome.status, 1);
  QVERIFY2(outcome.err.contains("the report cannot be written"), outcome.err.constData());
  QVERIFY2(outcome.err.contains("does not exist"), outcome.err.constData());
  QCOMPARE(outcome.err.count('\n'), 1);
  // Refused before the engine ran: no report beside the project.
  QVERIFY(!QFileInfo::exists(folder.filePath("square_concrete.vr6o")));
  const Outcome intoFolder = runner({"run", project, "--pdf", folder.path()});
  QCOMPARE(intoFolder.status, 1);
  QVERIFY(intoFolder.err.contains("it is a folder"));
}

void ReportRunnerTest::badReportOptions_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("message");
  QTest::newRow("pdf without a file") << QStringList{"--pdf"} << "--pdf needs a value";
  QTest::newRow("negative capacity") << QStringList{"--required-capacity", "-5"}
                                     << "required capacity -5 is not a positive number";
  QTest::newRow("decimal comma") << QStringList{"--required-capacity", "400,5"}
                                 << "required capacity 400,5 is not a positive number";
  QTest::newRow("unknown page") << QStringList{"--page", "a3"}
                                << "page size a3 is neither a4 nor letter";
  QTest::newRow("bad date") << QStringList{"--report-date", "yesterday"}
                            << "report date yesterday is not of the form";
}

void ReportRunnerTest::badReportOptions() {
  QFETCH(QStringList, args);
  QFETCH(QString, message);
  const Outcome outcome = runner(QStringList{"run", "x.vr6d"} + args);
  QCOMPARE(outcome.status, 2);
  QVERIFY2(outcome.err.contains(message.toUtf8()), outcome.err.constData());
}

QTEST_GUILESS_MAIN(ReportRunnerTest)
#include "report_runner_test.moc"
