// Cone data dialog.
#include "gui/cone_data_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/cpt_soil_layers.h"
#include "gui/data_edit.h"
#include "gui/message_box.h"
#include "gui/soil_layers_from_cpt_window.h"

TDlgInputMotion::TDlgInputMotion(vorne::TProgramData& project,
                                 vorne::TGraphPlot& motionInput,
                                 QWidget* parent)
    : TDataDialog(project, parent), m_motionInput(motionInput) {
  setWindowTitle(QStringLiteral("Data of Cone Penetration Test"));
  chooseFile = [](QWidget* owner, const QString& start) {
    return QFileDialog::getOpenFileName(
        owner, QString(), start, QStringLiteral("CPT recors(.txt) (*.txt *.acc);;All Files (*)"));
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Name of file for input cone data"), this), 0, 0);
  edtFileName = new QLineEdit(this);
  grid->addWidget(edtFileName, 1, 0, 1, 2);
  btnBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
  grid->addWidget(btnBrowse, 1, 2);
  deDataLines = addEdit(grid, 2, QStringLiteral("Number of data lines to be read from the file"));
  deDataLines->setIntegerOnly(true);
  deDataLines->setMinVal(2.0);
  deDataLines->setMaxVal(2147483647.0);
  deHeaderLines =
      addEdit(grid, 3, QStringLiteral("Number of header lines in file containing cone data"));
  deHeaderLines->setIntegerOnly(true);
  deHeaderLines->setMinVal(0.0);
  deHeaderLines->setMaxVal(50.0);
  deColumns = addEdit(
      grid, 4, QStringLiteral("Number of data columns per line to be read from the data file"));
  deColumns->setIntegerOnly(true);
  deColumns->setMinVal(2.0);
  deColumns->setMaxVal(20.0);
  grid->addWidget(
      new QLabel(QStringLiteral("( The first two columns are reserved for Depth and  Qc )"), this),
      5, 0, 1, 2);
  deStressFactor = addEdit(grid, 6, QStringLiteral("Unit conversion factor for stress, Ua"));
  deStressFactor->setNumber(1.0);
  grid->addWidget(
      new QLabel(
          QStringLiteral("( ksf is required for English units and kPa is used for S.I. units)"),
          this),
      7, 0, 1, 3);
  grid->addWidget(
      new QLabel(
          QStringLiteral("(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)"),
          this),
      8, 0, 1, 3);
  btnQc = new QPushButton(QStringLiteral(" Graphics Button - Qc versus depth"), this);
  btnSpt = new QPushButton(QStringLiteral(" Graphics Button - Converted SPT versus depth"), this);
  btnSu = new QPushButton(QStringLiteral(" Graphics Button - Converted Su versus depth"), this);
  btnEditFile = new QPushButton(QStringLiteral("Edit File"), this);
  grid->addWidget(btnQc, 9, 0, 1, 2);
  grid->addWidget(btnSpt, 10, 0, 1, 2);
  grid->addWidget(btnSu, 11, 0, 1, 2);
  btnSoilLayers = new QPushButton(QStringLiteral("Soil Layers from CPT..."), this);
  grid->addWidget(btnSoilLayers, 12, 0, 1, 2);
  grid->addWidget(btnEditFile, 13, 0);
  grid->addWidget(closeButton(), 13, 2);

  connect(btnBrowse, &QPushButton::clicked, this, [this] {
    const QString chosen = chooseFile(this, edtFileName->text());
    if (!chosen.isEmpty() && chosen != edtFileName->text()) {
      edtFileName->setText(chosen);
      markModified();
      refreshLayerSource();
      applyRules();
    }
  });
  connect(edtFileName, &QLineEdit::textEdited, this, [this] {
    markModified();
    applyRules();
  });
  connect(edtFileName, &QLineEdit::editingFinished, this, [this] {
    refreshLayerSource();
    applyRules();
  });
  connect(btnSoilLayers, &QPushButton::clicked, this, [this] { openSoilLayers(); });
  connect(btnEditFile, &QPushButton::clicked, this, [this] {
    if (editFile) editFile(edtFileName->text());
  });
  connect(btnQc, &QPushButton::clicked, this, [this] { importProfile(vorne::CptConversion::Qc); });
  connect(btnSpt, &QPushButton::clicked, this,
          [this] { importProfile(vorne::CptConversion::Spt); });
  connect(btnSu, &QPushButton::clicked, this, [this] { importProfile(vorne::CptConversion::Su); });
}

TDlgInputMotion::~TDlgInputMotion() {
  // The file field loses the focus while the widgets are torn down, after this class's members
  // are gone: its editingFinished must not reach refreshLayerSource then.
  disconnect(edtFileName, nullptr, this, nullptr);
}

void TDlgInputMotion::loadValues() {
  const vorne::TCptImportSettings& s = project().CptImport;
  edtFileName->setText(s.FileName);
  deDataLines->setNumber(std::max(s.DataLineCount, 2));
  deHeaderLines->setNumber(s.HeaderLineCount);
  deColumns->setNumber(std::max(s.ColumnCount, 2));
  deStressFactor->setNumber(s.StressFactor);
  refreshLayerSource();
}

void TDlgInputMotion::applyRules() {
  btnEditFile->setEnabled(!edtFileName->text().trimmed().isEmpty());
  btnSoilLayers->setEnabled(m_layerProfile.has_value() &&
                            m_layerSourceFile == edtFileName->text().trimmed());
}

void TDlgInputMotion::refreshLayerSource() {
  const QString fileName = edtFileName->text().trimmed();
  if (fileName == m_layerSourceFile && m_layerProfile) return;
  m_layerSourceFile = fileName;
  m_layerProfile.reset();
  if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
    btnSoilLayers->setToolTip(QString());
    return;
  }
  vorne::CptLayerSource source = vorne::readCptLayerSource(fileName);
  m_layerProfile = std::move(source.profile);
  btnSoilLayers->setToolTip(source.message);
}

bool TDlgInputMotion::openSoilLayers() {
  refreshLayerSource();
  applyRules();
  if (!m_layerProfile) {
    const QString fileName = edtFileName->text().trimmed();
    const QString reason = fileName.isEmpty() || !QFileInfo(fileName).isFile()
                               ? QStringLiteral("File %1 does not exists").arg(fileName)
                               : btnSoilLayers->toolTip();
    showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, reason);
    return false;
  }
  auto* window = new TSoilLayersFromCptWindow(project(), *m_layerProfile);
  window->setAttribute(Qt::WA_DeleteOnClose);
  soilLayersWindow = window;
  if (placeWindow) {
    placeWindow(window);
  } else {
    window->show();
  }
  return true;
}

void TDlgInputMotion::storeValues() {
  vorne::TCptImportSettings& s = project().CptImport;
  s.FileName = edtFileName->text();
  storeNumber(deDataLines, s.DataLineCount);
  storeNumber(deHeaderLines, s.HeaderLineCount);
  storeNumber(deColumns, s.ColumnCount);
  storeNumber(deStressFactor, s.StressFactor);
}

bool TDlgInputMotion::importProfile(vorne::CptConversion conversion) {
  if (!FormDeactivate()) return false;
  const vorne::CptImportResult result =
      vorne::importCptData(project().CptImport, conversion, project().units(), m_motionInput);
  if (!result.ok) {
    showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, result.message);
    return false;
  }
  // The project keeps the cone resistance the engine reads; a converted profile is only shown.
  if (conversion == vorne::CptConversion::Qc) {
    std::vector<vorne::CptProfilePoint> points;
    for (const vorne::TFloatPoint& p : m_motionInput.Lines[0].Points) points.push_back({p.Y, p.X});
    project().CptPoints = std::move(points);
    markModified();
  }
  if (showGraph) showGraph(m_motionInput);
  return true;
}
