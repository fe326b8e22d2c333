// Soil layers proposed from an interpreted CPT.
#include "cpt/soil_layer_proposal.h"

#include "base/unit_labels.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vorne::cpt {

namespace {

constexpr double kDepthTolerance = 1.0e-9;  // [m]

// A layer while the proposal is built: its extent and its classified records.
struct Block {
  LayerSoil soil = LayerSoil::Sand;
  double top = 0.0;
  double bottom = 0.0;
  std::vector<int> records;      // indices of classified records, in depth order
  bool waterTableBelow = false;  // the boundary with the next block is the water table

  double thickness() const { return bottom - top; }
};

LayerSoil soilOf(const InterpretedRecord& r) {
  return r.normalised.ic <= kSandIcLimit ? LayerSoil::Sand : LayerSoil::Clay;
}

double meanIc(const Block& b, const Interpretation& in) {
  double sum = 0.0;
  for (int i : b.records) sum += in.records[static_cast<std::size_t>(i)].normalised.ic;
  return sum / static_cast<double>(b.records.size());
}

// Merges block `from` into its neighbour `into` (adjacent); the result keeps the neighbour's soil.
void mergeInto(std::vector<Block>& blocks, std::size_t from, std::size_t into) {
  Block& target = blocks[into];
  const Block& source = blocks[from];
  target.top = std::min(target.top, source.top);
  target.bottom = std::max(target.bottom, source.bottom);
  target.records.insert(target.records.end(), source.records.begin(), source.records.end());
  std::sort(target.records.begin(), target.records.end());
  if (from > into) target.waterTableBelow = source.waterTableBelow;
  blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(from));
}

// Joins neighbours of one soil type that the water table does not separate.
void joinAlike(std::vector<Block>& blocks) {
  for (std::size_t i = 0; i + 1 < blocks.size();) {
    if (blocks[i].soil == blocks[i + 1].soil && !blocks[i].waterTableBelow) {
      mergeInto(blocks, i + 1, i);
    } else {
      ++i;
    }
  }
}

// The thinnest block that `accept(blocks, index)` takes and that has a neighbour it may join (not
// across the water table), merged into the neighbour whose mean Ic is nearest its own (the one
// above on a tie). False when there is none.
template <typename Accept>
bool mergeThinnest(std::vector<Block>& blocks, const Interpretation& in, Accept accept) {
  std::optional<std::size_t> chosen;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const bool hasAbove = i > 0 && !blocks[i - 1].waterTableBelow;
    const bool hasBelow = i + 1 < blocks.size() && !blocks[i].waterTableBelow;
    if (!accept(blocks, i) || (!hasAbove && !hasBelow)) continue;
    if (!chosen || blocks[i].thickness() < blocks[*chosen].thickness() - kDepthTolerance) {
      chosen = i;
    }
  }
  if (!chosen) return false;
  const std::size_t i = *chosen;
  const bool hasAbove = i > 0 && !blocks[i - 1].waterTableBelow;
  const bool hasBelow = i + 1 < blocks.size() && !blocks[i].waterTableBelow;
  std::size_t into = hasAbove ? i - 1 : i + 1;
  if (hasAbove && hasBelow) {
    const double own = meanIc(blocks[i], in);
    const double above = std::fabs(meanIc(blocks[i - 1], in) - own);
    const double below = std::fabs(meanIc(blocks[i + 1], in) - own);
    into = below < above ? i + 1 : i - 1;
  }
  mergeInto(blocks, i, into);
  joinAlike(blocks);
  return true;
}

// A least-squares straight line y = a + b z over the records, read at a depth held within the
// records' depths and the result held within their values.
class LineFit {
 public:
  void add(double z, double y) {
    m_z.push_back(z);
    m_y.push_back(y);
  }

  double at(double depth) const {
    const auto [zMin, zMax] = std::minmax_element(m_z.begin(), m_z.end());
    const auto [yMin, yMax] = std::minmax_element(m_y.begin(), m_y.end());
    const double z = std::clamp(depth, *zMin, *zMax);
    const double n = static_cast<double>(m_z.size());
    double zMean = 0.0;
    double yMean = 0.0;
    for (std::size_t k = 0; k < m_z.size(); ++k) {
      zMean += m_z[k];
      yMean += m_y[k];
    }
    zMean /= n;
    yMean /= n;
    double szz = 0.0;
    double szy = 0.0;
    for (std::size_t k = 0; k < m_z.size(); ++k) {
      szz += (m_z[k] - zMean) * (m_z[k] - zMean);
      szy += (m_z[k] - zMean) * (m_y[k] - yMean);
    }
    const double slope = szz > 1.0e-18 ? szy / szz : 0.0;
    return std::clamp(yMean + slope * (z - zMean), *yMin, *yMax);
  }

 private:
  std::vector<double> m_z;
  std::vector<double> m_y;
};

// Friction angle of sand [deg] by Kulhawy and Mayne (1990), with Qtn for the normalised
// resistance: phi' = 17.6 + 11 log10(Qtn).
double frictionAngle(const InterpretedRecord& r) {
  return 17.6 + 11.0 * std::log10(r.normalised.qtn);
}

// SPT blow count N60 from the CPT (Robertson 2012): (qt / pa) / N60 = 10^(1.1268 - 0.2817 Ic).
double blowCount(const InterpretedRecord& r) {
  return r.qt / kAtmosphericPressure / std::pow(10.0, 1.1268 - 0.2817 * r.normalised.ic);
}

// Yield stress ratio (Robertson 2009): YSR = 0.25 Qt1^1.25, Qt1 = (qt - sigma_v0) / sigma'_v0.
double yieldStressRatio(const InterpretedRecord& r) {
  return 0.25 * std::pow((r.qt - r.totalStress) / r.effectiveStress, 1.25);
}

struct Quantity {
  const char* key;
  const char* caption;
  ValueKind kind;
  double (*derive)(const InterpretedRecord&, double nkt);
};

const Quantity kSandQuantities[] = {
    {"effective_unit_weight", "Effective unit weight", ValueKind::UnitWeight,
     [](const InterpretedRecord& r, double) { return r.effectiveUnitWeight; }},
    {"friction_angle", "Friction angle (deg)", ValueKind::Plain,
     [](const InterpretedRecord& r, double) { return frictionAngle(r); }},
    {"blow_count", "Blow count N60", ValueKind::Plain,
     [](const InterpretedRecord& r, double) { return blowCount(r); }},
    {"qc", "Qc", ValueKind::Stress, [](const InterpretedRecord& r, double) { return r.qc; }},
};
const Quantity kClayQuantities[] = {
    {"effective_unit_weight", "Effective unit weight", ValueKind::UnitWeight,
     [](const InterpretedRecord& r, double) { return r.effectiveUnitWeight; }},
    {"undrained_shear_strength", "Undrained shear strength", ValueKind::Stress,
     [](const InterpretedRecord& r, double nkt) { return (r.qt - r.totalStress) / nkt; }},
    {"yield_stress_ratio", "Yield stress ratio", ValueKind::Plain,
     [](const InterpretedRecord& r, double) { return yieldStressRatio(r); }},
    {"qc", "Qc", ValueKind::Stress, [](const InterpretedRecord& r, double) { return r.qc; }},
};

ProposedLayer layerOf(const Block& b, const Interpretation& in, double nkt) {
  ProposedLayer layer;
  layer.soil = b.soil;
  layer.top = b.top;
  layer.bottom = b.bottom;
  std::vector<int> used;
  std::map<SoilZone, int> zoneCounts;
  for (int i : b.records) {
    const InterpretedRecord& r = in.records[static_cast<std::size_t>(i)];
    ++zoneCounts[r.zone];
    if (soilOf(r) == b.soil) used.push_back(i);
  }
  layer.recordsUsed = static_cast<int>(used.size());
  for (const auto& [zone, count] : zoneCounts) {
    layer.zoneShares.emplace_back(zone, count / static_cast<double>(b.records.size()));
  }
  std::stable_sort(layer.zoneShares.begin(), layer.zoneShares.end(),
                   [](const auto& a, const auto& c) { return a.second > c.second; });

  const bool sand = b.soil == LayerSoil::Sand;
  const auto& quantities = sand ? kSandQuantities : kClayQuantities;
  for (const Quantity& q : quantities) {
    LineFit fit;
    for (int i : used) {
      const InterpretedRecord& r = in.records[static_cast<std::size_t>(i)];
      fit.add(r.depth, q.derive(r, nkt));
    }
    ProposedValue v{QString::fromLatin1(q.key), QString::fromLatin1(q.caption), q.kind,
                    fit.at(b.top), fit.at(b.bottom)};
    if (v.key == QLatin1String("blow_count")) {
      v.top = std::round(v.top);
      v.bottom = std::round(v.bottom);
    }
    if (v.key == QLatin1String("friction_angle")) {
      const double top = std::clamp(v.top, kMinFrictionAngle, kMaxFrictionAngle);
      const double bottom = std::clamp(v.bottom, kMinFrictionAngle, kMaxFrictionAngle);
      v.capped = top != v.top || bottom != v.bottom;
      v.top = top;
      v.bottom = bottom;
    }
    layer.values.push_back(v);
  }
  return layer;
}

// The range of the records that lie within [top, bottom), the last layer taking the last record.
void recordRange(ProposedLayer& layer, const Interpretation& in, bool last) {
  const auto& records = in.records;
  int first = -1;
  int lastIndex = -1;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const double z = records[k].depth;
    const bool inside = z >= layer.top - kDepthTolerance &&
                        (z < layer.bottom - kDepthTolerance || (last && z <= layer.bottom));
    if (!inside) continue;
    if (first < 0) first = static_cast<int>(k);
    lastIndex = static_cast<int>(k);
  }
  layer.firstRecord = std::max(first, 0);
  layer.lastRecord = std::max(lastIndex, layer.firstRecord);
}

QString number(double value) { return QString::number(value, 'g', 6); }

// A depth in metres as the notes give it: in metres, or in feet for an English project.
QString depthText(double metres, bool feet) {
  return feet ? number(metres / kFootToMetre) + QStringLiteral(" ft") : number(metres) + QStringLiteral(" m");
}

}  // namespace

const ProposedValue* ProposedLayer::value(const QString& key) const {
  for (const ProposedValue& v : values) {
    if (v.key == key) return &v;
  }
  return nullptr;
}

QStringList valuesNotFromCpt() {
  return {QStringLiteral("Ko"),
          QStringLiteral("Nq"),
          QStringLiteral("remolded shear strength"),
          QStringLiteral("plasticity index"),
          QStringLiteral("max. side friction and end bearing"),
          QStringLiteral("reduction/resistance factors"),
          QStringLiteral("user-specified unit skin friction and end bearing")};
}

QString checkProposalSettings(const ProposalSettings& s, const CptProfile& profile) {
  const double lastDepth = profile.records.empty() ? 0.0 : profile.records.back().depth;
  if (!(s.waterTableDepth >= 0.0) || !(s.waterTableDepth <= lastDepth + kDepthTolerance)) {
    return QStringLiteral("water table depth %1 m is outside 0 to %2 m (the profile's last record)")
        .arg(number(s.waterTableDepth), number(lastDepth));
  }
  if (!(s.nkt >= kMinNkt && s.nkt <= kMaxNkt)) {
    return QStringLiteral("Nkt %1 is outside %2 to %3")
        .arg(number(s.nkt), number(kMinNkt), number(kMaxNkt));
  }
  if (!(s.minThickness >= 0.0 && s.minThickness <= kMaxMinThickness)) {
    return QStringLiteral("minimum layer thickness %1 m is outside 0 to %2 m")
        .arg(number(s.minThickness), number(kMaxMinThickness));
  }
  if (s.totalUnitWeight &&
      !(*s.totalUnitWeight >= kMinUnitWeight && *s.totalUnitWeight <= kMaxUnitWeight)) {
    return QStringLiteral("total unit weight %1 kN/m3 is outside %2 to %3 kN/m3")
        .arg(number(*s.totalUnitWeight), number(kMinUnitWeight), number(kMaxUnitWeight));
  }
  return {};
}

SoilLayerProposal proposeSoilLayers(const CptProfile& profile, const ProposalSettings& settings) {
  SoilLayerProposal out;
  out.settings = settings;
  out.interpretation =
      interpretProfile(profile, {settings.waterTableDepth, settings.totalUnitWeight});
  const Interpretation& in = out.interpretation;
  if (!in.ok) {
    out.error = in.error;
    return out;
  }
  out.error = checkProposalSettings(settings, profile);
  if (!out.error.isEmpty()) return out;

  // Runs of one soil type over the classified records, split at the water table.
  std::vector<Block> blocks;
  int previous = -1;
  for (std::size_t k = 0; k < in.records.size(); ++k) {
    const InterpretedRecord& r = in.records[k];
    if (!r.classified()) continue;
    const LayerSoil soil = soilOf(r);
    const bool crossesWater =
        previous >= 0 &&
        in.records[static_cast<std::size_t>(previous)].depth < settings.waterTableDepth &&
        r.depth >= settings.waterTableDepth;
    if (blocks.empty() || blocks.back().soil != soil || crossesWater) {
      if (!blocks.empty()) {
        const double above = in.records[static_cast<std::size_t>(previous)].depth;
        blocks.back().waterTableBelow = crossesWater;
        blocks.back().bottom = crossesWater ? settings.waterTableDepth : 0.5 * (above + r.depth);
      }
      Block b;
      b.soil = soil;
      b.top = blocks.empty() ? 0.0 : blocks.back().bottom;
      blocks.push_back(b);
    }
    blocks.back().records.push_back(static_cast<int>(k));
    previous = static_cast<int>(k);
  }
  blocks.back().bottom = in.records.back().depth;
  out.runCount = static_cast<int>(blocks.size());

  int thinMerged = 0;
  const double minThickness = settings.minThickness;
  while (mergeThinnest(blocks, in, [minThickness](const std::vector<Block>& all, std::size_t i) {
    return all[i].thickness() < minThickness - kDepthTolerance;
  })) {
    ++thinMerged;
  }
  // Beyond the limit, the thinnest layers go first. An inner layer takes its two neighbours of
  // the other type into one, so one layer over the limit merges the thinner end layer instead,
  // which leaves exactly the limit.
  const std::size_t beforeLimit = blocks.size();
  constexpr auto kLimit = static_cast<std::size_t>(kMaxProposedLayers);
  while (blocks.size() > kLimit) {
    const bool oneOver = blocks.size() == kLimit + 1;
    const bool merged =
        mergeThinnest(blocks, in, [oneOver](const std::vector<Block>& all, std::size_t i) {
          return !oneOver || i == 0 || i + 1 == all.size();
        });
    if (!merged) break;
  }

  for (std::size_t i = 0; i < blocks.size(); ++i) {
    ProposedLayer layer = layerOf(blocks[i], in, settings.nkt);
    recordRange(layer, in, i + 1 == blocks.size());
    out.layers.push_back(std::move(layer));
  }

  out.notes << in.notes;
  out.notes << QStringLiteral("%1 runs of one soil type (Ic <= %2 sand, above it clay).")
                   .arg(out.runCount)
                   .arg(kSandIcLimit, 0, 'f', 2);
  if (thinMerged > 0) {
    out.notes << QStringLiteral("Layers thinner than %1 merged into their neighbours: %2.")
                     .arg(depthText(minThickness, settings.notesInFeet))
                     .arg(thinMerged);
  }
  if (beforeLimit > blocks.size()) {
    out.notes << QStringLiteral("%1 layers merged to the limit of %2 layers, thinnest first.")
                     .arg(beforeLimit)
                     .arg(kMaxProposedLayers);
  }
  if (settings.waterTableDepth > 0.0 && blocks.size() > 1 &&
      std::any_of(blocks.begin(), blocks.end(), [](const Block& b) { return b.waterTableBelow; })) {
    out.notes << QStringLiteral("The water table at %1 is a layer boundary.")
                     .arg(depthText(settings.waterTableDepth, settings.notesInFeet));
  }
  QStringList capped;
  for (std::size_t i = 0; i < out.layers.size(); ++i) {
    const ProposedValue* phi = out.layers[i].value(QStringLiteral("friction_angle"));
    if (phi != nullptr && phi->capped) capped << QString::number(i + 1);
  }
  if (!capped.isEmpty()) {
    out.notes << QStringLiteral("Friction angles capped to %1 to %2 degrees in layers %3.")
                     .arg(number(kMinFrictionAngle), number(kMaxFrictionAngle),
                          capped.join(QStringLiteral(", ")));
  }
  out.notes << QStringLiteral(
      "Blow counts N60 are shown for review only: the soil table gets the friction angles.");
  out.notes << QStringLiteral("Not given by a CPT, left at a new layer's defaults: %1.")
                   .arg(valuesNotFromCpt().join(QStringLiteral(", ")));
  out.ok = true;
  return out;
}

}  // namespace vorne::cpt
