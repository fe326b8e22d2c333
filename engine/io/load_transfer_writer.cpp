// Load-transfer report sections and plot records; see load_transfer_writer.h.
#include "io/load_transfer_writer.h"

#include <string>

#include "io/fortran_format.h"
#include "io/text_buffer.h"

namespace vorne {
namespace {

using fmt::blanks;
using fmt::intField;
using fmt::repeated;

std::string_view lengthLabel(const CurveSettings& s) { return s.english ? "FT." : "M. "; }
std::string_view transferLabel(const CurveSettings& s) { return s.english ? "PSI" : "KPA"; }
std::string_view movementLabel(const CurveSettings& s) { return s.english ? "IN." : "M. "; }
std::string_view forceLabel(const CurveSettings& s) { return s.english ? "KIP" : "KN."; }

// Loads of the solution in the report's unit (lb to kip in English).
double reportLoad(double load, const CurveSettings& s) { return s.english ? load / 1000.0 : load; }

// A free-format integer record: the runtime's list output right-aligns it in 12 characters.
std::string listInteger(long long value) { return intField(value, 12); }

void writeBox(std::ostream& out, std::string_view first, std::string_view second) {
  const std::string rule = blanks(16) + repeated('*', 49) + "\n";
  out << "\n\n"
      << rule << blanks(16) << first << "\n"
      << blanks(16) << second << "\n"
      << rule << "\n\n";
}

void writeTzHeader(std::ostream& report, const CurveSettings& s) {
  report << blanks(8) << "T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT\n"
         << blanks(11) << "NO." << blanks(6) << "POINTS" << blanks(8) << lengthLabel(s)
         << blanks(14) << transferLabel(s) << blanks(13) << movementLabel(s) << "\n\n";
}

constexpr std::size_t kCurveHeadLength = 8 + 5 + 11 + 16 + 1;
constexpr std::size_t kCurvePointLength = 40 + 17 + 16 + 1;
constexpr std::size_t kCurveLength = kCurveHeadLength + kCurvePoints * kCurvePointLength;

// Curve header and points, the same layout in the report and the plot data file.
void appendTzCurve(std::string& text, int number, double depth, const TzCurve& curve) {
  char* p = fmt::appendRoom(text, kCurveLength);
  p = fmt::putBlanks(p, 8);
  p = fmt::putInt(p, number, 5);
  p = fmt::putInt(p, static_cast<long long>(kCurvePoints), 11);
  p = fmt::putExp(p, depth, 16, 4);
  *p++ = '\n';
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    p = fmt::putBlanks(p, 40);
    p = fmt::putExp(p, curve.unitTransfer[i], 17, 4);
    p = fmt::putExp(p, curve.movement[i], 16, 4);
    *p++ = '\n';
  }
}

void writeTzCurve(std::ostream& out, int number, double depth, const TzCurve& curve) {
  BlockText block(out, kCurveLength);
  appendTzCurve(block.text(), number, depth, curve);
  block.write();
}

double depthBelowGround(const TzCurve& station, const CurveSettings& s) {
  return (station.depth - s.stickupLength) / s.lengthUnit;
}

void writeSoilStations(std::ostream& out,
                       const LoadTransferCurves& curves,
                       const CurveSettings& s) {
  BlockText block(out, (curves.stations.size() - curves.stickupStations) * kCurveLength);
  int number = 0;
  for (std::size_t k = curves.stickupStations; k < curves.stations.size(); ++k) {
    const TzCurve& station = curves.stations[k];
    appendTzCurve(block.text(), ++number, depthBelowGround(station, s), station);
  }
  block.write();
}

void writeSettlementRows(std::ostream& out,
                         const SettlementSolution& solution,
                         const CurveSettings& s) {
  constexpr std::size_t kRowLength = 17 + 16 + 16 + 16 + 1;
  BlockText block(out, solution.points.size() * kRowLength);
  for (const LoadSettlementPoint& point : solution.points) {
    char* p = fmt::appendRoom(block.text(), kRowLength);
    p = fmt::putExp(p, reportLoad(point.topLoad, s), 17, 4);
    p = fmt::putExp(p, point.topMovement, 16, 4);
    p = fmt::putExp(p, reportLoad(point.tipLoad, s), 16, 4);
    p = fmt::putExp(p, point.tipMovement, 16, 4);
    *p = '\n';
  }
  block.write();
}

}  // namespace

void writeLoadSettlementReport(std::ostream& report,
                               const LoadTransferCurves& curves,
                               const SettlementSolution& solution,
                               const CurveSettings& settings) {
  writeBox(report, "* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
           "* CURVES FOR AXIAL LOADING                      *");
  writeTzHeader(report, settings);
  writeSoilStations(report, curves, settings);

  report << "\n\n\n"
         << blanks(8) << "TIP   LOAD" << blanks(8) << "TIP MOVEMENT\n"
         << blanks(12) << forceLabel(settings) << blanks(15) << movementLabel(settings) << "\n\n";
  constexpr std::size_t kTipRowLength = 18 + 19 + 1;
  BlockText tip(report, kCurvePoints * kTipRowLength);
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    char* p = fmt::appendRoom(tip.text(), kTipRowLength);
    p = fmt::putExp(p, reportLoad(curves.tip.load[i], settings), 18, 4);
    p = fmt::putExp(p, curves.tip.movement[i], 19, 4);
    *p = '\n';
  }
  tip.write();

  report << "\n\n\n"
         << blanks(22) << "LOAD VERSUS SETTLEMENT CURVE\n"
         << blanks(22) << repeated('*', 28) << "\n";
  report << "\n\n\n"
         << blanks(8) << "TOP  LOAD     TOP MOVEMENT       TIP  LOAD " << blanks(5)
         << "TIP MOVEMENT\n"
         << blanks(11) << forceLabel(settings) << blanks(13) << movementLabel(settings)
         << blanks(14) << forceLabel(settings) << blanks(12) << movementLabel(settings) << "\n";
  writeSettlementRows(report, solution, settings);
  if (!solution.converged) report << " " << kNotConvergedWarning << "\n";
}

void writeLoadSettlementPlot(std::ostream& plot,
                             const LoadTransferCurves& curves,
                             const SettlementSolution& solution,
                             const CurveSettings& settings) {
  const std::size_t soilStations = curves.stations.size() - curves.stickupStations;
  plot << listInteger(static_cast<long long>(soilStations)) << "\n";
  writeSoilStations(plot, curves, settings);

  constexpr std::size_t kRowLength = 3 + 10 + 3 + 10 + 3 + 10 + 1;
  std::size_t rowCount = 0;
  for (const std::vector<LoadDistributionRow>& level : solution.distribution) {
    rowCount += level.size();
  }
  BlockText rows(plot, rowCount * kRowLength);
  for (const std::vector<LoadDistributionRow>& level : solution.distribution) {
    for (const LoadDistributionRow& row : level) {
      char* p = fmt::appendRoom(rows.text(), kRowLength);
      p = fmt::putBlanks(p, 3);
      p = fmt::putExp(p, row.depth / settings.lengthUnit, 10, 3);
      p = fmt::putBlanks(p, 3);
      p = fmt::putExp(p, reportLoad(row.load, settings), 10, 3);
      p = fmt::putBlanks(p, 3);
      p = fmt::putExp(p, row.movement, 10, 3);
      *p = '\n';
    }
  }
  rows.write();
  writeSettlementRows(plot, solution, settings);
}

void writeVerificationReport(std::ostream& report,
                             const std::vector<VerificationCurve>& curves,
                             const CurveSettings& settings) {
  if (curves.empty()) return;
  writeBox(report, "* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
           "* (t-z) CURVES FOR VERIFICATION                 *");
  int number = 0;
  for (const VerificationCurve& entry : curves) {
    ++number;
    if (!entry.inSoilRange) {
      report << blanks(15) << "CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE\n";
      continue;
    }
    writeTzHeader(report, settings);
    writeTzCurve(report, number, entry.depthBelowGround, entry.curve);
  }
}

void writeVerificationPlot(std::ostream& plot, const std::vector<VerificationCurve>& curves) {
  if (curves.empty()) return;
  long long printed = 0;
  for (const VerificationCurve& entry : curves) printed += entry.inSoilRange ? 1 : 0;
  plot << listInteger(printed) << "\n";
  int number = 0;
  for (const VerificationCurve& entry : curves) {
    ++number;
    if (entry.inSoilRange) writeTzCurve(plot, number, entry.depthBelowGround, entry.curve);
  }
}

}  // namespace vorne
