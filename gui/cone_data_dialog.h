// "Data of Cone Penetration Test": the field data file of a cone penetration test and how to read
// it (GEF, AGS4, AGS3, column text, or plain columns by lines and columns), a summary of the file
// and the choice of its location, and the import of its profile as cone resistance Qc (kept with
// the project and written to its CPT side file) or shown converted to SPT blow counts or
// undrained shear strength. Without a file the dialog says what the project holds and the
// buttons show the project's own points.
#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "app/cpt_import.h"
#include "cpt/cpt_profile.h"
#include "gui/data_dialog.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TDlgInputMotion : public TDataDialog {
  Q_OBJECT

 public:
  // motionInput is the CPT graph of the main window; both must outlive the dialog.
  TDlgInputMotion(vorne::TProgramData& project,
                  vorne::TGraphPlot& motionInput,
                  QWidget* parent = nullptr);
  ~TDlgInputMotion() override;

  // Asks for the data file (start path in, chosen path out, empty when cancelled).
  std::function<QString(QWidget*, const QString&)> chooseFile;
  // Opens a file in the word processor ("Edit File").
  std::function<void(const QString&)> editFile;
  // Shows the CPT graph after a successful import.
  std::function<void(vorne::TGraphPlot&)> showGraph;
  // Places the Soil Layers from CPT window (the main window's area); without it the window
  // opens on its own.
  std::function<void(QWidget*)> placeWindow;

  QLineEdit* edtFileName = nullptr;
  QPushButton* btnBrowse = nullptr;
  QComboBox* cbFormat = nullptr;    // CptFileChoice order
  QComboBox* cbLocation = nullptr;  // the locations of the file; enabled when it has several
  QPlainTextEdit* txtSummary = nullptr;
  TDataEdit* deDataLines = nullptr;
  TDataEdit* deHeaderLines = nullptr;
  TDataEdit* deColumns = nullptr;
  TDataEdit* deStressFactor = nullptr;
  QPushButton* btnQc = nullptr;
  QPushButton* btnSpt = nullptr;
  QPushButton* btnSu = nullptr;
  QPushButton* btnEditFile = nullptr;
  // "Soil Layers from CPT...": enabled while the file's profile has fs.
  QPushButton* btnSoilLayers = nullptr;
  // The last Soil Layers from CPT window opened, while it is open.
  QPointer<QWidget> soilLayersWindow;

  // Imports with the dialog's settings; returns success (a failure is shown in a message box and
  // leaves the project and the graph as they were).
  bool importProfile(vorne::CptConversion conversion);
  // Opens the Soil Layers from CPT window on the file's profile; returns whether it opened (a
  // profile that cannot be classified is said in a message box).
  bool openSoilLayers();
  // Reads the named file as the format list says and shows its summary and locations, keeping
  // the location chosen (or keepLocation when given) when the file still holds it.
  void refreshPreview(const QString& keepLocation = QString());

 protected:
  void loadValues() override;
  void applyRules() override;
  void storeValues() override;

 private:
  // Reads the profile of the file named, at the chosen location and format, for the Soil
  // Layers from CPT window.
  void refreshLayerSource();
  // Puts the points of scratch into the CPT graph, and, with intoProject, Qc into the project.
  void takeImport(vorne::TGraphPlot& scratch, vorne::CptConversion conversion, bool intoProject);
  // The location chosen in the list; empty when none is.
  QString chosenLocation() const;

  vorne::TGraphPlot& m_motionInput;
  vorne::CptFilePreview m_preview;
  std::optional<vorne::cpt::CptProfile> m_layerProfile;
  QString m_layerSourceFile;  // the file m_layerProfile was read from
};
