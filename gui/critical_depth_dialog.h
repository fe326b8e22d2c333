// "Critical Depths Used by US Army Method": the critical depth for sand of the USACE method.
#pragma once

#include "gui/data_dialog.h"

class QButtonGroup;

class TDlgBlock : public TDataDialog {
  Q_OBJECT

 public:
  explicit TDlgBlock(vorne::TProgramData& project, QWidget* parent = nullptr);

  QButtonGroup* grpOption = nullptr;  // ids 0..2
  TDataEdit* deDepth = nullptr;

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;
};
