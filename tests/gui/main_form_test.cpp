// The main window driven as a user would: menus and toolbar, child windows, the recent list, the
// command line, the save-changes prompt, dropped files and the analysis run of examples. Every
// box is answered by a responder and every file chooser is replaced, so nothing waits.
#include "gui/main_form.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QtTest>

#include "app/analysis_run.h"
#include "app/project_check.h"
#include "gui/message_box.h"

using namespace vorne;

namespace {

const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples/");
const QString kCompleted = QStringLiteral(
    "Computations are completed. Please, check output file for results or error messages.");

// Copies an example project (and its CPT file) into folder under the name given.
QString copyExample(const QTemporaryDir& folder, const QString& example, const QString& name) {
  const QString target = folder.filePath(name + QStringLiteral(".vr6d"));
  QFile::remove(target);
  QFile::copy(kExamples + example + QStringLiteral(".vr6d"), target);
  QFile::copy(kExamples + example + QStringLiteral(".cpt"),
              folder.filePath(name + QStringLiteral(".cpt")));
  QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  return target;
}

// A child window that counts its life-cycle steps.
class CountingChild : public QWidget, public TChildWindow {
 public:
  explicit CountingChild(int* commitLog = nullptr) : m_commitLog(commitLog) {}
  int loads = 0;
  int commits = 0;
  void loadFromProject() override { ++loads; }
  bool commitToProject() override {
    ++commits;
    if (m_commitLog) ++*m_commitLog;
    return true;
  }

 private:
  int* m_commitLog;
};

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void menusAndToolbarCarryTheirCaptions();
  void childWindowsFollowTheCommonLifeCycle();
  void recentListKeepsTenFilesMostRecentFirst();
  void commandLineArgument_data();
  void commandLineArgument();
  void saveChangesPrompt_data();
  void saveChangesPrompt();
  void saveAsNames_data();
  void saveAsNames();
  void untitledRunWithSaveAsCancelledWritesNothing();
  void largeTaperStopsTheRun();
  void runEnablesTheResultCommands_data();
  void runEnablesTheResultCommands();
  void unreadablePlotFileKeepsResultCommandsDisabled();
  void missingEngineLibraryEndsTheRun();
  void droppedOlderLayoutFileIsReadAsOlderLayout();
  void wordProcessorFailureAndAboutBox();
  void failedOpenKeepsTheOpenProject_data();
  void failedOpenKeepsTheOpenProject();
  void failedSaveStopsTheRunAndOffersSaveAs_data();
  void failedSaveStopsTheRunAndOffersSaveAs();
  void stoppedRunSaysWhyAndOffersTheReport();
  void faultyProjectIsNotRunAndEveryProblemIsListed();
  void toolbarFollowsTheResultsAtOnce();
  void statusBarTellsUnitsProjectAndLastRun();
  void toolbarAndWindowsCarryIcons();

 private:
  // Answers the next boxes in order (Ok when none is queued) and records every box.
  QList<QMessageBox::StandardButton> m_answers;
  QList<MessageBoxRequest> m_boxes;
  std::function<void(const MessageBoxRequest&)> m_onBox;
  QStringList boxTexts() const {
    QStringList texts;
    for (const MessageBoxRequest& box : m_boxes) texts << box.text;
    return texts;
  }

  // Save dialog answers in order (empty: cancelled); open dialog answers as path and filter.
  QStringList m_saveAnswers;
  QList<std::pair<QString, QString>> m_openAnswers;
  void useChoosers(TMainForm& form) {
    TFileChooser chooser;
    chooser.save = [this](QWidget*, const QString&, const QString&, const QString&) {
      return m_saveAnswers.isEmpty() ? QString() : m_saveAnswers.takeFirst();
    };
    chooser.open = [this](QWidget*, const QString&, const QString&, const QString&,
                          QString* filter) {
      if (m_openAnswers.isEmpty()) return QString();
      const auto [path, chosenFilter] = m_openAnswers.takeFirst();
      *filter = chosenFilter;
      return path;
    };
    form.setFileChooser(chooser);
  }

  QTemporaryDir m_settingsFolder;
  QTemporaryDir m_folder;
  QString m_startFolder;
};

void MainFormTest::initTestCase() {
  QVERIFY(m_settingsFolder.isValid());
  // The settings of these tests live in a folder of their own, never in the user's.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsFolder.path());
  m_startFolder = QDir::currentPath();
}

void MainFormTest::init() {
  QSettings(QStringLiteral("Tovrin"), QStringLiteral("VORNE")).clear();
  m_answers.clear();
  m_boxes.clear();
  m_onBox = nullptr;
  m_saveAnswers.clear();
  m_openAnswers.clear();
  setMessageBoxResponder([this](const MessageBoxRequest& box) {
    m_boxes.append(box);
    if (m_onBox) m_onBox(box);
    return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
  });
}

void MainFormTest::cleanup() {
  setMessageBoxResponder({});
  QDir::setCurrent(m_startFolder);
}

void MainFormTest::menusAndToolbarCarryTheirCaptions() {
  TMainForm form;
  struct Item {
    QAction* TMainForm::*action;
    const char* caption;
    const char* shortcut;
  };
  const Item kItems[] = {
      {&TMainForm::mNew, "&New", "Ctrl+N"},
      {&TMainForm::mOpen, "&Open...", "Ctrl+O"},
      {&TMainForm::mSave, "&Save", "Ctrl+S"},
      {&TMainForm::mSaveAs, "Save &As...", ""},
      {&TMainForm::mExit, "E&xit", ""},
      {&TMainForm::mTitle, "&Title", ""},
      {&TMainForm::mCompMethod, "Computational &Method", ""},
      {&TMainForm::mPileMaterial, "&Pile Material", ""},
      {&TMainForm::mCircularPile, "&Circular-Section Pile", ""},
      {&TMainForm::mNoncircularPile, "&Noncircular-Section Pile", ""},
      {&TMainForm::mSoilLayers, "Soi&l Layers", ""},
      {&TMainForm::mCptData, "CPT &Data File (optional for cone-based method)", ""},
      {&TMainForm::mEnglishUnits, "&English Units (kips, ft, in)", ""},
      {&TMainForm::mSIUnits, "&S.I. Units (kN, m, mm)", ""},
      {&TMainForm::mTzPrint, "Print t-&z Curves at Additional Depths ", ""},
      {&TMainForm::mControlOptions, "Control &Options", ""},
      {&TMainForm::CompRun, "&Run Analysis", ""},
      {&TMainForm::mEditInput, "Edit &Input Text", ""},
      {&TMainForm::mEditNotes, "Edit &Processor-Run Notes", ""},
      {&TMainForm::mEditOutput, "Edit &Output Text", ""},
      {&TMainForm::mViewSoilCoordinates, "&View Soil Layer Coordinates", ""},
      {&TMainForm::mEditGrlweap, "Edit &GRLWeap Data File", ""},
      {&TMainForm::mUSkin, "&Unit Skin Friction vs Depth", ""},
      {&TMainForm::mSkin, "Accumulated &Skin Friction vs Depth", ""},
      {&TMainForm::mTip, "&Tip Resistance vs Depth", ""},
      {&TMainForm::mTotal, "Total &Capacity vs Depth", ""},
      {&TMainForm::mLoad, "Load &Distribution", ""},
      {&TMainForm::mCombine, "Combined &Plot", ""},
      {&TMainForm::mAxial, "&Axial Load vs Settlement", ""},
      {&TMainForm::mTzCurves, "Internally-Generated t-&z Curves", ""},
      {&TMainForm::mExtraTz, "&Extra t-z curves at User Specified Depths", ""},
      {&TMainForm::mQw, "Internally-Generated &Q-w Curve", ""},
      {&TMainForm::mCascade, "&Cascade", ""},
      {&TMainForm::mTile, "&Tile", ""},
      {&TMainForm::mArrangeIcons, "&Arrange Icons", ""},
      {&TMainForm::mCloseAll, "C&lose All", ""},
      {&TMainForm::mContents, "&Contents", ""},
      {&TMainForm::mUsersManual, "&User's Manual", ""},
      {&TMainForm::mTechnicalManual, "Technical &Manual", ""},
      {&TMainForm::mAbout, "&About...", ""},
      {&TMainForm::mCheckUpdates, "Check for U&pdates", ""},
      // Toolbar buttons: their hint texts.
      {&TMainForm::tbNew, "New File", ""},
      {&TMainForm::tbOpen, "Open File", ""},
      {&TMainForm::tbSave, "Save File", ""},
      {&TMainForm::tbRun, "Run Data File", ""},
      {&TMainForm::tbSoilLayers, "Soil layer Data", ""},
      {&TMainForm::tbViewOutput, "View Output", ""},
      {&TMainForm::tbSoilProfile, "View Soil Profile", ""},
      {&TMainForm::tbCombinedPlot, "Combined Plot", ""},
      {&TMainForm::tbTzCurves, "t-z Curves", ""},
      {&TMainForm::tbLoadSettlement, "Load vs. Settlement", ""},
  };
  const QList<QAction*> toolbar = form.mainToolBar->actions();
  for (const Item& item : kItems) {
    QAction* action = form.*item.action;
    QVERIFY2(action, item.caption);
    const bool button = toolbar.contains(action);
    QCOMPARE(button ? action->toolTip() : action->text(), QString(item.caption));
    QCOMPARE(action->shortcut(), QKeySequence(QString(item.shortcut)));
  }
  QStringList menus;
  for (QAction* menu : form.menuBar()->actions()) menus << menu->text();
  QCOMPARE(menus, QStringList({"&File", "Da&ta", "&Options", "&Computation", "&Graphics", "&Window",
                               "&Help"}));
  QCOMPARE(form.mUnits->title(), QString("&Units"));
  QCOMPARE(form.windowTitle(), QString("VORNE 2014.6.5 - NewVORNE.vr6d"));

  // Without their windows, these commands wait; without results, the Graphics menu does.
  // The data and option dialogs are plugged in; the pile-shape rule disables the other shape.
  for (QAction* plugged :
       {form.mTitle, form.mCompMethod, form.mPileMaterial, form.mCircularPile, form.mSoilLayers,
        form.mCptData, form.mTzPrint, form.mControlOptions, form.tbSoilLayers}) {
    QVERIFY2(plugged->isEnabled(), qPrintable(plugged->text()));
  }
  QVERIFY(!form.mNoncircularPile->isEnabled());
  for (QAction* waiting : {form.mSkin, form.mQw, form.tbCombinedPlot, form.tbTzCurves,
                           form.tbLoadSettlement, form.mEditInput, form.mEditOutput}) {
    QVERIFY2(!waiting->isEnabled(), qPrintable(waiting->text()));
  }
  QVERIFY(form.CompRun->isEnabled());
  QVERIFY(form.mAbout->isEnabled());
}

void MainFormTest::childWindowsFollowTheCommonLifeCycle() {
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  // Stand-in windows replace the real dialogs of these commands.
  for (QAction* command : {form.mTitle, form.mPileMaterial, form.mNoncircularPile}) {
    QObject::disconnect(command, &QAction::triggered, &form, nullptr);
  }
  int made = 0;
  form.plugWindow(form.mTitle, [&made] {
    ++made;
    return new CountingChild;
  });
  int materialCommits = 0;
  form.plugWindow(form.mPileMaterial,
                  [&materialCommits] { return new CountingChild(&materialCommits); });
  form.plugWindow(form.mNoncircularPile, [] { return new CountingChild; });
  QVERIFY(form.mTitle->isEnabled());
  QVERIFY(!form.mNoncircularPile->isEnabled());  // the new project's pile is circular

  form.mTitle->trigger();
  form.mTitle->trigger();  // open already: activated, not made again
  QCOMPARE(made, 1);
  auto* title = dynamic_cast<CountingChild*>(form.childWindow(form.mTitle));
  QVERIFY(title);
  QCOMPARE(title->loads, 1);  // activation loads

  // Opening one of the command menus commits the active window.
  emit form.dataMenu->aboutToShow();
  QCOMPARE(title->commits, 1);
  // Activating another window commits the one left and loads the new one.
  form.mPileMaterial->trigger();
  auto* material = dynamic_cast<CountingChild*>(form.childWindow(form.mPileMaterial));
  QVERIFY(material);
  QCOMPARE(title->commits, 2);
  QCOMPARE(material->loads, 1);
  // A unit switch reloads every open window.
  form.mSIUnits->trigger();
  QCOMPARE(form.project().units(), 2);
  QCOMPARE(title->loads, 2);
  QCOMPARE(material->loads, 2);
  QCOMPARE(form.mdiArea()->subWindowList().size(), 2);
  // The Window menu lists the open windows after its four commands.
  title->setWindowTitle("Project Title");
  emit form.windowMenu->aboutToShow();
  const QList<QAction*> windowItems = form.windowMenu->actions().mid(5);
  QCOMPARE(windowItems.size(), 2);
  QCOMPARE(windowItems[0]->text(), QString("&1 Project Title"));
  windowItems[0]->trigger();
  QCOMPARE(form.mdiArea()->activeSubWindow()->widget(), static_cast<QWidget*>(title));

  // A window that closes itself commits and clears its command's open flag.
  const int commitsBefore = materialCommits;
  QPointer<QWidget> materialWindow = material;
  material->close();
  QTRY_VERIFY(!form.childWindow(form.mPileMaterial));
  QTRY_VERIFY(!materialWindow);
  QCOMPARE(materialCommits, commitsBefore + 1);
  form.mPileMaterial->trigger();
  QVERIFY(form.childWindow(form.mPileMaterial));

  // A non-circular pile enables its own item and closes the other shape's window.
  form.plugWindow(form.mCircularPile, [] { return new CountingChild; });
  form.mCircularPile->trigger();
  QVERIFY(form.childWindow(form.mCircularPile));
  form.project().CircularSection = false;
  emit form.dataMenu->aboutToShow();
  QVERIFY(!form.mCircularPile->isEnabled());
  QVERIFY(form.mNoncircularPile->isEnabled());
  QVERIFY(!form.childWindow(form.mCircularPile));

  // New closes every window.
  form.project().clearModified();
  form.mNew->trigger();
  QVERIFY(!form.childWindow(form.mTitle));
  QVERIFY(!form.childWindow(form.mPileMaterial));
  QTRY_COMPARE(form.mdiArea()->subWindowList().size(), 0);
}

void MainFormTest::recentListKeepsTenFilesMostRecentFirst() {
  QStringList files;
  for (int i = 1; i <= 11; ++i) {
    files << copyExample(m_folder, "stickup_pipe", QStringLiteral("pile%1").arg(i));
  }
  TMainForm form;
  for (int i = 0; i < 10; ++i) QVERIFY(form.openProjectFile(files[i], true));
  QCOMPARE(form.recentFiles().count(), 10);
  QCOMPARE(form.recentFiles().entries().first(), files[9]);
  QCOMPARE(form.recentFiles().entries().last(), files[0]);

  // The same file twice keeps one entry at the top.
  QVERIFY(form.openProjectFile(files[9], true));
  QCOMPARE(form.recentFiles().entries().count(files[9]), 1);
  QCOMPARE(form.recentFiles().entries().first(), files[9]);
  // A file at position 3 moves to the top; the two above it move down by one.
  QVERIFY(form.openProjectFile(files[7], true));
  QCOMPARE(form.recentFiles().entries().mid(0, 4),
           QStringList({files[7], files[9], files[8], files[6]}));
  // The eleventh distinct file drops the oldest.
  QVERIFY(form.openProjectFile(files[10], true));
  QCOMPARE(form.recentFiles().entries().first(), files[10]);
  QVERIFY(!form.recentFiles().entries().contains(files[0]));
  QCOMPARE(form.recentFiles().count(), 10);

  // Captions: number, space, path without the current folder when the file lies in it.
  QCOMPARE(form.mRecent[0]->text(), QString("&1 pile11.vr6d"));
  QVERIFY(form.mRecent[9]->isVisible());
  QDir::setCurrent(m_settingsFolder.path());
  emit form.fileMenu->aboutToShow();
  QCOMPARE(form.mRecent[0]->text(), QString("&1 ") + files[10]);
  TMainForm other;  // a second start reads the list from the settings
  QCOMPARE(other.recentFiles().entries(), form.recentFiles().entries());
  QCOMPARE(other.mRecent[1]->text(), QString("&2 ") + files[7]);

  // A recent item opens its file.
  other.mRecent[1]->trigger();
  QCOMPARE(other.project().fileName(), files[7]);
  QCOMPARE(other.recentFiles().entries().first(), files[7]);
}

void MainFormTest::commandLineArgument_data() {
  QTest::addColumn<QString>("argument");
  QTest::addColumn<QString>("opened");
  QTest::newRow("without a dot, .vr6d appended") << "pier3"
                                                 << "pier3.vr6d";
  QTest::newRow("with a dot, as given") << "pier3.vr6d"
                                        << "pier3.vr6d";
  QTest::newRow("missing file, new project") << "pier4"
                                             << "";
}

void MainFormTest::commandLineArgument() {
  QFETCH(QString, argument);
  QFETCH(QString, opened);
  copyExample(m_folder, "steel_pipe_layered", "pier3");
  QDir::setCurrent(m_folder.path());
  TMainForm form;
  form.openStartupProject(argument);
  if (opened.isEmpty()) {
    QVERIFY(form.project().isUntitled());
    // A missing file says so, by its name.
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes[0].text.contains(m_folder.filePath("pier4.vr6d")));
    QVERIFY(m_boxes[0].text.contains("does not exist"));
  } else {
    QCOMPARE(form.project().fileName(), m_folder.filePath(opened));
    QCOMPARE(form.windowTitle(), "VORNE 2014.6.5 - pier3.vr6d");
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(form.recentFiles().entries().first(), m_folder.filePath(opened));
  }
}

void MainFormTest::saveChangesPrompt_data() {
  QTest::addColumn<bool>("untitled");
  QTest::addColumn<int>("answer");
  QTest::addColumn<QString>("saveAs");  // the Save As answer; empty: cancelled
  QTest::addColumn<bool>("goesOn");
  QTest::addColumn<bool>("saved");
  QTest::newRow("Yes saves and goes on") << false << int(QMessageBox::Yes) << "" << true << true;
  QTest::newRow("No goes on without saving")
      << false << int(QMessageBox::No) << "" << true << false;
  QTest::newRow("Cancel stays") << false << int(QMessageBox::Cancel) << "" << false << false;
  QTest::newRow("Yes, Save As cancelled, stays")
      << true << int(QMessageBox::Yes) << "" << false << false;
  QTest::newRow("Yes, Save As to a name")
      << true << int(QMessageBox::Yes) << "named" << true << true;
}

void MainFormTest::saveChangesPrompt() {
  QFETCH(bool, untitled);
  QFETCH(int, answer);
  QFETCH(QString, saveAs);
  QFETCH(bool, goesOn);
  QFETCH(bool, saved);
  const QString file = copyExample(m_folder, "steel_pipe_layered", "prompted");
  const QString savedAs = m_folder.filePath("named.vr6d");
  QFile::remove(savedAs);
  const QByteArray before = [&] {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();

  // The prompt of each command that replaces the project: New, Open, drop and closing.
  for (const char* command : {"new", "open", "drop", "close"}) {
    QFile::remove(savedAs);
    QFile(file).remove();
    QFile::copy(kExamples + "steel_pipe_layered.vr6d", file);
    TMainForm form;
    useChoosers(form);
    if (!untitled) QVERIFY(form.openProjectFile(file, true));
    form.project().Title = "Changed title";
    form.project().setModified();
    m_boxes.clear();
    m_answers = {QMessageBox::StandardButton(answer)};
    if (!saveAs.isEmpty()) m_saveAnswers = {m_folder.filePath(saveAs)};
    const QString other = copyExample(m_folder, "stickup_pipe", "other");
    m_openAnswers = {{other, TMainForm::kCurrentLayoutFilter}};

    bool closed = false;
    const QString cmd = command;
    if (cmd == "new") form.mNew->trigger();
    if (cmd == "open") form.mOpen->trigger();
    if (cmd == "drop") form.openDroppedFile(other);
    if (cmd == "close") closed = form.close();

    QVERIFY2(m_boxes.size() == 1, command);
    QCOMPARE(m_boxes[0].text, QString("Do you want to save any changes?"));
    QCOMPARE(m_boxes[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const bool wentOn = cmd == "close" ? closed
                        : cmd == "new" ? form.project().Title == "New Pile"
                                       : form.project().fileName() == other;
    QVERIFY2(wentOn == goesOn, command);
    const QString target = untitled ? savedAs : file;
    QFile written(target);
    const bool hasChange =
        written.open(QIODevice::ReadOnly) && written.readAll().contains("Changed title");
    QVERIFY2(hasChange == saved, command);
    if (!untitled && !saved) {
      QFile f(file);
      f.open(QIODevice::ReadOnly);
      QCOMPARE(f.readAll(), before);
    }
    m_answers.clear();
    form.project().clearModified();  // so that destroying the form asks nothing
  }
}

void MainFormTest::saveAsNames_data() {
  QTest::addColumn<QString>("chosen");
  QTest::addColumn<bool>("targetExists");
  QTest::addColumn<int>("answer");       // to the replace question, when asked
  QTest::addColumn<QString>("savedAs");  // empty: nothing written
  QTest::newRow("no extension gets .vr6d") << "plain" << false << 0 << "plain.vr6d";
  QTest::newRow(".vrd becomes .vr6d") << "older.vrd" << false << 0 << "older.vr6d";
  QTest::newRow("changed name exists, replace refused")
      << "taken.vrd" << true << int(QMessageBox::No) << "";
  QTest::newRow("changed name exists, replaced")
      << "taken.vrd" << true << int(QMessageBox::Yes) << "taken.vr6d";
}

void MainFormTest::saveAsNames() {
  QFETCH(QString, chosen);
  QFETCH(bool, targetExists);
  QFETCH(int, answer);
  QFETCH(QString, savedAs);
  QTemporaryDir folder;
  if (targetExists) QFile::copy(kExamples + "stickup_pipe.vr6d", folder.filePath("taken.vr6d"));
  TMainForm form;
  useChoosers(form);
  m_saveAnswers = {folder.filePath(chosen)};
  m_answers = {QMessageBox::StandardButton(answer)};
  form.project().Title = "Saved as";
  QCOMPARE(form.mSaveAs->isEnabled(), true);
  form.mSaveAs->trigger();
  QCOMPARE(m_boxes.size(), targetExists ? 1 : 0);
  QCOMPARE(form.project().isUntitled(), savedAs.isEmpty());
  if (savedAs.isEmpty()) {
    QFile kept(folder.filePath("taken.vr6d"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(!kept.readAll().contains("Saved as"));
  } else {
    QCOMPARE(form.project().fileName(), folder.filePath(savedAs));
    QCOMPARE(form.windowTitle(), "VORNE 2014.6.5 - " + savedAs);
    QFile written(folder.filePath(savedAs));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("Saved as"));
  }
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(".vrd"), QStringList());
}

void MainFormTest::untitledRunWithSaveAsCancelledWritesNothing() {
  QTemporaryDir folder;
  QDir::setCurrent(folder.path());
  TMainForm form;
  useChoosers(form);
  form.CompRun->trigger();
  QVERIFY(m_boxes.isEmpty());
  QVERIFY(form.project().isUntitled());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
  const QString programFolder = QFileInfo(form.engineLibraryPath()).absolutePath();
  QVERIFY(!QFileInfo::exists(programFolder + "/names.dat"));
  QVERIFY(!QFileInfo::exists(programFolder + "/NewVORNE.vr6o"));
}

void MainFormTest::largeTaperStopsTheRun() {
  const QString file = copyExample(m_folder, "timber_tapered_fhwa", "taper");
  QFile::remove(m_folder.filePath("taper.vr6o"));
  TMainForm form;
  QVERIFY(form.openProjectFile(file, true));
  TProgramData& pile = form.project();
  QCOMPARE(pile.PileType, 2);   // timber
  pile.MethodSelected[1] = 1;   // FHWA
  pile.PileLength = 20.0;       // ft
  pile.OutsideDiameter = 12.0;  // in
  pile.TaperAngle = 2.0;        // tip: 12 - tan(2 deg) 2 (240) < 0; atan(6 / 240) = 1.432 deg
  form.tbRun->trigger();
  QCOMPARE(m_boxes.size(), 1);
  QCOMPARE(m_boxes[0].icon, QMessageBox::Warning);
  QCOMPARE(m_boxes[0].text,
           QString("Taper angle is large since it generates a negative diameter at tip of pile.\n"
                   "Taper angle should be smaller than 1.432 degrees.\nPlease check input data "));
  QVERIFY(!QFileInfo::exists(m_folder.filePath("taper.vr6o")));
  QVERIFY(!form.project().isModified());  // saved before the check
}

void MainFormTest::runEnablesTheResultCommands_data() {
  QTest::addColumn<QString>("example");
  QTest::addColumn<bool>("tension");
  QTest::addColumn<bool>("extraTz");
  QTest::newRow("compression") << "steel_pipe_layered" << false << false;
  QTest::newRow("tension") << "tension_pipe" << true << false;
  QTest::newRow("extra t-z depths") << "area_table_extra_tz" << false << true;
}

void MainFormTest::runEnablesTheResultCommands() {
  QFETCH(QString, example);
  QFETCH(bool, tension);
  QFETCH(bool, extraTz);
  const QString file = copyExample(m_folder, example, "run_" + example);
  for (const char* extension : {".vr6o", ".vr6p", ".gwi"})
    QFile::remove(m_folder.filePath("run_" + example + extension));
  TMainForm form;
  QList<TGraphPlot*> shown;
  form.setPlotOpener([&shown](TGraphPlot& graph) { shown << &graph; });
  QVERIFY(form.openProjectFile(file, true));
  QVERIFY(!form.mCombine->isEnabled());
  if (!extraTz) form.project().ExtraTzDepths = 0;
  QCOMPARE(form.project().ExtraTzDepths == 1, extraTz);

  // A second run asked for while the completion message is up is refused.
  m_onBox = [&form](const MessageBoxRequest& box) {
    if (box.text.startsWith("Computations are completed")) form.CompRun->trigger();
  };
  form.CompRun->trigger();
  QCOMPARE(boxTexts(), QStringList({kCompleted, "Attempt to reinitialize DLL"}));
  QVERIFY(form.resultsAvailable());
  QVERIFY(QFileInfo::exists(m_folder.filePath("run_" + example + ".gwi")));
  QCOMPARE(QApplication::overrideCursor(), nullptr);

  for (QAction* item :
       {form.mUSkin, form.mSkin, form.mTotal, form.mLoad, form.mCombine, form.mAxial,
        form.mTzCurves, form.tbCombinedPlot, form.tbTzCurves, form.tbLoadSettlement,
        form.mEditOutput, form.tbViewOutput, form.mEditGrlweap, form.mEditInput}) {
    QVERIFY2(item->isEnabled(), qPrintable(item->text()));
  }
  QCOMPARE(form.mTip->isEnabled(), !tension);
  QCOMPARE(form.mQw->isEnabled(), !tension);
  QCOMPARE(form.mExtraTz->isEnabled(), extraTz);

  form.tbCombinedPlot->trigger();
  form.mAxial->trigger();
  QCOMPARE(shown, QList<TGraphPlot*>({&form.graphs().pltCombine, &form.graphs().pltAxial}));
  QVERIFY(form.graphs().pltSkin.Lines.size() > 0);

  // Opening the project again reads its plot data without a message.
  m_boxes.clear();
  TMainForm reopened;
  reopened.setPlotOpener([](TGraphPlot&) {});
  reopened.openStartupProject(file);
  QVERIFY(reopened.resultsAvailable());
  QVERIFY(reopened.mCombine->isEnabled());
  QVERIFY(m_boxes.isEmpty());
}

void MainFormTest::unreadablePlotFileKeepsResultCommandsDisabled() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "unreadable");
  // A folder where the plot data file belongs: found before the engine runs, nothing is read.
  QDir(m_folder.path()).mkpath("unreadable.vr6p");
  TMainForm form;
  form.setPlotOpener([](TGraphPlot&) {});
  QVERIFY(form.openProjectFile(file, true));
  form.CompRun->trigger();
  // Found before the engine runs: the run says which file cannot be written, and why.
  QCOMPARE(m_boxes.size(), 1);
  QVERIFY(!boxTexts().contains(kCompleted));
  QVERIFY2(m_boxes[0].text.contains("unreadable.vr6p cannot be written\n\nit is a folder"),
           qPrintable(m_boxes[0].text));
  QVERIFY(!form.resultsAvailable());
  for (QAction* item : {form.mUSkin, form.mCombine, form.mAxial, form.tbCombinedPlot,
                        form.tbTzCurves, form.tbLoadSettlement}) {
    QVERIFY2(!item->isEnabled(), qPrintable(item->text()));
  }
}

void MainFormTest::missingEngineLibraryEndsTheRun() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "nolibrary");
  QFile::remove(m_folder.filePath("nolibrary.vr6o"));
  TMainForm form;
  form.setEngineLibraryPath(m_folder.filePath("libmissing.so"));
  form.plugWindow(form.mTitle, [] { return new CountingChild; });
  QVERIFY(form.openProjectFile(file, true));
  form.mTitle->trigger();
  form.CompRun->trigger();
  QCOMPARE(m_boxes.size(), 1);
  QVERIFY(m_boxes[0].text.startsWith("Attempt to initialize DLL failed"));
  QVERIFY(!form.resultsAvailable());
  QVERIFY(!QFileInfo::exists(m_folder.filePath("nolibrary.vr6o")));
  QVERIFY(form.childWindow(form.mTitle));  // the run ended before its last step
  // The guard is released: the next run is tried again, not refused.
  m_boxes.clear();
  form.CompRun->trigger();
  QVERIFY(m_boxes[0].text.startsWith("Attempt to initialize DLL failed"));
}

void MainFormTest::droppedOlderLayoutFileIsReadAsOlderLayout() {
  const QString older = m_folder.filePath("dropped.vrd");
  QFile::copy(VORNE_TEST_DATA "/older_layout.vrd", older);
  TMainForm form;
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(older)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);
  QTRY_COMPARE(form.project().Title,
               QString("Steel pipe pile, 24 in OD open-ended, in layered sand and clay"));
  // The older layout holds no method flags: the land and offshore methods are switched on.
  QCOMPARE(form.project().MethodSelected[1], 1);
  QCOMPARE(form.project().MethodSelected[6], 1);
  QCOMPARE(form.project().fileName(), m_folder.filePath("dropped.vr6d"));
  QCOMPARE(QDir::currentPath(), QDir(m_folder.path()).canonicalPath());
  QCOMPARE(form.recentFiles().entries().first(), older);
  QVERIFY(m_boxes.isEmpty());
}

void MainFormTest::wordProcessorFailureAndAboutBox() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "edited");
  TMainForm form;
  QVERIFY(form.openProjectFile(file, true));
  QVERIFY(form.mEditInput->isEnabled());
  form.setWordProcessor(m_folder.filePath("no-such-editor"));
  form.mEditInput->trigger();
  QCOMPARE(boxTexts(), QStringList({"An error occurred in running the Word Processor"}));
  m_boxes.clear();
  form.setWordProcessor("true");  // started with the file as its one argument
  form.mEditInput->trigger();
  QVERIFY(m_boxes.isEmpty());
  QCOMPARE(TMainForm().wordProcessor(), QString("true"));  // kept in the settings

  form.mAbout->trigger();
  QCOMPARE(m_boxes.size(), 1);
  QVERIFY(m_boxes[0].text.contains("VORNE 2014"));
  QVERIFY(m_boxes[0].text.contains("2014.6.5"));
  QVERIFY(m_boxes[0].text.contains(form.engineLibraryPath()));
}

void MainFormTest::failedOpenKeepsTheOpenProject_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("reason");  // in the message besides the file's name
  QTest::newRow("damaged file, Open") << "open"
                                      << "Error on Line 5 Item 3";
  QTest::newRow("deleted file, recent list") << "recent"
                                             << "";
  QTest::newRow("damaged file, dropped") << "drop"
                                         << "Error on Line 5 Item 3";
}

void MainFormTest::failedOpenKeepsTheOpenProject() {
  QFETCH(QString, how);
  QFETCH(QString, reason);
  const QString good = copyExample(m_folder, "steel_pipe_layered", "kept");
  const QString bad = copyExample(m_folder, "h_pile_sand", "damaged");
  {
    // The fifth line's third value (the outside diameter) is a word.
    QFile file(bad);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QList<QByteArray> words = lines[4].simplified().split(' ');
    words[2] = "abc";
    lines[4] = words.join(' ');
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n'));
  }
  TMainForm form;
  useChoosers(form);
  form.setPlotOpener([](TGraphPlot&) {});
  QVERIFY(form.openProjectFile(good, true));
  form.project().Title = "Edited, not saved";
  form.project().setModified();
  const QString caption = form.windowTitle();
  const int layers = form.project().layerCount();
  m_answers = {QMessageBox::No};  // the save-changes prompt: go on without saving

  QString failed = bad;
  if (how == "open") {
    m_openAnswers = {{bad, TMainForm::kCurrentLayoutFilter}};
    form.mOpen->trigger();
  } else if (how == "recent") {
    failed = m_folder.filePath("deleted.vr6d");
    QFile::copy(good, failed);
    QVERIFY(form.openProjectFile(failed, true));
    QVERIFY(form.openProjectFile(good, true));
    form.project().Title = "Edited, not saved";
    form.project().setModified();
    QFile::remove(failed);
    m_boxes.clear();
    m_answers = {QMessageBox::No};
    form.mRecent[1]->trigger();
  } else {
    form.openDroppedFile(bad);
  }
  QCOMPARE(m_boxes.size(), 2);  // the prompt, then the failure
  const QString message = m_boxes[1].text;
  QVERIFY2(message.contains(QDir::toNativeSeparators(failed)), qPrintable(message));
  QVERIFY2(message.contains(reason), qPrintable(message));
  QCOMPARE(form.project().Title, QString("Edited, not saved"));
  QCOMPARE(form.project().fileName(), good);
  QVERIFY(form.project().isModified());
  QCOMPARE(form.project().layerCount(), layers);
  QCOMPARE(form.windowTitle(), caption);
  QCOMPARE(form.recentFiles().entries().first(), good);
}

void MainFormTest::failedSaveStopsTheRunAndOffersSaveAs_data() {
  QTest::addColumn<bool>("saveAs");
  QTest::newRow("Save As refused: no run") << false;
  QTest::newRow("Save As taken: the run goes on") << true;
}

void MainFormTest::failedSaveStopsTheRunAndOffersSaveAs() {
  QFETCH(bool, saveAs);
  const QString file = copyExample(m_folder, "steel_pipe_layered", "unsaved");
  TMainForm form;
  useChoosers(form);
  form.setPlotOpener([](TGraphPlot&) {});
  QVERIFY(form.openProjectFile(file, true));
  // A folder that does not exist cannot take the file, whoever runs the test.
  const QString unwritable = m_folder.filePath("no-such-folder/unsaved.vr6d");
  form.project().setFileName(unwritable);
  form.project().Title = "Run me";
  form.project().setModified();
  const QString elsewhere = m_folder.filePath("saved_elsewhere.vr6d");
  QFile::remove(elsewhere);
  m_answers = {saveAs ? QMessageBox::Yes : QMessageBox::No};
  m_saveAnswers = {elsewhere};
  form.CompRun->trigger();

  QVERIFY(m_boxes.size() >= 1);
  QVERIFY(m_boxes[0].text.startsWith("An error occured during saving"));
  QVERIFY(m_boxes[0].text.contains(QDir::toNativeSeparators(unwritable)));
  QVERIFY(m_boxes[0].buttons.testFlag(QMessageBox::Yes));
  if (!saveAs) {
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(!boxTexts().contains(kCompleted));
    QVERIFY(!QFileInfo::exists(m_folder.filePath("no-such-folder")));
    QVERIFY(form.project().isModified());
    return;
  }
  QCOMPARE(boxTexts().mid(1), QStringList({kCompleted}));
  QCOMPARE(form.project().fileName(), elsewhere);
  QVERIFY(QFileInfo::exists(m_folder.filePath("saved_elsewhere.vr6o")));
  QVERIFY(form.resultsAvailable());
  QCOMPARE(form.recentFiles().entries().first(), elsewhere);
}

void MainFormTest::stoppedRunSaysWhyAndOffersTheReport() {
  // A pile 600 in across and 1000 ft long in heavy sand without a friction limit: every value lies
  // in its range, but the skin friction outgrows its column and the engine stops.
  const QString file = m_folder.filePath("huge.vr6d");
  {
    QFile data(file);
    QVERIFY(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
    data.write(
        "Huge pile in heavy sand\r\nDesigner\r\nJob\r\n1 10 2\r\n0 0 600 0 29000000 1000 0\r\n"
        "0 0 \r\n0 3 1 0 4 1 0 \r\n0 0 0 1 0 0 0 0 0 \r\n1200 0 \r\n0.0 1 10 300 50 300 \r\n"
        "0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n1200 1 10 300 50 300 \r\n0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n"
        "0 \r\n0 1 \r\n0 0 \r\n1 0 \r\n0 0 \r\n");
  }
  TMainForm form;
  form.setPlotOpener([](TGraphPlot&) {});
  QVERIFY(form.openProjectFile(file, true));
  // The word processor leaves a mark: the file it was given.
  const QString marker = m_folder.filePath("opened.txt");
  const QString editor = m_folder.filePath("editor.sh");
  {
    QFile script(editor);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QByteArray("#!/bin/sh\nprintf '%s' \"$1\" > '") + marker.toUtf8() + "'\n");
  }
  QFile(editor).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  form.setWordProcessor(editor);
  m_answers = {QMessageBox::Yes};
  form.CompRun->trigger();

  QCOMPARE(m_boxes.size(), 1);
  const QString message = m_boxes[0].text;
  QVERIFY2(message.startsWith(kRunStopped), qPrintable(message));
  QVERIFY2(message.contains("API RP 2A method: the total skin friction 1908518 KIP"),
           qPrintable(message));
  QVERIFY(!message.contains("Computations are completed"));
  QVERIFY(m_boxes[0].buttons.testFlag(QMessageBox::Yes));
  QVERIFY(!form.resultsAvailable());
  QVERIFY(form.tbViewOutput->isEnabled());
  QVERIFY(!form.tbCombinedPlot->isEnabled());
  QTRY_VERIFY(QFileInfo::exists(marker));
  QFile opened(marker);
  QVERIFY(opened.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(opened.readAll()), m_folder.filePath("huge.vr6o"));
}

// Run Analysis on a project with several faults: one box lists them all, and nothing is run.
void MainFormTest::faultyProjectIsNotRunAndEveryProblemIsListed() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "faulty");
  QFile::remove(m_folder.filePath("faulty.vr6o"));
  TMainForm form;
  QVERIFY(form.openProjectFile(file, true));
  TProgramData& pile = form.project();
  pile.InsideDiameter = pile.OutsideDiameter + 1.0;
  pile.layerData(0).cell(col::kSandFrictionAngle, 0).setFloat(95.0);
  pile.D.cell(col::kSideFrictionFactor, 1).setFloat(200000.0);
  pile.setModified();
  form.CompRun->trigger();
  QCOMPARE(m_boxes.size(), 1);
  const QString message = m_boxes[0].text;
  QVERIFY2(message.startsWith(kProjectProblemsHeading), qPrintable(message));
  for (const char* field : {"Inner Diameter, ID: 25 in must be less than the Outer Diameter, OD",
                            "Soil layer 1, top, Friction Angle: 95",
                            "Soil layer 2, Reduction/Resistance Factor on Side Friction: 200000"}) {
    QVERIFY2(message.contains(QLatin1String(field)), qPrintable(message));
  }
  QCOMPARE(message.count(QStringLiteral("\n- ")), 3);
  QVERIFY(!QFileInfo::exists(m_folder.filePath("faulty.vr6o")));
  QVERIFY(!form.resultsAvailable());
  QVERIFY(!pile.isModified());  // saved as it stands: nothing typed is lost
}

void MainFormTest::toolbarFollowsTheResultsAtOnce() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "toolbar");
  for (const char* extension : {".vr6o", ".vr6p", ".gwi"})
    QFile::remove(m_folder.filePath(QString("toolbar") + extension));
  TMainForm form;
  useChoosers(form);
  form.setPlotOpener([](TGraphPlot&) {});
  m_openAnswers = {{file, TMainForm::kCurrentLayoutFilter}};
  form.tbOpen->trigger();
  for (QAction* button :
       {form.tbViewOutput, form.tbCombinedPlot, form.tbTzCurves, form.tbLoadSettlement}) {
    QVERIFY2(!button->isEnabled(), qPrintable(button->text()));
  }
  form.tbRun->trigger();  // no menu is opened at any point
  for (QAction* button :
       {form.tbViewOutput, form.tbCombinedPlot, form.tbTzCurves, form.tbLoadSettlement}) {
    QVERIFY2(button->isEnabled(), qPrintable(button->text()));
  }
  // A project that has results, opened by another window's Open.
  TMainForm other;
  useChoosers(other);
  other.setPlotOpener([](TGraphPlot&) {});
  m_openAnswers = {{file, TMainForm::kCurrentLayoutFilter}};
  other.tbOpen->trigger();
  for (QAction* button :
       {other.tbViewOutput, other.tbCombinedPlot, other.tbTzCurves, other.tbLoadSettlement}) {
    QVERIFY2(button->isEnabled(), qPrintable(button->text()));
  }
}

void MainFormTest::statusBarTellsUnitsProjectAndLastRun() {
  const QString file = copyExample(m_folder, "steel_pipe_layered", "status");
  for (const char* extension : {".vr6o", ".vr6p", ".gwi"})
    QFile::remove(m_folder.filePath(QString("status") + extension));
  TMainForm form;
  const auto shown = [&form] {
    return QStringList{form.statusUnits->text(), form.statusProject->text(),
                       form.statusLastRun->text()};
  };
  QCOMPARE(shown(),
           QStringList({"English Units (kips, ft, in)", "New project; no results", "No run yet"}));
  QVERIFY(form.openProjectFile(file, true));
  QCOMPARE(form.statusProject->text(), QString("Saved; no results"));

  form.tbRun->trigger();
  QCOMPARE(form.statusProject->text(), QString("Saved; results current"));
  QVERIFY2(form.statusLastRun->text().startsWith("Last run completed at "),
           qPrintable(form.statusLastRun->text()));

  // A change made in a window that tells no one shows within a moment; saving it leaves the
  // results stale until the next run.
  const QString stale = QStringLiteral("results stale (inputs changed since the run)");
  form.project().Title = QStringLiteral("Changed");
  form.project().setModified();
  QTRY_COMPARE(form.statusProject->text(), "Modified; " + stale);
  form.mSave->trigger();
  QCOMPARE(form.statusProject->text(), "Saved; " + stale);
  form.mSIUnits->trigger();
  QCOMPARE(form.statusUnits->text(), QString("S.I. Units (kN, m, mm)"));
  QCOMPARE(form.statusProject->text(), "Modified; " + stale);
  form.mEnglishUnits->trigger();
  form.mSave->trigger();

  // Opened again, the results are older than the data file.
  TMainForm other;
  QVERIFY(other.openProjectFile(file, true));
  QCOMPARE(other.statusProject->text(), "Saved; " + stale);
  QCOMPARE(other.statusLastRun->text(), QString("No run yet"));
  other.tbRun->trigger();
  QCOMPARE(other.statusProject->text(), QString("Saved; results current"));

  // A run the project check refuses says so: soil that ends above the pile tip never reaches
  // the engine.
  form.project().PileLength =
      form.project().D.cell(col::kBottomDepth, form.project().layerCount() - 1).asFloat() + 5.0;
  m_answers = {QMessageBox::No};
  form.tbRun->trigger();
  QVERIFY2(form.statusLastRun->text().startsWith("Last run not started: " +
                                                 kProjectProblemsHeading),
           qPrintable(form.statusLastRun->text()));
  QCOMPARE(form.statusProject->text(), "Saved; " + stale);  // the earlier results stay
}

void MainFormTest::toolbarAndWindowsCarryIcons() {
  TMainForm form;
  QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
  for (QAction* button : form.mainToolBar->actions()) {
    if (button->isSeparator()) continue;
    QVERIFY2(!button->icon().pixmap(24, 24).isNull(), qPrintable(button->toolTip()));
    QCOMPARE(button->statusTip(), button->toolTip());
  }
  form.mTitle->trigger();
  QMdiSubWindow* frame = form.mdiArea()->activeSubWindow();
  QVERIFY(frame != nullptr);
  QCOMPARE(frame->windowIcon().cacheKey(), form.windowIcon().cacheKey());
}

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
