// "Option of Printing t-z Curves": whether the report also gives t-z curves at the depths of the
// extra t-z depth table, and the button that opens that table.
#pragma once

#include "gui/data_dialog.h"

class QCheckBox;
class QPushButton;

class TDlgTZPrint : public TDataDialog {
  Q_OBJECT

 public:
  explicit TDlgTZPrint(vorne::TProgramData& project, QWidget* parent = nullptr);

  QCheckBox* ChkPrint = nullptr;
  QPushButton* btnEditDepths = nullptr;

 signals:
  // "Edit Depths": the owner shows this table (the extra t-z depths) in a table window.
  void showTable(vorne::TGridTable* table);

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;
};
