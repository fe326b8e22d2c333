// Load-transfer report sections and plot records; see load_transfer_writer.h.
#include "io/load_transfer_writer.h"

#include <string>

#include "io/fortran_format.h"

namespace vorne {
namespace {

using fmt::blanks;
using fmt::expField;
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

// Curve header and points, the same layout in the report and the plot data file.
void writeTzCurve(std::ostream& out, int number, double depth, const TzCurve& curve) {
  out << blanks(8) << intField(number, 5) << intField(static_cast<long long>(kCurvePoints), 11)
      << expField(depth, 16, 4) << "\n";
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    out << blanks(40) << expField(curve.unitTransfer[i], 17, 4)
        << expField(curve.movement[i], 16, 4) << "\n";
  }
}

double depthBelowGround(const TzCurve& station, const CurveSettings& s) {
  return (station.depth - s.stickupLength) / s.lengthUnit;
}

void writeSoilStations(std::ostream& out,
                       const LoadTransferCurves& curves,
                       const CurveSettings& s) {
  int number = 0;
  for (std::size_t k = curves.stickupStations; k < curves.stations.size(); ++k) {
    const TzCurve& station = curves.stations[k];
    writeTzCurve(out, ++number, depthBelowGround(station, s), station);
  }
}

void writeSettlementRow(std::ostream& out, const LoadSettlementPoint& p, const CurveSettings& s) {
  out << expField(reportLoad(p.topLoad, s), 17, 4) << expField(p.topMovement, 16, 4)
      << expField(reportLoad(p.tipLoad, s), 16, 4) << expField(p.tipMovement, 16, 4) << "\n";
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
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    report << expField(reportLoad(curves.tip.load[i], settings), 18, 4)
           << expField(curves.tip.movement[i], 19, 4) << "\n";
  }

  report << "\n\n\n"
         << blanks(22) << "LOAD VERSUS SETTLEMENT CURVE\n"
         << blanks(22) << repeated('*', 28) << "\n";
  report << "\n\n\n"
         << blanks(8) << "TOP  LOAD     TOP MOVEMENT       TIP  LOAD " << blanks(5)
         << "TIP MOVEMENT\n"
         << blanks(11) << forceLabel(settings) << blanks(13) << movementLabel(settings)
         << blanks(14) << forceLabel(settings) << blanks(12) << movementLabel(settings) << "\n";
  for (const LoadSettlementPoint& point : solution.points) {
    writeSettlementRow(report, point, settings);
  }
  if (!solution.converged) report << " " << kNotConvergedWarning << "\n";
}

void writeLoadSettlementPlot(std::ostream& plot,
                             const LoadTransferCurves& curves,
                             const SettlementSolution& solution,
                             const CurveSettings& settings) {
  const std::size_t soilStations = curves.stations.size() - curves.stickupStations;
  plot << listInteger(static_cast<long long>(soilStations)) << "\n";
  writeSoilStations(plot, curves, settings);

  for (const std::vector<LoadDistributionRow>& level : solution.distribution) {
    for (const LoadDistributionRow& row : level) {
      plot << blanks(3) << expField(row.depth / settings.lengthUnit, 10, 3) << blanks(3)
           << expField(reportLoad(row.load, settings), 10, 3) << blanks(3)
           << expField(row.movement, 10, 3) << "\n";
    }
  }
  for (const LoadSettlementPoint& point : solution.points) {
    writeSettlementRow(plot, point, settings);
  }
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
