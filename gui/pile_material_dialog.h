// "Pile Material": the pile type and section shape, the taper angle, the modulus of elasticity
// and how the cross-section area is given.
#pragma once

#include "gui/data_dialog.h"

class QButtonGroup;
class QPushButton;

namespace vorne {
class TGridTable;
}

class TfrmMaterial : public TDataDialog {
  Q_OBJECT

 public:
  explicit TfrmMaterial(vorne::TProgramData& project, QWidget* parent = nullptr);

  QButtonGroup* grpPileType = nullptr;    // ids are the pile types 1..7
  QButtonGroup* grpConcrete = nullptr;    // 1 circular/tubular, 0 square
  QButtonGroup* grpAreaOption = nullptr;  // ids 0..2
  TDataEdit* deTaper = nullptr;
  QLabel* lblTaperNote = nullptr;
  TDataEdit* deModulus = nullptr;
  TDataEdit* deSectionArea = nullptr;
  QPushButton* btnData = nullptr;
  TDataEdit* deComputedArea = nullptr;

 signals:
  // "Data Button": the owner shows this table (the cross-section areas) in a table window.
  void showTable(vorne::TGridTable* table);

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;

 private:
  int chosenType() const;
  bool chosenCircular() const;
};
