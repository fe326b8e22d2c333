// The keyboard everywhere: every menu and item has one access key, unique in its menu (main window
// and plot window); the menu keys still open the menus while a data window has the focus; every
// dialog has a default button, which Enter presses, and Escape closes a data window; Add Layer and
// Add Row put the focus on the new row.
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/soil_layers.h"
#include "gui/circular_pile_dialog.h"
#include "gui/computation_methods_dialog.h"
#include "gui/cone_data_dialog.h"
#include "gui/control_options_dialog.h"
#include "gui/critical_depth_dialog.h"
#include "gui/data_edit.h"
#include "gui/excel_export_dialog.h"
#include "gui/layer_data_dialog.h"
#include "gui/main_form.h"
#include "gui/noncircular_pile_dialog.h"
#include "gui/pile_material_dialog.h"
#include "gui/plot_dialogs.h"
#include "gui/plot_form.h"
#include "gui/report_export_dialog.h"
#include "gui/soil_layers_dialog.h"
#include "gui/table_form.h"
#include "gui/title_dialog.h"
#include "gui/tz_print_dialog.h"
#include "message_recorder.h"

using namespace vorne;

namespace {

// The access keys of a caption: each character after a single "&" ("&&" is an ampersand).
QString accessKeys(const QString& caption) {
  QString keys;
  for (int i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) keys += caption[i + 1].toLower();
    ++i;
  }
  return keys;
}

// Every fault of menu and its submenus: an item without exactly one access key, or a key used
// twice in one menu. Items in exempt (built from the data, such as a graph's curve names) are
// left out.
QStringList accessKeyFaults(const QList<QAction*>& items,
                            const QString& where,
                            const QList<QAction*>& exempt = {}) {
  QStringList faults;
  QHash<QChar, QString> used;
  for (QAction* item : items) {
    if (item->isSeparator() || !item->isVisible() || exempt.contains(item)) continue;
    const QString keys = accessKeys(item->text());
    if (keys.size() != 1) {
      faults << where + QStringLiteral(": \"") + item->text() + QStringLiteral("\" has ") +
                    QString::number(keys.size()) + QStringLiteral(" access keys");
    } else if (used.contains(keys[0])) {
      faults << where + QStringLiteral(": \"") + item->text() + QStringLiteral("\" and \"") +
                    used[keys[0]] + QStringLiteral("\" share ") + keys;
    } else {
      used.insert(keys[0], item->text());
    }
    if (QMenu* sub = item->menu()) {
      emit sub->aboutToShow();
      faults << accessKeyFaults(sub->actions(), where + QStringLiteral(" > ") + item->text(),
                                exempt);
    }
  }
  return faults;
}

void fillGraph(TGraphPlot& graph) {
  graph.Caption = QStringLiteral("Total Capacity vs Depth");
  graph.SetLineCount(2);
  graph.SetPointCount(3);
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 3; ++j)
      graph.Lines[std::size_t(i)].Points[std::size_t(j)] = {double(j), 1.0 + i};
  }
  graph.Lines[0].Name = QStringLiteral("Sand & gravel");
  graph.Lines[1].Name = QStringLiteral("Clay");
  AddLayersGraphPlot(graph, {{1, 1.0}, {2, 2.0}});
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void everyMenuItemHasItsOwnAccessKey();
  void menuKeysWorkWhileADataWindowHasTheFocus();
  void everyDialogHasADefaultButton();
  void enterPressesTheDefaultButtonAndEscapeCloses();
  void newRowTakesTheFocus();

 private:
  QTemporaryDir m_settings;
};

void KeyboardTest::initTestCase() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void KeyboardTest::everyMenuItemHasItsOwnAccessKey() {
  TMainForm form;
  form.show();
  // Two windows, so that the Window menu lists them.
  form.mTitle->trigger();
  form.mSoilLayers->trigger();
  QStringList faults = accessKeyFaults(form.menuBar()->actions(), QStringLiteral("menu bar"));

  TGraphPlot graph;
  fillGraph(graph);
  TPlotForm plot(graph);
  plot.show();
  // The curve items are named after the curves; an "&" in a name is shown, not a key.
  faults << accessKeyFaults(plot.menuBar()->actions(), QStringLiteral("plot window"),
                            plot.curveItems);
  QCOMPARE(plot.curveItems.first()->text(), QStringLiteral("Sand && gravel"));
  QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void KeyboardTest::menuKeysWorkWhileADataWindowHasTheFocus() {
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  // Every data window, with the focus in one of its controls (an access key of the window's own
  // that matched a menu's would make the menu's ambiguous).
  for (QAction* command : {form.mTitle, form.mCompMethod, form.mPileMaterial, form.mCircularPile,
                           form.mSoilLayers, form.mCptData, form.mTzPrint, form.mControlOptions}) {
    command->trigger();
    QWidget* window = form.childWindow(command);
    QVERIFY2(window != nullptr, qPrintable(command->text()));
    QWidget* control = nullptr;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
        control = w;
        break;
      }
    }
    QVERIFY2(control != nullptr, qPrintable(command->text()));
    for (QMenu* menu : {form.fileMenu, form.dataMenu, form.optionsMenu, form.computationMenu,
                        form.graphicsMenu, form.windowMenu, form.helpMenu}) {
      control->setFocus();
      QTRY_VERIFY(control->hasFocus());
      const QChar key = accessKeys(menu->title()).at(0).toUpper();
      QTest::keyClick(control, key.toLatin1(), Qt::AltModifier);
      QTRY_VERIFY2(menu->isVisible(),
                   qPrintable(command->text() + QStringLiteral(": ") + menu->title()));
      menu->close();
      QTRY_VERIFY(!menu->isVisible());
    }
    form.closeAllChildWindows();
    QTRY_VERIFY(form.childWindow(command) == nullptr);
  }
}

void KeyboardTest::everyDialogHasADefaultButton() {
  TProgramData project;
  project.D.setRowCount(2);
  TMainGraphs graphs;
  TGraphPlot cptGraph;
  QString wordProcessor;
  struct Case {
    const char* name;
    std::function<QWidget*()> make;
  };
  const Case cases[] = {
      {"Project Title", [&] { return new TdlgTitle(project); }},
      {"Computation Methods", [&] { return new TfrmWaterDepth(project); }},
      {"Pile Material", [&] { return new TfrmMaterial(project); }},
      {"Circular Pile Properties", [&] { return new TfrmShaftpeneta(project); }},
      {"Noncircular Pile Properties", [&] { return new TfrmNCsection(project); }},
      {"Soil Layers", [&] { return new TDlgSoilLayers(project); }},
      {"Layer", [&] { return new TDlgSoils(project, 0); }},
      {"Control Options", [&] { return new TDlgOptions(project, wordProcessor); }},
      {"Critical Depth", [&] { return new TDlgBlock(project); }},
      {"t-z printout", [&] { return new TDlgTZPrint(project); }},
      {"Cone data", [&] { return new TDlgInputMotion(project, cptGraph); }},
      {"Graph Caption", [&] { return new TfrmGraphCaption(QStringLiteral("Caption"), true); }},
      {"Edit Legend", [&] { return new TfrmLineNames({QStringLiteral("A")}); }},
      {"Active Curves", [&] { return new TfrmActiveLines({QStringLiteral("A")}, {true}); }},
      {"Save Attributes", [&] { return new TdlgFormat; }},
      {"Excel export", [&] { return new TDlgExport(graphs, [] { return ExportPlotFlags{}; }); }},
      {"Report export", [&] { return new TDlgReportExport(project, graphs); }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QWidget> dialog(c.make());
    int defaults = 0;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      defaults += button->isDefault();
    QVERIFY2(defaults == 1, qPrintable(QStringLiteral("%1: %2 default buttons")
                                           .arg(QString::fromLatin1(c.name))
                                           .arg(defaults)));
    if (auto* data = dynamic_cast<TDataDialog*>(dialog.get())) {
      QVERIFY2(data->defaultButton() != nullptr && data->defaultButton()->isDefault(), c.name);
    }
  }
}

void KeyboardTest::enterPressesTheDefaultButtonAndEscapeCloses() {
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  MessageRecorder boxes;
  // Escape in a field closes the window, with the value typed committed.
  form.mTitle->trigger();
  auto* title = qobject_cast<TdlgTitle*>(form.childWindow(form.mTitle));
  QVERIFY(title != nullptr);
  QLineEdit* line = title->findChild<QLineEdit*>();
  QVERIFY(line != nullptr);
  line->setFocus();
  QTest::keyClicks(line, QStringLiteral("Pier 7"));
  QTest::keyClick(line, Qt::Key_Escape);
  QTRY_VERIFY(form.childWindow(form.mTitle) == nullptr);
  QVERIFY(form.project().Title.contains(QStringLiteral("Pier 7")));

  // Enter on a check box or a radio button presses the default button, Close.
  form.mPileMaterial->trigger();
  QWidget* pile = form.childWindow(form.mPileMaterial);
  QVERIFY(pile != nullptr);
  QAbstractButton* choice = nullptr;
  for (QAbstractButton* button : pile->findChildren<QAbstractButton*>()) {
    if (!qobject_cast<QPushButton*>(button) && button->isVisible() && button->isEnabled())
      choice = button;
  }
  QVERIFY(choice != nullptr);
  choice->setFocus();
  QTest::keyClick(choice, Qt::Key_Return);
  QTRY_VERIFY(form.childWindow(form.mPileMaterial) == nullptr);

  // In a numeric field Enter checks the value and the window stays.
  form.mPileMaterial->trigger();
  QWidget* material = form.childWindow(form.mPileMaterial);
  QVERIFY(material != nullptr);
  TDataEdit* field = nullptr;
  for (TDataEdit* edit : material->findChildren<TDataEdit*>()) {
    if (edit->isVisible() && edit->isEnabled()) field = edit;
  }
  QVERIFY(field != nullptr);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Enter);
  QVERIFY(form.childWindow(form.mPileMaterial) != nullptr);
  QVERIFY(boxes.texts.isEmpty());
}

void KeyboardTest::newRowTakesTheFocus() {
  TProgramData project;
  project.D.setRowCount(2);
  TDlgSoilLayers layers(project);
  layers.FormActivate();
  layers.show();
  QVERIFY(QTest::qWaitForWindowActive(&layers));
  layers.btnAdd->click();
  QCOMPARE(project.D.rowCount(), 3);
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(layers.typeList(2)));

  TTableForm table(project.TblTZDepth, nullptr);
  table.show();
  QVERIFY(QTest::qWaitForWindowActive(&table));
  const int rows = table.grid->model()->rowCount();
  table.grid->setCurrentIndex(table.grid->model()->index(0, 0));
  table.btnAdd->click();
  QVERIFY(table.grid->model()->rowCount() > rows);
  QCOMPARE(table.grid->currentIndex().row(), rows);
  QTRY_VERIFY(table.isAncestorOf(QApplication::focusWidget()));
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
