// "Soill Layers": the grid of soil layers, one row per layer with its Edit Layer button, its
// Sand/Clay list and numeric fields for the bottom depth, the limits on side friction and end
// bearing and the two reduction factors; Add, Insert and Delete Layer.
#pragma once

#include <functional>

#include "gui/data_dialog.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QPushButton;
class QTableWidget;

class TDlgSoilLayers : public TDataDialog {
  Q_OBJECT

 public:
  explicit TDlgSoilLayers(vorne::TProgramData& project, QWidget* parent = nullptr);

  // Runs the Layer dialog modally; tests replace it so that no dialog waits.
  std::function<int(QDialog&)> runModal;

  QTableWidget* grdLayers = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnInsert = nullptr;
  QPushButton* btnDelete = nullptr;
  QCheckBox* chkConfirm = nullptr;

  // The controls of a layer row (0-based): Edit Layer button, soil type list, and the fields of
  // the grid columns 2..6 (bottom depth, max. side friction, max. end bearing, the two factors).
  QPushButton* editButton(int layer) const;
  QComboBox* typeList(int layer) const;
  TDataEdit* field(int layer, int gridColumn) const;
  // The layer last touched (0-based).
  int currentLayer() const { return m_currentLayer; }
  void setCurrentLayer(int layer);

  void SoilLayersAddClick();
  void SoilLayersInsertClick();
  void SoilLayersDeleteClick();
  void EditLayerClick(int layer);

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;

 private:
  void layControls();
  // Checks and stores every field; false at the first refusal.
  bool storeGrid();

  int m_currentLayer = 0;
};
