// The whole-project check before a run: every example passes, a project with several faults
// lists each of them, and the run service refuses such a project with one message without
// calling the engine.
#include "app/project_check.h"

#include <QDir>
#include <QtTest>

#include "app/analysis_run.h"
#include "app/program_data.h"
#include "base/unit_labels.h"

using namespace vorne;

class ProjectCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void everyExamplePasses();
  void listsEveryProblemOfAFaultyProject();
  void rulesBetweenFields_data();
  void rulesBetweenFields();
  void runServiceRefusesWithOneMessageAndNoEngineCall();
};

namespace {

const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples");

// steel_pipe_layered: a steel pipe in four layers, English units.
void openLayeredPipe(TProgramData& project, const QString& copyIn = {}) {
  QString file = kExamples + QStringLiteral("/steel_pipe_layered.vr6d");
  if (!copyIn.isEmpty()) {
    QFile::copy(file, copyIn + QStringLiteral("/pier.vr6d"));
    file = copyIn + QStringLiteral("/pier.vr6d");
  }
  project.createFromFile(file, true);
}

// The faults of the field report: a depth out of order, a friction angle of 95, a factor of
// 200000, ID above OD, su of 1e11, an extra t-z depth below the pile.
void breakProject(TProgramData& project) {
  project.InsideDiameter = project.OutsideDiameter + 1.0;
  project.D.cell(col::kBottomDepth, 1).setFloat(1.0);
  project.D.cell(col::kEndBearingFactor, 2).setFloat(200000.0);
  for (int layer = 0; layer < project.layerCount(); ++layer) {
    TGridTable& data = project.layerData(layer);
    if (project.D.cell(col::kSoilType, layer).asInteger() == 1) {
      data.cell(col::kSandFrictionAngle, 0).setFloat(95.0);
    } else {
      data.cell(col::kClayUndrainedStrength, 1).setFloat(1.0e11);
    }
  }
  project.ExtraTzDepths = 1;
  project.TblTZDepth.setRowCount(1);
  project.TblTZDepth.cell(0, 0).setFloat(project.PileLength + 10.0);
}

}  // namespace

void ProjectCheckTest::everyExamplePasses() {
  const QStringList files = QDir(kExamples).entryList({QStringLiteral("*.vr6d")}, QDir::Files);
  QVERIFY(files.size() >= 10);
  for (const QString& name : files) {
    TProgramData project;
    project.createFromFile(kExamples + QLatin1Char('/') + name, true);
    for (int units : {kEnglishUnits, kSiUnits}) {
      QVERIFY(project.switchUnits(units).isEmpty());
      const QStringList problems = projectProblems(project);
      QVERIFY2(problems.isEmpty(), qPrintable(name + QStringLiteral(": ") + problems.join('\n')));
    }
  }
}

void ProjectCheckTest::listsEveryProblemOfAFaultyProject() {
  TProgramData project;
  openLayeredPipe(project);
  QVERIFY(project.layerCount() >= 3);
  breakProject(project);
  const QStringList problems = projectProblems(project);
  const QString all = problems.join('\n');
  for (const char* expected : {
           "Inner Diameter, ID: ",
           "Soil layer 2, Depth at Bottom: 1 ft must be deeper than the bottom of soil layer 1",
           "Soil layer 3, Reduction/Resistance Factor on End Bearing: 200000 is outside the range "
           "0 to 1.",
           "top, Friction Angle: 95 is outside the range 0 to 50 deg.",
           "bottom, Undrained Shear Strength: 1E11 is outside the range 0 to 200000 lbs/ft^2.",
           "Extra t-z depth 1, Depth of an extra t-z curve: ",
       }) {
    QVERIFY2(all.contains(QLatin1String(expected)), qPrintable(expected + ("\n" + all)));
  }
  QVERIFY(projectProblemsMessage(problems).startsWith(kProjectProblemsHeading + "\n- "));
  QCOMPARE(projectProblemsMessage(problems).count(QStringLiteral("\n- ")), problems.size());
}

void ProjectCheckTest::rulesBetweenFields_data() {
  QTest::addColumn<QString>("change");
  QTest::addColumn<QString>("expected");
  QTest::newRow("stick-up as long as the pile") << "stickup"
                                                << "Pile Stickup Length, PSL: ";
  QTest::newRow("soil ends above tip plus two diameters")
      << "shallow"
      << "is above the pile tip plus two pile diameters";
  QTest::newRow("more than 500 segments") << "segments"
                                          << "segments; at most 500 are computed";
  QTest::newRow("noncircular perimeter 0") << "perimeter"
                                           << "Perimeter for Noncircular Section: 0 is outside";
  QTest::newRow("tension factor under tension") << "tension"
                                                << "Reduction factor for tension loading: 0 is";
}

void ProjectCheckTest::rulesBetweenFields() {
  QFETCH(QString, change);
  QFETCH(QString, expected);
  TProgramData project;
  openLayeredPipe(project);
  QVERIFY(projectProblems(project).isEmpty());
  const int last = project.layerCount() - 1;
  if (change == "stickup") {
    project.StickupLength = project.PileLength;
  } else if (change == "shallow") {
    // The last layer ends one inch above the tip plus two diameters.
    const double required = project.PileLength + 2.0 * project.OutsideDiameter / 12.0;
    project.D.cell(col::kBottomDepth, last).setFloat(required - 1.0 / 12.0);
  } else if (change == "segments") {
    project.LengthIncrement = project.D.cell(col::kBottomDepth, last).asFloat() / 501.0;
  } else if (change == "perimeter") {
    project.CircularSection = false;
    project.NoncircularPerimeter = 0.0;
    project.NoncircularTipArea = 100.0;
  } else if (change == "tension") {
    project.LoadingType = 1;
    project.TensionReductionFactor = 0.0;
  }
  const QString all = projectProblems(project).join('\n');
  QVERIFY2(all.contains(expected), qPrintable(all));
}

void ProjectCheckTest::runServiceRefusesWithOneMessageAndNoEngineCall() {
  QTemporaryDir folder;
  TProgramData project;
  openLayeredPipe(project, folder.path());
  breakProject(project);
  TMainGraphs graphs;
  QStringList messages;
  bool engineCalled = false;
  AnalysisRunOptions options;
  options.engine = [&engineCalled](const EngineRunFiles&) {
    engineCalled = true;
    return EngineRunResult{};
  };
  const AnalysisRunResult result = runAnalysis(
      project, graphs, options,
      [&messages](RunMessageKind, const QString& text, const QString&) { messages << text; });
  QCOMPARE(int(result.outcome), int(AnalysisRunOutcome::NotRun));
  QVERIFY(!engineCalled);
  QCOMPARE(messages.size(), 1);
  QCOMPARE(messages[0], projectProblemsMessage(projectProblems(project)));
  QVERIFY(!QFileInfo::exists(folder.filePath("pier.vr6o")));
  // The project was saved as it stands: nothing typed is lost.
  QVERIFY(!project.isModified());
}

QTEST_GUILESS_MAIN(ProjectCheckTest)
#include "project_check_test.moc"
