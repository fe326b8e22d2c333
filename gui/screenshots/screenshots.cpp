// vorne-screenshots FOLDER [PROJECT]: opens a project in the desktop program's main window, runs
// it and saves pictures of the window as PNG files into FOLDER: the opened project, the window
// after the run, each result graph and data window that the program offers, the report viewer, the
// status bar of a changed project, two graphs side by side, the box of a run the project check
// refuses and that of a run the engine stops, and the Soil Layers window holding a refused entry
// with the box that names the field. Every other message box is answered with its default button.
// Run it under a display, e.g. through
// scripts/screenshots.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTableWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "gui/data_edit.h"
#include "gui/main_form.h"
#include "gui/message_box.h"
#include "gui/plot_dialogs.h"
#include "gui/plot_form.h"
#include "gui/report_viewer.h"
#include "gui/show_plot.h"
#include "gui/soil_layers_dialog.h"
#include "gui/soil_layers_from_cpt_window.h"
#include "plot/plot_geometry.h"

namespace {

// The real seabed CPT of the samples beside the source tree (VORNE_CPT_SAMPLES overrides), or
// empty when they are not there.
QString seabedCpt() {
  const QStringList folders{qEnvironmentVariable("VORNE_CPT_SAMPLES"),
                            QStringLiteral(VORNE_SOURCE_DIR "/../shared/cpt-samples"),
                            QStringLiteral(VORNE_SOURCE_DIR "/../../shared/cpt-samples")};
  for (const QString& folder : folders) {
    const QString file = folder + QStringLiteral("/ags/rvo_HKZ1-CPT01_AGS4.ags");
    if (!folder.isEmpty() && QFileInfo::exists(file)) return file;
  }
  return {};
}

// Lets the window lay out and paint before it is grabbed.
void settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
  }
}

bool save(QWidget& window, const QDir& folder, const QString& name) {
  settle();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

// The next message box is saved as a picture under this name (and answered with No or Cancel
// where offered, so that nothing outside the program is started); empty: boxes are only answered.
QString boxPictureName;
QDir boxFolder;
// The last box asked for, to be drawn over the window it belongs to.
MessageBoxRequest lastBox{};
bool boxAsked = false;

QMessageBox::StandardButton answerBox(const MessageBoxRequest& box) {
  lastBox = box;
  boxAsked = true;
  std::printf("box: %s\n", qPrintable(QString(box.text).replace(QLatin1Char('\n'), ' ')));
  if (boxPictureName.isEmpty()) {
    return box.defaultButton != QMessageBox::NoButton ? box.defaultButton : QMessageBox::Ok;
  }
  QMessageBox shown(box.icon, box.title, box.text, box.buttons);
  if (box.defaultButton != QMessageBox::NoButton) shown.setDefaultButton(box.defaultButton);
  shown.show();
  save(shown, boxFolder, boxPictureName);
  shown.close();
  boxPictureName.clear();
  for (QMessageBox::StandardButton refusal : {QMessageBox::No, QMessageBox::Cancel}) {
    if (box.buttons.testFlag(refusal)) return refusal;
  }
  return box.defaultButton != QMessageBox::NoButton ? box.defaultButton : QMessageBox::Ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 2) {
    std::fprintf(stderr, "usage: vorne-screenshots FOLDER [PROJECT]\n");
    return 2;
  }
  QDir folder(arguments.at(1));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "vorne-screenshots: cannot make %s\n", qPrintable(arguments.at(1)));
    return 1;
  }
  const QString project =
      arguments.size() > 2 ? arguments.at(2)
                           : QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d");
  if (!QFileInfo::exists(project)) {
    std::fprintf(stderr, "vorne-screenshots: no project %s\n", qPrintable(project));
    return 1;
  }

  // The run writes beside the project: work on a copy, with settings of its own.
  QTemporaryDir work;
  const QFileInfo source(project);
  const QString copy = work.filePath(source.fileName());
  QFile::copy(source.absoluteFilePath(), copy);
  const QString cpt =
      source.absolutePath() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".cpt");
  if (QFileInfo::exists(cpt)) QFile::copy(cpt, work.filePath(QFileInfo(cpt).fileName()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.path());
  boxFolder = folder;
  setMessageBoxResponder(answerBox);

  // A window shown modally would wait for a user: it is closed after a moment.
  QTimer modalGuard;
  QObject::connect(&modalGuard, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  modalGuard.start(1000);

  TMainForm form;
  form.resize(1200, 800);
  form.show();
  form.openStartupProject(copy);
  bool saved = save(form, folder, QStringLiteral("01_project"));

  form.CompRun->trigger();
  saved &= save(form, folder, QStringLiteral("02_after_run"));

  // Every command that opens a window and is offered now: one picture each, window maximised.
  int n = 3;
  for (QMenu* menu : {form.graphicsMenu, form.dataMenu}) {
    emit menu->aboutToShow();
    for (QAction* command : menu->actions()) {
      if (command->isSeparator() || !command->isEnabled() || command->menu()) continue;
      command->trigger();
      if (QMdiSubWindow* frame = form.mdiArea()->activeSubWindow()) frame->showMaximized();
      QString name = command->text().remove(QLatin1Char('&')).toLower();
      name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("_"));
      saved &=
          save(form, folder, QStringLiteral("%1_%2").arg(n++, 2, 10, QLatin1Char('0')).arg(name));
      form.closeAllChildWindows();
      settle();
    }
  }
  // The combined plot with its soil-layer strip, and the picture its "Save To Disk" writes at the
  // default size (8 x 6 in at 150 pixels per inch, 16 colours).
  if (form.tbCombinedPlot->isEnabled()) {
    form.tbCombinedPlot->trigger();
    if (TPlotForm* plot = PlotWindowOf(form.graphs().pltCombine)) {
      plot->mShowLayers->trigger();
      saved &=
          save(form, folder,
               QStringLiteral("%1_combined_plot_with_layers").arg(n++, 2, 10, QLatin1Char('0')));
      const QString picture = folder.filePath(
          QStringLiteral("%1_combined_plot_saved.png").arg(n++, 2, 10, QLatin1Char('0')));
      const vorne::TPictureSize size = vorne::kDefaultPicture;
      QImage bitmap(vorne::BitmapSize(size.heightInches, size.widthInches, size.pixelsPerInch),
                    QImage::Format_RGB32);
      bitmap.fill(Qt::white);
      const QString error =
          plot->saveBitmap(bitmap, TdlgFormat::Colors16, picture, "PNG", size.pixelsPerInch);
      std::printf("%s %s\n", error.isEmpty() ? "saved" : "could not save", qPrintable(picture));
      saved &= error.isEmpty();
      plot->mShowLayers->trigger();
    }
    form.closeAllChildWindows();
    settle();
  }
  // The report in the program's own viewer (no word processor set), searched for a word, and the
  // status bar after a change that makes the results stale.
  if (form.tbViewOutput->isEnabled()) {
    form.setWordProcessor(QString());
    form.tbViewOutput->trigger();
    if (QMdiSubWindow* frame = form.mdiArea()->activeSubWindow()) {
      frame->showMaximized();
      if (auto* viewer = qobject_cast<TReportViewer*>(frame->widget())) {
        viewer->findEdit->setText(QStringLiteral("ULTIMATE"));
        viewer->findNext();
      }
    }
    saved &=
        save(form, folder, QStringLiteral("%1_report_viewer").arg(n++, 2, 10, QLatin1Char('0')));
    form.closeAllChildWindows();
    settle();
  }
  form.project().Title += QStringLiteral(" (revised)");
  form.project().setModified();
  for (int i = 0; i < 8; ++i) {
    QThread::msleep(100);
    settle();
  }
  saved &= save(form, folder, QStringLiteral("%1_status_stale").arg(n++, 2, 10, QLatin1Char('0')));

  // The frame with two result graphs side by side.
  form.mCombine->trigger();
  form.mAxial->trigger();
  if (form.mdiArea()->subWindowList().size() > 1) {
    form.mdiArea()->tileSubWindows();
    saved &= save(form, folder, QStringLiteral("%1_overview").arg(n, 2, 10, QLatin1Char('0')));
  }
  form.closeAllChildWindows();
  settle();
  // Soil Layers from CPT on a real seabed CPT, when the samples are there.
  if (const QString seabed = seabedCpt(); !seabed.isEmpty()) {
    const vorne::CptLayerSource layers = vorne::readCptLayerSource(seabed);
    if (layers.profile) {
      auto* window = new TSoilLayersFromCptWindow(form.project(), *layers.profile);
      form.addChildWindow(window)->showMaximized();
      saved &= save(form, folder,
                    QStringLiteral("%1_soil_layers_from_cpt").arg(++n, 2, 10, QLatin1Char('0')));
      form.closeAllChildWindows();
      settle();
    }
  } else {
    std::printf("no CPT samples: no picture of Soil Layers from CPT\n");
  }
  form.closeAllChildWindows();
  // A run the project check refuses: the pile's whole length above the ground leaves nothing
  // embedded.
  form.project().StickupLength = form.project().PileLength;
  boxPictureName = QStringLiteral("%1_refused_run").arg(++n, 2, 10, QLatin1Char('0'));
  form.CompRun->trigger();
  saved &= boxPictureName.isEmpty();  // the run told its outcome in a box
  boxPictureName.clear();
  form.project().StickupLength = 0.0;
  // A run the engine stops: a pile 600 in across and 1000 ft long in heavy sand without a friction
  // limit passes every range, but its skin friction outgrows the report's column.
  QTemporaryDir hugeFolder;
  const QString huge = hugeFolder.filePath(QStringLiteral("huge.vr6d"));
  QFile hugeFile(huge);
  if (hugeFolder.isValid() && hugeFile.open(QIODevice::WriteOnly)) {
    hugeFile.write(
        "Huge pile in heavy sand\r\nDesigner\r\nJob\r\n1 10 2\r\n0 0 600 0 29000000 1000 0\r\n"
        "0 0 \r\n0 3 1 0 4 1 0 \r\n0 0 0 1 0 0 0 0 0 \r\n1200 0 \r\n0.0 1 10 300 50 300 \r\n"
        "0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n1200 1 10 300 50 300 \r\n0 0 0.0 0 0.0 0.0 0 0 0 1 1 \r\n"
        "0 \r\n0 1 \r\n0 0 \r\n1 0 \r\n0 0 \r\n");
    hugeFile.close();
    form.project().clearModified();
    if (form.openProjectFile(huge, true)) {
      boxPictureName = QStringLiteral("%1_stopped_run").arg(++n, 2, 10, QLatin1Char('0'));
      form.CompRun->trigger();
      saved &= boxPictureName.isEmpty();
      boxPictureName.clear();
      form.project().clearModified();
    }
  }

  // A refused entry: the Soil Layers window keeps the text in its cell; the box that names the
  // field is drawn over the window where the user sees it.
  form.mSoilLayers->trigger();
  auto* soil = dynamic_cast<TDlgSoilLayers*>(form.childWindow(form.mSoilLayers));
  TDataEdit* depth = soil != nullptr && soil->grdLayers->rowCount() > 0
                         ? soil->field(std::min(2, soil->grdLayers->rowCount() - 1), 2)
                         : nullptr;
  if (depth != nullptr) {
    if (QMdiSubWindow* frame = form.mdiArea()->activeSubWindow()) frame->showMaximized();
    settle();
    boxAsked = false;
    depth->setFocus();
    depth->selectAll();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("abc"));
    QApplication::sendEvent(depth, &typed);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(depth, &tab);
    settle();
    QPixmap picture = form.grab();
    if (boxAsked) {
      QMessageBox box(lastBox.icon, lastBox.title, lastBox.text, QMessageBox::Ok);
      box.show();
      settle();
      const QPixmap shown = box.grab();
      box.close();
      QPainter painter(&picture);
      painter.drawPixmap((picture.width() - shown.width()) / 2,
                         (picture.height() - shown.height()) / 2, shown);
    }
    const QString path =
        folder.filePath(QStringLiteral("%1_refused_cell.png").arg(++n, 2, 10, QLatin1Char('0')));
    const bool pictured = boxAsked && picture.save(path);
    std::printf("%s %s\n", pictured ? "saved" : "could not save", qPrintable(path));
    saved &= pictured;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(depth, &escape);
    form.closeAllChildWindows();
    settle();
  }
  form.project().clearModified();
  form.close();
  return saved ? 0 : 1;
}
