// Main window: menus, toolbar, child windows, files, the recent list and the analysis run.
#include "gui/main_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/analysis_run.h"
#include "app/engine_run.h"
#include "app/main_window_rules.h"
#include "base/io_error.h"
#include "gui/message_box.h"
#include "gui/program_icons.h"
#include "gui/report_viewer.h"

using namespace vorne;

namespace {

// The frame of a child window in the MDI area: commits the window when it closes, follows the
// window when it closes itself, and tells the main window that the command's window is gone.
class TChildFrame : public QMdiSubWindow {
 public:
  explicit TChildFrame(QWidget* window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(window);
    window->installEventFilter(this);
  }

  std::function<void()> onClosed;
  bool isClosing() const { return m_closing || m_closed; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (m_closed) return event->accept();
    auto* child = dynamic_cast<TChildWindow*>(widget());
    if (child != nullptr && !child->commitToProject()) return event->ignore();
    // Closing activates the next window; this one has committed already.
    m_closing = true;
    QMdiSubWindow::closeEvent(event);
    m_closing = false;
    if (!event->isAccepted()) return;
    m_closed = true;
    if (onClosed) onClosed();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // A window that closes itself is hidden right after its close event was accepted.
    if (watched == widget() && !m_closed && !m_closing) {
      if (event->type() == QEvent::Close) {
        m_innerClosing = true;
        QTimer::singleShot(0, this, [this] { m_innerClosing = false; });
      } else if (event->type() == QEvent::Hide && m_innerClosing) {
        m_innerClosing = false;
        QTimer::singleShot(0, this, [this] { close(); });
      }
    }
    return QMdiSubWindow::eventFilter(watched, event);
  }

 private:
  bool m_closing = false;
  bool m_closed = false;
  bool m_innerClosing = false;
};

// A frame made by addChildWindow knows whether it is closing; any other frame in the area (a plot
// window placed by its own opener) counts as open.
bool isClosingFrame(const QMdiSubWindow* frame) {
  const auto* childFrame = dynamic_cast<const TChildFrame*>(frame);
  return childFrame && childFrame->isClosing();
}

QString openFilters() {
  return TMainForm::kCurrentLayoutFilter + QStringLiteral(";;") + TMainForm::kOlderLayoutFilter +
         QStringLiteral(";;") + TMainForm::kAllFilesFilter;
}

}  // namespace

TFileChooser standardFileChooser() {
  TFileChooser chooser;
  chooser.open = [](QWidget* parent, const QString& caption, const QString& fileName,
                    const QString& filters, QString* selectedFilter) {
    return QFileDialog::getOpenFileName(parent, caption, fileName, filters, selectedFilter);
  };
  chooser.save = [](QWidget* parent, const QString& caption, const QString& fileName,
                    const QString& filters) {
    QFileDialog dialog(parent, caption, QFileInfo(fileName).absolutePath(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vr6d"));
    dialog.selectFile(QFileInfo(fileName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  return chooser;
}

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent),
      m_project(std::make_unique<TProgramData>()),
      m_graphs(std::make_unique<TMainGraphs>()),
      m_settings(kSettingsOrganization, kSettingsApplication),
      m_mdiArea(new QMdiArea(this)),
      m_engineLibraryPath(defaultEngineLibraryPath()),
      m_fileChooser(standardFileChooser()) {
  setObjectName(QStringLiteral("MainForm"));
  setCentralWidget(m_mdiArea);
  m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::childActivated);
  setAcceptDrops(true);
  resize(1000, 700);
  setWindowIcon(programIcon());

  readSettings();
  createMenus();
  createToolBar();
  createStatusBar();
  plugChildWindows();
  refreshRecentMenu();
  refreshPileShape();
  refreshCommands();
  setCaption();

  // Edits in a table or a field mark the project modified without telling anyone; the status
  // bar and the commands catch up with them here.
  auto* stateTimer = new QTimer(this);
  stateTimer->setInterval(400);
  connect(stateTimer, &QTimer::timeout, this, &TMainForm::refreshCommands);
  stateTimer->start();
}

TMainForm::~TMainForm() {
  // Child windows refer to the project and the graphs: they go first.
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) delete frame;
}

// --- menus and toolbar

QAction* TMainForm::addItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut) {
  QAction* item = menu->addAction(caption);
  if (!shortcut.isEmpty()) item->setShortcut(shortcut);
  return item;
}

void TMainForm::createMenus() {
  fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  mNew = addItem(fileMenu, QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")));
  mOpen = addItem(fileMenu, QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")));
  mSave = addItem(fileMenu, QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")));
  mSaveAs = addItem(fileMenu, QStringLiteral("Save &As..."));
  fileMenu->addSeparator();
  for (int i = 0; i < TRecentFiles::kMaxFiles; ++i) {
    mRecent[i] = fileMenu->addAction(QString());
    mRecent[i]->setVisible(false);
    connect(mRecent[i], &QAction::triggered, this, [this, i] { openRecentFile(i); });
  }
  m_recentSeparatorEnd = fileMenu->addSeparator();
  mExit = addItem(fileMenu, QStringLiteral("E&xit"));
  connect(mNew, &QAction::triggered, this, &TMainForm::FileNewClick);
  connect(mOpen, &QAction::triggered, this, &TMainForm::FileOpenClick);
  connect(mSave, &QAction::triggered, this, &TMainForm::FileSaveClick);
  connect(mSaveAs, &QAction::triggered, this, &TMainForm::FileSaveAsClick);
  connect(mExit, &QAction::triggered, this, &QWidget::close);

  dataMenu = menuBar()->addMenu(QStringLiteral("Da&ta"));
  mTitle = addItem(dataMenu, QStringLiteral("&Title"));
  mCompMethod = addItem(dataMenu, QStringLiteral("Computational &Method"));
  mPileMaterial = addItem(dataMenu, QStringLiteral("&Pile Material"));
  mCircularPile = addItem(dataMenu, QStringLiteral("&Circular-Section Pile"));
  mNoncircularPile = addItem(dataMenu, QStringLiteral("&Noncircular-Section Pile"));
  mSoilLayers = addItem(dataMenu, QStringLiteral("Soi&l Layers"));
  mCptData = addItem(dataMenu, QStringLiteral("CPT &Data File (optional for cone-based method)"));

  optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
  mUnits = optionsMenu->addMenu(QStringLiteral("&Units"));
  mEnglishUnits = addItem(mUnits, QStringLiteral("&English Units (kips, ft, in)"));
  mSIUnits = addItem(mUnits, QStringLiteral("&S.I. Units (kN, m, mm)"));
  m_unitGroup = new QActionGroup(this);
  m_unitGroup->setExclusive(true);
  for (QAction* item : {mEnglishUnits, mSIUnits}) {
    item->setCheckable(true);
    m_unitGroup->addAction(item);
  }
  connect(mEnglishUnits, &QAction::triggered, this, [this] { switchUnitSystem(1); });
  connect(mSIUnits, &QAction::triggered, this, [this] { switchUnitSystem(2); });
  connect(mUnits, &QMenu::aboutToShow, this,
          [this] { (m_project->units() == 2 ? mSIUnits : mEnglishUnits)->setChecked(true); });
  mTzPrint = addItem(optionsMenu, QStringLiteral("Print t-&z Curves at Additional Depths "));
  mTzPrint->setCheckable(true);
  mControlOptions = addItem(optionsMenu, QStringLiteral("Control &Options"));

  computationMenu = menuBar()->addMenu(QStringLiteral("&Computation"));
  CompRun = addItem(computationMenu, QStringLiteral("&Run Analysis"));
  mEditInput = addItem(computationMenu, QStringLiteral("Edit &Input Text"));
  mEditNotes = addItem(computationMenu, QStringLiteral("Edit &Processor-Run Notes"));
  mEditOutput = addItem(computationMenu, QStringLiteral("Edit &Output Text"));
  mViewSoilCoordinates = addItem(computationMenu, QStringLiteral("&View Soil Layer Coordinates"));
  mEditGrlweap = addItem(computationMenu, QStringLiteral("Edit &GRLWeap Data File"));
  computationMenu->addSeparator();
  mExportReport = addItem(computationMenu, QStringLiteral("&Export Report as PDF..."));
  connect(CompRun, &QAction::triggered, this, &TMainForm::CompRunClick);
  connect(mEditInput, &QAction::triggered, this,
          [this] { openInWordProcessor(QFileInfo(m_project->fileName()).absoluteFilePath()); });
  connect(mEditNotes, &QAction::triggered, this,
          [this] { openInWordProcessor(projectSideFile(m_project->fileName(), ".vr6r")); });
  connect(mEditOutput, &QAction::triggered, this,
          [this] { openInWordProcessor(projectSideFile(m_project->fileName(), ".vr6o")); });
  connect(mEditGrlweap, &QAction::triggered, this, [this] {
    openInWordProcessor(QFileInfo(m_project->grlweapFileName()).absoluteFilePath());
  });

  graphicsMenu = menuBar()->addMenu(QStringLiteral("&Graphics"));
  mUSkin = addItem(graphicsMenu, QStringLiteral("&Unit Skin Friction vs Depth"));
  mSkin = addItem(graphicsMenu, QStringLiteral("Accumulated &Skin Friction vs Depth"));
  mTip = addItem(graphicsMenu, QStringLiteral("&Tip Resistance vs Depth"));
  mTotal = addItem(graphicsMenu, QStringLiteral("Total &Capacity vs Depth"));
  mLoad = addItem(graphicsMenu, QStringLiteral("Load &Distribution"));
  mCombine = addItem(graphicsMenu, QStringLiteral("Combined &Plot"));
  mAxial = addItem(graphicsMenu, QStringLiteral("&Axial Load vs Settlement"));
  mTzCurves = addItem(graphicsMenu, QStringLiteral("Internally-Generated t-&z Curves"));
  mExtraTz = addItem(graphicsMenu, QStringLiteral("&Extra t-z curves at User Specified Depths"));
  mQw = addItem(graphicsMenu, QStringLiteral("Internally-Generated &Q-w Curve"));
  for (QAction* item : graphicsMenu->actions()) {
    connect(item, &QAction::triggered, this, [this, item] { showGraph(item); });
  }
  graphicsMenu->addSeparator();
  mExportExcel = addItem(graphicsMenu, QStringLiteral("E&xport Plots to Excel"));

  windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
  mCascade = addItem(windowMenu, QStringLiteral("&Cascade"));
  mTile = addItem(windowMenu, QStringLiteral("&Tile"));
  mArrangeIcons = addItem(windowMenu, QStringLiteral("&Arrange Icons"));
  mCloseAll = addItem(windowMenu, QStringLiteral("C&lose All"));
  windowMenu->addSeparator();
  connect(mCascade, &QAction::triggered, this, &TMainForm::cascadeWindows);
  connect(mTile, &QAction::triggered, this, &TMainForm::tileWindows);
  connect(mCloseAll, &QAction::triggered, this, &TMainForm::closeAllChildWindows);
  connect(mArrangeIcons, &QAction::triggered, this, &TMainForm::arrangeIcons);
  connect(windowMenu, &QMenu::aboutToShow, this, &TMainForm::refreshWindowMenu);

  helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  mContents = addItem(helpMenu, QStringLiteral("&Contents"));
  mUsersManual = addItem(helpMenu, QStringLiteral("&User's Manual"));
  mTechnicalManual = addItem(helpMenu, QStringLiteral("Technical &Manual"));
  mAbout = addItem(helpMenu, QStringLiteral("&About..."));
  mCheckUpdates = addItem(helpMenu, QStringLiteral("Check for U&pdates"));
  connect(mAbout, &QAction::triggered, this, &TMainForm::AboutClick);

  // Opening these menus makes the active child window commit, so that commands see current data.
  for (QMenu* menu : {fileMenu, dataMenu, optionsMenu, computationMenu, helpMenu}) {
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::commitActiveChild);
  }
  connect(fileMenu, &QMenu::aboutToShow, this, &TMainForm::refreshRecentMenu);
  connect(dataMenu, &QMenu::aboutToShow, this, &TMainForm::refreshPileShape);
  connect(optionsMenu, &QMenu::aboutToShow, this,
          [this] { mTzPrint->setChecked(m_project->ExtraTzDepths == 1); });
  connect(computationMenu, &QMenu::aboutToShow, this, &TMainForm::refreshCommands);
  connect(graphicsMenu, &QMenu::aboutToShow, this, &TMainForm::refreshCommands);
}

QAction* TMainForm::addButton(const QString& hint, QAction* menuTwin) {
  QAction* button = mainToolBar->addAction(hint);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  if (menuTwin) {
    m_toolbarTwins.insert(menuTwin, button);
    connect(button, &QAction::triggered, menuTwin, &QAction::trigger);
  }
  return button;
}

void TMainForm::createToolBar() {
  mainToolBar = addToolBar(QStringLiteral("Toolbar"));
  mainToolBar->setObjectName(QStringLiteral("MainToolBar"));
  mainToolBar->setMovable(false);
  // Icons with the hint beside them, as the desktop's own setting for toolbars decides.
  mainToolBar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
  mainToolBar->setIconSize(QSize(24, 24));
  // The file and run buttons commit the active child window first, as their menus do on opening.
  tbNew = addButton(QStringLiteral("New File"), nullptr);
  tbOpen = addButton(QStringLiteral("Open File"), nullptr);
  tbSave = addButton(QStringLiteral("Save File"), nullptr);
  tbRun = addButton(QStringLiteral("Run Data File"), nullptr);
  connect(tbNew, &QAction::triggered, this, [this] {
    commitActiveChild();
    FileNewClick();
  });
  connect(tbOpen, &QAction::triggered, this, [this] {
    commitActiveChild();
    FileOpenClick();
  });
  connect(tbSave, &QAction::triggered, this, &TMainForm::FileSaveClick);
  connect(tbRun, &QAction::triggered, this, &TMainForm::CompRunClick);
  mainToolBar->addSeparator();
  tbSoilLayers = addButton(QStringLiteral("Soil layer Data"), mSoilLayers);
  tbViewOutput = addButton(QStringLiteral("View Output"), nullptr);
  connect(tbViewOutput, &QAction::triggered, this,
          [this] { viewReport(projectSideFile(m_project->fileName(), ".vr6o")); });
  tbSoilProfile = addButton(QStringLiteral("View Soil Profile"), mViewSoilCoordinates);
  mainToolBar->addSeparator();
  tbCombinedPlot = addButton(QStringLiteral("Combined Plot"), mCombine);
  tbTzCurves = addButton(QStringLiteral("t-z Curves"), mTzCurves);
  tbLoadSettlement = addButton(QStringLiteral("Load vs. Settlement"), mAxial);

  // The theme's icon where the desktop has one for the command, the bundled picture otherwise.
  const std::pair<QAction*, std::pair<const char*, const char*>> icons[] = {
      {tbNew, {"document-new", "new"}},      {tbOpen, {"document-open", "open"}},
      {tbSave, {"document-save", "save"}},   {tbRun, {"media-playback-start", "run"}},
      {tbSoilLayers, {"", "soil-layers"}},   {tbViewOutput, {"text-x-generic", "view-output"}},
      {tbSoilProfile, {"", "soil-profile"}}, {tbCombinedPlot, {"", "combined-plot"}},
      {tbTzCurves, {"", "tz-curves"}},       {tbLoadSettlement, {"", "load-settlement"}},
  };
  for (const auto& [button, names] : icons) {
    button->setIcon(
        toolbarIcon(QString::fromLatin1(names.first), QString::fromLatin1(names.second)));
  }
}

void TMainForm::createStatusBar() {
  statusUnits = new QLabel(this);
  statusProject = new QLabel(this);
  statusLastRun = new QLabel(this);
  statusUnits->setObjectName(QStringLiteral("StatusUnits"));
  statusProject->setObjectName(QStringLiteral("StatusProject"));
  statusLastRun->setObjectName(QStringLiteral("StatusLastRun"));
  for (QLabel* part : {statusUnits, statusProject, statusLastRun}) {
    part->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    part->setContentsMargins(4, 0, 4, 0);
  }
  // Permanent parts, so that a command's status tip shown on the left leaves them in place.
  statusBar()->addPermanentWidget(statusLastRun, 1);
  statusBar()->addPermanentWidget(statusProject);
  statusBar()->addPermanentWidget(statusUnits);
}

// --- child windows

void TMainForm::plugWindow(QAction* command, WindowFactory make) {
  plugCommand(command, [this, command, make = std::move(make)] { showChildWindow(command, make); });
}

void TMainForm::plugCommand(QAction* command, std::function<void()> run) {
  m_plugged.insert(command);
  if (QAction* twin = m_toolbarTwins.value(command)) m_plugged.insert(twin);
  connect(command, &QAction::triggered, this, [run = std::move(run)] { run(); });
  refreshCommands();
  refreshPileShape();
}

QWidget* TMainForm::showChildWindow(QAction* command, const WindowFactory& make) {
  if (QWidget* open = childWindow(command)) {
    QMdiSubWindow* frame = m_children.value(command);
    if (frame->isMinimized()) frame->showNormal();
    m_mdiArea->setActiveSubWindow(frame);
    return open;
  }
  QWidget* window = make ? make() : nullptr;
  if (!window) return nullptr;
  auto* frame = static_cast<TChildFrame*>(addChildWindow(window));
  m_children.insert(command, frame);
  frame->onClosed = [this, command, frame] {
    if (m_children.value(command) == frame) m_children.remove(command);
  };
  return window;
}

QWidget* TMainForm::childWindow(QAction* command) const {
  const QPointer<QMdiSubWindow> frame = m_children.value(command);
  if (!frame || isClosingFrame(frame.data())) return nullptr;
  return frame->widget();
}

QMdiSubWindow* TMainForm::addChildWindow(QWidget* window) {
  // The size a window asked for before the frame took it in, as the size it opens at.
  if (window->testAttribute(Qt::WA_Resized))
    window->setProperty(kOpeningSizeProperty, window->size());
  auto* frame = new TChildFrame(window);
  // The program's icon on every child window that has none of its own.
  if (!window->testAttribute(Qt::WA_SetWindowIcon)) frame->setWindowIcon(windowIcon());
  m_mdiArea->addSubWindow(frame);
  frame->show();
  frame->resize(usableFrameSize(frame));
  m_mdiArea->setActiveSubWindow(frame);
  return frame;
}

void TMainForm::closeChildWindow(QAction* command) {
  if (const QPointer<QMdiSubWindow> frame = m_children.value(command)) frame->close();
}

void TMainForm::closeAllChildWindows() {
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) frame->close();
}

bool TMainForm::commitActiveChild() {
  QMdiSubWindow* frame = m_mdiArea->currentSubWindow();
  if (!frame) frame = m_activeChild;
  if (!frame || isClosingFrame(frame)) return true;
  auto* child = dynamic_cast<TChildWindow*>(frame->widget());
  const bool committed = child == nullptr || child->commitToProject();
  refreshCommands();
  return committed;
}

void TMainForm::reloadChildWindows() {
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) {
    if (isClosingFrame(frame)) continue;
    if (auto* child = dynamic_cast<TChildWindow*>(frame->widget())) child->loadFromProject();
  }
}

void TMainForm::childActivated(QMdiSubWindow* frame) {
  if (m_activeChild == frame) return;
  if (m_activeChild && !isClosingFrame(m_activeChild.data())) {
    if (auto* child = dynamic_cast<TChildWindow*>(m_activeChild->widget()))
      child->commitToProject();
  }
  m_activeChild = frame;
  if (frame && !isClosingFrame(frame)) {
    if (auto* child = dynamic_cast<TChildWindow*>(frame->widget())) child->loadFromProject();
  }
  refreshCommands();
}

void TMainForm::setPlotOpener(PlotOpener open) {
  m_plotOpener = std::move(open);
  refreshCommands();
}

TGraphPlot* TMainForm::graphOf(QAction* command) {
  TMainGraphs& g = *m_graphs;
  const std::pair<QAction*, TGraphPlot*> graphs[] = {{mUSkin, &g.pltUSkin},
                                                     {mSkin, &g.pltSkin},
                                                     {mTip, &g.pltTip},
                                                     {mTotal, &g.pltTotal},
                                                     {mLoad, &g.pltLoad},
                                                     {mCombine, &g.pltCombine},
                                                     {mAxial, &g.pltAxial},
                                                     {mTzCurves, &g.pltTZcurves},
                                                     {mExtraTz, &g.PltExtraTZ},
                                                     {mQw, &g.PltQw},
                                                     {tbCombinedPlot, &g.pltCombine},
                                                     {tbTzCurves, &g.pltTZcurves},
                                                     {tbLoadSettlement, &g.pltAxial}};
  for (const auto& [item, graph] : graphs) {
    if (item == command) return graph;
  }
  return nullptr;
}

void TMainForm::showGraph(QAction* command) {
  TGraphPlot* graph = graphOf(command);
  if (graph && m_plotOpener && command->isEnabled()) m_plotOpener(*graph);
}

void TMainForm::refreshWindowMenu() {
  for (QAction* item : m_windowItems) {
    windowMenu->removeAction(item);
    item->deleteLater();
  }
  m_windowItems.clear();
  // At most 50 items, as many as the menu has room for.
  constexpr int kMaxWindowItems = 50;
  const QList<QMdiSubWindow*> frames = m_mdiArea->subWindowList();
  for (int i = 0; i < frames.size() && i < kMaxWindowItems; ++i) {
    QMdiSubWindow* frame = frames[i];
    // The first nine windows by their number as access key; a caption's "&" is shown as such.
    const QString title =
        QString(frame->windowTitle()).replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item =
        windowMenu->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : title);
    item->setCheckable(true);
    item->setChecked(frame == m_mdiArea->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, frame = QPointer<QMdiSubWindow>(frame)] {
      if (!frame) return;
      if (frame->isMinimized()) frame->showNormal();
      m_mdiArea->setActiveSubWindow(frame);
    });
    m_windowItems.append(item);
  }
}

void TMainForm::arrangeIcons() {
  // Minimised windows in a row along the bottom edge, left to right.
  int x = 0;
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) {
    if (!frame->isMinimized()) continue;
    const QSize size = frame->size();
    if (x > 0 && x + size.width() > m_mdiArea->viewport()->width()) x = 0;
    frame->move(x, m_mdiArea->viewport()->height() - size.height());
    x += size.width();
  }
}

// --- enabling

TWindowState TMainForm::windowState() const {
  TWindowState state;
  const QString& fileName = m_project->fileName();
  state.resultsAvailable = m_resultsAvailable;
  state.untitled = m_project->isUntitled();
  state.modified = m_project->isModified();
  state.resultsStale = m_resultsStale;
  state.units = m_project->units();
  state.extraTzDepths = m_project->ExtraTzDepths;
  state.loadingType = m_project->LoadingType;
  state.circularSection = m_project->CircularSection;
  if (!state.untitled) {
    state.dataFile = QFileInfo::exists(fileName);
    state.notesFile = QFileInfo::exists(projectSideFile(fileName, ".vr6r"));
    state.reportFile = QFileInfo::exists(projectSideFile(fileName, ".vr6o"));
    state.grlweapFile = QFileInfo::exists(m_project->grlweapFileName());
  }
  state.plotFile = QFileInfo::exists(projectSideFile(fileName, ".vr6p"));
  return state;
}

void TMainForm::refreshCommands() {
  if (!mNew || !tbNew || !statusUnits) return;  // still building the window
  // Changes made after the results were computed make them stale until the next run, also once
  // the changes are saved.
  if (m_resultsAvailable && m_project->isModified()) m_resultsStale = true;
  const TWindowState state = windowState();
  const TCommandStates commands = commandStates(state);

  const bool plots = static_cast<bool>(m_plotOpener);
  for (QAction* item : graphicsMenu->actions()) item->setEnabled(plots && commands.graphs.results);
  mExtraTz->setEnabled(plots && commands.graphs.extraTz);
  mTip->setEnabled(plots && commands.graphs.tip);
  mQw->setEnabled(plots && commands.graphs.tip);
  mExportExcel->setEnabled(commands.graphs.results && m_plugged.contains(mExportExcel));
  mExportReport->setEnabled(commands.graphs.results && m_plugged.contains(mExportReport));
  for (QAction* button : {tbCombinedPlot, tbTzCurves, tbLoadSettlement})
    button->setEnabled(plots && commands.graphs.results);

  mEditInput->setEnabled(commands.editInput);
  mEditNotes->setEnabled(commands.editNotes);
  mEditOutput->setEnabled(commands.viewOutput);
  tbViewOutput->setEnabled(commands.viewOutput);
  mEditGrlweap->setEnabled(commands.editGrlweap);
  mCircularPile->setEnabled(commands.circularPile && m_plugged.contains(mCircularPile));
  mNoncircularPile->setEnabled(commands.noncircularPile && m_plugged.contains(mNoncircularPile));
  mTzPrint->setChecked(state.extraTzDepths == 1);

  // Commands whose window or routine is plugged in.
  for (QAction* item : {mTitle, mCompMethod, mPileMaterial, mSoilLayers, mCptData, mTzPrint,
                        mControlOptions, mViewSoilCoordinates, mContents, mUsersManual,
                        mTechnicalManual, mCheckUpdates, tbSoilLayers, tbSoilProfile}) {
    item->setEnabled(m_plugged.contains(item));
  }

  const TStatusTexts status = statusTexts(state, m_lastRun);
  statusUnits->setText(status.units);
  statusProject->setText(status.project);
  statusLastRun->setText(status.lastRun);
}

void TMainForm::resultsRenewed(bool stale) {
  m_resultsStale = stale;
  refreshCommands();
}

void TMainForm::refreshPileShape() {
  if (!mCircularPile) return;
  refreshCommands();
  closeChildWindow(m_project->CircularSection ? mNoncircularPile : mCircularPile);
}

void TMainForm::refreshRecentMenu() {
  const QString folder = QDir::currentPath();
  for (int i = 0; i < TRecentFiles::kMaxFiles; ++i) {
    const bool used = !m_recentFiles.entries()[i].isEmpty();
    mRecent[i]->setVisible(used);
    // The entry's number is its access key ("1&0" for the tenth).
    const QString caption = m_recentFiles.caption(i, folder);
    mRecent[i]->setText(!used   ? QString()
                        : i < 9 ? QStringLiteral("&") + caption
                                : caption.left(1) + QStringLiteral("&") + caption.mid(1));
  }
  m_recentSeparatorEnd->setVisible(m_recentFiles.count() > 0);
}

void TMainForm::setCaption() { setWindowTitle(mainWindowCaption(m_project->fileName())); }

// --- settings

void TMainForm::readSettings() {
  // Unreadable settings leave the defaults: the desktop's editor and an empty list.
  m_settings.beginGroup(kSettingsGroup);
  m_wordProcessor = m_settings.value(kWordProcessorKey).toString();
  m_settings.endGroup();
  m_recentFiles.load(m_settings);
}

void TMainForm::writeSettings() {
  m_settings.beginGroup(kSettingsGroup);
  m_settings.setValue(kWordProcessorKey, m_wordProcessor);
  m_settings.endGroup();
  m_recentFiles.save(m_settings);
  m_settings.sync();
}

void TMainForm::setWordProcessor(const QString& program) {
  m_wordProcessor = program;
  writeSettings();
}

// --- files

bool TMainForm::confirmSaveChanges() {
  if (!m_project->isModified()) return true;
  const QMessageBox::StandardButton answer =
      showMessageBox(this, QMessageBox::Question, kProgramTitle,
                     QStringLiteral("Do you want to save any changes?"),
                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::No) return true;
  if (answer != QMessageBox::Yes) return false;
  // Going on after a failed save would lose the changes, so only a written project goes on.
  return FileSaveClick() && !m_project->isUntitled();
}

bool TMainForm::writeProject(bool running) {
  QString reason;
  QString file = m_project->fileName();
  try {
    m_project->save();
    return true;
  } catch (const EInOutError& error) {
    reason = error.message();
    if (!error.fileName().isEmpty()) file = error.fileName();
  } catch (const std::exception& error) {
    reason = QString::fromLocal8Bit(error.what());
  }
  const QString where = QDir::toNativeSeparators(file) + QStringLiteral(":\n") + reason;
  if (!running) {
    showMessageBox(this, QMessageBox::Critical, kProgramTitle, where);
    return false;
  }
  // A run goes on only with the project on disk as the screen shows it.
  m_saveAsOffered =
      showMessageBox(this, QMessageBox::Critical, kProgramTitle,
                     QStringLiteral("An error occured during saving") + QStringLiteral("\n\n") +
                         where + QStringLiteral("\n\n") + kRunNotStartedSaveAs,
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
  return false;
}

bool TMainForm::saveProject(bool running) {
  const bool olderLayout =
      QFileInfo(m_project->fileName()).suffix().toLower() == QLatin1String("vrd");
  if (!m_project->isUntitled() && !olderLayout) return writeProject(running);
  return saveProjectAs(running);
}

bool TMainForm::saveProjectAs(bool running) {
  const QString proposal = saveAsProposal(m_project->fileName());
  const QString title =
      QStringLiteral("Save ") + QFileInfo(m_project->fileName()).fileName() + QStringLiteral(" As");
  const QString chosen =
      m_fileChooser.save ? m_fileChooser.save(this, title, proposal, openFilters()) : QString();
  bool written = false;
  const QString target = chosen.isEmpty() ? QString() : savedProjectFileName(chosen);
  // The dialog asked about the name it returned; a name changed here is asked about again.
  const bool replaceRefused =
      !target.isEmpty() && target != chosen && QFileInfo::exists(target) &&
      showMessageBox(this, QMessageBox::Warning, title,
                     QDir::toNativeSeparators(target) +
                         QStringLiteral(" already exists.\nDo you want to replace it?"),
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes;
  if (target.isEmpty() || replaceRefused) {
    m_saveCancelled = true;
  } else {
    m_project->setFileName(recentFilePath(target));
    setCaption();
    written = writeProject(running);
    if (written) {
      addRecentFile(m_project->fileName());
      refreshRecentMenu();
    }
  }
  refreshCommands();
  closeAllChildWindows();
  return written;
}

// A refused entry in the active window stops a save: the file would hold the old value while the
// screen shows the refused text.
bool TMainForm::FileSaveClick() {
  const bool written = commitActiveChild() && saveProject(false);
  refreshCommands();
  return written;
}

bool TMainForm::FileSaveAsClick() { return commitActiveChild() && saveProjectAs(false); }

void TMainForm::FileNewClick() {
  if (!confirmSaveChanges()) return;
  closeAllChildWindows();
  m_project->createNew();
  setCaption();
  m_resultsAvailable = false;
  m_resultsStale = false;
  m_lastRun = {};
  refreshPileShape();
  refreshCommands();
  emit projectReplaced();
}

void TMainForm::FileOpenClick() {
  if (!confirmSaveChanges()) return;
  QString filter = kCurrentLayoutFilter;
  const QString chosen = m_fileChooser.open ? m_fileChooser.open(this, QStringLiteral("Open"),
                                                                 QString(), openFilters(), &filter)
                                            : QString();
  if (chosen.isEmpty()) return;
  openProjectFile(chosen, filter != kOlderLayoutFilter);
}

bool TMainForm::readProjectFile(TProgramData& target, const QString& fileName, bool currentFormat) {
  QString reason;
  QString failedFile = fileName;
  try {
    target.createFromFile(fileName, currentFormat);
    return true;
  } catch (const EInOutError& error) {
    reason = error.message();
    if (!error.fileName().isEmpty()) failedFile = error.fileName();
  } catch (const std::exception& error) {
    reason = QString::fromLocal8Bit(error.what());
  }
  showMessageBox(this, QMessageBox::Critical, kProgramTitle,
                 projectReadFailure(failedFile, reason));
  return false;
}

bool TMainForm::readIntoProject(const QString& fileName, bool currentFormat) {
  // The file is read into a project of its own first: one that cannot be read leaves the open
  // project and its windows exactly as they are. Only then is it read into the open project,
  // which the windows refer to.
  {
    TProgramData trial;
    if (!readProjectFile(trial, fileName, currentFormat)) return false;
  }
  closeAllChildWindows();
  return readProjectFile(*m_project, fileName, currentFormat);
}

bool TMainForm::openProjectFile(const QString& fileName, bool currentFormat) {
  const QString path = recentFilePath(fileName);
  if (!readIntoProject(path, currentFormat)) return false;
  QDir::setCurrent(QFileInfo(path).absolutePath());
  setCaption();
  readOpenedResults();
  refreshPileShape();
  addRecentFile(path);
  refreshRecentMenu();
  emit projectReplaced();
  emit resultsChanged();
  return true;
}

void TMainForm::readOpenedResults() {
  m_resultsAvailable = false;
  m_lastRun = {};
  const QFileInfo plotFile(projectSideFile(m_project->fileName(), ".vr6p"));
  if (plotFile.exists())
    m_resultsAvailable = loadPlotDataIntoProject(*m_graphs, *m_project, plotFile.filePath());
  const QFileInfo dataFile(m_project->fileName());
  resultsRenewed(m_resultsAvailable &&
                 resultsOlderThanInputs(dataFile.lastModified().toMSecsSinceEpoch(),
                                        plotFile.lastModified().toMSecsSinceEpoch()));
}

void TMainForm::openStartupProject(const QString& argument) {
  if (argument.isEmpty()) return;
  const QFileInfo file(commandLineProjectFile(argument));
  if (!file.exists()) {
    showMessageBox(this, QMessageBox::Warning, kProgramTitle,
                   missingProjectMessage(file.absoluteFilePath()));
    return;
  }
  // The layout follows the extension, so an older-layout file named here is read as one.
  const QString path = recentFilePath(file.absoluteFilePath());
  if (!readIntoProject(path, isCurrentLayoutFile(file.fileName()))) return;
  QDir::setCurrent(file.absolutePath());
  readOpenedResults();
  addRecentFile(path);
  setCaption();
  refreshPileShape();
  refreshCommands();
  refreshRecentMenu();
  emit projectReplaced();
  emit resultsChanged();
}

void TMainForm::addRecentFile(const QString& fileName) {
  m_recentFiles.add(recentFilePath(fileName));
  writeSettings();
}

void TMainForm::openDroppedFile(const QString& fileName) {
  commitActiveChild();
  if (!confirmSaveChanges()) return;
  openProjectFile(fileName, isCurrentLayoutFile(fileName));
}

void TMainForm::openRecentFile(int index) {
  const QString fileName = m_recentFiles.entries().value(index);
  if (fileName.isEmpty()) return;
  if (!confirmSaveChanges()) return;
  openProjectFile(fileName, isCurrentLayoutFile(fileName));
}

void TMainForm::openInWordProcessor(const QString& fileName) {
  const bool started = m_wordProcessor.isEmpty()
                           ? QDesktopServices::openUrl(QUrl::fromLocalFile(fileName))
                           : QProcess::startDetached(m_wordProcessor, {fileName});
  if (!started) {
    showMessageBox(this, QMessageBox::Critical, kProgramTitle,
                   QStringLiteral("An error occurred in running the Word Processor"));
  }
}

QString TMainForm::projectFolder() const {
  if (m_project->isUntitled()) return QDir::currentPath();
  return QFileInfo(m_project->fileName()).absolutePath();
}

void TMainForm::viewReport(const QString& fileName) {
  if (!m_wordProcessor.isEmpty()) return openInWordProcessor(fileName);
  const QString folder = projectFolder();
  auto* viewer = qobject_cast<TReportViewer*>(showChildWindow(tbViewOutput, [folder] {
    auto* window = new TReportViewer;
    window->setOutputFolder(folder);
    return window;
  }));
  if (viewer == nullptr) return;
  // The viewer of another project's report shows this one; its own is read again when it changed.
  if (viewer->fileName() != fileName) {
    viewer->setOutputFolder(folder);
    viewer->showFile(fileName);
  } else {
    viewer->loadFromProject();
  }
}

void TMainForm::switchUnitSystem(int units) {
  if (!commitActiveChild()) return;  // a refused entry is corrected or abandoned first
  if (units != m_project->units()) {
    // A value the switch would take out of the range of numbers: refused, project unchanged.
    if (const QString refused = m_project->switchUnits(units); !refused.isEmpty()) {
      showMessageBox(this, QMessageBox::Warning, kProgramTitle, refused);
    } else {
      m_project->setModified();
    }
  }
  reloadChildWindows();
  refreshCommands();
}

// --- the analysis run

void TMainForm::showRunMessage(int kind, const QString& text, const QString& reason) {
  const auto icon = kind == static_cast<int>(RunMessageKind::Information) ? QMessageBox::Information
                    : kind == static_cast<int>(RunMessageKind::Warning)   ? QMessageBox::Warning
                                                                          : QMessageBox::Critical;
  // The run's texts break lines with CR, which a box here does not show as a break.
  QString shown = QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (!reason.isEmpty()) shown += QStringLiteral("\n\n") + reason;
  showMessageBox(this, icon, kProgramTitle, shown);
}

void TMainForm::CompRunClick() {
  // The engine keeps one run's state; a command that arrives while a run is under way (from a
  // box shown during it) must not save over its files or start it again.
  if (m_runInProgress) {
    showMessageBox(this, QMessageBox::Critical, kProgramTitle,
                   QStringLiteral("Attempt to reinitialize DLL"));
    return;
  }
  // A refused entry in the active window stops the run: the engine would use the old value.
  if (!commitActiveChild()) return;
  m_runInProgress = true;
  struct RunGuard {
    bool& flag;
    ~RunGuard() { flag = false; }
  } guard{m_runInProgress};

  // The project is saved first, so that the engine runs what the screen shows; a failed save
  // stops the run (with Save As offered), as does a cancelled Save As.
  m_saveCancelled = false;
  m_saveAsOffered = false;
  bool saved = saveProject(true);
  while (!saved && m_saveAsOffered && !m_saveCancelled) {
    m_saveAsOffered = false;
    saved = saveProjectAs(true);
  }
  if (!saved || m_saveCancelled || m_project->isUntitled()) return;

  bool busy = true;
  QString refusal;  // why a run that did not start was refused
  QApplication::setOverrideCursor(Qt::WaitCursor);
  AnalysisRunOptions options;
  options.saveFirst = false;  // saved above, through Save As when needed
  options.engineLibrary = m_engineLibraryPath;
  const AnalysisRunResult result = runAnalysis(
      *m_project, *m_graphs, options,
      [this, &busy, &refusal](RunMessageKind kind, const QString& text, const QString& reason) {
        if (busy) QApplication::restoreOverrideCursor();
        busy = false;
        if (kind != RunMessageKind::Information) refusal = text;
        // The stopped run's box comes below, with the report offered.
        if (text == kRunStopped) return;
        showRunMessage(static_cast<int>(kind), text, reason);
      });
  if (busy) QApplication::restoreOverrideCursor();
  m_lastRun.time = QTime::currentTime().toString(QStringLiteral("hh:mm"));
  m_lastRun.detail = result.stopMessage;
  if (result.outcome == AnalysisRunOutcome::NotRun) {
    m_lastRun.outcome = LastRunOutcome::NotStarted;
    m_lastRun.detail = refusal;
    refreshCommands();
    return;
  }
  m_lastRun.outcome = result.outcome == AnalysisRunOutcome::Stopped ? LastRunOutcome::Stopped
                      : result.ResultsAvailable                     ? LastRunOutcome::Completed
                                                                    : LastRunOutcome::NoResults;
  m_resultsAvailable = result.ResultsAvailable;
  resultsRenewed(false);
  // Graphs show the new results in place; data windows close as they did.
  closeWindowsAfterRun();
  emit resultsChanged();
  if (result.outcome == AnalysisRunOutcome::Stopped) {
    const QString report = result.files.reportFile;
    QString text = kRunStopped;
    if (!result.stopMessage.isEmpty()) text += QStringLiteral("\n\n") + result.stopMessage;
    if (!QFileInfo::exists(report)) {
      showMessageBox(this, QMessageBox::Warning, kProgramTitle, text);
    } else if (showMessageBox(this, QMessageBox::Warning, kProgramTitle,
                              text + QStringLiteral("\n\n") + kOpenReportQuestion,
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) == QMessageBox::Yes) {
      viewReport(report);
    }
  }
}

void TMainForm::AboutClick() {
  showMessageBox(this, QMessageBox::Information, QStringLiteral("About VORNE 2014"),
                 QStringLiteral("VORNE 2014\nVersion %1\n\nAxial capacity and settlement of a "
                                "single driven pile.\n\nEngine library:\n%2")
                     .arg(kProgramVersion, QDir::toNativeSeparators(m_engineLibraryPath)));
}

// --- window events

void TMainForm::closeEvent(QCloseEvent* event) {
  commitActiveChild();
  if (!confirmSaveChanges()) {
    event->ignore();
    return;
  }
  writeSettings();
  closeAllChildWindows();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  const QString fileName = urls.first().toLocalFile();
  // Open after the drop has finished, so that the prompt is not shown inside the drag.
  QTimer::singleShot(0, this, [this, fileName] { openDroppedFile(fileName); });
}
