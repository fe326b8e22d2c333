// Soil layers from a CPT into the project: the soil table replaced in one step with the new-layer
// defaults where a CPT gives nothing, the same layers from English and SI settings, and a project
// with the proposed layers running in the engine without an input-check failure.
#include "app/cpt_soil_layers.h"

#include <QtTest>
#include <cmath>

#include "../cpt/cpt_fixtures.h"
#include "app/analysis_run.h"
#include "app/soil_layers.h"
#include "base/unit_labels.h"

using namespace vorne;
using cpt::test::profileOf;
using cpt::test::clayQt;
using cpt::test::sandQt;

namespace {

const QString kLibrary = QStringLiteral(VORNE_BIN_DIR "/libVORNE2014_DLL.so");
constexpr double kGamma = 18.0;

// Clay, sand, clay, sand down to `depth` m, blocks of depth / 4.
cpt::CptProfile fourBlocks(double depth) {
  const double b = depth / 4.0;
  return profileOf({{0.5, b, 3.1, clayQt},
                    {b + 0.1, 2 * b, 1.8, sandQt},
                    {2 * b + 0.1, 3 * b, 3.1, clayQt},
                    {3 * b + 0.1, depth, 1.8, sandQt}},
                   kGamma, 2.0);
}

}  // namespace

class CptSoilLayersTest : public QObject {
  Q_OBJECT

 private slots:
  void replacesTheSoilTable();
  void englishAndSiGiveTheSameLayers();
  void proposalRunsInTheEngine();
};

void CptSoilLayersTest::replacesTheSoilTable() {
  TProgramData project;
  project.switchUnits(kSiUnits);
  addSoilLayer(project);
  project.D.cell(col::kMaxSideFriction, 0).setFloat(50.0);
  project.clearModified();
  CptLayerSettings settings = defaultCptLayerSettings(kSiUnits);
  settings.waterTableDepth = 2.0;
  settings.totalUnitWeight = kGamma;
  const cpt::SoilLayerProposal proposal =
      cpt::proposeSoilLayers(fourBlocks(12.0), toProposalSettings(settings, kSiUnits));
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QCOMPARE(proposal.layers.size(), std::size_t{5});  // the water table splits the first clay
  QVERIFY(replaceSoilLayers(project, proposal));
  QVERIFY(project.isModified());
  QCOMPARE(project.layerCount(), 5);
  const int types[] = {kClay, kClay, kSand, kClay, kSand};
  for (int row = 0; row < 5; ++row) {
    const cpt::ProposedLayer& layer = proposal.layers[static_cast<std::size_t>(row)];
    QCOMPARE(project.D.cell(col::kSoilType, row).asInteger(), types[row]);
    QCOMPARE(project.D.cell(col::kBottomDepth, row).asFloat(), layer.bottom);
    // What a CPT cannot give keeps a new layer's values.
    QCOMPARE(project.D.cell(col::kMaxSideFriction, row).asFloat(), 0.0);
    QCOMPARE(project.D.cell(col::kMaxEndBearing, row).asFloat(), 0.0);
    QCOMPARE(project.D.cell(col::kSideFrictionFactor, row).asFloat(), 1.0);
    QCOMPARE(project.D.cell(col::kEndBearingFactor, row).asFloat(), 1.0);
    TGridTable& data = project.layerData(row);
    QCOMPARE(data.cell(col::kSandUnitWeight, 0).asFloat(),
             layer.value("effective_unit_weight")->top);
    QCOMPARE(data.cell(col::kConeResistance, 1).asFloat(), layer.value("qc")->bottom);
    if (types[row] == kSand) {
      QCOMPARE(data.cell(col::kSandFrictionAngle, 1).asFloat(),
               layer.value("friction_angle")->bottom);
      QCOMPARE(data.cell(col::kSandBlowCount, 0).asInteger(), 0);  // the angle is the one used
      QCOMPARE(data.cell(col::kSandKo, 0).asFloat(), 0.0);
      QCOMPARE(data.cell(col::kSandNq, 1).asFloat(), 0.0);
      QVERIFY(!usesBlowCounts(data));
    } else {
      QCOMPARE(data.cell(col::kClayUndrainedStrength, 0).asFloat(),
               layer.value("undrained_shear_strength")->top);
      QCOMPARE(data.cell(col::kClayYieldStressRatio, 1).asFloat(),
               layer.value("yield_stress_ratio")->bottom);
      QCOMPARE(data.cell(col::kClayRemoldedStrength, 0).asFloat(), 0.0);
      QCOMPARE(data.cell(col::kClayPlasticityIndex, 0).asFloat(), 0.0);
    }
  }
  // The water table layer: whole weight above 2 m, buoyant below.
  QCOMPARE(project.D.cell(col::kBottomDepth, 0).asFloat(), 2.0);
  QCOMPARE(project.layerData(0).cell(col::kClayUnitWeight, 0).asFloat(), kGamma);

  cpt::SoilLayerProposal failed;
  QVERIFY(!replaceSoilLayers(project, failed));
  QCOMPARE(project.layerCount(), 5);
}

void CptSoilLayersTest::englishAndSiGiveTheSameLayers() {
  const cpt::CptProfile profile = fourBlocks(12.0);
  CptLayerSettings si;
  si.waterTableDepth = 2.0;
  si.totalUnitWeight = kGamma;
  si.minThickness = 0.5;
  CptLayerSettings english = si;
  english.waterTableDepth = 2.0 / kFootToMetre;
  english.minThickness = 0.5 / kFootToMetre;
  english.totalUnitWeight = kGamma / englishToSiFactor("F/L2^3");

  TProgramData inSi;
  inSi.switchUnits(kSiUnits);
  QVERIFY(
      replaceSoilLayers(inSi, cpt::proposeSoilLayers(profile, toProposalSettings(si, kSiUnits))));
  TProgramData inEnglish;
  QVERIFY(replaceSoilLayers(
      inEnglish, cpt::proposeSoilLayers(profile, toProposalSettings(english, kEnglishUnits))));
  QCOMPARE(inEnglish.layerCount(), inSi.layerCount());
  // 2 m is 6.5617 ft in the English table.
  QVERIFY(std::fabs(inEnglish.D.cell(col::kBottomDepth, 0).asFloat() - 6.5616798) < 1e-6);
  inEnglish.switchUnits(kSiUnits);
  constexpr double kConversion = 1e-9;  // the unit switch's factors, there and back
  const auto same = [](double a, double b) {
    return std::fabs(a - b) <= kConversion * std::max(1.0, std::fabs(b));
  };
  for (int row = 0; row < inSi.layerCount(); ++row) {
    QCOMPARE(inEnglish.D.cell(col::kSoilType, row).asInteger(),
             inSi.D.cell(col::kSoilType, row).asInteger());
    QVERIFY(same(inEnglish.D.cell(col::kBottomDepth, row).asFloat(),
                 inSi.D.cell(col::kBottomDepth, row).asFloat()));
    TGridTable& a = inEnglish.layerData(row);
    TGridTable& b = inSi.layerData(row);
    for (int column : {0, 1, 3, 4, 5}) {  // column 2 of sand holds the (integer) blow counts
      for (int point = 0; point < 2; ++point) {
        QVERIFY2(same(a.cell(column, point).asFloat(), b.cell(column, point).asFloat()),
                 qPrintable(QString("layer %1 column %2").arg(row + 1).arg(column)));
      }
    }
  }
}

void CptSoilLayersTest::proposalRunsInTheEngine() {
  // The offshore example (SI, 35 m pile of 1219 mm, every cone method) on a proposed profile
  // reaching 40 m, beyond the tip plus two diameters.
  QTemporaryDir folder;
  QFile::copy(VORNE_SOURCE_DIR "/examples/offshore_pipe_si.vr6d", folder.filePath("leg.vr6d"));
  TProgramData project;
  project.createFromFile(folder.filePath("leg.vr6d"), true);
  CptLayerSettings settings = defaultCptLayerSettings(kSiUnits);
  settings.waterTableDepth = 2.0;
  const cpt::SoilLayerProposal proposal =
      cpt::proposeSoilLayers(fourBlocks(40.0), toProposalSettings(settings, kSiUnits));
  QVERIFY2(proposal.ok, qPrintable(proposal.error));
  QVERIFY(replaceSoilLayers(project, proposal));
  TMainGraphs graphs;
  AnalysisRunOptions options;
  options.engineLibrary = kLibrary;
  const AnalysisRunResult result =
      runAnalysis(project, graphs, options, [](RunMessageKind, const QString&, const QString&) {});
  QVERIFY2(result.outcome == AnalysisRunOutcome::Finished, qPrintable(result.stopMessage));
  QVERIFY(result.ResultsAvailable);
}

QTEST_GUILESS_MAIN(CptSoilLayersTest)
#include "cpt_soil_layers_test.moc"
