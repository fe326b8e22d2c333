// "Control Options": the computation increment, the print interval, and the text editor the
// program opens its files with.
#pragma once

#include <functional>

#include "gui/data_dialog.h"

class QLineEdit;

class TDlgOptions : public TDataDialog {
  Q_OBJECT

 public:
  // wordProcessor is the frame's text-editor setting; it must outlive the dialog.
  TDlgOptions(vorne::TProgramData& project, QString& wordProcessor, QWidget* parent = nullptr);

  // Asks for a program file (start path in, chosen path out, empty when cancelled); a file
  // dialog unless a test replaces it.
  std::function<QString(QWidget*, const QString&)> chooseProgram;

  TDataEdit* deIncrement = nullptr;
  TDataEdit* dePrintEvery = nullptr;
  QLineEdit* edtEditor = nullptr;
  QWidget* btnBrowse = nullptr;

 protected:
  void loadValues() override;
  void storeValues() override;

 private:
  QString& m_wordProcessor;
};
