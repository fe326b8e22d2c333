// Soil Layers from CPT window.
#include "gui/soil_layers_from_cpt_window.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/expression_evaluator.h"
#include "base/unit_labels.h"
#include "gui/data_edit.h"
#include "gui/message_box.h"
#include "plot/plot_geometry.h"
#include "plot/plot_paint.h"

using vorne::cpt::ValueKind;

namespace {

constexpr int kScreenFontHeight = 14;  // as the plot window draws

// A field with its label in grid row `row`; its bounds are wide, the window checks the range.
TDataEdit* addField(QGridLayout* grid, int row, const QString& caption, const QString& unit) {
  auto* label = new QLabel(grid->parentWidget());
  auto* edit = new TDataEdit(grid->parentWidget());
  edit->setCaption(caption);
  edit->setEditLabel(label);
  edit->setUnitsString(unit);
  edit->setMinVal(-1.0e12);
  edit->setMaxVal(1.0e12);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

}  // namespace

TCptLayerPlotView::TCptLayerPlotView(const vorne::TGraphPlot& graph, QWidget* parent)
    : QWidget(parent), m_graph(graph) {
  setMinimumSize(560, 380);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TCptLayerPlotView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  vorne::TPlotView view;
  bool usable = !m_graph.Lines.empty() && vorne::AutoRange(m_graph.Lines, view.ranges[0]) &&
                vorne::AutoRange(m_graph.Lines2, view.ranges[1]) &&
                vorne::AutoRange(m_graph.Lines3, view.ranges[2]);
  if (!usable) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  // One depth axis for the three panels, so that a layer line is level across them.
  for (std::size_t i = 1; i < 3; ++i) {
    view.ranges[i].YMin = view.ranges[0].YMin;
    view.ranges[i].YMax = view.ranges[0].YMax;
  }
  vorne::TPaintSettings settings;
  settings.dpiX = logicalDpiX();
  settings.dpiY = logicalDpiY();
  settings.baseFontHeight = kScreenFontHeight;
  vorne::PaintGraph(painter, rect(), m_graph, view, settings);
}

TSoilLayersFromCptWindow::TSoilLayersFromCptWindow(vorne::TProgramData& project,
                                                   vorne::cpt::CptProfile profile,
                                                   QWidget* parent)
    : QWidget(parent), m_project(project), m_profile(std::move(profile)) {
  setWindowTitle(QStringLiteral("Soil Layers from CPT"));
  m_units = m_project.units();
  m_settings = vorne::toProposalSettings(vorne::defaultCptLayerSettings(m_units), m_units);

  auto* top = new QVBoxLayout(this);
  lblProfile = new QLabel(this);
  lblProfile->setWordWrap(true);
  top->addWidget(lblProfile);

  auto* upper = new QHBoxLayout;
  auto* settingsBox = new QGroupBox(QStringLiteral("Settings"), this);
  auto* grid = new QGridLayout(settingsBox);
  deWaterTable = addField(grid, 0, vorne::kWaterTableField, QStringLiteral("L2"));
  deNkt = addField(grid, 1, vorne::kNktField, {});
  deMinThickness = addField(grid, 2, vorne::kMinThicknessField, QStringLiteral("L2"));
  rbCorrelation =
      new QRadioButton(QStringLiteral("Unit weight from the correlation (Robertson and Cabal)"),
                       settingsBox);
  rbOneUnitWeight = new QRadioButton(QStringLiteral("One total unit weight"), settingsBox);
  auto* weightChoice = new QButtonGroup(this);
  weightChoice->addButton(rbCorrelation);
  weightChoice->addButton(rbOneUnitWeight);
  grid->addWidget(rbCorrelation, 3, 0, 1, 2);
  grid->addWidget(rbOneUnitWeight, 4, 0, 1, 2);
  deUnitWeight = addField(grid, 5, vorne::kUnitWeightField, QStringLiteral("F/L2^3"));
  grid->addWidget(new QLabel(QStringLiteral("Depths below the ground surface or seabed."),
                             settingsBox),
                  6, 0, 1, 2);
  grid->setRowStretch(7, 1);
  upper->addWidget(settingsBox);

  plotView = new TCptLayerPlotView(m_graph, this);
  upper->addWidget(plotView, 1);
  top->addLayout(upper, 3);

  tblLayers = new QTableWidget(this);
  tblLayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblLayers->verticalHeader()->setVisible(false);
  top->addWidget(tblLayers, 2);
  txtNotes = new QPlainTextEdit(this);
  txtNotes->setReadOnly(true);
  txtNotes->setMaximumHeight(110);
  top->addWidget(txtNotes);
  lblMessage = new QLabel(this);
  lblMessage->setWordWrap(true);
  top->addWidget(lblMessage);

  auto* buttons = new QHBoxLayout;
  btnReplace = new QPushButton(QStringLiteral("Replace Soil Layers"), this);
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  buttons->addStretch(1);
  buttons->addWidget(btnReplace);
  buttons->addWidget(btnClose);
  top->addLayout(buttons);

  for (TDataEdit* edit : {deWaterTable, deNkt, deMinThickness, deUnitWeight}) {
    connect(edit, &QLineEdit::editingFinished, this, [this] { updateProposal(true); });
  }
  connect(rbCorrelation, &QRadioButton::toggled, this, [this](bool) {
    deUnitWeight->setEnabled(rbOneUnitWeight->isChecked());
    updateProposal(true);
  });
  connect(btnReplace, &QPushButton::clicked, this, [this] { replaceSoilLayers(); });
  connect(btnClose, &QPushButton::clicked, this, [this] {
    if (parentWidget() != nullptr && parentWidget()->inherits("QMdiSubWindow")) {
      parentWidget()->close();
    } else {
      close();
    }
  });

  const QFileInfo source(m_profile.sourceFile);
  QString where = source.fileName();
  if (!m_profile.location.isEmpty()) where += QStringLiteral(", location ") + m_profile.location;
  const double first = m_profile.records.empty() ? 0.0 : m_profile.records.front().depth;
  const double last = m_profile.records.empty() ? 0.0 : m_profile.records.back().depth;
  const QString depthUnit = vorne::expandUnits(QStringLiteral("L2"), m_units);
  lblProfile->setText(QStringLiteral("%1: %2 records from %3 to %4 %5. The proposal is a starting "
                                     "point: review every layer before replacing the soil table.")
                          .arg(where)
                          .arg(m_profile.records.size())
                          .arg(vorne::cptTableNumber(vorne::depthFromSi(first, m_units)),
                               vorne::cptTableNumber(vorne::depthFromSi(last, m_units)),
                               depthUnit));
  showSettings();
  updateProposal(false);
}

TSoilLayersFromCptWindow::~TSoilLayersFromCptWindow() {
  // A field that loses the focus while the widgets are torn down must not reach updateProposal
  // after this class's members are gone.
  for (TDataEdit* edit : {deWaterTable, deNkt, deMinThickness, deUnitWeight}) {
    disconnect(edit, nullptr, this, nullptr);
  }
}

void TSoilLayersFromCptWindow::showSettings() {
  const QSignalBlocker block(rbCorrelation);
  for (TDataEdit* edit : {deWaterTable, deNkt, deMinThickness, deUnitWeight}) {
    edit->setUnits(m_units);
  }
  deWaterTable->setNumber(vorne::depthFromSi(m_settings.waterTableDepth, m_units));
  deNkt->setNumber(m_settings.nkt);
  deMinThickness->setNumber(vorne::depthFromSi(m_settings.minThickness, m_units));
  const bool oneWeight = m_settings.totalUnitWeight.has_value();
  rbOneUnitWeight->setChecked(oneWeight);
  rbCorrelation->setChecked(!oneWeight);
  // Without a weight of its own, the field offers 18 kN/m3 for the choice.
  const double weight = oneWeight ? *m_settings.totalUnitWeight : 18.0;
  deUnitWeight->setNumber(vorne::valueFromSi(weight, ValueKind::UnitWeight, m_units));
  deUnitWeight->setEnabled(oneWeight);
}

bool TSoilLayersFromCptWindow::updateProposal(bool tellUser) {
  vorne::CptLayerSettings settings;
  QString refused;
  const auto read = [&refused](TDataEdit* edit, double& into) {
    if (!refused.isEmpty()) return;
    try {
      into = edit->Number();
    } catch (const vorne::EExpressionError& e) {
      refused = QStringLiteral("%1: %2").arg(edit->Caption(), QString::fromStdString(e.what()));
    }
  };
  read(deWaterTable, settings.waterTableDepth);
  read(deNkt, settings.nkt);
  read(deMinThickness, settings.minThickness);
  if (rbOneUnitWeight->isChecked()) {
    double weight = 0.0;
    read(deUnitWeight, weight);
    settings.totalUnitWeight = weight;
  }
  if (refused.isEmpty()) {
    m_proposal = vorne::proposeCptLayers(m_profile, settings, m_units);
    if (m_proposal.ok) m_settings = m_proposal.settings;
    refused = m_proposal.ok ? QString() : m_proposal.error;
  } else {
    m_proposal = vorne::cpt::SoilLayerProposal();
    m_proposal.error = refused;
  }
  showProposal();
  if (!refused.isEmpty()) {
    // The interpretation's own reasons start in lower case; the message is a sentence.
    QString text = refused;
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    lblMessage->setText(text);
    if (tellUser) showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, text);
    return false;
  }
  lblMessage->setText(QStringLiteral("%1 layers proposed.").arg(m_proposal.layers.size()));
  return true;
}

void TSoilLayersFromCptWindow::showProposal() {
  vorne::fillCptLayerGraph(m_graph, m_proposal, m_units);
  plotView->update();
  const vorne::CptLayerTable table = vorne::cptLayerTable(m_proposal, m_units);
  tblLayers->clear();
  tblLayers->setColumnCount(static_cast<int>(table.headers.size()));
  tblLayers->setHorizontalHeaderLabels(table.headers);
  tblLayers->setRowCount(static_cast<int>(table.rows.size()));
  for (int row = 0; row < tblLayers->rowCount(); ++row) {
    const QStringList& cells = table.rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < cells.size(); ++column) {
      tblLayers->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  }
  tblLayers->resizeColumnsToContents();
  txtNotes->setPlainText(m_proposal.notes.join(QLatin1Char('\n')));
  btnReplace->setEnabled(m_proposal.ok);
}

bool TSoilLayersFromCptWindow::replaceSoilLayers() {
  if (!m_proposal.ok) return false;
  const QString question =
      QStringLiteral("Replace the %1 soil layers of the project by the %2 proposed layers, and its "
                     "CPT points by the %3 points of this profile?")
          .arg(m_project.layerCount())
          .arg(m_proposal.layers.size())
          .arg(vorne::projectCptPoints(m_profile, m_units).size());
  if (showMessageBox(this, QMessageBox::Question, kMessageBoxTitle, question,
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
    return false;
  }
  if (!vorne::applyCptLayers(m_project, m_proposal, m_profile)) {
    showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle,
                   QStringLiteral("The proposal cannot replace the soil layers."));
    return false;
  }
  lblMessage->setText(
      QStringLiteral("The soil table holds the %1 proposed layers.").arg(m_proposal.layers.size()));
  emit soilLayersReplaced();
  return true;
}

void TSoilLayersFromCptWindow::loadFromProject() {
  if (m_project.units() == m_units) return;
  m_units = m_project.units();
  showSettings();
  updateProposal(false);
}
