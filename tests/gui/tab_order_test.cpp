// The keyboard order of every project dialog: Tab visits the numeric fields in the order in which
// they are read on the screen (row by row, left to right), every focusable control once; in the
// Layer dialog each top/bottom pair is adjacent and the strength choice comes after the fields.
#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/soil_layers.h"
#include "gui/circular_pile_dialog.h"
#include "gui/computation_methods_dialog.h"
#include "gui/cone_data_dialog.h"
#include "gui/control_options_dialog.h"
#include "gui/critical_depth_dialog.h"
#include "gui/data_dialog.h"
#include "gui/data_edit.h"
#include "gui/layer_data_dialog.h"
#include "gui/noncircular_pile_dialog.h"
#include "gui/pile_material_dialog.h"
#include "gui/soil_layers_dialog.h"
#include "gui/title_dialog.h"
#include "gui/tz_print_dialog.h"
#include "plot/graph_plot.h"

using namespace vorne;

namespace {

// The controls Tab reaches inside window, in the order it reaches them (hidden ones left out).
QList<QWidget*> tabChain(QWidget* window) {
  QList<QWidget*> chain;
  QWidget* w = window;
  for (int guard = 0; guard < 10000; ++guard) {
    w = w->nextInFocusChain();
    if (w == window) break;
    if (!window->isAncestorOf(w) || !w->isVisibleTo(window)) continue;
    if (!(w->focusPolicy() & Qt::TabFocus)) continue;
    if (chain.contains(w)) break;
    chain << w;
  }
  return chain;
}

// Whether b is read before a: a row above it, or the same row further left.
bool readBefore(QWidget* window, QWidget* b, QWidget* a) {
  const QRect ra(a->mapTo(window, QPoint(0, 0)), a->size());
  const QRect rb(b->mapTo(window, QPoint(0, 0)), b->size());
  const bool sameRow =
      std::abs(ra.center().y() - rb.center().y()) < std::min(ra.height(), rb.height()) / 2;
  return sameRow ? rb.center().x() < ra.center().x() : rb.center().y() < ra.center().y();
}

// The first pair of numeric fields that Tab visits against the reading order, or "".
QString fieldOrderFault(QWidget* window) {
  QList<TDataEdit*> fields;
  for (QWidget* w : tabChain(window)) {
    if (auto* edit = qobject_cast<TDataEdit*>(w)) fields << edit;
  }
  for (int i = 1; i < fields.size(); ++i) {
    if (readBefore(window, fields[i], fields[i - 1])) {
      const auto name = [](TDataEdit* e) {
        return e->EditLabel() ? e->EditLabel()->text() : e->text();
      };
      return QStringLiteral("%1 after %2").arg(name(fields[i]), name(fields[i - 1]));
    }
  }
  return {};
}

}  // namespace

class TabOrderTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDialogVisitsItsFieldsInReadingOrder();
  void layerDialogPairsTopAndBottomBeforeTheChoice();
};

void TabOrderTest::everyDialogVisitsItsFieldsInReadingOrder() {
  TProgramData project;
  project.MethodSelected.fill(1);  // every method: every field enabled
  project.D.setRowCount(3);
  QString wordProcessor;
  TGraphPlot cptGraph;
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
      {"Layer, sand", [&] { return new TDlgSoils(project, 0); }},
      {"Layer, clay",
       [&] {
         setSoilType(project, 1, kClay);
         return new TDlgSoils(project, 1);
       }},
      {"Control Options", [&] { return new TDlgOptions(project, wordProcessor); }},
      {"Critical Depth", [&] { return new TDlgBlock(project); }},
      {"t-z printout", [&] { return new TDlgTZPrint(project); }},
      {"Cone data", [&] { return new TDlgInputMotion(project, cptGraph); }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QWidget> dialog(c.make());
    if (auto* data = dynamic_cast<TDataDialog*>(dialog.get())) data->FormActivate();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QList<QWidget*> chain = tabChain(dialog.get());
    QVERIFY2(!chain.isEmpty(), c.name);
    const QString fault = fieldOrderFault(dialog.get());
    QVERIFY2(fault.isEmpty(), qPrintable(QString::fromLatin1(c.name) + ": " + fault));
  }
}

void TabOrderTest::layerDialogPairsTopAndBottomBeforeTheChoice() {
  TProgramData project;
  project.MethodSelected.fill(1);
  TDlgSoils dialog(project, 0);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  const QList<QWidget*> chain = tabChain(&dialog);
  for (int column : {col::kSandUnitWeight, col::kSandFrictionAngle, col::kSandBlowCount,
                     col::kSandKo, col::kSandNq, col::kConeResistance}) {
    const auto& pair = dialog.fields(column);
    QCOMPARE(chain.indexOf(pair[1]), chain.indexOf(pair[0]) + 1);
  }
  const int lastField = chain.indexOf(dialog.fields(col::kConeResistance)[1]);
  for (QAbstractButton* choice : dialog.grpStrength->buttons()) {
    QVERIFY(chain.indexOf(choice) > lastField);
  }
  // Typed in order, with Tab between, the values land in their own fields.
  dialog.fields(col::kSandUnitWeight)[0]->setFocus();
  const QStringList typed = {"110", "115", "30", "32"};
  for (const QString& value : typed) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    auto* edit = qobject_cast<QLineEdit*>(focus);
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, value);
    QTest::keyClick(edit, Qt::Key_Tab);
  }
  QCOMPARE(dialog.fields(col::kSandFrictionAngle)[0]->text(), QString("30"));
  QCOMPARE(dialog.fields(col::kSandFrictionAngle)[1]->text(), QString("32"));
}

QTEST_MAIN(TabOrderTest)
#include "tab_order_test.moc"
