// Soil layers proposed from a CPT: blocks of known type and strength give exactly those layers
// and values, thin layers merge, the 40-layer limit, the water table as a boundary, and the
// settings that are refused.
#include "cpt/soil_layer_proposal.h"

#include <QtTest>
#include <cmath>

#include "cpt_fixtures.h"

using namespace vorne::cpt;
using vorne::cpt::test::Block;
using vorne::cpt::test::profileOf;
using vorne::cpt::test::clayQt;
using vorne::cpt::test::sandQt;

namespace {

constexpr double kGamma = 18.0;             // total unit weight of every fixture [kN/m3]
constexpr double kBuoyant = kGamma - 9.81;  // below the water table
constexpr double kExact = 1e-9;             // values known by construction, up to rounding

constexpr double kClayIc = 3.1;
constexpr double kSandIc = 1.8;

ProposalSettings settingsWithGivenWeight() {
  ProposalSettings s;
  s.totalUnitWeight = kGamma;
  return s;
}

double top(const ProposedLayer& layer, const char* key) { return layer.value(key)->top; }
double bottom(const ProposedLayer& layer, const char* key) { return layer.value(key)->bottom; }

}  // namespace

class SoilLayerProposalTest : public QObject {
  Q_OBJECT

 private slots:
  void blocksGiveTheirLayersAndValues();
  void classificationAtTheSandLimit();
  void thinLayers_data();
  void thinLayers();
  void sixtyBlocksBecomeFortyLayers();
  void waterTableInsideALayer();
  void frictionAngleCappedAtFifty();
  void refusedSettings_data();
  void refusedSettings();
};

void SoilLayerProposalTest::blocksGiveTheirLayersAndValues() {
  // Clay 0.5..4.0 m, sand 4.1..8.0 m, clay 8.1..10.0 m; boundaries midway between records.
  const CptProfile p = profileOf(
      {{0.5, 4.0, kClayIc, clayQt}, {4.1, 8.0, kSandIc, sandQt}, {8.1, 10.0, kClayIc, clayQt}},
      kGamma);
  const SoilLayerProposal proposal = proposeSoilLayers(p, settingsWithGivenWeight());
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(proposal.layers.size(), std::size_t{3});
  QCOMPARE(proposal.runCount, 3);
  const auto& l = proposal.layers;
  QVERIFY(l[0].soil == LayerSoil::Clay && l[1].soil == LayerSoil::Sand &&
          l[2].soil == LayerSoil::Clay);
  QCOMPARE(l[0].top, 0.0);
  QVERIFY(std::fabs(l[0].bottom - 4.05) < kExact);
  QVERIFY(std::fabs(l[1].bottom - 8.05) < kExact);
  QCOMPARE(l[2].bottom, p.records.back().depth);
  QCOMPARE(l[0].recordsUsed, 36);
  QCOMPARE(l[0].firstRecord, 0);
  QCOMPARE(l[0].lastRecord, 35);
  QCOMPARE(l[2].lastRecord, static_cast<int>(p.records.size()) - 1);

  // su is linear, so the fit gives it exactly, read no further than the records reach: the
  // first layer's top at the first record (0.5 m: 22.5 kPa), its bottom at 4.0 m (40 kPa).
  QVERIFY(std::fabs(top(l[0], "undrained_shear_strength") - 22.5) < kExact);
  QVERIFY(std::fabs(bottom(l[0], "undrained_shear_strength") - 40.0) < kExact);
  QVERIFY(std::fabs(top(l[2], "undrained_shear_strength") - 60.5) < kExact);
  QVERIFY(std::fabs(bottom(l[2], "undrained_shear_strength") - 70.0) < kExact);
  QVERIFY(std::fabs(top(l[1], "qc") - 14100.0) < 1e-6);
  QVERIFY(std::fabs(bottom(l[1], "qc") - 18000.0) < 1e-6);
  for (const ProposedLayer& layer : l) {
    QVERIFY(std::fabs(top(layer, "effective_unit_weight") - kBuoyant) < kExact);
    QVERIFY(std::fabs(bottom(layer, "effective_unit_weight") - kBuoyant) < kExact);
    QCOMPARE(layer.zoneShares.size(), std::size_t{1});
    QCOMPARE(layer.zoneShares[0].second, 1.0);
  }
  QVERIFY(l[0].zoneShares[0].first == SoilZone::Clay);
  QVERIFY(l[1].zoneShares[0].first == SoilZone::Sand);

  // Sand values: phi' = 17.6 + 11 log10 Qtn and N60 = (qt / pa) / 10^(1.1268 - 0.2817 Ic) grow
  // with depth here; the fit stays within the records' values.
  const ProposedLayer& sand = l[1];
  const auto& first = proposal.interpretation.records[static_cast<std::size_t>(sand.firstRecord)];
  const auto& last = proposal.interpretation.records[static_cast<std::size_t>(sand.lastRecord)];
  const double phiFirst = 17.6 + 11.0 * std::log10(first.normalised.qtn);
  const double phiLast = 17.6 + 11.0 * std::log10(last.normalised.qtn);
  const double phiTop = top(sand, "friction_angle");
  const double phiBottom = bottom(sand, "friction_angle");
  QVERIFY(phiTop >= std::min(phiFirst, phiLast) - 0.5 && phiTop <= std::max(phiFirst, phiLast));
  QVERIFY(phiBottom >= std::min(phiFirst, phiLast) &&
          phiBottom <= std::max(phiFirst, phiLast) + 0.5);
  // N60 at 8.0 m: 180 / 10^(1.1268 - 0.2817 * 1.8) = 180 / 10^0.62174 = 43 (rounded).
  QCOMPARE(bottom(sand, "blow_count"), std::round(180.0 / std::pow(10.0, 1.1268 - 0.2817 * 1.8)));
  QVERIFY(proposal.notes.join(' ').contains("Ko"));
}

void SoilLayerProposalTest::classificationAtTheSandLimit() {
  // Ic just either side of 2.60 in two blocks: the lower one is sand, the upper clay.
  const CptProfile p = profileOf({{1.0, 3.0, 2.5999, sandQt}, {3.1, 5.0, 2.6001, sandQt}}, kGamma);
  const SoilLayerProposal proposal = proposeSoilLayers(p, settingsWithGivenWeight());
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(proposal.layers.size(), std::size_t{2});
  QVERIFY(proposal.layers[0].soil == LayerSoil::Sand);
  QVERIFY(proposal.layers[1].soil == LayerSoil::Clay);
}

void SoilLayerProposalTest::thinLayers_data() {
  QTest::addColumn<double>("minThickness");
  QTest::addColumn<int>("layers");
  // The clay lens 6.0..6.2 m spans 5.95..6.25 m: 0.3 m.
  QTest::newRow("0.5 m merges the lens into the sand") << 0.5 << 3;
  QTest::newRow("0.3 m keeps it") << 0.3 << 5;
  QTest::newRow("0 keeps it") << 0.0 << 5;
}

void SoilLayerProposalTest::thinLayers() {
  QFETCH(double, minThickness);
  QFETCH(int, layers);
  const CptProfile p = profileOf({{0.5, 4.0, kClayIc, clayQt},
                                  {4.1, 5.9, kSandIc, sandQt},
                                  {6.0, 6.2, kClayIc, clayQt},
                                  {6.3, 8.0, kSandIc, sandQt},
                                  {8.1, 10.0, kClayIc, clayQt}},
                                 kGamma);
  ProposalSettings s = settingsWithGivenWeight();
  s.minThickness = minThickness;
  const SoilLayerProposal proposal = proposeSoilLayers(p, s);
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(static_cast<int>(proposal.layers.size()), layers);
  QCOMPARE(proposal.runCount, 5);
  if (layers == 3) {
    // One sand layer 4.05..8.05 m holding the lens; its values come from its 38 sand records,
    // and the lens shows in the zone mix.
    const ProposedLayer& sand = proposal.layers[1];
    QVERIFY(sand.soil == LayerSoil::Sand);
    QVERIFY(std::fabs(sand.top - 4.05) < kExact && std::fabs(sand.bottom - 8.05) < kExact);
    QCOMPARE(sand.recordsUsed, 37);
    QCOMPARE(sand.zoneShares.size(), std::size_t{2});
    QVERIFY(std::fabs(sand.zoneShares[1].second - 3.0 / 40.0) < kExact);
    QVERIFY(std::fabs(top(sand, "qc") - 14100.0) < 1e-6);
    QVERIFY(std::fabs(bottom(sand, "qc") - 18000.0) < 1e-6);
    QVERIFY(
        proposal.notes.join(' ').contains("thinner than 0.5 m merged into their neighbours: 1."));
    // An English project reads the same note in feet.
    s.notesInFeet = true;
    s.minThickness = 0.4572;
    QVERIFY(proposeSoilLayers(p, s).notes.join(' ').contains(
        "thinner than 1.5 ft merged into their neighbours: 1."));
  }
}

void SoilLayerProposalTest::sixtyBlocksBecomeFortyLayers() {
  // 60 blocks of five records, 0.5 m each, alternating clay and sand.
  std::vector<Block> blocks;
  for (int b = 0; b < 60; ++b) {
    const double from = 0.5 + 0.5 * b;
    blocks.push_back(
        {from, from + 0.4, b % 2 == 0 ? kClayIc : kSandIc, b % 2 == 0 ? clayQt : sandQt});
  }
  const CptProfile p = profileOf(blocks, kGamma);
  ProposalSettings s = settingsWithGivenWeight();
  s.minThickness = 0.0;
  const SoilLayerProposal proposal = proposeSoilLayers(p, s);
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(proposal.runCount, 60);
  QCOMPARE(static_cast<int>(proposal.layers.size()), kMaxProposedLayers);
  QCOMPARE(proposal.layers.front().top, 0.0);
  QCOMPARE(proposal.layers.back().bottom, p.records.back().depth);
  int records = 0;
  for (std::size_t i = 0; i < proposal.layers.size(); ++i) {
    const ProposedLayer& layer = proposal.layers[i];
    QVERIFY(layer.bottom > layer.top);
    if (i > 0) {
      QCOMPARE(layer.top, proposal.layers[i - 1].bottom);
      QVERIFY(layer.soil != proposal.layers[i - 1].soil);
    }
    double shares = 0.0;
    for (const auto& [zone, share] : layer.zoneShares) shares += share;
    QVERIFY(std::fabs(shares - 1.0) < kExact);
    records += layer.lastRecord - layer.firstRecord + 1;
  }
  QCOMPARE(records, static_cast<int>(p.records.size()));
  QVERIFY(proposal.notes.join(' ').contains("60 layers merged to the limit of 40"));
}

void SoilLayerProposalTest::waterTableInsideALayer() {
  // One sand block 0.5..6.0 m with the water table at 3.05 m, between two records: two layers
  // meeting at the water table, with the whole weight above it and the buoyant weight below.
  // At 5.85 m the piece below is 0.15 m thin, but it cannot join across the water table.
  for (double waterTable : {3.05, 5.85}) {
    const CptProfile p = profileOf({{0.5, 6.0, kSandIc, sandQt}}, kGamma, waterTable);
    ProposalSettings s = settingsWithGivenWeight();
    s.waterTableDepth = waterTable;
    const SoilLayerProposal proposal = proposeSoilLayers(p, s);
    QVERIFY2(proposal.ok, qPrintable(proposal.error));
    QCOMPARE(proposal.layers.size(), std::size_t{2});
    const ProposedLayer& dry = proposal.layers[0];
    const ProposedLayer& wet = proposal.layers[1];
    QCOMPARE(dry.bottom, waterTable);
    QCOMPARE(wet.top, waterTable);
    QCOMPARE(top(dry, "effective_unit_weight"), kGamma);
    QCOMPARE(bottom(dry, "effective_unit_weight"), kGamma);
    QVERIFY(std::fabs(top(wet, "effective_unit_weight") - kBuoyant) < kExact);
    QVERIFY(std::fabs(bottom(wet, "effective_unit_weight") - kBuoyant) < kExact);
  }
}

void SoilLayerProposalTest::frictionAngleCappedAtFifty() {
  // Very dense sand near the surface (qt 60 MPa) over ordinary sand separated by clay: the
  // correlation gives more than 50 degrees at the top only, capped there and noted.
  const CptProfile p = profileOf({{0.5, 3.0, 1.5, [](double, double) { return 60000.0; }},
                                  {3.1, 5.0, kClayIc, clayQt},
                                  {5.1, 8.0, kSandIc, sandQt}},
                                 kGamma);
  const SoilLayerProposal proposal = proposeSoilLayers(p, settingsWithGivenWeight());
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(proposal.layers.size(), std::size_t{3});
  const ProposedValue* dense = proposal.layers[0].value("friction_angle");
  QVERIFY(dense->capped);
  QCOMPARE(dense->top, kMaxFrictionAngle);
  QCOMPARE(dense->bottom, kMaxFrictionAngle);
  const ProposedValue* ordinary = proposal.layers[2].value("friction_angle");
  QVERIFY(!ordinary->capped);
  QVERIFY(ordinary->top < kMaxFrictionAngle && ordinary->top > 30.0);
  QVERIFY2(proposal.notes.contains("Friction angles capped to 0 to 50 degrees in layers 1."),
           qPrintable(proposal.notes.join('\n')));
}

void SoilLayerProposalTest::refusedSettings_data() {
  QTest::addColumn<double>("waterTable");
  QTest::addColumn<double>("nkt");
  QTest::addColumn<double>("minThickness");
  QTest::addColumn<double>("unitWeight");
  QTest::addColumn<QString>("message");
  QTest::newRow("water table below the profile")
      << 6.5 << 15.0 << 0.5 << 18.0 << "water table depth 6.5 m is outside 0 to 6 m";
  QTest::newRow("water table above the surface")
      << -1.0 << 15.0 << 0.5 << 18.0 << "water table depth -1 m is outside";
  QTest::newRow("Nkt too small") << 0.0 << 3.0 << 0.5 << 18.0 << "Nkt 3 is outside 6 to 30";
  QTest::newRow("Nkt not a number") << 0.0 << std::nan("") << 0.5 << 18.0 << "Nkt nan is outside";
  QTest::newRow("negative thickness")
      << 0.0 << 15.0 << -0.5 << 18.0 << "minimum layer thickness -0.5 m is outside 0 to 10 m";
  QTest::newRow("unit weight too high")
      << 0.0 << 15.0 << 0.5 << 40.0 << "total unit weight 40 kN/m3 is outside 10 to 26 kN/m3";
}

void SoilLayerProposalTest::refusedSettings() {
  QFETCH(double, waterTable);
  QFETCH(double, nkt);
  QFETCH(double, minThickness);
  QFETCH(double, unitWeight);
  QFETCH(QString, message);
  const CptProfile p = profileOf({{0.5, 6.0, kSandIc, sandQt}}, kGamma);
  ProposalSettings s;
  s.waterTableDepth = waterTable;
  s.nkt = nkt;
  s.minThickness = minThickness;
  s.totalUnitWeight = unitWeight;
  const SoilLayerProposal proposal = proposeSoilLayers(p, s);
  QVERIFY(!proposal.ok);
  QVERIFY2(proposal.error.contains(message), qPrintable(proposal.error));
  QVERIFY(proposal.layers.empty());
}

QTEST_GUILESS_MAIN(SoilLayerProposalTest)
#include "soil_layer_proposal_test.moc"
