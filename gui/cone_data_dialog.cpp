// Cone data dialog.
#include "gui/cone_data_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "app/cpt_soil_layers.h"
#include "gui/data_edit.h"
#include "gui/message_box.h"
#include "gui/soil_layers_from_cpt_window.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"

TDlgInputMotion::TDlgInputMotion(vorne::TProgramData& project,
                                 vorne::TGraphPlot& motionInput,
                                 QWidget* parent)
    : TDataDialog(project, parent), m_motionInput(motionInput) {
  setWindowTitle(QStringLiteral("Data of Cone Penetration Test"));
  chooseFile = [](QWidget* owner, const QString& start) {
    return QFileDialog::getOpenFileName(
        owner, QString(), start, QStringLiteral("CPT recors(.txt) (*.txt *.acc);;Field CPT files (*.gef *.GEF *.ags *.AGS "
                       "*.csv *.CSV *.txt);;All Files (*)"));
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Name of file for input cone data"), this), 0, 0);
  edtFileName = new QLineEdit(this);
  grid->addWidget(edtFileName, 1, 0, 1, 2);
  btnBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
  grid->addWidget(btnBrowse, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("File format"), this), 2, 0);
  cbFormat = new QComboBox(this);
  cbFormat->addItems(vorne::cptFileChoiceNames());
  grid->addWidget(cbFormat, 2, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Location"), this), 3, 0);
  cbLocation = new QComboBox(this);
  cbLocation->setPlaceholderText(QStringLiteral("Choose a location"));
  grid->addWidget(cbLocation, 3, 1, 1, 2);
  txtSummary = new QPlainTextEdit(this);
  txtSummary->setReadOnly(true);
  txtSummary->setFocusPolicy(Qt::ClickFocus);
  txtSummary->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtSummary->setMinimumHeight(6 * fontMetrics().lineSpacing());
  grid->addWidget(txtSummary, 4, 0, 1, 3);
  deDataLines = addEdit(grid, 5, QStringLiteral("Number of data lines to be read from the file"));
  deDataLines->setIntegerOnly(true);
  deDataLines->setMinVal(2.0);
  deDataLines->setMaxVal(2147483647.0);
  deHeaderLines =
      addEdit(grid, 6, QStringLiteral("Number of header lines in file containing cone data"));
  deHeaderLines->setIntegerOnly(true);
  deHeaderLines->setMinVal(0.0);
  deHeaderLines->setMaxVal(50.0);
  deColumns = addEdit(
      grid, 7, QStringLiteral("Number of data columns per line to be read from the data file"));
  deColumns->setIntegerOnly(true);
  deColumns->setMinVal(2.0);
  deColumns->setMaxVal(20.0);
  grid->addWidget(
      new QLabel(QStringLiteral("( The first two columns are reserved for Depth and  Qc )"), this),
      8, 0, 1, 2);
  deStressFactor = addEdit(grid, 9, QStringLiteral("Unit conversion factor for stress, Ua"));
  deStressFactor->setNumber(1.0);
  grid->addWidget(
      new QLabel(
          QStringLiteral("( ksf is required for English units and kPa is used for S.I. units)"),
          this),
      10, 0, 1, 3);
  grid->addWidget(
      new QLabel(
          QStringLiteral("(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)"),
          this),
      11, 0, 1, 3);
  btnQc = new QPushButton(QStringLiteral(" Graphics Button - Qc versus depth"), this);
  btnSpt = new QPushButton(QStringLiteral(" Graphics Button - Converted SPT versus depth"), this);
  btnSu = new QPushButton(QStringLiteral(" Graphics Button - Converted Su versus depth"), this);
  btnEditFile = new QPushButton(QStringLiteral("Edit File"), this);
  grid->addWidget(btnQc, 12, 0, 1, 2);
  grid->addWidget(btnSpt, 13, 0, 1, 2);
  grid->addWidget(btnSu, 14, 0, 1, 2);
  btnSoilLayers = new QPushButton(QStringLiteral("Soil Layers from CPT..."), this);
  grid->addWidget(btnSoilLayers, 15, 0, 1, 2);
  grid->addWidget(btnEditFile, 16, 0);
  grid->addWidget(closeButton(), 16, 2);

  connect(btnBrowse, &QPushButton::clicked, this, [this] {
    const QString chosen = chooseFile(this, edtFileName->text());
    if (!chosen.isEmpty() && chosen != edtFileName->text()) {
      edtFileName->setText(chosen);
      markModified();
      refreshPreview();
    }
  });
  connect(edtFileName, &QLineEdit::textEdited, this, [this] {
    markModified();
    applyRules();
  });
  connect(edtFileName, &QLineEdit::editingFinished, this, [this] { refreshPreview(); });
  connect(cbFormat, &QComboBox::currentIndexChanged, this, [this] { refreshPreview(); });
  connect(cbLocation, &QComboBox::currentIndexChanged, this, [this] {
    if (!edtFileName->text().trimmed().isEmpty()) {
      txtSummary->setPlainText(
          vorne::cptFileSummary(m_preview, chosenLocation(), this->project().units()));
    }
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
  {
    const QSignalBlocker quiet(cbFormat);
    cbFormat->setCurrentIndex(std::clamp(s.FileChoice, 0, cbFormat->count() - 1));
  }
  deDataLines->setNumber(std::max(s.DataLineCount, 2));
  deHeaderLines->setNumber(s.HeaderLineCount);
  deColumns->setNumber(std::max(s.ColumnCount, 2));
  deStressFactor->setNumber(s.StressFactor);
  refreshPreview(s.Location);
}

void TDlgInputMotion::applyRules() {
  btnEditFile->setEnabled(!edtFileName->text().trimmed().isEmpty());
  btnSoilLayers->setEnabled(m_layerProfile.has_value() &&
                            m_layerSourceFile == edtFileName->text().trimmed());
  // The lines, columns and Ua belong to the plain columns; a field file names its own.
  const bool fieldFile = m_preview.ok && !m_preview.plainColumns;
  for (TDataEdit* edit : {deDataLines, deHeaderLines, deColumns, deStressFactor}) {
    edit->setEnabled(!fieldFile);
  }
  cbLocation->setEnabled(fieldFile && m_preview.file.profiles.size() > 1);
}

void TDlgInputMotion::refreshLayerSource() {
  const QString fileName = edtFileName->text().trimmed();
  m_layerSourceFile = fileName;
  m_layerProfile.reset();
  if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) {
    btnSoilLayers->setToolTip(QString());
    return;
  }
  if (!m_preview.ok || m_preview.plainColumns) {
    btnSoilLayers->setToolTip(
        m_preview.ok ? QStringLiteral("Plain columns give no sleeve friction fs; choose the file's "
                                      "format.")
                     : m_preview.message);
    return;
  }
  // The file as the format list reads it, at the location chosen.
  vorne::cpt::CptReadOptions options;
  options.format = m_preview.file.format;
  vorne::CptLayerSource source = vorne::readCptLayerSource(fileName, chosenLocation(), options);
  m_layerProfile = std::move(source.profile);
  btnSoilLayers->setToolTip(source.message);
}

bool TDlgInputMotion::openSoilLayers() {
  refreshPreview();
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
  s.FileChoice = cbFormat->currentIndex();
  s.Location = chosenLocation();
}

QString TDlgInputMotion::chosenLocation() const {
  return cbLocation->currentIndex() < 0 ? QString() : cbLocation->currentText();
}

void TDlgInputMotion::refreshPreview(const QString& keepLocation) {
  const QString location = keepLocation.isNull() ? chosenLocation() : keepLocation;
  const QString path = edtFileName->text().trimmed();
  {
    const QSignalBlocker quiet(cbLocation);
    cbLocation->clear();
    if (path.isEmpty()) {
      m_preview = {};
      txtSummary->setPlainText(vorne::projectCptSummary(project()));
    } else {
      m_preview = vorne::previewCptFile(path, vorne::CptFileChoice(cbFormat->currentIndex()));
      if (m_preview.ok && !m_preview.plainColumns) {
        for (const vorne::cpt::CptProfile& p : m_preview.file.profiles) {
          cbLocation->addItem(p.location);
        }
      }
      // One location is taken as it is; of several the user names one.
      const int index = cbLocation->count() == 1 ? 0 : cbLocation->findText(location);
      cbLocation->setCurrentIndex(index);
      txtSummary->setPlainText(
          vorne::cptFileSummary(m_preview, chosenLocation(), project().units()));
    }
  }
  refreshLayerSource();
  applyRules();
}

void TDlgInputMotion::takeImport(vorne::TGraphPlot& scratch,
                                 vorne::CptConversion conversion,
                                 bool intoProject) {
  m_motionInput.SetLineCount(0);
  m_motionInput.SetLineCount(1);
  m_motionInput.Caption = scratch.Caption;
  m_motionInput.XCaption = scratch.XCaption;
  m_motionInput.YCaption = scratch.YCaption;
  m_motionInput.Lines[0].Name = scratch.Lines[0].Name;
  m_motionInput.Lines[0].Points = scratch.Lines[0].Points;
  // The project keeps the cone resistance the engine reads; a converted profile is only shown.
  if (intoProject && conversion == vorne::CptConversion::Qc) {
    std::vector<vorne::CptProfilePoint> points;
    for (const vorne::TFloatPoint& p : m_motionInput.Lines[0].Points) points.push_back({p.Y, p.X});
    project().CptPoints = std::move(points);
    markModified();
  }
}

bool TDlgInputMotion::importProfile(vorne::CptConversion conversion) {
  if (!FormDeactivate()) return false;
  const int units = project().units();
  // Read into a graph of its own: a failed import leaves the project and the CPT graph whole.
  vorne::TGraphPlot scratch;
  vorne::CptImportResult result;
  bool intoProject = true;
  if (edtFileName->text().trimmed().isEmpty()) {
    // No file: the project's own points, shown as they are.
    intoProject = false;
    if (project().CptPoints.empty()) {
      result = {false, QStringLiteral("No cone data file is named and the project holds no CPT "
                                      "points.")};
    } else {
      std::vector<vorne::TFloatPoint> points;
      for (const vorne::CptProfilePoint& p : project().CptPoints) points.push_back({p.qc, p.depth});
      vorne::showCptPoints(scratch, points, conversion, units);
      result.ok = true;
    }
  } else {
    refreshPreview();  // the file as it is now
    if (m_preview.ok && m_preview.plainColumns) {
      result = vorne::importCptData(project().CptImport, conversion, units, scratch);
    } else {
      result = vorne::importCptLocation(m_preview, chosenLocation(), conversion, units, scratch);
    }
  }
  if (!result.ok) {
    showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, result.message);
    return false;
  }
  takeImport(scratch, conversion, intoProject);
  // An open window of the graph shows the new curve as a new window would: its own range and
  // legend, not those of the previous conversion.
  if (TPlotForm* open = PlotWindowOf(m_motionInput); open != nullptr && !open->reloadGraph()) {
    (open->parentWidget() != nullptr ? open->parentWidget() : open)->close();
  }
  if (showGraph) showGraph(m_motionInput);
  return true;
}
