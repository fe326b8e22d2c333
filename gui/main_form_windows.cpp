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
#include "gui/dlg_export.h"
#include "gui/dlg_side_view.h"
#include "gui/help_form.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"

void TMainForm::plugChildWindows() {
  setPlotOpener([this](vorne::TGraphPlot& graph) {
    ShowPlot(graph, [this](TPlotForm* form) -> QWidget* { return addChildWindow(form); });
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
