// "Computation Methods": the method for load transfers and the shape of the load-transfer curves
// on the first page, the methods that compute capacity and their options on the second.
#pragma once

#include <array>

#include "gui/data_dialog.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;
class QTabWidget;

class TfrmWaterDepth : public TDataDialog {
  Q_OBJECT

 public:
  explicit TfrmWaterDepth(vorne::TProgramData& project, QWidget* parent = nullptr);

  QTabWidget* pages = nullptr;
  // Indexed by MethodId 1..9; [0] unused.
  std::array<QRadioButton*, 10> OptMethod{};
  std::array<QCheckBox*, 10> ChkMethod{};
  std::array<QLabel*, 10> lblLS{};
  QButtonGroup* grpLoadTransfer = nullptr;
  QButtonGroup* grpFactors = nullptr;        // ids 0 unfactored, 1 reduced
  QButtonGroup* grpCriticalDepth = nullptr;  // ids 0..2
  QButtonGroup* grpClay = nullptr;           // ids 1 drained, 0 undrained
  QButtonGroup* grpLoading = nullptr;        // ids 0 compression, 1 tension
  QWidget* btnSelectAll = nullptr;
  QWidget* btnClearSelections = nullptr;
  TDataEdit* deCriticalDepth = nullptr;
  QLabel* lblCriticalDepthNote = nullptr;
  TDataEdit* deReduction = nullptr;
  QLabel* lblReductionNote = nullptr;

 signals:
  // The commit set the taper angle to 0; an open Pile Material dialog reloads.
  void taperAngleReset();

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;

 private:
  void clicked();
};
