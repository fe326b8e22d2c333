// "Soil Layers from CPT": the soil layers proposed from one cone penetration profile with fs, for
// the engineer to review and take into the project. The settings (water table, Nkt, minimum layer
// thickness, unit weight), the plot of qc, Fr and Ic against depth with the zone boundaries and
// the proposed layers (through the plot window's paint routine), the proposed table and the
// notes; "Replace Soil Layers" asks, then replaces the soil table and the CPT points in one step.
// The proposal, its table and its graph come from app/cpt_soil_layers.
#pragma once

#include <QWidget>

#include "app/cpt_soil_layers.h"
#include "gui/child_window.h"
#include "plot/graph_plot.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TDataEdit;

// The drawing area of the proposal's graph: the three panels at their automatic ranges, all on
// the depth range of the first.
class TCptLayerPlotView : public QWidget {
  Q_OBJECT

 public:
  TCptLayerPlotView(const vorne::TGraphPlot& graph, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const vorne::TGraphPlot& m_graph;
};

class TSoilLayersFromCptWindow : public QWidget, public TChildWindow {
  Q_OBJECT

 public:
  // project must outlive the window; the profile is the window's own copy.
  TSoilLayersFromCptWindow(vorne::TProgramData& project,
                           vorne::cpt::CptProfile profile,
                           QWidget* parent = nullptr);
  ~TSoilLayersFromCptWindow() override;

  // The proposal from the settings shown. Settings out of range (or a profile that cannot be
  // classified) leave a proposal that is not ok, an empty table, the message in the window and
  // "Replace Soil Layers" disabled; with tellUser the message is also shown in a box.
  bool updateProposal(bool tellUser = false);
  // Asks for confirmation, then replaces the project's soil table and CPT points by the
  // proposal's and the profile's in one step. Returns whether it replaced them.
  bool replaceSoilLayers();

  const vorne::cpt::SoilLayerProposal& proposal() const { return m_proposal; }
  const vorne::TGraphPlot& graph() const { return m_graph; }
  const vorne::cpt::CptProfile& profile() const { return m_profile; }

  // TChildWindow: the fields follow a unit switch of the project.
  void loadFromProject() override;

  TDataEdit* deWaterTable = nullptr;
  TDataEdit* deNkt = nullptr;
  TDataEdit* deMinThickness = nullptr;
  QRadioButton* rbCorrelation = nullptr;
  QRadioButton* rbOneUnitWeight = nullptr;
  TDataEdit* deUnitWeight = nullptr;
  TCptLayerPlotView* plotView = nullptr;
  QTableWidget* tblLayers = nullptr;
  QPlainTextEdit* txtNotes = nullptr;
  QLabel* lblProfile = nullptr;
  QLabel* lblMessage = nullptr;
  QPushButton* btnReplace = nullptr;
  QPushButton* btnClose = nullptr;

 signals:
  // The project's soil table and CPT points were replaced.
  void soilLayersReplaced();

 private:
  // Shows the settings (kept in metres and kN/m3) in the project's units.
  void showSettings();
  void showProposal();

  vorne::TProgramData& m_project;
  vorne::cpt::CptProfile m_profile;
  vorne::cpt::ProposalSettings m_settings;  // the last settings that were accepted
  int m_units = 0;                          // the unit system the fields show
  vorne::cpt::SoilLayerProposal m_proposal;
  vorne::TGraphPlot m_graph;
};
