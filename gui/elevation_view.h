// "Elevation View": the pile of the current project to scale in its soil, with the depth under
// the mouse in the caption and a printout of the same picture. Rebuilt from the project every
// time the window is shown or activated, so that it follows edits made while it stays open.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "gui/child_window.h"
#include "plot/side_view.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace vorne {
class TProgramData;
}

class TDlgSideView : public QWidget, public TChildWindow {
  Q_OBJECT

 public:
  // Asks where to print (the platform's print dialog, which offers a PDF file); true to print.
  using PrintChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;

  explicit TDlgSideView(vorne::TProgramData& project, QWidget* parent = nullptr);

  // Reads the project again and lays the picture out for the current size.
  void rebuild();
  // The main window's activation step (also after a unit switch).
  void loadFromProject() override { rebuild(); }
  // The print dialog, replaceable so that tests print to a file without a dialog.
  void setPrintChooser(PrintChooser chooser) { m_printChooser = std::move(chooser); }

  // The picture as the window draws it, at the size of its drawing area.
  QImage grabPicture() const;
  const vorne::SideViewOutline& outline() const { return m_outline; }
  const vorne::SideViewLayout& layout() const { return m_layout; }
  QWidget* drawingArea() const { return m_area; }
  QPushButton* printButton() const { return m_print; }

 public slots:
  void PrintClick();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layOut();

  vorne::TProgramData& m_project;
  std::vector<vorne::SideViewLayer> m_layers;
  vorne::SideViewOutline m_outline;
  vorne::SideViewLayout m_layout;
  QLabel* m_label = nullptr;
  QPushButton* m_print = nullptr;
  QWidget* m_area = nullptr;
  PrintChooser m_printChooser;
};
