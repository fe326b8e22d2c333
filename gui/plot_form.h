// The plot window: draws one graph with the shared paint routine, with its legend, the "&Plot"
// menu, rubber-band zoom, right-click zoom-out, the read-out in the caption, printing and saving
// as a picture. Every setting changed here is written into the graph, which outlives the window.
#pragma once

#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <functional>
#include <memory>

#include "plot/graph_plot.h"
#include "plot/plot_geometry.h"
#include "plot/plot_paint.h"

class QAction;
class QActionGroup;
class QDialog;
class QMenu;
class TPlotForm;

// The drawing area of a plot window; its size is the client area of the layout.
class TPlotCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit TPlotCanvas(TPlotForm& form);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TPlotForm& m_form;
};

// The legend list box: one entry per listed curve in its colour, " *" after an active one. It is
// dragged with the mouse and a double-click toggles the entry's curve.
class TPlotLegend : public QListWidget {
  Q_OBJECT

 public:
  TPlotLegend(TPlotForm& form, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TPlotForm& m_form;
  bool m_dragging = false;
  QPoint m_pressOffset;
};

class TPlotForm : public QMainWindow {
  Q_OBJECT

 public:
  // Computes the ranges, lists the curves (the first 20 with LimitCurves) and builds the legend
  // and the per-curve menu items. isUsable() is false when the data give no range.
  explicit TPlotForm(vorne::TGraphPlot& graph, QWidget* parent = nullptr);
  ~TPlotForm() override;

  bool isUsable() const { return m_usable; }
  // Shows the graph's current data, as a new window of it would: ranges from the data (zoom
  // reset), curves listed again, legend and per-curve items rebuilt and placed, the caption.
  // Returns false, changing nothing, when the data give no range.
  bool reloadGraph();
  vorne::TGraphPlot& graph() { return m_graph; }
  const vorne::TPlotView& view() const { return m_view; }
  const vorne::TPlotView& fullView() const { return m_full; }
  // The screen layout of the current client area.
  vorne::TPlotLayout screenLayout() const;
  vorne::TPaintSettings screenSettings() const;

  // Seams for tests; each defaults to the real modal dialog. runDialog shows a plot settings
  // dialog and returns its result; choosePrinter and choosePageSetup run the print and the page
  // setup dialog on the printer; chooseSaveFile returns the file name and the chosen filter
  // (empty name: cancelled).
  std::function<int(QDialog&)> runDialog;
  std::function<bool(QPrinter&)> choosePrinter;
  std::function<bool(QPrinter&)> choosePageSetup;
  std::function<QString(QString& selectedFilter)> chooseSaveFile;

  // The folder the picture and print dialogs start in (the project's); empty: the current one.
  void setOutputFolder(const QString& folder) { m_outputFolder = folder; }
  const QString& outputFolder() const { return m_outputFolder; }
  // The file a picture of this graph is proposed as (suffix "png" or "bmp").
  QString pictureProposal(const QString& suffix) const;

  // Printing and saving on given outputs.
  void printOn(QPrinter& printer);
  // Paints the picture into bitmap (its size is the output, laid out at pixelsPerInch with the
  // text scaled to it) and writes it in the colours of the Save Attributes choice through the
  // safe writer (an older picture stays whole when the write fails); returns the error text,
  // empty on success.
  QString saveBitmap(
      QImage bitmap, int colors, const QString& fileName, const char* format, int pixelsPerInch);
  // The printer of Print and Page Setup, made on first use with a print to a file proposed in the
  // output folder.
  QPrinter& printer();

  // Page margins in thousandths of an inch.
  vorne::TPageMargins margins() const { return m_margins; }

  // Menu "&Plot" and its items.
  QMenu* PlotMenu = nullptr;
  QAction* mShowLegend = nullptr;
  QAction* mShowLayers = nullptr;
  QAction* mShowWall = nullptr;
  QMenu* mMarkers = nullptr;
  QMenu* mFontSize = nullptr;
  QMenu* mLineWidth = nullptr;
  QAction* mGraphTitle = nullptr;
  QAction* mEditLegend = nullptr;
  QAction* mActiveCurves = nullptr;
  QAction* mPrint = nullptr;
  QAction* mPageSetup = nullptr;
  QAction* mSaveToDisk = nullptr;
  // One item per listed curve, in order; each holds its curve index as data.
  QList<QAction*> curveItems;
  TPlotLegend* Legend = nullptr;
  TPlotCanvas* canvas() const { return m_canvas; }

  // Menu commands (also reached through the menu).
  void setMarkers(int every);
  void setFontScale(int scale);
  void setLineWidth(int width);
  void editGraphTitle();
  void editLegend();
  void editActiveCurves();
  void printPlot();
  void pageSetup();
  void saveToDisk();
  void toggleCurve(int curve);

  // Mouse behaviour of the drawing area, in its coordinates.
  void plotPressed(QPoint pos, Qt::MouseButton button);
  void plotMoved(QPoint pos);
  void plotReleased(QPoint pos, Qt::MouseButton button);
  bool rubberBandActive() const { return m_banding; }
  QRect rubberBand() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  friend class TPlotCanvas;
  friend class TPlotLegend;

  void buildMenu();
  void updateMenu();
  // Legend entries and per-curve items for the listed curves, in curve order.
  void rebuildCurveItems();
  void refreshLegendTexts();
  void sizeLegend(int itemHeight);
  // Legend font and size for a font scale (tenths of the legend font).
  void setLegendScale(int scale);
  void relayout(bool anchorLegend);
  void keepLegendInside();
  void repaintAll();
  int execDialog(QDialog& dialog);
  bool curveActive(int curve) const;
  // The panel under a pixel column (three-panel mode: the later one wins where they overlap).
  int panelAt(const vorne::TPlotLayout& layout, int x) const;

  vorne::TGraphPlot& m_graph;
  TPlotCanvas* m_canvas = nullptr;
  vorne::TPlotView m_view;
  vorne::TPlotView m_full;
  bool m_usable = true;
  bool m_shownOnce = false;
  bool m_painted = false;
  bool m_banding = false;
  // The legend stands where the window put it, not where the user dragged it.
  bool m_legendPlaced = true;
  QPoint m_bandStart;
  QPoint m_bandEnd;
  vorne::TPageMargins m_margins;
  std::unique_ptr<QPrinter> m_printer;
  QString m_outputFolder;
  // The last Save Attributes values of this window.
  double m_saveHeight = vorne::kDefaultPicture.heightInches;
  double m_saveWidth = vorne::kDefaultPicture.widthInches;
  int m_savePpi = vorne::kDefaultPicture.pixelsPerInch;
  int m_saveColors = 1;
};
