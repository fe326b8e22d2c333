// The elevation view, the export dialog and the Help items as the main window offers them: each
// command opens its window, the export dialog follows the Graphics items after a run, and Check
// for Updates opens the home page.
#include <QDesktopServices>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "app/install_layout.h"
#include "gui/excel_export_dialog.h"
#include "gui/elevation_view.h"
#include "gui/help_form.h"
#include "gui/main_form.h"
#include "message_recorder.h"

using namespace vorne;

// Receives the URLs the desktop would open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { urls << url; }

 public:
  QList<QUrl> urls;
};

class ViewExportHelpCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void commandsAreOffered();
  void elevationViewFollowsTheProject();
  void exportDialogFollowsTheGraphicsItems();
  void helpShowsTheManuals();
  void checkForUpdatesOpensTheHomePage();

 private:
  QTemporaryDir m_settings;
  QTemporaryDir m_folder;
};

void ViewExportHelpCommandsTest::initTestCase() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void ViewExportHelpCommandsTest::commandsAreOffered() {
  TMainForm form;
  for (QAction* command : {form.mViewSoilCoordinates, form.tbSoilProfile, form.mContents,
                           form.mUsersManual, form.mTechnicalManual, form.mCheckUpdates}) {
    QVERIFY2(command->isEnabled(), qPrintable(command->text()));
  }
  // The export item closes the Graphics menu after a separator, and waits for results.
  const QList<QAction*> items = form.graphicsMenu->actions();
  QCOMPARE(items.last(), form.mExportExcel);
  QCOMPARE(form.mExportExcel->text(), "E&xport Plots to Excel");
  QVERIFY(items.at(items.size() - 2)->isSeparator());
  QVERIFY(!form.mExportExcel->isEnabled());
}

void ViewExportHelpCommandsTest::elevationViewFollowsTheProject() {
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.project().PileLength = 20;
  form.project().StickupLength = 2;
  form.tbSoilProfile->trigger();
  auto* view = qobject_cast<TDlgSideView*>(form.childWindow(form.mViewSoilCoordinates));
  QVERIFY(view);
  QCOMPARE(view->outline().quads.at(0)[2].Y, 18.0);
  // Edits show on the next activation; the command brings the same window back.
  form.project().PileLength = 30;
  form.reloadChildWindows();
  QCOMPARE(view->outline().quads.at(0)[2].Y, 28.0);
  form.mViewSoilCoordinates->trigger();
  QCOMPARE(form.childWindow(form.mViewSoilCoordinates), view);
  QCOMPARE(form.mdiArea()->subWindowList().size(), 1);
  // Closing the window takes its frame along and frees the command for a new one.
  view->close();
  QTRY_COMPARE(form.mdiArea()->subWindowList().size(), 0);
  QCOMPARE(form.childWindow(form.mViewSoilCoordinates), nullptr);
  form.tbSoilProfile->trigger();
  QVERIFY(qobject_cast<TDlgSideView*>(form.childWindow(form.mViewSoilCoordinates)));
}

void ViewExportHelpCommandsTest::exportDialogFollowsTheGraphicsItems() {
  const QString file = m_folder.filePath("tension.vr6d");
  QVERIFY(QFile::copy(VORNE_SOURCE_DIR "/examples/tension_pipe.vr6d", file));
  TMainForm form;
  MessageRecorder boxes;
  QVERIFY(form.openProjectFile(file, true));
  form.CompRun->trigger();
  QVERIFY(form.resultsAvailable());
  emit form.graphicsMenu->aboutToShow();
  QVERIFY(form.mExportExcel->isEnabled());

  QStringList offered;
  QString proposal;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TDlgExport*>(QApplication::activeModalWidget());
    if (!dialog) return;
    for (int i = 0; i < dialog->CheckListBoxPlots->count(); ++i) {
      const QListWidgetItem* item = dialog->CheckListBoxPlots->item(i);
      if (item->flags() & Qt::ItemIsEnabled) offered << item->text();
    }
    dialog->setSaveChooser([&](QWidget*, const QString& proposed) {
      proposal = proposed;
      return QString();
    });
    dialog->GenerateButton->click();
    dialog->CloseButton->click();
  });
  form.mExportExcel->trigger();
  // Tension: no tip resistance and no Q-w curve; no extra t-z depths in this project.
  QVERIFY(!offered.isEmpty());
  QVERIFY(!offered.contains("Tip Resistance vs Depth"));
  QVERIFY(!offered.contains("Internally-Generated Q-w Curve"));
  QCOMPARE(offered.contains("Extra t-z curves at User Specified Depths"),
           form.mExtraTz->isEnabled());
  QVERIFY(offered.contains("Axial Load vs Settlement"));
  QCOMPARE(proposal, m_folder.filePath("tension.xlsx"));
}

void ViewExportHelpCommandsTest::helpShowsTheManuals() {
  TMainForm form;
  const struct {
    QAction* command;
    const char* title;
  } kItems[] = {{form.mContents, "VORNE help"},
                {form.mUsersManual, "VORNE user's manual"},
                {form.mTechnicalManual, "VORNE technical manual"}};
  for (const auto& item : kItems) {
    item.command->trigger();
    auto* help = qobject_cast<THelpForm*>(form.childWindow(item.command));
    QVERIFY2(help, item.title);
    QCOMPARE(help->windowTitle(), QString(item.title));
  }
}

void ViewExportHelpCommandsTest::checkForUpdatesOpensTheHomePage() {
  TMainForm form;
  UrlCatcher catcher;
  const QString scheme = QUrl(homePage()).scheme();
  QDesktopServices::setUrlHandler(scheme, &catcher, "open");
  form.mCheckUpdates->trigger();
  QDesktopServices::unsetUrlHandler(scheme);
  QCOMPARE(catcher.urls, QList<QUrl>{QUrl(homePage())});
}

QTEST_MAIN(ViewExportHelpCommandsTest)
#include "view_export_help_commands_test.moc"
