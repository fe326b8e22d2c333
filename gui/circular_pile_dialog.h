// "Circular Pile Properties": diameters and lengths of a circular pile, the lower-end section
// and the plug condition of an open-ended steel pipe.
#pragma once

#include "gui/data_dialog.h"

class QButtonGroup;
class QGroupBox;
class TPilePicture;

class TfrmShaftpeneta : public TDataDialog {
  Q_OBJECT

 public:
  explicit TfrmShaftpeneta(vorne::TProgramData& project, QWidget* parent = nullptr);

  TDataEdit* deOD = nullptr;
  TDataEdit* deID = nullptr;
  TDataEdit* deLength = nullptr;
  TDataEdit* deStickup = nullptr;
  TDataEdit* deZeroFriction = nullptr;
  TDataEdit* deEndID = nullptr;
  TDataEdit* deEndLength = nullptr;
  QLabel* lblEndNote = nullptr;
  QGroupBox* grpPlug = nullptr;
  QButtonGroup* grpPlugCondition = nullptr;  // ids 0..2
  TPilePicture* imgPile = nullptr;

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;
};
