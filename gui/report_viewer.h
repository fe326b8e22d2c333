// The report viewer: a run's text report (".vr6o") in a window of the program, in a fixed-width
// font so that its tables line up, with a find field (next and previous match, wrapping at the
// ends) and printing. View Output opens it when no word processor is set.
#pragma once

#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/child_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TReportViewer : public QWidget, public TChildWindow {
  Q_OBJECT

 public:
  explicit TReportViewer(QWidget* parent = nullptr);
  ~TReportViewer() override;

  // Shows the file; false (with the reason in the window and in errorText) when it cannot be
  // read. The caption is the file's name.
  bool showFile(const QString& fileName);
  const QString& fileName() const { return m_fileName; }
  const QString& errorText() const { return m_error; }

  // Finds the text of the find field after (or before) the cursor, wrapping round at the end;
  // the match is selected. Returns whether the text occurs at all.
  bool findNext();
  bool findPrevious();
  // Prints the report through the print dialog (PDF always offered).
  void printReport();
  void printOn(QPrinter& printer);

  // Runs the print dialog on the printer; tests replace it so that no dialog waits.
  std::function<bool(QPrinter&)> choosePrinter;
  // The folder a print to a file starts in (the project's).
  void setOutputFolder(const QString& folder) { m_outputFolder = folder; }

  // TChildWindow: the report is read again when the window comes to the front, so that it shows
  // the last run's.
  void loadFromProject() override;

  QPlainTextEdit* text = nullptr;
  QLineEdit* findEdit = nullptr;
  QPushButton* nextButton = nullptr;
  QPushButton* previousButton = nullptr;
  QPushButton* printButton = nullptr;
  QPushButton* closeButton = nullptr;
  QLabel* findStatus = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool find(bool backward);

  QString m_fileName;
  QString m_error;
  QString m_outputFolder;
  qint64 m_shownStamp = -1;  // modification time of the text shown (ms since the epoch)
  std::unique_ptr<QPrinter> m_printer;
};
