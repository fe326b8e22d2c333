// The Graphics menu and the result buttons of the main window open plot windows in its MDI area,
// one per graph, and a run or an Open closes them.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QtTest>

#include "gui/main_form.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"
#include "message_recorder.h"

using namespace vorne;

class PlotWiringTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void graphicsCommandsShowTheirPlots();

 private:
  QTemporaryDir m_settingsFolder;
  QTemporaryDir m_folder;
};

void PlotWiringTest::initTestCase() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsFolder.path());
}

void PlotWiringTest::graphicsCommandsShowTheirPlots() {
  MessageRecorder boxes;
  // An example project with the plot data file its run writes.
  const QString project = m_folder.filePath(QStringLiteral("steel.vr6d"));
  QVERIFY(
      QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d"), project));
  QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.cpt"),
              m_folder.filePath(QStringLiteral("steel.cpt")));
  QVERIFY(QFile::copy(QStringLiteral(VORNE_TEST_DATA "/golden/steel_pipe_layered.vr6p"),
                      m_folder.filePath(QStringLiteral("steel.vr6p"))));
  TMainForm form;
  form.resize(1000, 800);
  form.show();
  QVERIFY(form.openProjectFile(project, true));
  QVERIFY(form.resultsAvailable());

  TMainGraphs& g = form.graphs();
  const std::pair<QAction*, TGraphPlot*> commands[] = {
      {form.mUSkin, &g.pltUSkin}, {form.mSkin, &g.pltSkin},         {form.mTip, &g.pltTip},
      {form.mTotal, &g.pltTotal}, {form.mLoad, &g.pltLoad},         {form.mCombine, &g.pltCombine},
      {form.mAxial, &g.pltAxial}, {form.mTzCurves, &g.pltTZcurves}, {form.mQw, &g.PltQw}};
  for (const auto& [command, graph] : commands) {
    QVERIFY2(command->isEnabled(), qPrintable(command->text()));
    command->trigger();
    TPlotForm* window = PlotWindowOf(*graph);
    QVERIFY2(window != nullptr, qPrintable(command->text()));
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    QVERIFY(frame != nullptr);
    QCOMPARE(frame->mdiArea(), form.mdiArea());
    QVERIFY(frame->isMaximized());
    QCOMPARE(form.mdiArea()->activeSubWindow(), frame);
  }
  // Opened maximised, the legend stands at the corner of the maximised plot.
  QTest::qWait(10);
  TPlotForm* last = PlotWindowOf(g.PltQw);
  const TPlotLayout layout = last->screenLayout();
  const QRect legend = last->Legend->geometry();
  QVERIFY(legend.left() >= layout.plot.left && legend.right() < layout.plot.right);
  QVERIFY(legend.top() >= layout.plot.top && legend.bottom() < layout.plot.bottom);
  QCOMPARE(legend.topLeft(), LegendPlace(g.PltQw.Lines, last->view().ranges[0], layout.panel1,
                                         g.PltQw.XOnTop, legend.size(), last->logicalDpiX() / 16));
  // Ctrl+Z opens the Plot menu of the active plot window only.
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  last->canvas()->setFocus();
  QTest::keyClick(last->canvas(), Qt::Key_Z, Qt::ControlModifier);
  QTRY_VERIFY(last->PlotMenu->isVisible());
  QVERIFY(!PlotWindowOf(g.pltCombine)->PlotMenu->isVisible());
  last->PlotMenu->close();
  QCOMPARE(form.mdiArea()->subWindowList().size(), 9);

  // A second click activates the open window; the result buttons show their graphs.
  TPlotForm* combined = PlotWindowOf(g.pltCombine);
  form.tbCombinedPlot->trigger();
  QCOMPARE(PlotWindowOf(g.pltCombine), combined);
  QCOMPARE(form.mdiArea()->activeSubWindow()->widget(), combined);
  form.tbTzCurves->trigger();
  QCOMPARE(form.mdiArea()->activeSubWindow()->widget(), PlotWindowOf(g.pltTZcurves));
  form.tbLoadSettlement->trigger();
  QCOMPARE(form.mdiArea()->activeSubWindow()->widget(), PlotWindowOf(g.pltAxial));
  QCOMPARE(form.mdiArea()->subWindowList().size(), 9);

  // Closing all child windows closes the plots; the graphs keep their settings.
  combined->setMarkers(3);
  form.closeAllChildWindows();
  QTRY_VERIFY(PlotWindowOf(g.pltCombine) == nullptr);
  QCOMPARE(g.pltCombine.Markers, 3);
  QVERIFY(boxes.texts.isEmpty());
}

QTEST_MAIN(PlotWiringTest)
#include "plot_wiring_test.moc"
