// "Export Report as PDF...": the calculation report of the last run. The dialog asks for the
// file, the page size (Letter for English units, A4 for SI unless changed) and an optional
// required ultimate capacity, writes the document (an earlier file stays as it was when the
// write fails) and offers to open it. The required capacity is not kept in the project.
#pragma once

#include <QDialog>
#include <functional>

#include "app/program_data.h"
#include "plot/main_graphs.h"
#include "report/calculation_report.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TDataEdit;

class TDlgReportExport : public QDialog {
  Q_OBJECT

 public:
  // Asks for the file name; empty when the user cancelled.
  using SaveChooser = std::function<QString(QWidget* parent, const QString& proposal)>;
  // Opens a file with the desktop's default application; false when none could.
  using FileOpener = std::function<bool(const QString& fileName)>;

  // The run's results: the project and its graphs as read from the plot data file, and the
  // report beside the project.
  TDlgReportExport(const vorne::TProgramData& project,
                   const vorne::TMainGraphs& graphs,
                   QWidget* parent = nullptr);

  void setSaveChooser(SaveChooser chooser) { m_chooseFile = std::move(chooser); }
  void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }
  // Tests fix the date printed in the document.
  void setReportDate(const QDateTime& date) { m_date = date; }

  // The options the dialog's fields give.
  vorne::ReportOptions options() const;

  QLineEdit* FileNameEdit = nullptr;
  QPushButton* BrowseButton = nullptr;
  QComboBox* PageSizeBox = nullptr;
  QCheckBox* RequiredCheck = nullptr;
  TDataEdit* RequiredEdit = nullptr;
  QPushButton* ExportButton = nullptr;
  QPushButton* CancelButton = nullptr;

 public slots:
  void BrowseClick();
  // Writes the document; on success offers to open it and closes the dialog.
  void ExportClick();

 private:
  const vorne::TProgramData& m_project;
  const vorne::TMainGraphs& m_graphs;
  SaveChooser m_chooseFile;
  FileOpener m_openFile;
  QDateTime m_date;
};
