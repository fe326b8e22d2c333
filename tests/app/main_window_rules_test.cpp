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
  void recentListUpdateRule();
  void recentCaptionsAndSettings();
};

void MainWindowRulesTest::fileNames_data() {
  QTest::addColumn<QString>("rule");
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("expected");
  QTest::newRow("caption, folder dropped, first letter up") << "caption"
                                                            << "/data/jobs/pier3.vr6d"
                                                            << "VORNE 2014.6.5 - Pier3.vr6d";
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

QTEST_MAIN(MainWindowRulesTest)
#include "main_window_rules_test.moc"
