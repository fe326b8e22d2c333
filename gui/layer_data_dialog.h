// "Data for Layer n": the soil parameters at the top and the bottom of one layer, on the page of
// its soil type. Modal; commits when it closes.
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "app/program_data.h"
#include "gui/field_range_check.h"

class QButtonGroup;
class QLabel;
class QTabWidget;
class TDataEdit;

class TDlgSoils : public QDialog {
  Q_OBJECT

 public:
  // layer is 0-based.
  TDlgSoils(vorne::TProgramData& project, int layer, QWidget* parent = nullptr);

  // The two fields (top, bottom) of a layer-data column on the page of the layer's type.
  const std::array<TDataEdit*, 2>& fields(int column) const;
  QTabWidget* pages = nullptr;
  QButtonGroup* grpStrength = nullptr;  // 0 friction angle, 1 blow counts (sand)

  // The activation step: the page of the layer's type, units, values, enabled fields.
  void FormActivate();
  // The commit step; false (nothing written) while the focused field fails its check.
  bool FormDeactivate();

  void done(int result) override;

 private:
  struct Field {
    int column;
    std::array<TDataEdit*, 2> edits;
    QLabel* label;
    std::vector<QLabel*> notes;
  };
  QWidget* buildPage(int soilType);
  void applyRules();
  std::vector<Field>& page(int soilType) { return soilType == 1 ? m_sand : m_clay; }
  const std::vector<Field>& page(int soilType) const { return soilType == 1 ? m_sand : m_clay; }

  vorne::TProgramData& m_project;
  int m_layer;
  TFieldRangeCheck* m_rangeCheck;
  int m_soilType = 1;
  std::vector<Field> m_sand;
  std::vector<Field> m_clay;
};
