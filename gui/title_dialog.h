// "Project Title": the project description, the designer and the job number.
#pragma once

#include "gui/data_dialog.h"

class QLineEdit;

class TdlgTitle : public TDataDialog {
  Q_OBJECT

 public:
  explicit TdlgTitle(vorne::TProgramData& project, QWidget* parent = nullptr);

  QLineEdit* edtTitle = nullptr;
  QLineEdit* edtDesigner = nullptr;
  QLineEdit* edtJobNumber = nullptr;

 protected:
  void loadValues() override;
  void storeValues() override;
};
