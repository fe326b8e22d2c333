// "Export to Excel": the check list of the ten result graphs, each offered while its Graphics menu
// item is enabled, and Generate, which asks for a file name, writes the chosen graphs into a
// spreadsheet workbook and offers to open it with the desktop's spreadsheet application.
#pragma once

#include <QDialog>
#include <functional>

#include "plot/xlsx_export.h"

class QListWidget;
class QPushButton;

class TDlgExport : public QDialog {
  Q_OBJECT

 public:
  // The enabled state of the ten Graphics menu items, in the export list's order.
  using EnabledItems = std::function<vorne::ExportPlotFlags()>;
  // Asks for the workbook's name; empty when the user cancelled.
  using SaveChooser = std::function<QString(QWidget* parent, const QString& proposal)>;
  // Opens a file with the desktop's default application; false when none could.
  using FileOpener = std::function<bool(const QString& fileName)>;

  TDlgExport(vorne::TMainGraphs& graphs, EnabledItems enabledItems, QWidget* parent = nullptr);

  // The name Generate proposes (without one: "plots.xlsx" in the current folder).
  void setProposedFileName(const QString& fileName) { m_proposal = fileName; }
  // Tests replace the file dialog and the desktop opener.
  void setSaveChooser(SaveChooser chooser) { m_chooseFile = std::move(chooser); }
  void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }

  // Refills the list: the captions of the ten graphs, enabled and checked exactly when their menu
  // item is enabled.
  void refill();

  QListWidget* CheckListBoxPlots = nullptr;
  QPushButton* SelectAllButton = nullptr;
  QPushButton* UnselectAllButton = nullptr;
  QPushButton* GenerateButton = nullptr;
  QPushButton* CloseButton = nullptr;

 public slots:
  void SelectAllClick();
  void UnselectAllClick();
  void GenerateClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void checkEvery(bool checked);
  void refreshGenerate();

  vorne::TMainGraphs& m_graphs;
  EnabledItems m_enabledItems;
  QString m_proposal;
  SaveChooser m_chooseFile;
  FileOpener m_openFile;
};
