// The main window of the desktop program: a multiple-document frame that owns the project, the
// tables and the result graphs, and the settings; it opens and saves projects, keeps the recent
// list, runs the analysis and opens the child windows.
//
// How a child window plugs in (see gui/main_form_windows.cpp, where each window adds one line):
//   plugWindow(mTitle, [this] { return new TDlgTitle(project()); });
// plugWindow enables the command and, on each trigger, shows the window of that command in the
// MDI area: created on first use (the factory returns a widget that the frame owns), activated
// when it is open already. The command's open flag clears when the window closes; the window is
// deleted then. A window that implements TChildWindow takes part in the common life cycle: it
// loads from the project on every activation and commits to the project on every deactivation,
// on closing, when the File, Data, Options, Computation or Help menu opens, and before every
// toolbar command. The window closes itself with close() (its frame follows). A unit switch
// reloads every open window; New, Open, Save As and every run close them all.
// Plot windows: setPlotOpener gives the routine that shows a graph; it enables the Graphics menu
// and the three result buttons under their rules. Other commands (help documents): plugCommand.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "app/main_window_rules.h"
#include "app/program_data.h"
#include "app/recent_files.h"
#include "gui/child_window.h"
#include "gui/message_box.h"
#include "plot/main_graphs.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The open and save file choosers; tests replace them so that no dialog waits. Each returns the
// chosen path, or an empty text when the user cancelled.
struct TFileChooser {
  // selectedFilter: the filter shown first on entry, the one the user chose on return.
  std::function<QString(QWidget* parent,
                        const QString& caption,
                        const QString& fileName,
                        const QString& filters,
                        QString* selectedFilter)>
      open;
  // The dialog asks before overwriting and adds ".vr6d" to a name without one.
  std::function<QString(
      QWidget* parent, const QString& caption, const QString& fileName, const QString& filters)>
      save;
};
// The system's file dialogs.
TFileChooser standardFileChooser();

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // The filters of the open and save dialogs; the second reads the older layout.
  static inline const QString kCurrentLayoutFilter = QStringLiteral("VORNE 2014(*.vr6d)");
  static inline const QString kOlderLayoutFilter = QStringLiteral("VORNE Plus 5(*.vrd)");
  static inline const QString kAllFilesFilter = QStringLiteral("All Files(*.*)");
  // The title of the program's message boxes.
  static inline const QString kProgramTitle = kMessageBoxTitle;

  // Reads the settings (organisation "Tovrin", application "VORNE", group "2014.6.5") and starts
  // with a new project.
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- the model objects; they live as long as the main window (New and Open reset the project
  // in place, so references stay valid)
  vorne::TProgramData& project() { return *m_project; }
  vorne::TMainGraphs& graphs() { return *m_graphs; }
  QSettings& settings() { return m_settings; }
  QMdiArea* mdiArea() const { return m_mdiArea; }

  // --- child windows
  using WindowFactory = std::function<QWidget*()>;
  // Enables command and shows its window on each trigger (see the top of this file).
  void plugWindow(QAction* command, WindowFactory make);
  // Enables command and runs run on each trigger.
  void plugCommand(QAction* command, std::function<void()> run);
  // The window of command: activated when open, else made with make and shown. Returns it.
  QWidget* showChildWindow(QAction* command, const WindowFactory& make);
  // The open window of command, or nullptr.
  QWidget* childWindow(QAction* command) const;
  // Shows window in the MDI area with the common life cycle, owned by its frame.
  QMdiSubWindow* addChildWindow(QWidget* window);
  void closeChildWindow(QAction* command);
  void closeAllChildWindows();
  // After a run: plot windows show the new results (or close when their graph has none), every
  // other window closes.
  void closeWindowsAfterRun();
  // The size a window opens at and cascades to: all its fields (and at least the size it asked
  // for before it was shown, kept in the property below), within the MDI area.
  static constexpr const char* kOpeningSizeProperty = "openingSize";
  QSize usableFrameSize(const QMdiSubWindow* frame) const;
  // Window menu: Cascade at usable sizes, Tile.
  void cascadeWindows();
  void tileWindows();
  // The deactivation step of the active child window, when it has one.
  // False when the active child window refused an entry.
  bool commitActiveChild();
  // The activation step of every open child window.
  void reloadChildWindows();

  // --- plot windows: shows a graph; enables the Graphics menu and the three result buttons
  using PlotOpener = std::function<void(vorne::TGraphPlot& graph)>;
  void setPlotOpener(PlotOpener open);
  // The graph a Graphics command or result button shows, or nullptr.
  vorne::TGraphPlot* graphOf(QAction* command);

  // --- state and settings
  bool resultsAvailable() const { return m_resultsAvailable; }
  const vorne::TRecentFiles& recentFiles() const { return m_recentFiles; }
  // Empty: the desktop's default application for the file.
  const QString& wordProcessor() const { return m_wordProcessor; }
  void setWordProcessor(const QString& program);
  void setFileChooser(TFileChooser chooser) { m_fileChooser = std::move(chooser); }
  // The engine library (default: the one beside the program).
  const QString& engineLibraryPath() const { return m_engineLibraryPath; }
  void setEngineLibraryPath(const QString& path) { m_engineLibraryPath = path; }

  // --- files
  // The project named on the command line (".vr6d" appended when it holds no "."), when that file
  // exists; otherwise the new project stays.
  void openStartupProject(const QString& argument);
  // Opens fileName in the current or the older layout: closes every child window, makes its folder
  // current, reads it and its plot data, and puts it at the top of the recent list. Returns
  // whether the file was read.
  bool openProjectFile(const QString& fileName, bool currentFormat);
  // A file dropped onto the window or picked from the recent list: the save-changes prompt, then
  // the file in the layout its extension gives.
  void openDroppedFile(const QString& fileName);
  void openRecentFile(int index);
  // Opens a text file in the word processor; shows a message when it cannot be started.
  void openInWordProcessor(const QString& fileName);
  // The project's folder (the current folder for an untitled project): where the file, picture
  // and print dialogs start.
  QString projectFolder() const;
  // Shows a run's report: in the configured word processor, or, when none is set, in the
  // program's report viewer (the one window of View Output).
  void viewReport(const QString& fileName);

  // --- menu items, by component name; a command whose window does not exist yet is disabled
  // File
  QAction* mNew = nullptr;
  QAction* mOpen = nullptr;
  QAction* mSave = nullptr;
  QAction* mSaveAs = nullptr;
  std::array<QAction*, vorne::TRecentFiles::kMaxFiles> mRecent{};
  QAction* mExit = nullptr;
  // Data
  QAction* mTitle = nullptr;
  QAction* mCompMethod = nullptr;
  QAction* mPileMaterial = nullptr;
  QAction* mCircularPile = nullptr;
  QAction* mNoncircularPile = nullptr;
  QAction* mSoilLayers = nullptr;
  QAction* mCptData = nullptr;
  // Options
  QMenu* mUnits = nullptr;
  QAction* mEnglishUnits = nullptr;
  QAction* mSIUnits = nullptr;
  QAction* mTzPrint = nullptr;
  QAction* mControlOptions = nullptr;
  // Computation
  QAction* CompRun = nullptr;
  QAction* mEditInput = nullptr;
  QAction* mEditNotes = nullptr;
  QAction* mEditOutput = nullptr;
  QAction* mViewSoilCoordinates = nullptr;
  QAction* mEditGrlweap = nullptr;
  QAction* mExportReport = nullptr;  // after a separator: the calculation report dialog
  // Graphics, one per result graph
  QAction* mUSkin = nullptr;
  QAction* mSkin = nullptr;
  QAction* mTip = nullptr;
  QAction* mTotal = nullptr;
  QAction* mLoad = nullptr;
  QAction* mCombine = nullptr;
  QAction* mAxial = nullptr;
  QAction* mTzCurves = nullptr;
  QAction* mExtraTz = nullptr;
  QAction* mQw = nullptr;
  QAction* mExportExcel = nullptr;  // after a separator: the export dialog
  // Window
  QAction* mCascade = nullptr;
  QAction* mTile = nullptr;
  QAction* mCloseAll = nullptr;
  QAction* mArrangeIcons = nullptr;
  // Help
  QAction* mContents = nullptr;
  QAction* mUsersManual = nullptr;
  QAction* mTechnicalManual = nullptr;
  QAction* mAbout = nullptr;
  QAction* mCheckUpdates = nullptr;
  // Toolbar buttons (hint texts in their tool tips)
  QAction* tbNew = nullptr;
  QAction* tbOpen = nullptr;
  QAction* tbSave = nullptr;
  QAction* tbRun = nullptr;
  QAction* tbSoilLayers = nullptr;
  QAction* tbViewOutput = nullptr;
  QAction* tbSoilProfile = nullptr;
  QAction* tbCombinedPlot = nullptr;
  QAction* tbTzCurves = nullptr;
  QAction* tbLoadSettlement = nullptr;

  QMenu* fileMenu = nullptr;
  QMenu* dataMenu = nullptr;
  QMenu* optionsMenu = nullptr;
  QMenu* computationMenu = nullptr;
  QMenu* graphicsMenu = nullptr;
  QMenu* windowMenu = nullptr;
  QMenu* helpMenu = nullptr;
  QToolBar* mainToolBar = nullptr;
  // Status bar: the unit system, the project's state with its results', the last run's outcome.
  QLabel* statusUnits = nullptr;
  QLabel* statusProject = nullptr;
  QLabel* statusLastRun = nullptr;

 public slots:
  void FileNewClick();
  void FileOpenClick();
  // Both return whether the project was written.
  bool FileSaveClick();
  bool FileSaveAsClick();
  void CompRunClick();
  void AboutClick();

 signals:
  // After New and Open: the project holds other data.
  void projectReplaced();
  // After a run or an Open: the result graphs may hold new data.
  void resultsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createMenus();
  void createToolBar();
  // Each child window plugs in here (gui/main_form_windows.cpp).
  void plugChildWindows();
  QAction* addItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
  QAction* addButton(const QString& hint, QAction* menuTwin);
  void readSettings();
  void writeSettings();

  // The save-changes prompt: whether the command may go on.
  bool confirmSaveChanges();
  bool writeProject(bool running);
  bool saveProject(bool running);
  bool saveProjectAs(bool running);
  // Reads fileName into target; a failure is shown with the file and the reason.
  bool readProjectFile(vorne::TProgramData& target, const QString& fileName, bool currentFormat);
  // Reads fileName into the open project only when it reads whole into a project of its own;
  // closes every child window before that second read. False: the open project is untouched.
  bool readIntoProject(const QString& fileName, bool currentFormat);
  void addRecentFile(const QString& fileName);

  void setCaption();
  void createStatusBar();
  // The window's state as the command and status rules read it (app/main_window_rules.h).
  vorne::TWindowState windowState() const;
  // Enabling of every command (result, word-processor, pile-shape and plugged ones, menu items
  // and toolbar buttons alike) and the status bar, from the project and its results. Called on
  // every change of state: New, Open, Save, Save As, a run, a unit switch, a child window's
  // activation, commit or closing, and on a short timer for edits that tell no one.
  void refreshCommands();
  // Reads the plot data of the project just opened, if any; results older than the data file
  // count as stale.
  void readOpenedResults();
  // The results now shown belong to the project's current inputs (after a run or an Open).
  void resultsRenewed(bool stale);
  // Enables the item of the pile's section shape and closes the other shape's window.
  void refreshPileShape();
  void refreshRecentMenu();
  void refreshWindowMenu();
  void showGraph(QAction* command);
  void switchUnitSystem(int units);
  void arrangeIcons();
  void childActivated(QMdiSubWindow* frame);
  void showRunMessage(int kind, const QString& text, const QString& reason);

  std::unique_ptr<vorne::TProgramData> m_project;
  std::unique_ptr<vorne::TMainGraphs> m_graphs;
  QSettings m_settings;
  QMdiArea* m_mdiArea = nullptr;
  QActionGroup* m_unitGroup = nullptr;
  QAction* m_recentSeparatorEnd = nullptr;
  QList<QAction*> m_windowItems;

  vorne::TRecentFiles m_recentFiles;
  QString m_wordProcessor;
  QString m_engineLibraryPath;
  TFileChooser m_fileChooser;
  PlotOpener m_plotOpener;
  bool m_resultsAvailable = false;
  bool m_saveCancelled = false;
  bool m_saveAsOffered = false;  // a failed save during a run: the user asked for Save As
  bool m_runInProgress = false;
  // The inputs changed after the results shown were computed; only a run or an Open renews them.
  bool m_resultsStale = false;
  vorne::TLastRun m_lastRun;

  // Commands whose window or routine is plugged in, and the open windows by command.
  QSet<QAction*> m_plugged;
  QHash<QAction*, QPointer<QMdiSubWindow>> m_children;
  QHash<QAction*, QAction*> m_toolbarTwins;  // menu item -> its toolbar button
  QPointer<QMdiSubWindow> m_activeChild;
};
