// The project dialogs on real widgets: their enabling rules as one table, what their commit
// stores, the refusal while the focused field is invalid, and the life cycle in the
// multiple-document frame.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "gui/main_form.h"
#include "gui/data_edit.h"
#include "gui/critical_depth_dialog.h"
#include "gui/control_options_dialog.h"
#include "gui/title_dialog.h"
#include "gui/pile_material_dialog.h"
#include "gui/noncircular_pile_dialog.h"
#include "gui/circular_pile_dialog.h"
#include "gui/computation_methods_dialog.h"
#include "gui/pile_picture.h"
#include "message_recorder.h"

using vorne::TProgramData;

namespace {

// One enabling rule: a project, clicks on the freshly activated dialog, what must then hold.
template <class Dialog>
struct Rule {
  const char* name;
  std::function<void(TProgramData&)> setup;
  std::function<void(Dialog&)> act;
  std::function<bool(Dialog&)> holds;
};

template <class Dialog>
void checkRules(const std::vector<Rule<Dialog>>& rules) {
  for (const Rule<Dialog>& rule : rules) {
    TProgramData project;
    if (rule.setup) rule.setup(project);
    Dialog dialog(project);
    dialog.FormActivate();
    if (rule.act) rule.act(dialog);
    QVERIFY2(rule.holds(dialog), rule.name);
  }
}

// Not hidden by the rules (a control on a page not in front counts as shown).
bool shown(QWidget* widget) { return !widget->isHidden(); }

void selectOnly(TProgramData& p, std::initializer_list<int> methods) {
  p.MethodSelected.fill(0);
  for (int m : methods) p.MethodSelected[m] = 1;
}

}  // namespace

class DataDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void enablingRules();
  void methodsCommitStoresTheirRules();
  void materialCommitSetsTheSectionFlag();
  void circularDialogClearsTheBoreOfOtherTypes();
  void pictureHotSpotsFocusTheirEdits();
  void refusesToCommitOrCloseWhileTheFocusedFieldIsInvalid();
  void childWindowCommitsWhenAnotherIsActivated();
  void controlOptionsAndTitle();
  void unitSwitchRefreshShowsTheNewUnits();

 private:
  QTemporaryDir m_settings;
};

void DataDialogsTest::initTestCase() {
  // The main window reads and writes its settings; keep them out of the user's.
  QVERIFY(m_settings.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void DataDialogsTest::enablingRules() {
  using M = TfrmWaterDepth;
  checkRules<M>({
      {"load settlement by Revised Lambda checks its capacity box and moves the LS marker", nullptr,
       [](M& d) { d.OptMethod[3]->click(); },
       [](M& d) { return d.ChkMethod[3]->isChecked() && shown(d.lblLS[3]) && !shown(d.lblLS[4]); }},
      {"Clear Selections leaves only the load-settlement method", nullptr,
       [](M& d) {
         d.OptMethod[3]->click();
         static_cast<QPushButton*>(d.btnSelectAll)->click();
         static_cast<QPushButton*>(d.btnClearSelections)->click();
       },
       [](M& d) {
         for (int m = 1; m <= 9; ++m) {
           if (d.ChkMethod[m]->isChecked() != (m == 3)) return false;
         }
         return true;
       }},
      {"critical depth choices need USACE", nullptr, nullptr,
       [](M& d) {
         return !d.grpCriticalDepth->button(0)->isEnabled() && !d.deCriticalDepth->isEnabled();
       }},
      {"the user depth needs USACE and the third choice",
       [](TProgramData& p) {
         selectOnly(p, {2, 4});
       },
       [](M& d) { d.grpCriticalDepth->button(2)->click(); },
       [](M& d) {
         return d.grpCriticalDepth->button(0)->isEnabled() && d.deCriticalDepth->isEnabled() &&
                d.deCriticalDepth->EditLabel()->isEnabled();
       }},
      {"USACE with the original recommendations leaves the depth disabled",
       [](TProgramData& p) {
         selectOnly(p, {2, 4});
       },
       nullptr,
       [](M& d) { return d.lblCriticalDepthNote->isEnabled() && !d.deCriticalDepth->isEnabled(); }},
      {"drained or undrained clay needs ICP/MTD", nullptr, nullptr,
       [](M& d) { return !d.grpClay->button(1)->isEnabled(); }},
      {"ICP/MTD enables the clay condition", nullptr, [](M& d) { d.ChkMethod[7]->click(); },
       [](M& d) { return d.grpClay->button(0)->isEnabled(); }},
      {"tension without API leaves the reduction factor disabled",
       [](TProgramData& p) {
         p.LoadTransferMethod = 2;
         selectOnly(p, {2});
       },
       [](M& d) { d.grpLoading->button(1)->click(); },
       [](M& d) { return !d.deReduction->isEnabled() && !d.lblReductionNote->isEnabled(); }},
      {"tension with API enables the reduction factor", nullptr,
       [](M& d) { d.grpLoading->button(1)->click(); },
       [](M& d) { return d.deReduction->isEnabled() && d.lblReductionNote->isEnabled(); }},
      {"compression disables the reduction factor", nullptr,
       [](M& d) { d.grpLoading->button(0)->click(); },
       [](M& d) { return !d.deReduction->isEnabled(); }},
  });

  using P = TfrmMaterial;
  checkRules<P>({
      {"a timber pile with FHWA takes a taper",
       [](TProgramData& p) {
         selectOnly(p, {1, 4});
         p.PileType = 2;
       },
       nullptr, [](P& d) { return d.deTaper->isEnabled() && d.lblTaperNote->isEnabled(); }},
      {"a steel pipe takes no taper",
       [](TProgramData& p) {
         selectOnly(p, {1, 4});
       },
       nullptr,
       [](P& d) { return !d.deTaper->isEnabled() && !d.deTaper->EditLabel()->isEnabled(); }},
      {"without FHWA no type takes a taper, and the shown angle is 0",
       [](TProgramData& p) {
         p.PileType = 5;
         p.TaperAngle = 1.5;
       },
       nullptr, [](P& d) { return !d.deTaper->isEnabled() && d.deTaper->text() == "0"; }},
      {"choosing a Raymond step-taper pile with FHWA enables the taper",
       [](TProgramData& p) { selectOnly(p, {1}); }, [](P& d) { d.grpPileType->button(4)->click(); },
       [](P& d) { return d.deTaper->isEnabled(); }},
      {"the concrete sub-choice needs precast concrete", nullptr, nullptr,
       [](P& d) { return !d.grpConcrete->button(0)->isEnabled(); }},
      {"precast concrete enables the sub-choice", nullptr,
       [](P& d) { d.grpPileType->button(3)->click(); },
       [](P& d) { return d.grpConcrete->button(0)->isEnabled(); }},
      {"calculated area: no area edit, no Data Button", nullptr, nullptr,
       [](P& d) { return !d.deSectionArea->isEnabled() && !d.btnData->isEnabled(); }},
      {"constant area enables its edit", nullptr, [](P& d) { d.grpAreaOption->button(1)->click(); },
       [](P& d) { return d.deSectionArea->isEnabled() && !d.btnData->isEnabled(); }},
      {"non-constant area enables the Data Button", nullptr,
       [](P& d) { d.grpAreaOption->button(2)->click(); },
       [](P& d) { return !d.deSectionArea->isEnabled() && d.btnData->isEnabled(); }},
      {"a steel pipe 24 in by 23 in shows 36.9138 in2 (3.1416 for pi)",
       [](TProgramData& p) {
         p.OutsideDiameter = 24.0;
         p.InsideDiameter = 23.0;
       },
       nullptr, [](P& d) { return d.deComputedArea->text() == "36.9138"; }},
      {"an H-pile shows the non-circular tip area",
       [](TProgramData& p) { p.NoncircularTipArea = 15.5; },
       [](P& d) { d.grpPileType->button(6)->click(); },
       [](P& d) { return d.deComputedArea->text() == "15.5"; }},
  });

  using C = TfrmShaftpeneta;
  checkRules<C>({
      {"a steel pipe has a bore, an end section and the plug choices", nullptr, nullptr,
       [](C& d) {
         return d.deID->isEnabled() && d.deEndID->isEnabled() && d.deEndLength->isEnabled() &&
                shown(d.grpPlug);
       }},
      {"a timber pile has neither", [](TProgramData& p) { p.PileType = 2; }, nullptr,
       [](C& d) {
         return !d.deID->isEnabled() && !d.deEndID->isEnabled() && !d.deEndLength->isEnabled() &&
                !d.lblEndNote->isEnabled() && !shown(d.grpPlug);
       }},
  });

  using B = TDlgBlock;
  checkRules<B>({
      {"the user depth is hidden with the original recommendations", nullptr, nullptr,
       [](B& d) { return !shown(d.deDepth) && !shown(d.deDepth->EditLabel()); }},
      {"the third choice shows the user depth", nullptr,
       [](B& d) { d.grpOption->button(2)->click(); }, [](B& d) { return shown(d.deDepth); }},
  });
}

void DataDialogsTest::methodsCommitStoresTheirRules() {
  TProgramData project;
  project.PileType = 2;
  project.TaperAngle = 1.0;
  project.LoadingType = 1;
  project.TensionReductionFactor = 5.0;
  TfrmWaterDepth dialog(project);
  QSignalSpy reset(&dialog, &TfrmWaterDepth::taperAngleReset);
  dialog.FormActivate();

  // FHWA for load settlement keeps the taper; the factor goes back to 1 with compression.
  dialog.OptMethod[1]->click();
  dialog.grpLoading->button(0)->click();
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.TaperAngle, 1.0);
  QCOMPARE(project.LoadingType, 0);
  QCOMPARE(project.TensionReductionFactor, 1.0);
  QCOMPARE(project.MethodSelected[1], 1);
  QCOMPARE(reset.count(), 0);
  QVERIFY(project.isModified());

  // USACE resets it; user-specified load transfer shows the user columns of every layer.
  dialog.OptMethod[2]->click();
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.TaperAngle, 0.0);
  QCOMPARE(reset.count(), 1);
  QVERIFY(!project.layerData(0).column(vorne::col::kUserSkinFriction).Shown);
  dialog.OptMethod[5]->click();
  dialog.grpLoading->button(1)->click();
  dialog.deReduction->setText(QStringLiteral("0.5"));
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.LoadTransferMethod, 5);
  QVERIFY(project.layerData(0).column(vorne::col::kUserSkinFriction).Shown);
  QVERIFY(project.tblDataClay.column(vorne::col::kUserEndBearing).Shown);
  QCOMPARE(project.LoadingType, 1);
  QCOMPARE(project.TensionReductionFactor, 0.5);
}

void DataDialogsTest::materialCommitSetsTheSectionFlag() {
  struct Case {
    const char* name;
    int type;
    int concrete;  // 1 circular, 0 square
    bool circular;
  };
  const Case kCases[] = {
      {"H-pile", 6, 1, false},
      {"square concrete", 3, 0, false},
      {"circular concrete", 3, 1, true},
      {"timber", 2, 0, true},
  };
  for (const Case& c : kCases) {
    TProgramData project;
    project.TaperAngle = 2.0;  // FHWA is not a capacity method: the commit clears it
    TfrmMaterial dialog(project);
    QSignalSpy tables(&dialog, &TfrmMaterial::showTable);
    dialog.FormActivate();
    dialog.grpPileType->button(c.type)->click();
    dialog.grpConcrete->button(c.concrete)->click();
    dialog.grpAreaOption->button(2)->click();
    dialog.btnData->click();
    dialog.deModulus->setText(QStringLiteral("29000000"));
    QVERIFY2(dialog.FormDeactivate(), c.name);
    QVERIFY2(project.CircularSection == c.circular, c.name);
    QCOMPARE(project.PileType, c.type);
    QCOMPARE(project.TaperAngle, 0.0);
    QCOMPARE(project.AreaOption, 2);
    QCOMPARE(project.ElasticModulus, 29000000.0);
    QCOMPARE(tables.count(), 1);
    QCOMPARE(tables.at(0).at(0).value<vorne::TGridTable*>(), &project.Sectionaldata);
  }
}

void DataDialogsTest::circularDialogClearsTheBoreOfOtherTypes() {
  TProgramData project;
  project.OutsideDiameter = 24.0;
  project.InsideDiameter = 23.0;
  project.EnhancedEndInsideDiameter = 22.0;
  project.EnhancedEndLength = 10.0;
  TfrmShaftpeneta dialog(project);
  dialog.FormActivate();
  QCOMPARE(dialog.deID->text(), QStringLiteral("23"));
  project.PileType = 2;  // changed to timber in Pile Material
  dialog.FormActivate();
  QCOMPARE(dialog.deID->text(), QStringLiteral("0"));
  QCOMPARE(dialog.deEndID->text(), QStringLiteral("0"));
  QCOMPARE(dialog.deEndLength->text(), QStringLiteral("0"));
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.InsideDiameter, 0.0);
  QCOMPARE(project.OutsideDiameter, 24.0);
}

void DataDialogsTest::pictureHotSpotsFocusTheirEdits() {
  // A click on a dimension focuses its edit; a disabled one (no steel pipe) leaves the focus.
  const auto click = [](QWidget& dialog, TPilePicture* picture, const char* name) {
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QRect spot = picture->hotSpot(QString::fromLatin1(name));
    QVERIFY2(!spot.isEmpty(), name);
    QTest::mouseClick(picture, Qt::LeftButton, {}, spot.center());
  };
  for (int pileType : {1, 2}) {  // steel pipe, timber
    TProgramData project;
    project.PileType = pileType;
    TfrmShaftpeneta dialog(project);
    dialog.show();
    dialog.FormActivate();
    const bool pipe = pileType == 1;
    const std::vector<std::pair<const char*, TDataEdit*>> spots = {
        {"OD", dialog.deOD},        {"TL", dialog.deLength},
        {"PSL", dialog.deStickup},  {"ZFL", dialog.deZeroFriction},
        {"ID", dialog.deID},        {"EID", dialog.deEndID},
        {"ESL", dialog.deEndLength}};
    for (const auto& [name, edit] : spots) {
      dialog.deOD->setFocus();
      click(dialog, dialog.imgPile, name);
      const bool boreOnly =
          edit == dialog.deID || edit == dialog.deEndID || edit == dialog.deEndLength;
      QWidget* expected = boreOnly && !pipe ? dialog.deOD : edit;
      if (expected == dialog.deOD && edit != dialog.deOD) QVERIFY(!edit->isEnabled());
      QVERIFY2(QApplication::focusWidget() == expected, name);
    }
  }
  TProgramData project;
  TfrmNCsection dialog(project);
  dialog.show();
  dialog.FormActivate();
  for (const auto& [name, edit] : std::vector<std::pair<const char*, TDataEdit*>>{
           {"TL", dialog.deLength}, {"ZFL", dialog.deZeroFriction}, {"PSL", dialog.deStickup}}) {
    dialog.dePerimeter->setFocus();
    click(dialog, dialog.imgPile, name);
    QVERIFY2(QApplication::focusWidget() == edit, name);
  }
  QVERIFY(dialog.imgPile->hotSpot(QStringLiteral("OD")).isEmpty());  // no bore, no diameters
}

void DataDialogsTest::refusesToCommitOrCloseWhileTheFocusedFieldIsInvalid() {
  TProgramData project;
  project.LoadingType = 1;
  project.TensionReductionFactor = 2.0;
  auto* dialog = new TfrmWaterDepth(project);
  QPointer<TfrmWaterDepth> alive(dialog);
  QSignalSpy closed(dialog, &TDataDialog::closed);
  dialog->show();
  dialog->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(dialog));
  dialog->pages->setCurrentIndex(1);
  dialog->deReduction->setFocus();
  QCOMPARE(QApplication::focusWidget(), dialog->deReduction);

  MessageRecorder boxes;
  dialog->deReduction->setText(QStringLiteral("0"));
  QVERIFY(!dialog->FormDeactivate());
  QCOMPARE(boxes.last(), QStringLiteral("Entry must be greater than or equal to 0.001"));
  QCOMPARE(dialog->deReduction->text(), QStringLiteral("0.001"));
  QCOMPARE(project.TensionReductionFactor, 2.0);
  QTest::qWait(20);  // the dialog comes back to the front

  dialog->deReduction->setText(QStringLiteral("2+"));
  QVERIFY(!dialog->close());
  QVERIFY(alive);
  QCOMPARE(closed.count(), 0);
  QCOMPARE(boxes.texts.size(), 2);
  QTest::qWait(20);

  dialog->deReduction->setText(QStringLiteral("3/2"));
  QVERIFY(dialog->close());
  QCOMPARE(closed.count(), 1);
  QCOMPARE(project.TensionReductionFactor, 1.5);
  QTRY_VERIFY(alive.isNull());  // freed on close
}

void DataDialogsTest::childWindowCommitsWhenAnotherIsActivated() {
  TMainForm form;
  TProgramData& project = form.project();
  form.resize(900, 700);
  form.show();
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  QMdiArea& frame = *form.mdiArea();
  auto* title = new TdlgTitle(project);
  auto* noncircular = new TfrmNCsection(project);
  QMdiSubWindow* titleWindow = form.addChildWindow(title);
  QMdiSubWindow* ncWindow = form.addChildWindow(noncircular);

  frame.setActiveSubWindow(titleWindow);
  QCOMPARE(title->edtTitle->text(), QStringLiteral("New Pile"));
  title->edtTitle->setText(QStringLiteral("Pier 3"));
  frame.setActiveSubWindow(ncWindow);
  QCOMPARE(project.Title, QStringLiteral("Pier 3"));

  // The perimeter field is focused and invalid: activating the title window is refused and the
  // dialog comes back to the front.
  MessageRecorder boxes;
  noncircular->dePerimeter->setFocus();
  noncircular->dePerimeter->setText(QStringLiteral("-1"));
  frame.setActiveSubWindow(titleWindow);
  QCOMPARE(boxes.last(), QStringLiteral("Entry must be greater than or equal to 0"));
  QTest::qWait(20);
  QCOMPARE(frame.activeSubWindow(), ncWindow);
  QCOMPARE(boxes.texts.size(), 1);
  QCOMPARE(noncircular->dePerimeter->text(), QStringLiteral("0"));  // clamped, not reloaded

  // Closing the child window commits and frees the dialog.
  QPointer<TfrmNCsection> alive(noncircular);
  noncircular->dePerimeter->setText(QStringLiteral("48"));
  ncWindow->close();
  QCOMPARE(project.NoncircularPerimeter, 48.0);
  QTRY_VERIFY(alive.isNull());
}

void DataDialogsTest::controlOptionsAndTitle() {
  TProgramData project;
  project.LengthIncrement = 0.0;
  QString wordProcessor = QStringLiteral("/usr/bin/editor");
  TDlgOptions options(project, wordProcessor);
  options.chooseProgram = [](QWidget*, const QString& start) {
    return start == QStringLiteral("/usr/bin/editor") ? QStringLiteral("/usr/bin/mousepad")
                                                      : QString();
  };
  options.FormActivate();
  QCOMPARE(options.deIncrement->text(), QStringLiteral("1"));
  QCOMPARE(options.deIncrement->EditLabel()->text(),
           QStringLiteral("Length of each computation &increment  (ft)"));
  static_cast<QPushButton*>(options.btnBrowse)->click();
  options.dePrintEvery->setText(QStringLiteral("5"));
  QVERIFY(options.FormDeactivate());
  QCOMPARE(wordProcessor, QStringLiteral("/usr/bin/mousepad"));
  QCOMPARE(project.LengthIncrement, 1.0);
  QCOMPARE(project.PrintIncrement, 5);

  TdlgTitle title(project);
  title.FormActivate();
  project.clearModified();
  QCOMPARE(title.edtTitle->maxLength(), 80);
  QTest::keyClicks(title.edtDesigner, QStringLiteral("R. Engineer"));
  QVERIFY(project.isModified());
  QVERIFY(title.FormDeactivate());
  QCOMPARE(project.Designer, QStringLiteral("R. Engineer"));
}

void DataDialogsTest::unitSwitchRefreshShowsTheNewUnits() {
  TProgramData project;
  project.OutsideDiameter = 24.0;
  TfrmShaftpeneta dialog(project);
  dialog.FormActivate();
  QCOMPARE(dialog.deOD->EditLabel()->text(), QStringLiteral("&Outer Diameter, OD (in)"));
  project.switchUnits(2);
  dialog.FormActivate();
  QCOMPARE(dialog.deOD->EditLabel()->text(), QStringLiteral("&Outer Diameter, OD (mm)"));
  QCOMPARE(dialog.deOD->text(), QStringLiteral("609.6"));
}

QTEST_MAIN(DataDialogsTest)
#include "data_dialogs_test.moc"
