// Soil Layers dialog.
#include "gui/soil_layers_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/soil_layers.h"
#include "base/expression_evaluator.h"
#include "base/unit_labels.h"
#include "gui/data_edit.h"
#include "gui/layer_data_dialog.h"
#include "gui/message_box.h"

namespace {

// Table D column behind each numeric grid column 2..6.
constexpr int kTableColumn[7] = {-1,
                                 -1,
                                 vorne::col::kBottomDepth,
                                 vorne::col::kMaxSideFriction,
                                 vorne::col::kMaxEndBearing,
                                 vorne::col::kSideFrictionFactor,
                                 vorne::col::kEndBearingFactor};

QStringList headings(int units) {
  const bool si = units == vorne::kSiUnits;
  const QString stress =
      si ? QStringLiteral("       (kN/m^2)    ") : QStringLiteral("       (lb/ft^2)    ");
  const QString rows[7][2] = {
      {QStringLiteral("  Layer "), QString()},
      {QStringLiteral(" Soil Type "), QString()},
      {QStringLiteral(" Depth at Bottom * "),
       si ? QStringLiteral(" of each layer (m) ") : QStringLiteral(" of each layer (ft) ")},
      {QStringLiteral(" Max. Side Friction ** "), stress},
      {QStringLiteral(" Max. End Bearing ** "), stress},
      {QStringLiteral(" Reduction/Resistance *** "), QStringLiteral(" Factors on Side Friction ")},
      {QStringLiteral(" Reduction/Resistance *** "), QStringLiteral("  Factors on End Bearing ")},
  };
  QStringList result;
  for (const auto& r : rows) result << r[0] + QLatin1Char('\n') + r[1];
  return result;
}

}  // namespace

TDlgSoilLayers::TDlgSoilLayers(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Soill Layers"));
  runModal = [](QDialog& dialog) { return dialog.exec(); };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Layers Definition"), this));
  grdLayers = new QTableWidget(0, 7, this);
  grdLayers->verticalHeader()->hide();
  grdLayers->setSelectionMode(QAbstractItemView::NoSelection);
  grdLayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Tab goes from control to control of the layer rows (they are the grid's cells); the grid's
  // own Tab would move its cursor and then the focus a second time, checking a field twice.
  grdLayers->setTabKeyNavigation(false);
  grdLayers->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(grdLayers);

  for (const char* note :
       {"Notes:",
        "* Bottom of last layer must be deeper than the pile tip plus two pile diameters.",
        "** If entries are left as zero, the program assumes no limits in Side/End Transfers.",
        "** Use a very small number (e.g. 0.001) for layers where load transfer should be ignored.",
        "*** Reduction factors can be specified for LRFD requirement or for other design "
        "considerations such as driving strength loss."}) {
    layout->addWidget(new QLabel(QString::fromLatin1(note), this));
  }

  auto* buttons = new QHBoxLayout;
  btnAdd = new QPushButton(QStringLiteral("Add Layer"), this);
  btnInsert = new QPushButton(QStringLiteral("Insert Layer"), this);
  btnDelete = new QPushButton(QStringLiteral("Delete Layer"), this);
  chkConfirm = new QCheckBox(QStringLiteral("Confirm Deletion"), this);
  chkConfirm->setChecked(true);
  for (QWidget* w : std::initializer_list<QWidget*>{btnAdd, btnInsert, btnDelete, chkConfirm}) {
    buttons->addWidget(w);
  }
  buttons->addStretch();
  buttons->addWidget(closeButton());
  layout->addLayout(buttons);
  connect(btnAdd, &QPushButton::clicked, this, &TDlgSoilLayers::SoilLayersAddClick);
  connect(btnInsert, &QPushButton::clicked, this, &TDlgSoilLayers::SoilLayersInsertClick);
  connect(btnDelete, &QPushButton::clicked, this, &TDlgSoilLayers::SoilLayersDeleteClick);

  // The layer whose control takes the focus becomes the current one.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == nullptr || !grdLayers->isAncestorOf(now)) return;
    const QVariant layer = now->property("layer");
    if (layer.isValid()) m_currentLayer = layer.toInt();
  });
  resize(900, 420);
}

QPushButton* TDlgSoilLayers::editButton(int layer) const {
  return qobject_cast<QPushButton*>(grdLayers->cellWidget(layer, 0));
}

QComboBox* TDlgSoilLayers::typeList(int layer) const {
  return qobject_cast<QComboBox*>(grdLayers->cellWidget(layer, 1));
}

TDataEdit* TDlgSoilLayers::field(int layer, int gridColumn) const {
  return qobject_cast<TDataEdit*>(grdLayers->cellWidget(layer, gridColumn));
}

void TDlgSoilLayers::setCurrentLayer(int layer) {
  m_currentLayer = std::clamp(layer, 0, std::max(grdLayers->rowCount() - 1, 0));
}

void TDlgSoilLayers::loadValues() { layControls(); }

void TDlgSoilLayers::layControls() {
  vorne::TGridTable& d = project().D;
  // The grid frees the fields it replaces only later: until then they are out of every commit's
  // reach, so that none enters its stale text into D.
  for (TDataEdit* old : grdLayers->findChildren<TDataEdit*>()) {
    old->setEnabled(false);
    old->hide();
  }
  grdLayers->setHorizontalHeaderLabels(headings(project().units()));
  grdLayers->setRowCount(d.rowCount());
  for (int layer = 0; layer < d.rowCount(); ++layer) {
    const QString number = QString::number(layer + 1);
    grdLayers->setItem(layer, 0, new QTableWidgetItem(QStringLiteral("Layer ") + number));
    auto* edit = new QPushButton(QStringLiteral("Edit Layer ") + number);
    edit->setProperty("layer", layer);
    connect(edit, &QPushButton::clicked, this, [this, layer] { EditLayerClick(layer); });
    grdLayers->setCellWidget(layer, 0, edit);

    const int type = d.cell(vorne::col::kSoilType, layer).asInteger();
    grdLayers->setItem(layer, 1, new QTableWidgetItem(QString::number(type)));
    auto* list = new QComboBox;
    list->addItems({QStringLiteral("Sand"), QStringLiteral("Clay")});
    list->setCurrentIndex(type - 1);
    list->setProperty("layer", layer);
    connect(list, &QComboBox::activated, this, [this, layer](int index) {
      m_currentLayer = layer;
      vorne::setSoilType(project(), layer, index + 1);
      grdLayers->item(layer, 1)->setText(QString::number(index + 1));
      markModified();
    });
    grdLayers->setCellWidget(layer, 1, list);

    for (int c = 2; c < 7; ++c) {
      auto* value = new TDataEdit;
      value->setProperty("layer", layer);
      // The field's text goes to its cell of D through the table's entry path, which decides,
      // names the field in a refusal and gives the text the cell shows for the stored value.
      value->setEntryRule([this, layer, c](const QString& text) {
        vorne::TGridTable& table = project().D;
        const vorne::CellEntry entry = table.enterText(kTableColumn[c], layer, text);
        vorne::NumericEntryResult result;
        result.valid = entry.accepted;
        result.message = entry.message;
        result.text = entry.accepted ? table.cellText(kTableColumn[c], layer) : text;
        result.value = table.cell(kTableColumn[c], layer).asFloat();
        if (entry.accepted) grdLayers->item(layer, c)->setText(result.text);
        return result;
      });
      grdLayers->setItem(layer, c, new QTableWidgetItem(d.cellText(kTableColumn[c], layer)));
      value->showAccepted(d.cellText(kTableColumn[c], layer));
      grdLayers->setCellWidget(layer, c, value);
    }
  }
  setCurrentLayer(m_currentLayer);
  applyRules();
}

void TDlgSoilLayers::applyRules() {
  const int layers = grdLayers->rowCount();
  btnAdd->setEnabled(layers < vorne::TProgramData::kMaxLayers);
  btnInsert->setEnabled(layers >= 1);
  btnDelete->setEnabled(layers >= 1);
}

bool TDlgSoilLayers::storeGrid() {
  // Each field's check stores an accepted text in D; the first refusal is shown and keeps its
  // field's text and the focus.
  for (int layer = 0; layer < grdLayers->rowCount(); ++layer) {
    for (int c = 2; c < 7; ++c) {
      TDataEdit* number = field(layer, c);
      if (number != nullptr && !number->Validate()) return false;
    }
  }
  return true;
}

void TDlgSoilLayers::storeValues() { storeGrid(); }

void TDlgSoilLayers::SoilLayersAddClick() {
  if (!storeGrid()) return;
  if (!vorne::addSoilLayer(project())) return;
  m_currentLayer = project().D.rowCount() - 1;
  markModified();
  layControls();
  grdLayers->scrollToBottom();
  // The new layer's first entry takes the keyboard.
  if (QComboBox* list = typeList(m_currentLayer)) list->setFocus(Qt::OtherFocusReason);
}

void TDlgSoilLayers::SoilLayersInsertClick() {
  if (!storeGrid()) return;
  if (!vorne::insertSoilLayer(project(), m_currentLayer)) return;
  markModified();
  layControls();
}

void TDlgSoilLayers::SoilLayersDeleteClick() {
  if (!storeGrid()) return;
  if (project().D.rowCount() <= 1) return;  // a profile keeps at least one layer
  if (chkConfirm->isChecked()) {
    const QMessageBox::StandardButton answer =
        showMessageBox(this, QMessageBox::Question, kMessageBoxTitle,
                       QStringLiteral("Do you want to delete soil layer in row ") +
                           QString::number(m_currentLayer + 1),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
  }
  if (!vorne::deleteSoilLayer(project(), m_currentLayer)) return;
  markModified();
  layControls();
}

void TDlgSoilLayers::EditLayerClick(int layer) {
  if (!storeGrid()) return;
  m_currentLayer = layer;
  TDlgSoils dialog(project(), layer, this);
  runModal(dialog);
  layControls();
}
