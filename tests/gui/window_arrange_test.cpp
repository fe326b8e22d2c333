// The child windows open at a size that shows their fields, Cascade keeps those sizes, Tile and
// Close All act on every window, and a run shows the new results in the open graphs instead of
// closing them.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QtTest>

#include "gui/main_form.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"
#include "message_recorder.h"

using namespace vorne;

class WindowArrangeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void windowsOpenAndCascadeAtUsableSizes();
  void runRefreshesOpenGraphs();

 private:
  QString copyExample();
  QTemporaryDir m_settingsFolder;
  QTemporaryDir m_folder;
};

void WindowArrangeTest::initTestCase() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsFolder.path());
}

QString WindowArrangeTest::copyExample() {
  const QString project = m_folder.filePath(QStringLiteral("steel.vr6d"));
  QFile::remove(project);
  QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d"), project);
  QFile::remove(m_folder.filePath(QStringLiteral("steel.cpt")));
  QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.cpt"),
              m_folder.filePath(QStringLiteral("steel.cpt")));
  QFile::remove(m_folder.filePath(QStringLiteral("steel.vr6p")));
  QFile::copy(QStringLiteral(VORNE_TEST_DATA "/golden/steel_pipe_layered.vr6p"),
              m_folder.filePath(QStringLiteral("steel.vr6p")));
  return project;
}

void WindowArrangeTest::windowsOpenAndCascadeAtUsableSizes() {
  MessageRecorder boxes;
  TMainForm form;
  form.resize(1280, 960);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QVERIFY(form.openProjectFile(copyExample(), true));
  const QSize room = form.mdiArea()->viewport()->size();
  // Every data window, the elevation view and a manual: the whole window fits its layout.
  for (QAction* command :
       {form.mTitle, form.mCompMethod, form.mPileMaterial, form.mCircularPile, form.mSoilLayers,
        form.mCptData, form.mControlOptions, form.mViewSoilCoordinates, form.mUsersManual}) {
    QVERIFY2(command->isEnabled(), qPrintable(command->text()));
    command->trigger();
    QWidget* window = form.childWindow(command);
    QVERIFY2(window != nullptr, qPrintable(command->text()));
    const QSize wanted = window->sizeHint().boundedTo(room - QSize(40, 40));
    QVERIFY2(window->width() >= wanted.width() && window->height() >= wanted.height(),
             qPrintable(QStringLiteral("%1 %2x%3")
                            .arg(command->text())
                            .arg(window->width())
                            .arg(window->height())));
    const QMdiSubWindow* frame = form.mdiArea()->activeSubWindow();
    QVERIFY(frame->width() <= room.width() && frame->height() <= room.height());
  }
  // The elevation view and the manual open large enough to be read.
  QVERIFY(form.childWindow(form.mViewSoilCoordinates)->height() >= 400);
  QVERIFY(form.childWindow(form.mUsersManual)->width() >= 600);

  // Cascade: each window keeps a usable size, one step down and right of the one before.
  form.mdiArea()->subWindowList().first()->showMaximized();
  form.mCascade->trigger();
  int previousTop = -1;
  for (QMdiSubWindow* frame : form.mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
    QVERIFY(!frame->isMaximized());
    QCOMPARE(frame->size(), form.usableFrameSize(frame));
    QVERIFY(frame->geometry().top() != previousTop);
    previousTop = frame->geometry().top();
  }
  // Tile lays them side by side; Close All closes them.
  form.mTile->trigger();
  QSet<QPoint> corners;
  for (QMdiSubWindow* frame : form.mdiArea()->subWindowList()) {
    corners.insert(frame->geometry().topLeft());
  }
  QCOMPARE(corners.size(), form.mdiArea()->subWindowList().size());
  form.mCloseAll->trigger();
  QTRY_COMPARE(form.mdiArea()->subWindowList().size(), 0);
  form.project().clearModified();
}

void WindowArrangeTest::runRefreshesOpenGraphs() {
  MessageRecorder boxes;
  TMainForm form;
  form.resize(1000, 800);
  form.show();
  QVERIFY(form.openProjectFile(copyExample(), true));
  TMainGraphs& g = form.graphs();
  form.mCombine->trigger();
  form.mAxial->trigger();
  form.mTitle->trigger();
  TPlotForm* combined = PlotWindowOf(g.pltCombine);
  QVERIFY(combined != nullptr);
  // The window lists the graph by its caption.
  emit form.windowMenu->aboutToShow();
  QStringList listed;
  // Each after its number as access key.
  for (QAction* item : form.windowMenu->actions())
    listed << item->text().remove(QRegularExpression(QStringLiteral("^&\\d ")));
  QVERIFY(listed.contains(g.pltCombine.Caption));
  QVERIFY(listed.contains(g.pltAxial.Caption));
  // The window shows data ten times the results, which the run replaces.
  for (TLine& line : g.pltCombine.Lines) {
    for (TFloatPoint& point : line.Points) point.X *= 10.0;
  }
  QVERIFY(combined->reloadGraph());
  QVERIFY(combined->view().ranges[0].XMax > 1000.0);

  form.CompRun->trigger();
  QVERIFY(form.resultsAvailable());
  // Same windows, now over the new results at their full range; the data window closed.
  QCOMPARE(PlotWindowOf(g.pltCombine), combined);
  QVERIFY(PlotWindowOf(g.pltAxial) != nullptr);
  TRange expected;
  QVERIFY(AutoRange(g.pltCombine.Lines, expected));
  QCOMPARE(combined->view().ranges[0], expected);
  QVERIFY(expected.XMax < 1000.0);
  QCOMPARE(combined->windowTitle(), g.pltCombine.Caption);
  QTRY_VERIFY(form.childWindow(form.mTitle) == nullptr);
  QCOMPARE(combined->Legend->count(), 3);
  form.project().clearModified();
}

QTEST_MAIN(WindowArrangeTest)
#include "window_arrange_test.moc"
