// Workbook writing with libxlsxwriter. The library cannot frame or fill a chart legend, so the
// written package is copied once more with the legend's shape properties added to every chart
// part (minizip reads and writes the package).
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <xlsxwriter.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/io_error.h"
#include "plot/xlsx_export.h"

namespace vorne {

namespace {

// A failure inside the workbook; the export stops where it was raised.
class WorkbookError : public std::runtime_error {
 public:
  explicit WorkbookError(const QString& message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString& message() const { return m_message; }

 private:
  QString m_message;
};

void check(lxw_error error, const QString& where) {
  if (error != LXW_NO_ERROR) {
    throw WorkbookError(where + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(error)));
  }
}

// Row and column numbers are zero-based in libxlsxwriter.
lxw_row_t row(int oneBased) { return static_cast<lxw_row_t>(oneBased - 1); }
lxw_col_t column(int oneBased) { return static_cast<lxw_col_t>(oneBased - 1); }

// Keeps the UTF-8 bytes of every text until the workbook is closed: libxlsxwriter copies cell
// texts but keeps the pointers of series and axis names until it writes the charts.
class TextStore {
 public:
  const char* keep(const QString& text) {
    m_texts.push_back(text.toUtf8());
    return m_texts.back().constData();
  }

 private:
  std::vector<QByteArray> m_texts;
};

class Writer {
 public:
  Writer(lxw_workbook* workbook, TextStore& texts) : m_workbook(workbook), m_texts(texts) {}

  void writeLegend(int graphCount) {
    m_legend = workbook_add_worksheet(m_workbook, "Legend");
    if (!m_legend) throw WorkbookError(QStringLiteral("Legend: the sheet cannot be added"));
    lxw_format* header = workbook_add_format(m_workbook);
    format_set_bold(header);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    static const char* const kHeaders[] = {
        "     N    ", "                             Plot Name                             ",
        "  Sheet Name  ", "  Chart Name  ", "          Status          "};
    int col = 2;  // B
    for (const char* text : kHeaders) {
      check(worksheet_write_string(m_legend, row(2), column(col), text, header),
            QStringLiteral("Legend"));
      check(worksheet_set_column(m_legend, column(col), column(col), fittedWidth(text), nullptr),
            QStringLiteral("Legend"));
      ++col;
    }
    for (int n = 1; n <= graphCount; ++n) {
      check(worksheet_write_number(m_legend, row(n + 2), column(2), n, nullptr),
            QStringLiteral("Legend"));
    }
  }

  // The export of graph number n; stage follows its progress.
  void writeGraph(const TGraphPlot& graph, int n, ExportStage& stage) {
    const int legendRow = n + 2;
    const QString page = QStringLiteral("Page_%1").arg(n);
    const QString plot = QStringLiteral("Plot_%1").arg(n);
    const QString xTitle = exportAxisTitle(graph.XCaption, graph.XUnits, graph.Units());
    const QString yTitle = exportAxisTitle(graph.YCaption, graph.YUnits, graph.Units());

    stage = ExportStage::Data;
    legendText(legendRow, 3, graph.Caption);
    check(worksheet_write_url_opt(
              m_legend, row(legendRow), column(4),
              m_texts.keep(QStringLiteral("internal:") + page + QStringLiteral("!A1")), nullptr,
              m_texts.keep(page), nullptr),
          QStringLiteral("Legend"));
    legendText(legendRow, 5, plot);
    legendStatus(legendRow, stage);

    lxw_worksheet* sheet = workbook_add_worksheet(m_workbook, m_texts.keep(page));
    if (!sheet) throw WorkbookError(page + QStringLiteral(": the sheet cannot be added"));
    check(worksheet_write_url_opt(sheet, row(1), column(7), "internal:Legend!A1", nullptr,
                                  "Go to Legend Page", nullptr),
          page);
    text(sheet, page, 1, 1, graph.Caption);
    text(sheet, page, 2, 1, QStringLiteral("X"));
    text(sheet, page, 2, 2, xTitle);
    text(sheet, page, 3, 1, QStringLiteral("Y"));
    text(sheet, page, 3, 2, yTitle);

    const int curveCount = graph.LineCount();
    const int pointCount = graph.PointCount(0);
    for (int t = 1; t <= curveCount; ++t) {
      const TLine& line = graph.Lines[static_cast<std::size_t>(t - 1)];
      text(sheet, page, 4, 2 * t - 1, graph.DisplayName(t - 1));
      text(sheet, page, 5, 2 * t - 1, QStringLiteral("X"));
      text(sheet, page, 5, 2 * t, QStringLiteral("Y"));
      const int points = std::min(pointCount, static_cast<int>(line.Points.size()));
      for (int j = 0; j < points; ++j) {
        const TFloatPoint& point = line.Points[static_cast<std::size_t>(j)];
        number(sheet, page, 6 + j, 2 * t - 1, point.X);
        number(sheet, page, 6 + j, 2 * t, point.Y);
      }
    }

    stage = ExportStage::Chart;
    legendStatus(legendRow, stage);
    lxw_chart* chart = workbook_add_chart(m_workbook, LXW_CHART_SCATTER_STRAIGHT);
    if (!chart) throw WorkbookError(plot + QStringLiteral(": the chart cannot be added"));
    // A graph without points still gets a chart: its series cover the empty first data row.
    const int lastRow = 5 + std::max(pointCount, 1);
    const int charted = std::min(curveCount, kMaxChartSeries);
    for (int t = 1; t <= std::max(charted, 1); ++t) {
      const QString name = t <= curveCount ? graph.DisplayName(t - 1) : graph.Caption;
      lxw_chart_series* series =
          chart_add_series(chart, m_texts.keep(seriesRange(page, 2 * t - 1, lastRow)),
                           m_texts.keep(seriesRange(page, 2 * t, lastRow)));
      if (!series) throw WorkbookError(plot + QStringLiteral(": a series cannot be added"));
      // A name that starts with "=" would be read as a formula: take it from its cell instead.
      if (name.startsWith(QLatin1Char('='))) {
        chart_series_set_name_range(series, m_texts.keep(page), row(4), column(2 * t - 1));
      } else {
        chart_series_set_name(series, m_texts.keep(name));
      }
    }
    chart_title_off(chart);
    axisTitle(chart->x_axis, page, xTitle, 2);
    axisTitle(chart->y_axis, page, yTitle, 3);
    chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    // Depth plots: depth grows downward, and the X axis then crosses at the top.
    if (graph.XOnTop) chart_axis_set_reverse(chart->y_axis);

    lxw_chartsheet* chartSheet = workbook_add_chartsheet(m_workbook, m_texts.keep(plot));
    if (!chartSheet) throw WorkbookError(plot + QStringLiteral(": the sheet cannot be added"));
    check(chartsheet_set_chart(chartSheet, chart), plot);

    stage = ExportStage::Complete;
    legendStatus(legendRow, stage);
  }

 private:
  // Column width that shows the text of a bold header, as the spreadsheet's auto-fit would:
  // widths count digit widths, and a blank is about half of one.
  static double fittedWidth(const char* text) {
    double width = 0.0;
    for (const char* c = text; *c; ++c) width += *c == ' ' ? 0.45 : 1.1;
    return width + 1.0;
  }

  static QString seriesRange(const QString& sheet, int col, int lastRow) {
    const QString letters = GetExcelCol(col);
    return QStringLiteral("=%1!$%2$6:$%2$%3").arg(sheet, letters).arg(lastRow);
  }

  void axisTitle(lxw_chart_axis* axis, const QString& page, const QString& title, int titleRow) {
    if (title.startsWith(QLatin1Char('='))) {
      chart_axis_set_name_range(axis, m_texts.keep(page), row(titleRow), column(2));
    } else {
      chart_axis_set_name(axis, m_texts.keep(title));
    }
  }

  void text(lxw_worksheet* sheet, const QString& name, int r, int c, const QString& value) {
    check(worksheet_write_string(sheet, row(r), column(c), value.toUtf8().constData(), nullptr),
          name);
  }

  // Values are numbers in their cells so that charts and formulas use them; a value that is no
  // number (infinite, not a number) leaves its cell empty rather than a wrong figure.
  static void number(lxw_worksheet* sheet, const QString& name, int r, int c, double value) {
    if (!std::isfinite(value)) return;
    check(worksheet_write_number(sheet, row(r), column(c), value, nullptr), name);
  }

  void legendText(int r, int c, const QString& value) {
    text(m_legend, QStringLiteral("Legend"), r, c, value);
  }
  void legendStatus(int r, ExportStage stage) { legendText(r, 6, exportStageText(stage)); }

  lxw_workbook* m_workbook;
  TextStore& m_texts;
  lxw_worksheet* m_legend = nullptr;
};

// The legend frame and fill: black line, white interior.
const QByteArray kLegendShape =
    "<c:spPr><a:solidFill><a:srgbClr val=\"FFFFFF\"/></a:solidFill>"
    "<a:ln><a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill></a:ln></c:spPr>";

// Adds the legend's shape properties to a chart part: after the legend's position, layout and
// overlay and before its text properties, as the chart schema orders them.
QByteArray withFramedLegend(QByteArray xml) {
  const qsizetype start = xml.indexOf("<c:legend>");
  if (start < 0) return xml;
  const qsizetype end = xml.indexOf("</c:legend>", start);
  if (end < 0) return xml;
  const qsizetype textProperties = xml.indexOf("<c:txPr>", start);
  xml.insert(textProperties >= 0 && textProperties < end ? textProperties : end, kLegendShape);
  return xml;
}

bool isChartPart(const QByteArray& name) {
  return name.startsWith("xl/charts/chart") && name.endsWith(".xml");
}

// Copies the package at from into to, entry by entry in the same order, with every chart part
// given its legend frame.
void frameLegends(const QString& from, const QString& to) {
  const QByteArray fromName = QFile::encodeName(from);
  const QByteArray toName = QFile::encodeName(to);
  unzFile in = unzOpen64(fromName.constData());
  if (!in) throw WorkbookError(QStringLiteral("the written workbook cannot be read back"));
  zipFile out = zipOpen64(toName.constData(), APPEND_STATUS_CREATE);
  if (!out) {
    unzClose(in);
    throw WorkbookError(QStringLiteral("the workbook cannot be written"));
  }
  QString failure;
  for (int status = unzGoToFirstFile(in); status == UNZ_OK && failure.isEmpty();
       status = unzGoToNextFile(in)) {
    unz_file_info64 info{};
    char name[512];
    if (unzGetCurrentFileInfo64(in, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
        unzOpenCurrentFile(in) != UNZ_OK) {
      failure = QStringLiteral("the written workbook cannot be read back");
      break;
    }
    QByteArray data;
    char buffer[65536];
    int got = 0;
    while ((got = unzReadCurrentFile(in, buffer, sizeof buffer)) > 0) data.append(buffer, got);
    if (unzCloseCurrentFile(in) != UNZ_OK || got < 0) {
      failure = QStringLiteral("the written workbook cannot be read back");
      break;
    }
    if (isChartPart(name)) data = withFramedLegend(data);

    zip_fileinfo entry{};
    entry.tmz_date.tm_sec = info.tmu_date.tm_sec;
    entry.tmz_date.tm_min = info.tmu_date.tm_min;
    entry.tmz_date.tm_hour = info.tmu_date.tm_hour;
    entry.tmz_date.tm_mday = info.tmu_date.tm_mday;
    entry.tmz_date.tm_mon = info.tmu_date.tm_mon;
    entry.tmz_date.tm_year = info.tmu_date.tm_year;
    entry.internal_fa = info.internal_fa;
    entry.external_fa = info.external_fa;
    const int zip64 = static_cast<quint64>(data.size()) >= 0xffffffffULL ? 1 : 0;
    if (zipOpenNewFileInZip64(out, name, &entry, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                              Z_DEFAULT_COMPRESSION, zip64) != ZIP_OK) {
      failure = QStringLiteral("the workbook cannot be written");
      break;
    }
    for (qsizetype done = 0; done < data.size() && failure.isEmpty();) {
      const unsigned piece =
          static_cast<unsigned>(std::min<qsizetype>(data.size() - done, 1 << 20));
      if (zipWriteInFileInZip(out, data.constData() + done, piece) != ZIP_OK) {
        failure = QStringLiteral("the workbook cannot be written");
      }
      done += piece;
    }
    if (zipCloseFileInZip(out) != ZIP_OK && failure.isEmpty()) {
      failure = QStringLiteral("the workbook cannot be written");
    }
  }
  unzClose(in);
  if (zipClose(out, nullptr) != ZIP_OK && failure.isEmpty()) {
    failure = QStringLiteral("the workbook cannot be written");
  }
  if (!failure.isEmpty()) throw WorkbookError(failure);
}

QByteArray readWhole(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw WorkbookError(QStringLiteral("the written workbook cannot be read back"));
  }
  return file.readAll();
}

}  // namespace

WorkbookExportResult exportGraphsToWorkbook(const std::vector<const TGraphPlot*>& graphs,
                                            const QString& fileName) {
  WorkbookExportResult result;
  result.stages.assign(graphs.size(), ExportStage::NotReached);
  QTemporaryDir work(QDir::tempPath() + QStringLiteral("/vorne-xlsx-XXXXXX"));
  if (!work.isValid()) {
    result.message = fileName + QStringLiteral(": no temporary folder: ") + work.errorString();
    return result;
  }
  const QString written = work.filePath(QStringLiteral("written.xlsx"));
  const QString framed = work.filePath(QStringLiteral("framed.xlsx"));
  QByteArray tmpdir = QFile::encodeName(work.path());

  lxw_workbook_options options{};
  options.constant_memory = LXW_FALSE;  // the charts' caches read the cells back
  options.tmpdir = tmpdir.data();
  options.use_zip64 = LXW_TRUE;
  lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(written).constData(), &options);
  if (!workbook) {
    result.message = fileName + QStringLiteral(": the workbook cannot be started");
    return result;
  }
  TextStore texts;
  Writer writer(workbook, texts);
  try {
    writer.writeLegend(static_cast<int>(graphs.size()));
    for (std::size_t i = 0; i < graphs.size(); ++i) {
      writer.writeGraph(*graphs[i], static_cast<int>(i) + 1, result.stages[i]);
    }
  } catch (const WorkbookError& error) {
    result.message = fileName + QStringLiteral(": ") + error.message();
  }
  // What was made is written even after a failure, so the Status column tells how far it got.
  const lxw_error closed = workbook_close(workbook);
  if (closed != LXW_NO_ERROR) {
    result.message = fileName + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(closed));
    return result;
  }
  try {
    frameLegends(written, framed);
    writeFileAtomically(fileName, readWhole(framed));
    result.written = true;
  } catch (const WorkbookError& error) {
    result.message = fileName + QStringLiteral(": ") + error.message();
    return result;
  } catch (const EInOutError& error) {
    result.message = fileName + QStringLiteral(": ") + error.message();
    return result;
  }
  result.ok = result.message.isEmpty();
  return result;
}

}  // namespace vorne
