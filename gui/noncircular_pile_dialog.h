// "Noncircular Pile Properties": perimeter and tip area of a non-circular section and the pile
// lengths.
#pragma once

#include "gui/data_dialog.h"

class TPilePicture;

class TfrmNCsection : public TDataDialog {
  Q_OBJECT

 public:
  explicit TfrmNCsection(vorne::TProgramData& project, QWidget* parent = nullptr);

  TDataEdit* dePerimeter = nullptr;
  TDataEdit* deTipArea = nullptr;
  TDataEdit* deLength = nullptr;
  TDataEdit* deZeroFriction = nullptr;
  TDataEdit* deStickup = nullptr;
  TPilePicture* imgPile = nullptr;

 protected:
  void loadValues() override;
  void storeValues() override;
};
