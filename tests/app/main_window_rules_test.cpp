// The main window's windowless rules: caption, command-line name, layout by extension, Save As
// names, result-command enabling, and the recent list with its captions and settings.
#include "app/main_window_rules.h"

#include <QSettings>
#include <QtTest>

#include "app/recent_files.h"

using namespace vorne;

class MainWindowRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void fileNames_data();
  void fileNames();
  void resultCommandsFollowResultsTensionAndExtraTz();
  void fileCommandsNeedTheirFilesAndATitledProject();
  void statusBarTexts();
  void recentListUpdateRule();
  void recentCaptionsAndSettings();
};

void MainWindowRulesTest::fileNames_data() {
  QTest::addColumn<QString>("rule");
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("expected");
  QTest::newRow("caption, folder dropped, case kept") << "caption"
                                                      << "/data/jobs/pier3.vr6d"
                                                      << "VORNE 2014.6.5 - pier3.vr6d";
  QTest::newRow("caption of a mixed-case name") << "caption"
                                                << "/data/jobs/eXpt_B.VR6D"
                                                << "VORNE 2014.6.5 - eXpt_B.VR6D";
  QTest::newRow("caption of the untitled project") << "caption"
                                                   << "NewVORNE.vr6d"
                                                   << "VORNE 2014.6.5 - NewVORNE.vr6d";
  QTest::newRow("argument without a dot") << "argument"
                                          << "pier3"
                                          << "pier3.vr6d";
  QTest::newRow("argument with a dot kept") << "argument"
                                            << "pier3.vrd"
                                            << "pier3.vrd";
  QTest::newRow("argument with a dot in a folder only") << "argument"
                                                        << "./j.smith/pier3"
                                                        << "./j.smith/pier3.vr6d";
  QTest::newRow("proposal of an older-layout file") << "proposal"
                                                    << "/jobs/old.VRD"
                                                    << "/jobs/old.vr6d";
  QTest::newRow("proposal of a current file") << "proposal"
                                              << "/jobs/a.vr6d"
                                              << "/jobs/a.vr6d";
  QTest::newRow("saved name without extension") << "saved"
                                                << "/jobs/a"
                                                << "/jobs/a.vr6d";
  QTest::newRow("saved name of the older layout") << "saved"
                                                  << "/jobs/a.vrd"
                                                  << "/jobs/a.vr6d";
  QTest::newRow("saved name with another extension") << "saved"
                                                     << "/jobs/a.txt"
                                                     << "/jobs/a.txt";
}

void MainWindowRulesTest::fileNames() {
  QFETCH(QString, rule);
  QFETCH(QString, input);
  QFETCH(QString, expected);
  const QString result = rule == "caption"    ? mainWindowCaption(input)
                         : rule == "argument" ? commandLineProjectFile(input)
                         : rule == "proposal" ? saveAsProposal(input)
                                              : savedProjectFileName(input);
  QCOMPARE(result, expected);
}

void MainWindowRulesTest::resultCommandsFollowResultsTensionAndExtraTz() {
  struct Case {
    const char* name;
    bool results, plotFile;
    int extraTz, loading;
    bool all, extra, tip;
  };
  const Case kCases[] = {
      {"results read, compression", true, true, 0, 0, true, false, true},
      {"extra t-z depths on", true, true, 1, 0, true, true, true},
      {"tension: no tip graphs", true, true, 1, 1, true, true, false},
      {"plot data file gone", true, false, 1, 0, false, false, false},
      {"plot data not read", false, true, 1, 0, false, false, false},
  };
  for (const Case& c : kCases) {
    const TResultCommands commands = resultCommands(c.results, c.plotFile, c.extraTz, c.loading);
    QVERIFY2(commands.results == c.all && commands.extraTz == c.extra && commands.tip == c.tip,
             c.name);
  }
}

void MainWindowRulesTest::recentListUpdateRule() {
  TRecentFiles recent;
  for (int i = 1; i <= 10; ++i) recent.add(QStringLiteral("/p/%1.vr6d").arg(i));
  QCOMPARE(recent.count(), 10);
  QCOMPARE(recent.entries().first(), QString("/p/10.vr6d"));
  recent.add("/p/10.vr6d");  // first already
  QCOMPARE(recent.entries().first(), QString("/p/10.vr6d"));
  QCOMPARE(recent.entries().last(), QString("/p/1.vr6d"));
  recent.add("/p/1.vr6d");  // position 10 moves up, nothing dropped
  QCOMPARE(recent.entries().mid(0, 3), QStringList({"/p/1.vr6d", "/p/10.vr6d", "/p/9.vr6d"}));
  QCOMPARE(recent.entries().last(), QString("/p/2.vr6d"));
  recent.add("/p/11.vr6d");  // new: the tenth is dropped
  QCOMPARE(recent.entries().first(), QString("/p/11.vr6d"));
  QVERIFY(!recent.entries().contains("/p/2.vr6d"));
  QCOMPARE(recent.count(), 10);
}

void MainWindowRulesTest::recentCaptionsAndSettings() {
  QTemporaryDir folder;
  QSettings settings(folder.filePath("vorne.ini"), QSettings::IniFormat);
  settings.setValue("2014.6.5/File1", "/jobs/a&b.vr6d");
  settings.setValue("2014.6.5/File2", "/other/c.vr6d");
  TRecentFiles recent;
  recent.load(settings);
  QCOMPARE(recent.count(), 2);
  QCOMPARE(recent.caption(0, "/jobs"), QString("1 a&&b.vr6d"));  // no access key
  QCOMPARE(recent.caption(1, "/jobs"), QString("2 /other/c.vr6d"));
  QCOMPARE(recent.caption(1, "/oth"), QString("2 /other/c.vr6d"));  // a folder, not a prefix
  QCOMPARE(recent.caption(1, "/"), QString("2 /other/c.vr6d"));
  recent.add("/jobs/d.vr6d");
  recent.save(settings);
  QCOMPARE(settings.value("2014.6.5/File1").toString(), QString("/jobs/d.vr6d"));
  QCOMPARE(settings.value("2014.6.5/File3").toString(), QString("/other/c.vr6d"));
  QCOMPARE(settings.value("2014.6.5/File10").toString(), QString());
}

void MainWindowRulesTest::fileCommandsNeedTheirFilesAndATitledProject() {
  TWindowState state;
  state.dataFile = state.notesFile = state.reportFile = state.grlweapFile = true;
  state.circularSection = false;
  // An untitled project's name may match files in the folder: none of them is its own.
  TCommandStates commands = commandStates(state);
  QVERIFY(!commands.editInput && !commands.editNotes && !commands.viewOutput &&
          !commands.editGrlweap);
  QVERIFY(!commands.circularPile && commands.noncircularPile);
  state.untitled = false;
  state.reportFile = false;
  commands = commandStates(state);
  QVERIFY(commands.editInput && commands.editNotes && commands.editGrlweap);
  QVERIFY(!commands.viewOutput);
}

void MainWindowRulesTest::statusBarTexts() {
  struct Case {
    const char* name;
    bool untitled, modified, results, plotFile, stale;
    int units;
    LastRunOutcome outcome;
    const char* detail;
    const char *units_, *project, *lastRun;
  };
  const Case kCases[] = {
      {"new project", true, false, false, false, false, 1, LastRunOutcome::None, "",
       "English Units (kips, ft, in)", "New project; no results", "No run yet"},
      {"new project typed into", true, true, false, false, false, 2, LastRunOutcome::None, "",
       "S.I. Units (kN, m, mm)", "New project, not saved; no results", "No run yet"},
      {"after a run", false, false, true, true, false, 1, LastRunOutcome::Completed, "",
       "English Units (kips, ft, in)", "Saved; results current", "Last run completed at 10:42"},
      {"changed after the run", false, true, true, true, false, 1, LastRunOutcome::Completed, "",
       "English Units (kips, ft, in)", "Modified; results stale (inputs changed since the run)",
       "Last run completed at 10:42"},
      {"changes saved, no run", false, false, true, true, true, 1, LastRunOutcome::Completed, "",
       "English Units (kips, ft, in)", "Saved; results stale (inputs changed since the run)",
       "Last run completed at 10:42"},
      {"plot data file deleted", false, false, true, false, false, 1, LastRunOutcome::NoResults, "",
       "English Units (kips, ft, in)", "Saved; no results",
       "Last run completed at 10:42, its plot data could not be read"},
      {"stopped: first line of the reason", false, false, false, false, false, 1,
       LastRunOutcome::Stopped, "\r\n  COMPUTATION DOES NOT PROCEED\r\nBECAUSE ...",
       "English Units (kips, ft, in)", "Saved; no results",
       "Last run stopped at 10:42: COMPUTATION DOES NOT PROCEED"},
      {"refused", false, true, false, false, false, 1, LastRunOutcome::NotStarted,
       "Taper angle is large\rTaper angle should be smaller", "English Units (kips, ft, in)",
       "Modified; no results", "Last run not started: Taper angle is large"},
  };
  for (const Case& c : kCases) {
    TWindowState state;
    state.untitled = c.untitled;
    state.modified = c.modified;
    state.resultsAvailable = c.results;
    state.plotFile = c.plotFile;
    state.resultsStale = c.stale;
    state.units = c.units;
    const TStatusTexts texts =
        statusTexts(state, TLastRun{c.outcome, QString::fromLatin1(c.detail), "10:42"});
    QVERIFY2(texts.units == QLatin1String(c.units_), c.name);
    QVERIFY2(texts.project == QLatin1String(c.project),
             qPrintable(c.name + (": " + texts.project)));
    QVERIFY2(texts.lastRun == QLatin1String(c.lastRun),
             qPrintable(c.name + (": " + texts.lastRun)));
  }
  // Results opened with a project are older than its inputs when the data file is newer.
  QVERIFY(resultsOlderThanInputs(2000, 1000));
  QVERIFY(!resultsOlderThanInputs(1000, 1000));
  QVERIFY(!resultsOlderThanInputs(1000, 2000));
}

QTEST_MAIN(MainWindowRulesTest)
#include "main_window_rules_test.moc"
