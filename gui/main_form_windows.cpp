// Where each child window of the desktop program plugs into the main window: one line per
// command, for example
//   plugWindow(mTitle, [this] { return new TDlgTitle(project()); });
//   setPlotOpener([this](vorne::TGraphPlot& graph) { showPlotForm(graph); });
// A command stays disabled until its window is plugged in here.
#include <QDesktopServices>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QUrl>

#include "app/install_layout.h"
#include "gui/excel_export_dialog.h"
#include "gui/cone_data_dialog.h"
#include "gui/control_options_dialog.h"
#include "gui/elevation_view.h"
#include "gui/soil_layers_dialog.h"
#include "gui/soil_layers_from_cpt_window.h"
#include "gui/title_dialog.h"
#include "gui/tz_print_dialog.h"
#include "gui/pile_material_dialog.h"
#include "gui/noncircular_pile_dialog.h"
#include "gui/circular_pile_dialog.h"
#include "gui/computation_methods_dialog.h"
#include "gui/help_form.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/plot_form.h"
#include "gui/report_export_dialog.h"
#include "gui/show_plot.h"
#include "gui/table_form.h"

void TMainForm::plugChildWindows() {
  const TTableForm::Placer placeTable = [this](QWidget* form) { addChildWindow(form); };
  const auto showTable = [this, placeTable](vorne::TGridTable* table) {
    TTableForm::showTable(*table, placeTable);
  };
  plugWindow(mTitle, [this] { return new TdlgTitle(project()); });
  plugWindow(mCompMethod, [this] {
    auto* dialog = new TfrmWaterDepth(project());
    // A taper reset shows in an open Pile Material dialog.
    connect(dialog, &TfrmWaterDepth::taperAngleReset, this, [this] {
      if (auto* material = dynamic_cast<TChildWindow*>(childWindow(mPileMaterial))) {
        material->loadFromProject();
      }
    });
    return dialog;
  });
  plugWindow(mPileMaterial, [this, showTable] {
    auto* dialog = new TfrmMaterial(project());
    connect(dialog, &TfrmMaterial::showTable, this, showTable);
    connect(dialog, &TDataDialog::committed, this, &TMainForm::refreshPileShape);
    return dialog;
  });
  plugWindow(mCircularPile, [this] { return new TfrmShaftpeneta(project()); });
  plugWindow(mNoncircularPile, [this] { return new TfrmNCsection(project()); });
  plugWindow(mSoilLayers, [this] { return new TDlgSoilLayers(project()); });
  plugWindow(mCptData, [this] {
    auto* dialog = new TDlgInputMotion(project(), graphs().MotionInput);
    dialog->editFile = [this](const QString& fileName) { openInWordProcessor(fileName); };
    dialog->showGraph = [this](vorne::TGraphPlot& graph) {
      ShowPlot(graph, [this](TPlotForm* form) -> QWidget* {
        form->setOutputFolder(projectFolder());
        return addChildWindow(form);
      });
    };
    dialog->placeWindow = [this](QWidget* window) {
      addChildWindow(window);
      // Open windows (the Soil Layers dialog) show the replaced table.
      if (auto* layers = qobject_cast<TSoilLayersFromCptWindow*>(window)) {
        connect(layers, &TSoilLayersFromCptWindow::soilLayersReplaced, this,
                &TMainForm::reloadChildWindows);
      }
    };
    return dialog;
  });
  plugWindow(mTzPrint, [this, showTable] {
    auto* dialog = new TDlgTZPrint(project());
    connect(dialog, &TDlgTZPrint::showTable, this, showTable);
    connect(dialog, &TDataDialog::committed, this,
            [this] { mTzPrint->setChecked(project().ExtraTzDepths == 1); });
    return dialog;
  });
  plugWindow(mControlOptions, [this] { return new TDlgOptions(project(), m_wordProcessor); });
  setPlotOpener([this](vorne::TGraphPlot& graph) {
    ShowPlot(graph, [this](TPlotForm* form) -> QWidget* {
      form->setOutputFolder(projectFolder());
      return addChildWindow(form);
    });
  });

  // The elevation view; the toolbar's "View Soil Profile" is its twin.
  plugWindow(mViewSoilCoordinates, [this] { return new TDlgSideView(project()); });

  // The export dialog is modal; its entries follow the Graphics items.
  plugCommand(mExportExcel, [this] {
    refreshCommands();
    TDlgExport dialog(
        graphs(),
        [this] {
          return vorne::ExportPlotFlags{mUSkin->isEnabled(),   mSkin->isEnabled(),
                                        mTip->isEnabled(),     mTotal->isEnabled(),
                                        mLoad->isEnabled(),    mCombine->isEnabled(),
                                        mAxial->isEnabled(),   mTzCurves->isEnabled(),
                                        mExtraTz->isEnabled(), mQw->isEnabled()};
        },
        this);
    const QFileInfo projectFile(project().fileName());
    dialog.setProposedFileName(projectFile.absolutePath() + QLatin1Char('/') +
                               projectFile.completeBaseName() + QStringLiteral(".xlsx"));
    dialog.exec();
  });

  // The calculation report of the last run, in a modal dialog.
  plugCommand(mExportReport, [this] {
    TDlgReportExport dialog(project(), graphs(), this);
    dialog.exec();
  });

  // Help: the manuals in a help window each.
  const auto manual = [](const char* document) {
    return [document]() -> QWidget* {
      auto* help = new THelpForm(vorne::findManualFolder(vorne::programFolder()));
      help->showDocument(QString::fromLatin1(document));
      return help;
    };
  };
  plugWindow(mContents, manual("index.md"));
  plugWindow(mUsersManual, manual("users-manual.md"));
  plugWindow(mTechnicalManual, manual("technical-manual.md"));
  plugCommand(mCheckUpdates, [this] {
    const QUrl page(vorne::homePage());
    if (!QDesktopServices::openUrl(page)) {
      showMessageBox(this, QMessageBox::Information, kProgramTitle,
                     QStringLiteral("No browser could open %1").arg(page.toString()));
    }
  });
}
