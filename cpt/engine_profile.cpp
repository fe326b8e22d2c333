// A CPT profile as the engine takes it.
#include "cpt/engine_profile.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "base/unit_labels.h"
#include "cpt/cpt_units.h"

namespace vorne::cpt {

namespace {

struct Mean {
  double sum = 0.0;
  int count = 0;
  void add(const std::optional<double>& v) {
    if (v) {
      sum += *v;
      ++count;
    }
  }
  std::optional<double> value() const {
    if (count == 0) return std::nullopt;
    return sum / count;
  }
};

}  // namespace

std::vector<CptRecord> reduceRecords(const std::vector<CptRecord>& records,
                                     int maxPoints,
                                     double* interval) {
  if (interval) *interval = 0.0;
  if (maxPoints < 1 || records.size() <= static_cast<std::size_t>(maxPoints)) return records;
  const double top = records.front().depth;
  const double span = records.back().depth - top;
  if (!(span > 0.0)) return {records.front()};
  const double step = span / maxPoints;
  if (interval) *interval = step;
  std::vector<CptRecord> reduced;
  reduced.reserve(static_cast<std::size_t>(maxPoints));
  std::size_t k = 0;
  for (int bin = 0; bin < maxPoints && k < records.size(); ++bin) {
    // The bottom record belongs to the last interval.
    const double binBottom = bin + 1 == maxPoints ? records.back().depth : top + (bin + 1) * step;
    Mean depth, qc, fs, u2, qt;
    while (k < records.size() && (records[k].depth < binBottom || bin + 1 == maxPoints)) {
      const CptRecord& r = records[k];
      depth.add(r.depth);
      qc.add(r.coneResistance);
      fs.add(r.sleeveFriction);
      u2.add(r.porePressure);
      qt.add(r.correctedConeResistance);
      ++k;
    }
    if (depth.count == 0) continue;
    reduced.push_back({*depth.value(), *qc.value(), fs.value(), u2.value(), qt.value()});
  }
  return reduced;
}

EngineProfile engineProfile(const CptProfile& profile, int units) {
  EngineProfile result;
  result.units = units == 1 ? 1 : 2;
  result.sourcePoints = static_cast<int>(profile.records.size());
  double interval = 0.0;
  const std::vector<CptRecord> records =
      reduceRecords(profile.records, kMaxEnginePoints, &interval);
  const bool english = result.units == 1;
  // The factors of the project's own unit switch, so that an import in either system agrees.
  const double metresPerLength = english ? englishToSiFactor(QStringLiteral("L2")) : 1.0;
  const double kpaPerStress = english ? englishToSiFactor(QStringLiteral("F1/L2^2")) : 1.0;
  auto length = [&](double m) { return english ? scaled(m, 1.0 / metresPerLength) : m; };
  auto stress = [&](double kpa) { return english ? scaled(kpa, 1.0 / kpaPerStress) : kpa; };
  auto optionalStress = [&](const std::optional<double>& v) -> std::optional<double> {
    if (!v) return std::nullopt;
    return stress(*v);
  };
  for (const CptRecord& r : records) {
    result.points.push_back({length(r.depth), stress(r.coneResistance),
                             optionalStress(r.sleeveFriction), optionalStress(r.porePressure)});
  }
  if (interval > 0.0) {
    result.reduction = QStringLiteral("%1 points averaged to %2 over %3 %4")
                           .arg(result.sourcePoints)
                           .arg(result.points.size())
                           .arg(QString::number(length(interval), 'f', 3),
                                english ? QStringLiteral("ft") : QStringLiteral("m"));
  }
  return result;
}

QByteArray cptSideFileText(const EngineProfile& profile) {
  constexpr int kDigits = 3;
  QByteArray out = profile.units == 1 ? " 1 " : " 2 ";
  out += QByteArray::number(static_cast<qsizetype>(profile.points.size())) + "\r\n";
  for (const EnginePoint& p : profile.points) {
    out += "  " + QByteArray::fromStdString(formatExponentExact(p.depth, kDigits)) + "  " +
           QByteArray::fromStdString(formatExponentExact(p.coneResistance, kDigits)) + "\r\n";
  }
  return out;
}

}  // namespace vorne::cpt
