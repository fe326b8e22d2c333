// Laying out the calculation report page by page on a PDF writer.
#include "report/calculation_report.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHashSeed>
#include <QPainter>
#include <QPdfWriter>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "app/main_window_rules.h"
#include "base/atomic_file.h"
#include "base/io_error.h"
#include "plot/plot_paint.h"
#include "report/engine_report.h"
#include "report/required_depth.h"

namespace vorne {

namespace {

// Device pixels per inch of the document; the graphs are drawn at this resolution.
constexpr int kResolution = 600;
// The plot window's font height on a 96-pixel-per-inch screen, scaled to the page as printing
// does.
constexpr int kPlotFontHeight = 14 * kResolution / 96;

// Faces of fonts-liberation, named so that every machine embeds the same font.
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kSans = QStringLiteral("Liberation Sans");
const QString kMono = QStringLiteral("Liberation Mono");

int mm(double millimetres) {
  return static_cast<int>(std::lround(millimetres * kResolution / 25.4));
}

QFont font(const QString& family, double points, bool bold = false) {
  QFont f(family);
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setStyleStrategy(QFont::NoFontMerging);
  f.setKerning(false);
  return f;
}

QString fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }
// The plot data file carries these values with four significant digits.
QString general(double value) { return QString::number(value, 'g', 4); }

struct Units {
  QString force, depth, movement, weight, stress, system;
};

Units unitsOf(int units) {
  if (units == 2) {
    return {QStringLiteral("kN"),    QStringLiteral("m"),   QStringLiteral("m"),
            QStringLiteral("kN/m³"), QStringLiteral("kPa"), QStringLiteral("SI units (kN, m, mm)")};
  }
  return {QStringLiteral("kips"), QStringLiteral("ft"),
          QStringLiteral("in"),   QStringLiteral("pcf"),
          QStringLiteral("ksf"),  QStringLiteral("English units (kips, ft, in)")};
}

// A table: heading cells (a "\n" breaks a heading over lines), a unit row, body rows. The first
// column is left-aligned, the others right-aligned.
struct Table {
  QStringList heading;
  QStringList units;
  std::vector<QStringList> rows;
  int boldFrom = -1;      // rows from this index on are bold (summary rows)
  bool textFirst = true;  // the first column holds names (left) rather than numbers (right)
  QString caption;        // a subheading kept on the page of the table's first rows
};

struct TitleBlock {
  QString title, designer, job, date, program, file;
};

// One pass over the pages. The first pass only counts them, so that the footer of the second
// can say "Page n of N".
class Composer {
 public:
  Composer(QPdfWriter& writer, QPainter& painter, TitleBlock block, int totalPages)
      : m_writer(writer), m_painter(painter), m_block(std::move(block)), m_total(totalPages) {
    const QRect page = writer.pageLayout().fullRectPixels(kResolution);
    m_left = page.left() + mm(16);
    m_right = page.right() - mm(16);
    m_top = page.top() + mm(12);
    m_bottom = page.bottom() - mm(14);
    startPage();
  }

  int pages() const { return m_page; }
  int left() const { return m_left; }
  int width() const { return m_right - m_left; }
  int bodyTop() const { return m_bodyTop; }
  int bottom() const { return m_bottom; }
  int y() const { return m_y; }
  void setY(int y) { m_y = y; }
  QPainter& painter() { return m_painter; }

  void newPage() {
    m_writer.newPage();
    startPage();
  }

  // Starts a new page unless `height` more fits on this one.
  void ensure(int height) {
    if (m_y + height > m_bottom && m_y > m_bodyTop) newPage();
  }

  void heading(const QString& text) {
    const QFont f = font(kSans, 12, true);
    const int h = QFontMetrics(f, &m_writer).height();
    ensure(h * 4);
    m_y += m_y > m_bodyTop ? h / 2 : 0;
    drawText(f, m_left, text);
    m_y += h / 4;
  }

  void subheading(const QString& text) {
    const QFont f = font(kSans, 10, true);
    ensure(QFontMetrics(f, &m_writer).height() * 4);
    m_y += QFontMetrics(f, &m_writer).height() / 3;
    drawText(f, m_left, text);
  }

  // Text wrapped at the column width.
  void paragraph(const QString& text, double points = 9.5, bool mono = false) {
    const QFont f = font(mono ? kMono : kSerif, points);
    const QFontMetrics metrics(f, &m_writer);
    QStringList words = text.split(QLatin1Char(' '));
    QString line;
    for (const QString& word : words) {
      const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width()) {
        drawText(f, m_left, line);
        line = word;
      } else {
        line = candidate;
      }
    }
    if (!line.isEmpty()) drawText(f, m_left, line);
  }

  void lines(const QStringList& text, double points) {
    const QFont f = font(kMono, points);
    for (const QString& line : text) drawText(f, m_left, line);
  }

  void space(double millimetres) { m_y += mm(millimetres); }

  void table(const Table& t, double points = 8.5) {
    m_textFirst = t.textFirst;
    // The font shrinks until the table fits the width.
    const int padding = mm(2.2);
    QFont f = font(kSerif, points);
    QFont bold = font(kSerif, points, true);
    std::vector<int> widths;
    for (double p = points; p >= 5.0; p -= 0.5) {
      f = font(kSerif, p);
      bold = font(kSerif, p, true);
      widths = columnWidths(t, f, bold, padding);
      int sum = 0;
      for (int w : widths) sum += w;
      if (sum <= width()) break;
    }
    const QFontMetrics metrics(f, &m_writer);
    const int rowHeight = metrics.height() + mm(0.6);
    int headingLines = 1;
    for (const QString& h : t.heading) {
      headingLines = std::max(headingLines, static_cast<int>(h.count(QLatin1Char('\n'))) + 1);
    }
    const int headHeight = rowHeight * (headingLines + (t.units.isEmpty() ? 0 : 1)) + mm(1);
    const auto drawHead = [&] {
      m_painter.setFont(bold);
      for (int line = 0; line < headingLines; ++line) {
        drawRow(t.heading, widths, padding, [line](const QString& cell) {
          const QStringList parts = cell.split(QLatin1Char('\n'));
          return line < parts.size() ? parts[line] : QString();
        });
        m_y += rowHeight;
      }
      if (!t.units.isEmpty()) {
        m_painter.setFont(f);
        drawRow(t.units, widths, padding, [](const QString& cell) { return cell; });
        m_y += rowHeight;
      }
      m_y += mm(0.5);
      rule(m_y);
      m_y += mm(0.5);
    };
    // A short table is kept on one page; a long one starts with at least three rows.
    const int whole = headHeight + rowHeight * static_cast<int>(t.rows.size());
    const QFont captionFont = font(kSans, 10, true);
    const int captionHeight =
        t.caption.isEmpty() ? 0 : QFontMetrics(captionFont, &m_writer).height() * 3 / 2;
    ensure(captionHeight +
           (whole <= (m_bottom - m_bodyTop) / 3
                ? whole
                : headHeight + rowHeight * std::min<int>(3, static_cast<int>(t.rows.size()))));
    if (!t.caption.isEmpty()) {
      subheading(t.caption);
      m_y += mm(1);
    }
    drawHead();
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
      if (m_y + rowHeight > m_bottom) {
        newPage();
        drawHead();
      }
      const bool isBold = t.boldFrom >= 0 && static_cast<int>(r) >= t.boldFrom;
      if (static_cast<int>(r) == t.boldFrom) {
        rule(m_y);
        m_y += mm(0.5);
      }
      m_painter.setFont(isBold ? bold : f);
      drawRow(t.rows[r], widths, padding, [](const QString& cell) { return cell; });
      m_y += rowHeight;
    }
    m_y += mm(2);
  }

 private:
  std::vector<int> columnWidths(const Table& t, const QFont& f, const QFont& bold, int padding) {
    const QFontMetrics plain(f, &m_writer);
    const QFontMetrics strong(bold, &m_writer);
    std::vector<int> widths(static_cast<std::size_t>(t.heading.size()), 0);
    const auto widen = [&](const QStringList& cells, const QFontMetrics& metrics) {
      for (qsizetype c = 0; c < cells.size() && c < t.heading.size(); ++c) {
        for (const QString& part : cells[c].split(QLatin1Char('\n'))) {
          auto& w = widths[static_cast<std::size_t>(c)];
          w = std::max(w, metrics.horizontalAdvance(part) + padding);
        }
      }
    };
    widen(t.heading, strong);
    widen(t.units, plain);
    for (const QStringList& row : t.rows) widen(row, strong);
    return widths;
  }

  void drawRow(const QStringList& cells,
               const std::vector<int>& widths,
               int padding,
               const std::function<QString(const QString&)>& part) {
    const QFontMetrics metrics = m_painter.fontMetrics();
    int x = m_left;
    for (std::size_t c = 0; c < widths.size(); ++c) {
      const QString text = c < static_cast<std::size_t>(cells.size())
                               ? part(cells[static_cast<qsizetype>(c)])
                               : QString();
      const int w = metrics.horizontalAdvance(text);
      const int at = c == 0 && m_textFirst ? x : x + widths[c] - padding / 2 - w;
      m_painter.setPen(Qt::black);
      m_painter.drawText(QPoint(at, m_y + metrics.ascent()), text);
      x += widths[c];
    }
  }

  void rule(int y) {
    m_painter.setPen(QPen(Qt::black, mm(0.15)));
    m_painter.drawLine(m_left, y, m_right, y);
  }

  void drawText(const QFont& f, int x, const QString& text) {
    const QFontMetrics metrics(f, &m_writer);
    if (m_y + metrics.height() > m_bottom) newPage();
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPoint(x, m_y + metrics.ascent()), text);
    m_y += metrics.height();
  }

  // The title block at the top and the page number at the foot of every page.
  void startPage() {
    ++m_page;
    const QFont titleFont = font(kSans, 11, true);
    const QFont small = font(kSans, 8.5);
    const QFontMetrics titleMetrics(titleFont, &m_writer);
    const QFontMetrics smallMetrics(small, &m_writer);
    int y = m_top;
    m_painter.setPen(Qt::black);
    m_painter.setFont(titleFont);
    const QString title = titleMetrics.elidedText(m_block.title, Qt::ElideRight, width() * 7 / 10);
    m_painter.drawText(QPoint(m_left, y + titleMetrics.ascent()), title);
    m_painter.setFont(small);
    const auto rightText = [&](int at, const QString& text) {
      m_painter.drawText(
          QPoint(m_right - smallMetrics.horizontalAdvance(text), at + smallMetrics.ascent()), text);
    };
    rightText(y, m_block.program);
    y += titleMetrics.height();
    m_painter.drawText(QPoint(m_left, y + smallMetrics.ascent()),
                       QStringLiteral("Designer: ") + m_block.designer +
                           QStringLiteral("    Job number: ") + m_block.job);
    rightText(y, QStringLiteral("Run of ") + m_block.date);
    y += smallMetrics.height() + mm(1);
    m_painter.setPen(QPen(Qt::black, mm(0.3)));
    m_painter.drawLine(m_left, y, m_right, y);
    m_bodyTop = y + mm(4);
    m_y = m_bodyTop;

    m_painter.setPen(QPen(Qt::black, mm(0.15)));
    const int footer = m_bottom + mm(3);
    m_painter.drawLine(m_left, footer, m_right, footer);
    m_painter.setFont(small);
    m_painter.drawText(QPoint(m_left, footer + mm(1) + smallMetrics.ascent()), m_block.file);
    const QString number = QStringLiteral("Page %1 of %2").arg(m_page).arg(m_total);
    rightText(footer + mm(1), number);
  }

  QPdfWriter& m_writer;
  QPainter& m_painter;
  TitleBlock m_block;
  int m_total = 0;
  int m_page = 0;
  int m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_bodyTop = 0, m_y = 0;
  bool m_textFirst = true;
};

// A copy of a graph for the page, every curve listed and shown whatever a window left hidden.
void copyGraph(const TGraphPlot& from, TGraphPlot& to) {
  to.CurveName = from.CurveName;
  to.Caption = from.Caption;
  to.ShowLegend = true;
  to.ShowLayers = from.ShowLayers;
  to.ShowWall = from.ShowWall;
  to.ShowThree = from.ShowThree;
  to.WallLineCount = from.WallLineCount;
  to.Markers = from.Markers;
  to.SizeFont = from.SizeFont;
  to.LegendFont = from.LegendFont;
  to.WidthLine = from.WidthLine;
  to.XCaption = from.XCaption;
  to.YCaption = from.YCaption;
  to.XUnits = from.XUnits;
  to.YUnits = from.YUnits;
  to.XOnTop = from.XOnTop;
  to.XCaption2 = from.XCaption2;
  to.YCaption2 = from.YCaption2;
  to.XUnits2 = from.XUnits2;
  to.YUnits2 = from.YUnits2;
  to.XCaption3 = from.XCaption3;
  to.YCaption3 = from.YCaption3;
  to.XUnits3 = from.XUnits3;
  to.YUnits3 = from.YUnits3;
  to.SetUnits(from.Units());
  to.Lines = from.Lines;
  to.LayerLines = from.LayerLines;
  to.Lines2 = from.Lines2;
  to.Lines3 = from.Lines3;
  to.LineNames = from.LineNames;
  to.GraphTitle = from.GraphTitle;
  to.TitleOnTop = from.TitleOnTop;
  to.LimitCurves = false;
  for (TLineList* list : {&to.Lines, &to.LayerLines, &to.Lines2, &to.Lines3}) {
    for (TLine& line : *list) {
      line.Owner = &to;
      line.Listed = true;
      line.Active = true;
    }
  }
}

// Paints a graph into a rectangle of the page through the one paint routine, at the page's
// resolution, with its legend in a corner the curves of that kind of graph leave free: lower
// left for graphs with the X axis on top (capacity and movement grow downward and to the
// right), lower right for the others (t-z curves rise to the right).
void paintGraphAt(QPainter& painter, QPdfWriter& writer, const TGraphPlot& graph, const QRect& r) {
  TPlotView view;
  if (!AutoRange(graph.Lines, view.ranges[0])) return;
  TPaintSettings settings;
  settings.dpiX = kResolution;
  settings.dpiY = kResolution;
  settings.baseFontHeight = kPlotFontHeight;
  settings.legendInOutput = true;
  settings.bitmapMode = false;
  const TPlotLayout layout = LayoutFor(graph, r, settings);
  const QFont legendFont = ScaledFont(kPlotFontHeight, 400, graph.SizeFont);
  const QFontMetrics metrics(legendFont, &writer);
  int widest = 0;
  int entries = 0;
  for (int i = 0; i < graph.LineCount(); ++i) {
    widest = std::max(widest, metrics.horizontalAdvance(graph.DisplayName(i)));
    ++entries;
  }
  const int legendWidth = widest + kResolution * 3 / 16;
  const int legendHeight = entries * (metrics.height() + kResolution / 32) + kResolution / 32;
  const int inset = kResolution / 12;
  const int plotWidth = std::max(layout.plot.width(), 1);
  const int plotHeight = std::max(layout.plot.height(), 1);
  // Measured on the plot area, as the legend of a printed plot is.
  settings.windowSize = QSize(plotWidth, plotHeight);
  const int x = graph.XOnTop ? inset : plotWidth - legendWidth - inset;
  settings.legendPos = QPoint(std::max(0, x), std::max(0, plotHeight - legendHeight - inset));
  PaintGraph(painter, r, graph, view, settings);
}

struct MethodTip {
  int methodId = 0;
  int curve = 0;
  QString name;
  double depth = 0, skin = 0, tip = 0, total = 0;
  std::optional<double> required;
};

std::vector<MethodTip> methodTips(const TProgramData& project,
                                  const TMainGraphs& graphs,
                                  const std::optional<double>& required) {
  std::vector<MethodTip> tips;
  const std::vector<int> ids = plottedMethods(project.MethodSelected, graphs.pltSkin.LineCount());
  for (int i = 0; i < graphs.pltSkin.LineCount(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (graphs.pltSkin.Lines[k].Points.empty() || k >= graphs.pltTotal.Lines.size() ||
        k >= graphs.pltTip.Lines.size()) {
      continue;
    }
    MethodTip t;
    t.curve = i;
    t.methodId = k < ids.size() ? ids[k] : 0;
    t.name = graphs.pltSkin.DisplayName(i);
    t.depth = graphs.pltSkin.Lines[k].Points.back().Y;
    t.skin = graphs.pltSkin.Lines[k].Points.back().X;
    t.tip = graphs.pltTip.Lines[k].Points.back().X;
    t.total = graphs.pltTotal.Lines[k].Points.back().X;
    if (required) t.required = requiredDepth(graphs.pltTotal.Lines[k].Points, *required);
    tips.push_back(t);
  }
  return tips;
}

QString methodLongName(int id) {
  switch (id) {
    case 1:
      return QStringLiteral("FHWA");
    case 2:
      return QStringLiteral("US Army Corps (USACE)");
    case 3:
      return QStringLiteral("Revised Lambda");
    case 4:
      return QStringLiteral("API RP-2A");
    case 5:
      return QStringLiteral("User-specified unit load transfers");
    case 6:
      return QStringLiteral("NGI");
    case 7:
      return QStringLiteral("ICP/MTD");
    case 8:
      return QStringLiteral("FUGRO");
    case 9:
      return QStringLiteral("UWA");
    default:
      return QStringLiteral("method %1").arg(id);
  }
}

struct Document {
  const ReportSources& sources;
  const ReportOptions& options;
  const EngineReport& engine;
  const TitleBlock& block;
};

void composeInputs(Composer& c, const Document& d, const Units& u) {
  const TProgramData& project = *d.sources.project;
  c.heading(QStringLiteral("1  Project and inputs"));
  Table facts;
  facts.heading = {QStringLiteral("Item"), QStringLiteral("")};
  const auto fact = [&facts](const QString& item, const QString& value) {
    facts.rows.push_back({item, value});
  };
  fact(QStringLiteral("Project file"), project.fileName());
  fact(QStringLiteral("Engine report"), d.sources.reportFile);
  fact(QStringLiteral("Unit system"), u.system);
  fact(QStringLiteral("Loading"),
       project.LoadingType == 1 ? QStringLiteral("Tension") : QStringLiteral("Compression"));
  QStringList methods;
  for (int id : kPlotMethodOrder) {
    if (project.MethodSelected[static_cast<std::size_t>(id)] == 1) methods << methodLongName(id);
  }
  fact(QStringLiteral("Capacity methods"), methods.join(QStringLiteral(", ")));
  fact(QStringLiteral("Load-transfer method"), methodLongName(project.LoadTransferMethod));
  QString cpt = QStringLiteral("none");
  if (project.CptPointCount() > 0) {
    cpt = QStringLiteral("%1 points in %2").arg(project.CptPointCount()).arg(project.cptFileName());
    if (!project.CptImport.FileName.isEmpty()) {
      cpt += QStringLiteral(", imported from ") + project.CptImport.FileName;
    }
  }
  fact(QStringLiteral("CPT data"), cpt);
  // Facts read as a list of pairs, without the heading row.
  for (const QStringList& row : facts.rows) {
    c.paragraph(QStringLiteral("%1:  %2").arg(row[0], row[1]));
  }

  if (!d.engine.inputEcho.isEmpty()) {
    c.subheading(QStringLiteral("Pile, methods and options as the engine read them"));
    c.space(1);
    c.lines(d.engine.inputEcho, 8);
  }

  if (!d.engine.soil.empty()) {
    Table soil;
    soil.caption = QStringLiteral("Soil layers (each layer by its top and bottom)");
    soil.heading = {QStringLiteral("Layer"),
                    QStringLiteral("Depth"),
                    QStringLiteral("Soil"),
                    QStringLiteral("Earth\npressure K"),
                    QStringLiteral("Effective\nunit weight"),
                    QStringLiteral("Friction\nangle"),
                    QStringLiteral("Bearing\nfactor Nq"),
                    QStringLiteral("Max. unit\nfriction"),
                    QStringLiteral("Max. unit\nbearing"),
                    QStringLiteral("Undrained\nstrength"),
                    QStringLiteral("Remolded\nstrength"),
                    QStringLiteral("Blow count\nor YSR"),
                    QStringLiteral("User unit\nfriction"),
                    QStringLiteral("User unit\nbearing")};
    soil.units = {QString(), u.depth,  QString(), QString(), u.weight, QStringLiteral("deg"),
                  QString(), u.stress, u.stress,  u.stress,  u.stress, QString(),
                  u.stress,  u.stress};
    for (std::size_t i = 0; i < d.engine.soil.size(); ++i) {
      const ReportTableRow& s = d.engine.soil[i];
      QStringList row{QString::number(i / 2 + 1)};
      row << s;
      if (i < d.engine.strength.size()) row << d.engine.strength[i];
      soil.rows.push_back(row);
    }
    c.table(soil);
    for (const QString& note : d.engine.soilNotes) c.paragraph(note, 8);
  }

  if (!d.engine.factors.empty()) {
    Table factors;
    factors.caption = d.engine.offshore.empty()
                          ? QStringLiteral("Resistance factors")
                          : QStringLiteral("Resistance factors and cone-method parameters");
    factors.textFirst = false;
    factors.heading = {QStringLiteral("Depth"), QStringLiteral("Factor on\nunit friction"),
                       QStringLiteral("Factor on\nunit bearing")};
    factors.units = {u.depth, QString(), QString()};
    if (!d.engine.offshore.empty()) {
      factors.heading << QStringLiteral("Plasticity\nindex")
                      << QStringLiteral("Yield\nstress ratio") << QStringLiteral("Qc from\nCPT");
      factors.units << QStringLiteral("%") << QString() << u.stress;
    }
    for (std::size_t i = 0; i < d.engine.factors.size(); ++i) {
      QStringList row = d.engine.factors[i];
      if (i < d.engine.offshore.size()) row << d.engine.offshore[i].mid(1);
      factors.rows.push_back(row);
    }
    c.table(factors);
  }
}

void composeResults(Composer& c,
                    const Document& d,
                    const Units& u,
                    const std::vector<MethodTip>& tips) {
  const TProgramData& project = *d.sources.project;
  const TMainGraphs& graphs = *d.sources.graphs;
  const bool tension = project.LoadingType == 1;
  c.heading(QStringLiteral("2  Capacity at the pile tip"));
  Table tip;
  tip.heading = {QStringLiteral("Method"), QStringLiteral("Tip\npenetration"),
                 QStringLiteral("Skin\nfriction"),
                 tension ? QStringLiteral("Self\nweight") : QStringLiteral("End\nbearing"),
                 QStringLiteral("Ultimate\ncapacity")};
  tip.units = {QString(), u.depth, u.force, u.force, u.force};
  const bool plugColumn = d.engine.openEndedPipe && !tension;
  if (plugColumn) {
    tip.heading << QStringLiteral("Soil plug\nat the tip");
    tip.units << QString();
  }
  const std::optional<double>& q = d.options.requiredCapacity;
  if (q) {
    tip.heading << QStringLiteral("Penetration for\n%1 %2").arg(fixed(*q, 1), u.force);
    tip.units << u.depth;
  }
  for (const MethodTip& t : tips) {
    QStringList row{t.name, fixed(t.depth, 2), fixed(t.skin, 1), fixed(t.tip, 1),
                    fixed(t.total, 1)};
    if (plugColumn) {
      row << (tipUnplugged(d.engine, t.methodId) ? QStringLiteral("unplugged *")
                                                 : QStringLiteral("plugged"));
    }
    if (q) row << (t.required ? fixed(*t.required, 2) : QStringLiteral("not reached"));
    tip.rows.push_back(row);
  }
  if (!tips.empty()) {
    double lowest = tips.front().total, highest = tips.front().total, sum = 0;
    for (const MethodTip& t : tips) {
      lowest = std::min(lowest, t.total);
      highest = std::max(highest, t.total);
      sum += t.total;
    }
    tip.boldFrom = static_cast<int>(tip.rows.size());
    const auto summary = [&](const QString& name, double value) {
      QStringList row{name, QString(), QString(), QString(), fixed(value, 1)};
      while (row.size() < tip.heading.size()) row << QString();
      tip.rows.push_back(row);
    };
    summary(QStringLiteral("Lowest of the methods"), lowest);
    summary(QStringLiteral("Highest of the methods"), highest);
    summary(QStringLiteral("Mean of the methods"), sum / static_cast<double>(tips.size()));
  }
  c.table(tip, 9.5);
  if (plugColumn) {
    c.paragraph(
        QStringLiteral(
            "* The tip resistance is controlled by the friction of the soil plug inside the "
            "open-ended pipe (marked * in the engine's report)."),
        8.5);
  }
  if (q) {
    c.paragraph(QStringLiteral("Penetration for %1 %2: the shallowest penetration at which the "
                               "method's ultimate capacity reaches the required %1 %2, linear "
                               "between the printed depths; \"not reached\" when it does not "
                               "reach it down to the tip.")
                    .arg(fixed(*q, 1), u.force),
                8.5);
  }

  c.heading(QStringLiteral("3  Capacity against depth"));
  c.paragraph(QStringLiteral("At the printed interval of the run; forces in %1, penetration in %2.")
                  .arg(u.force, u.depth),
              8.5);
  c.space(1);
  const QString bearing = tension ? QStringLiteral("Self wt.") : QStringLiteral("End br.");
  // At most three methods a table, the tables as even as they come.
  const std::size_t groups = (tips.size() + 2) / 3;
  const std::size_t perTable = groups == 0 ? 1 : (tips.size() + groups - 1) / groups;
  for (std::size_t first = 0; first < tips.size(); first += perTable) {
    const std::size_t last = std::min(tips.size(), first + perTable);
    Table profile;
    profile.textFirst = false;
    profile.heading << QStringLiteral("Penetration");
    profile.units << u.depth;
    for (std::size_t m = first; m < last; ++m) {
      profile.heading << tips[m].name + QStringLiteral("\nSkin") << QStringLiteral("\n") + bearing
                      << QStringLiteral("\nTotal");
      profile.units << u.force << u.force << u.force;
    }
    const auto& depths = graphs.pltSkin.Lines[static_cast<std::size_t>(tips[first].curve)].Points;
    for (std::size_t r = 0; r < depths.size(); ++r) {
      QStringList row{fixed(depths[r].Y, 2)};
      for (std::size_t m = first; m < last; ++m) {
        const auto k = static_cast<std::size_t>(tips[m].curve);
        const auto value = [&](const TGraphPlot& g) {
          const auto& points = g.Lines[k].Points;
          return r < points.size() ? fixed(points[r].X, 1) : QString();
        };
        row << value(graphs.pltSkin) << value(graphs.pltTip) << value(graphs.pltTotal);
      }
      profile.rows.push_back(row);
    }
    c.table(profile);
  }

  c.heading(QStringLiteral("4  Load-settlement curve"));
  const QString method =
      graphs.pltAxial.LineCount() > 0 ? graphs.pltAxial.DisplayName(0) : QString();
  c.paragraph(QStringLiteral("Load transfer by the %1 method.").arg(method), 9);
  c.space(1);
  Table settlement;
  settlement.heading = {
      QStringLiteral("Level"), QStringLiteral("Head\nload"),
      tension ? QStringLiteral("Head\nuplift") : QStringLiteral("Head\nsettlement"),
      QStringLiteral("Tip\nload"), QStringLiteral("Tip\nmovement")};
  settlement.units = {QString(), u.force, u.movement, u.force, u.movement};
  if (graphs.pltAxial.LineCount() > 0 && graphs.PltQw.LineCount() > 0) {
    const auto& head = graphs.pltAxial.Lines[0].Points;
    const auto& base = graphs.PltQw.Lines[0].Points;
    // Point 0 is the origin the loader adds; the run's levels follow.
    for (std::size_t j = 1; j < head.size() && j < base.size(); ++j) {
      settlement.rows.push_back({QString::number(j), general(head[j].X), general(head[j].Y),
                                 general(base[j].X), general(base[j].Y)});
    }
  }
  c.table(settlement, 9);

  c.heading(QStringLiteral("5  Warnings and messages"));
  QStringList messages = d.engine.messages;
  for (const QString& m : d.sources.runMessages) {
    if (!m.isEmpty() && !messages.contains(m)) messages << m;
  }
  if (messages.isEmpty()) {
    c.paragraph(QStringLiteral("The run gave no warnings or messages."));
  } else {
    for (const QString& m : messages) c.paragraph(QStringLiteral("- ") + m);
  }
}

void composePlots(Composer& c,
                  QPdfWriter& writer,
                  const Document& d,
                  const Units& u,
                  const std::vector<MethodTip>& tips) {
  const TProgramData& project = *d.sources.project;
  const TMainGraphs& g = *d.sources.graphs;
  const TResultCommands offered =
      resultCommands(true, true, project.ExtraTzDepths, project.LoadingType);
  std::vector<std::unique_ptr<TGraphPlot>> graphs;
  const auto add = [&graphs](const TGraphPlot& from) -> TGraphPlot& {
    graphs.push_back(std::make_unique<TGraphPlot>());
    copyGraph(from, *graphs.back());
    return *graphs.back();
  };
  TGraphPlot& total = add(g.pltTotal);
  if (d.options.requiredCapacity && !tips.empty()) {
    // The requirement as a vertical line over the depths of the curves.
    const auto& points = g.pltTotal.Lines[static_cast<std::size_t>(tips.front().curve)].Points;
    TLine line;
    line.Owner = &total;
    line.Value = static_cast<double>(total.Lines.size() + 1);
    line.Name =
        QStringLiteral("Required %1 %2").arg(fixed(*d.options.requiredCapacity, 1), u.force);
    line.Points = {{*d.options.requiredCapacity, points.front().Y},
                   {*d.options.requiredCapacity, points.back().Y}};
    total.Lines.push_back(line);
  }
  TGraphPlot* combine = &add(g.pltCombine);
  combine->ShowLayers = !g.pltCombine.LayerLines.empty();
  add(g.pltSkin);
  if (offered.tip) add(g.pltTip);
  add(g.pltLoad);
  add(g.pltUSkin);
  add(g.pltAxial);
  if (offered.tip) add(g.PltQw);
  add(g.pltTZcurves);
  if (offered.extraTz && g.PltExtraTZ.LineCount() > 0) add(g.PltExtraTZ);

  // Depth graphs stand two side by side on a page, the others one above the other.
  std::size_t i = 0;
  bool first = true;
  while (i < graphs.size()) {
    c.newPage();
    if (first) {
      c.heading(QStringLiteral("6  Graphs"));
      first = false;
    }
    const int top = c.y();
    const int height = c.bottom() - top;
    const QFont captionFont = font(kSans, 9.5, true);
    const int captionHeight = QFontMetrics(captionFont, &writer).height() + mm(1);
    const auto slot = [&](const TGraphPlot& graph, const QRect& r) {
      c.painter().setFont(captionFont);
      c.painter().setPen(Qt::black);
      QString caption = graph.Caption;
      // The combined plot shows the curves of the load-transfer method.
      if (&graph == combine && g.pltAxial.LineCount() > 0) {
        caption += QStringLiteral(" (") + g.pltAxial.DisplayName(0) + QStringLiteral(")");
      }
      c.painter().drawText(QPoint(r.left(), r.top() + QFontMetrics(captionFont, &writer).ascent()),
                           caption);
      paintGraphAt(c.painter(), writer, graph,
                   QRect(r.left(), r.top() + captionHeight, r.width(), r.height() - captionHeight));
    };
    const auto depthGraph = [](const TGraphPlot& graph) {
      return graph.XOnTop && graph.YUnits == QStringLiteral("L2");
    };
    const int gap = mm(6);
    if (depthGraph(*graphs[i])) {
      const int w = (c.width() - gap) / 2;
      slot(*graphs[i], QRect(c.left(), top, w, height));
      if (i + 1 < graphs.size() && depthGraph(*graphs[i + 1])) {
        slot(*graphs[i + 1], QRect(c.left() + w + gap, top, w, height));
        ++i;
      }
    } else {
      const int h = (height - gap) / 2;
      slot(*graphs[i], QRect(c.left(), top, c.width(), h));
      if (i + 1 < graphs.size() && !depthGraph(*graphs[i + 1])) {
        slot(*graphs[i + 1], QRect(c.left(), top + h + gap, c.width(), h));
        ++i;
      }
    }
    ++i;
  }
}

// One pass: every page into writer. Returns the number of pages.
int compose(QPdfWriter& writer, const Document& d, int totalPages) {
  QPainter painter;
  if (!painter.begin(&writer)) {
    throw EInOutError(QStringLiteral("the PDF writer could not start a page"));
  }
  Composer c(writer, painter, d.block, totalPages);
  const Units u = unitsOf(d.sources.graphs->pltSkin.Units());
  const std::vector<MethodTip> tips =
      methodTips(*d.sources.project, *d.sources.graphs, d.options.requiredCapacity);
  composeInputs(c, d, u);
  composeResults(c, d, u, tips);
  composePlots(c, writer, d, u, tips);
  const int pages = c.pages();
  painter.end();
  return pages;
}

// The PDF date of a local time: D:YYYYMMDDHHmmSS+HH'mm'.
QByteArray pdfDate(const QDateTime& date) {
  const int offset = date.offsetFromUtc() / 60;
  const int magnitude = std::abs(offset);
  return "D:" + date.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
         (offset < 0 ? "-" : "+") + QByteArray::number(magnitude / 60).rightJustified(2, '0') +
         "'" + QByteArray::number(magnitude % 60).rightJustified(2, '0') + "'";
}

// The writer stamps the current time into the document information and a fresh identifier
// into its metadata; both are replaced by values of the same length derived from the date, so
// that the cross-reference offsets stay right and the same run gives the same bytes.
QByteArray pinned(QByteArray pdf, const QDateTime& date) {
  const QByteArray key = "/CreationDate (";
  qsizetype at = pdf.indexOf(key);
  if (at >= 0) {
    at += key.size();
    const qsizetype end = pdf.indexOf(')', at);
    if (end > at) {
      QByteArray stamp = pdfDate(date);
      stamp = stamp.leftJustified(end - at, ' ', true);
      pdf.replace(at, end - at, stamp);
    }
  }
  return pdf;
}

QByteArray xmpMetadata(const QString& title, const QDateTime& date) {
  QString escaped = title.toHtmlEscaped();
  const QString when = date.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
  return QStringLiteral(
             "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
             "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
             "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
             "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
             "xmlns:xmp='http://ns.adobe.com/xap/1.0/'>\n"
             "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
             "<xmp:CreatorTool>VORNE %2</xmp:CreatorTool>\n"
             "<xmp:CreateDate>%3</xmp:CreateDate>\n"
             "</rdf:Description>\n"
             "</rdf:RDF>\n"
             "</x:xmpmeta>\n"
             "<?xpacket end='w'?>\n")
      .arg(escaped, kProgramVersion, when)
      .toUtf8();
}

QByteArray render(
    const Document& d, ReportPage page, const QDateTime& date, int totalPages, int* pages) {
  // The writer keeps its fonts in a hash table and writes them in the table's order, which a
  // random seed would change from one process to the next.
  QHashSeed::setDeterministicGlobalSeed();
  const auto restoreSeed = qScopeGuard([] { QHashSeed::resetRandomGlobalSeed(); });
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(page == ReportPage::A4 ? QPageSize::A4 : QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(d.block.title);
    writer.setCreator(QStringLiteral("VORNE ") + kProgramVersion);
    writer.setDocumentXmpMetadata(xmpMetadata(d.block.title, date));
    const int count = compose(writer, d, totalPages);
    if (pages != nullptr) *pages = count;
  }
  buffer.close();
  return pinned(bytes, date);
}

}  // namespace

QByteArray calculationReportPdf(const ReportSources& sources, const ReportOptions& options) {
  if (sources.project == nullptr || sources.graphs == nullptr) {
    throw EInOutError(QStringLiteral("the report has no run to show"));
  }
  const EngineReport engine = readEngineReport(sources.reportText);
  QDateTime date = options.date;
  if (!date.isValid()) date = engine.runDate;
  if (!date.isValid()) date = QDateTime::currentDateTime();
  const TProgramData& project = *sources.project;
  TitleBlock block;
  // The identification as it was run, from the report; the project's own without one.
  const bool echoed = !engine.designer.isEmpty() || !engine.title.isEmpty();
  block.title = (echoed ? engine.title : project.Title).trimmed();
  if (block.title.isEmpty()) block.title = QStringLiteral("Untitled project");
  block.designer = echoed ? engine.designer : project.Designer.trimmed();
  block.job = echoed ? engine.jobNumber : project.JobNumber.trimmed();
  block.date = date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  block.program = QStringLiteral("VORNE ") + kProgramVersion;
  block.file = QFileInfo(project.fileName()).fileName();
  const ReportPage page = options.page.value_or(defaultReportPage(sources.graphs->pltSkin.Units()));
  const Document d{sources, options, engine, block};
  int pages = 0;
  render(d, page, date, 0, &pages);
  return render(d, page, date, pages, nullptr);
}

void writeCalculationReport(const QString& fileName,
                            const ReportSources& sources,
                            const ReportOptions& options) {
  QByteArray bytes;
  try {
    bytes = calculationReportPdf(sources, options);
  } catch (const EInOutError& error) {
    throw EInOutError(error.message(), fileName);
  }
  writeFileAtomically(fileName, bytes);
}

}  // namespace vorne
