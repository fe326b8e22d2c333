// Stations, maximum unit transfer, t-z and Q-w curve shapes and verification curves.
#include "settlement/load_transfer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

constexpr double kTight = 1e-9;
constexpr double kPi = std::numbers::pi;

SoilPoint point(double depth, int type, double phi) {
  SoilPoint p;
  p.depth = depth;
  p.soilType = type;
  p.frictionAngle = phi;
  return p;
}

// Sand 0..10 ft, a step to clay, a clay layer 0.10 thick (no stations), a step to sand and a sand
// layer 0.11 thick (three stations), under a 2 ft stick-up.
AnalysisInput thinLayerInput(UnitSystem units) {
  AnalysisInput input;
  input.units = static_cast<int>(units);
  input.pile.outsideDiameter = 12.0;
  input.pile.stickupLength = 2.0;
  input.soilPoints = {point(0.0, 1, 30.0), point(10.0, 1, 34.0), point(10.0, 2, 0.0),
                      point(10.1, 2, 0.0), point(10.1, 1, 36.0), point(10.21, 1, 38.0)};
  return input;
}

TEST(LoadTransferStations, ThinIntervalsGetNoneAndStickupGetsThreeZeroStations) {
  const AnalysisInput input = thinLayerInput(UnitSystem::English);
  const CurveSettings settings = CurveSettings::of(input);
  const std::vector<TzCurve> stations = buildStations(input, settings);
  ASSERT_EQ(stations.size(), 9u);
  ASSERT_EQ(stickupStationCount(settings), 3u);

  struct Expected {
    double depth;
    int soilType;
    double phi;
  };
  // Inches from the pile top; soil stations shifted by 24 in of stick-up.
  const Expected kExpected[] = {
      {0.0, 2, 0.0},
      {12.0, 2, 0.0},
      {23.9, 2, 0.0},                               // stick-up: 0, PSL/2, 12 PSL - 0.1
      {24.0, 1, 30.0},                              // top 12 * 0
      {24.0 + (0.0 + 119.5 + 1.1) / 2.0, 1, 32.0},  // (top + bottom + 1.1) / 2
      {24.0 + 119.5, 1, 34.0},                      // 12 * 10 - 0.5
      {24.0 + 121.2, 1, 36.0},                      // the 0.11 layer
      {24.0 + (121.2 + 122.02 + 1.1) / 2.0, 1, 37.0},
      {24.0 + 122.02, 1, 38.0},
  };
  for (std::size_t i = 0; i < stations.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(stations[i].depth, kExpected[i].depth, 1e-9);
    EXPECT_EQ(stations[i].soilType, kExpected[i].soilType);
    EXPECT_NEAR(stations[i].frictionAngle, kExpected[i].phi, kTight);
  }
}

// The SI offsets are those of the English stations converted: 0.5 in (0.0127 m) above the bottom,
// 1.1 in (0.02794 m) in the middle, and the 0.11 ft (0.033528 m) thickness.
TEST(LoadTransferStations, SiStationsUseTheConvertedInchOffsets) {
  AnalysisInput input = thinLayerInput(UnitSystem::Si);
  input.pile.stickupLength = 0.0;
  // A clay layer 0.03 m thick gets no stations; a sand layer 0.11 ft thick gets three.
  input.soilPoints[3].depth = 10.03;
  input.soilPoints[4].depth = 10.03;
  input.soilPoints[5].depth = 10.03 + 0.11 * 0.3048;
  const std::vector<TzCurve> stations = buildStations(input, CurveSettings::of(input));
  ASSERT_EQ(stations.size(), 6u);
  EXPECT_NEAR(stations[0].depth, 0.0, kTight);
  EXPECT_NEAR(stations[1].depth, (0.0 + 9.9873 + 0.02794) / 2.0, kTight);
  EXPECT_NEAR(stations[2].depth, 10.0 - 0.0127, kTight);
  EXPECT_NEAR(stations[3].depth, 10.03, kTight);
  EXPECT_NEAR(stations[5].depth, 10.03 + 0.033528 - 0.0127, kTight);
}

TEST(LoadTransferStations, MixedIntervalIsClay) {
  AnalysisInput input;
  input.soilPoints = {point(0.0, 1, 30.0), point(5.0, 2, 0.0)};
  input.pile.outsideDiameter = 12.0;
  const std::vector<TzCurve> stations = buildStations(input, CurveSettings::of(input));
  ASSERT_EQ(stations.size(), 3u);
  for (const TzCurve& s : stations) EXPECT_EQ(s.soilType, 2);
}

// Grid 0..4 ft with Q = 0, 0, 2, 6, 12 kip on a 12 in pile: pi D = 37.699 in.
LoadTransferSource slopeSource() {
  LoadTransferSource source;
  source.penetration = {0.0, 1.0, 2.0, 3.0, 4.0};
  source.skinFriction = {0.0, 0.0, 2.0, 6.0, 12.0};
  return source;
}

TEST(UnitTransferAtDepth, ForwardCentralAndLastIntervalSlopes) {
  AnalysisInput input;
  input.pile.outsideDiameter = 12.0;
  const CurveSettings settings = CurveSettings::of(input);
  const LoadTransferSource source = slopeSource();
  struct Case {
    const char* name;
    double depth;
    double expected;
  };
  const Case kCases[] = {
      // g = 1 (d = 1), Q(0) = 0: forward (2 - 0) / 1 = 2 kip/ft; 2000 / 12 / (pi 12) psi.
      {"forward below a friction-free top", 0.5, 4.420970641},
      // g = 3 (d = 3), Q(2) = 2: central (12 - 2) / 2 = 5 kip/ft.
      {"central", 2.5, 11.052426604},
      // g = 4, the last point: (12 - 6) / 1 = 6 kip/ft.
      {"last interval", 3.5, 13.262911924},
      {"below the grid takes the last interval", 10.0, 13.262911924},
      {"on a grid point takes the next one", 2.0, 11.052426604},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(unitTransferAtDepth(source, c.depth, settings), c.expected, 1e-8);
  }
}

// A station on a grid depth takes the next grid point whatever the binary rounding: 3 * 0.2 is
// 0.6000000000000001, and a depth rebuilt as 1.48 - 1.28 is 0.19999999999999996.
TEST(UnitTransferAtDepth, StationOnAGridDepthTakesTheNextPoint) {
  AnalysisInput input;
  input.units = static_cast<int>(UnitSystem::Si);
  input.pile.outsideDiameter = 1000.0 / kPi;  // pi D = 1 m: tmax is the slope
  const CurveSettings settings = CurveSettings::of(input);
  LoadTransferSource source;
  for (int j = 0; j <= 6; ++j) {
    source.penetration.push_back(j * 0.2);
    source.skinFriction.push_back(j * j * 1.0);  // central slopes (Q_{g+1} - Q_{g-1}) / 0.4 = 10 g
  }
  struct Case {
    const char* name;
    double depth, expected;
  };
  const Case kCases[] = {
      {"decimal 0.6 takes the point at 0.8", 0.6, 40.0},
      {"0.2 rebuilt below it takes the point at 0.4", 1.48 - 1.28, 20.0},
      {"short of 0.6 by more than the tolerance", 0.599998, 30.0},
      {"the last point itself", 6 * 0.2, (36.0 - 25.0) / 0.2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(unitTransferAtDepth(source, c.depth, settings), c.expected, 1e-9);
  }
}

TEST(UnitTransferAtDepth, SiDividesTheSlopeByThePerimeterInMetres) {
  AnalysisInput input;
  input.units = static_cast<int>(UnitSystem::Si);
  input.pile.outsideDiameter = 300.0;  // mm
  // Forward slope 2 kN/m over pi * 0.3 m.
  EXPECT_NEAR(unitTransferAtDepth(slopeSource(), 0.5, CurveSettings::of(input)), 2.0 / (0.3 * kPi),
              1e-12);
}

TEST(UnitTransferAtDepth, GridWithoutIntervalGivesZero) {
  AnalysisInput input;
  input.pile.outsideDiameter = 12.0;
  LoadTransferSource source;
  source.penetration = {0.0};
  source.skinFriction = {0.0};
  EXPECT_EQ(unitTransferAtDepth(source, 0.0, CurveSettings::of(input)), 0.0);
  EXPECT_EQ(unitTransferAtDepth(LoadTransferSource{}, 1.0, CurveSettings::of(input)), 0.0);
}

CurveSettings englishSettings(bool usace, double diameter) {
  CurveSettings s;
  s.english = true;
  s.usaceShapes = usace;
  s.diameter = diameter;
  return s;
}

TEST(TzCurveShapes, PointsOfEachShape) {
  struct Case {
    const char* name;
    bool usace;
    int soilType;
    std::size_t point;
    double movement;  // [in], D = 12 in
    double ratio;     // t / tmax
  };
  const Case kCases[] = {
      {"standard clay peak at 0.01 D", false, 2, 5, 0.12, 1.0},
      {"standard clay residual", false, 2, 9, 2.4, 0.9},
      {"standard sand peak at 0.1 in", false, 1, 7, 0.1, 1.0},
      {"standard sand last", false, 1, 9, 2.0, 1.0},
      {"USACE clay peak at 0.08 in", true, 2, 5, 0.08, 1.0},
      {"USACE clay last at 10 in", true, 2, 9, 10.0, 0.93},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TzCurve curve;
    curve.soilType = c.soilType;
    curve.maxUnitTransfer = 5.0;
    fillTzCurve(curve, englishSettings(c.usace, 12.0));
    EXPECT_EQ(curve.movement[0], 0.0);
    EXPECT_EQ(curve.unitTransfer[0], 0.0);
    EXPECT_NEAR(curve.movement[c.point], c.movement, kTight);
    EXPECT_NEAR(curve.unitTransfer[c.point], c.ratio * 5.0, kTight);
  }
}

TEST(TzCurveShapes, HyperbolicSandCurve) {
  TzCurve curve;
  curve.soilType = 1;
  curve.frictionAngle = 30.0;    // k = 6000 + 1333.3 * 2 = 8666.6 psf/in
  curve.maxUnitTransfer = 10.0;  // 1440 psf
  fillTzCurve(curve, englishSettings(true, 12.0));
  // z = 0.08 in: 0.08 / (1 / 8666.6 + 0.08 / 1440) = 467.998 psf = 3.24998 psi.
  EXPECT_NEAR(curve.movement[5], 0.08, kTight);
  EXPECT_NEAR(curve.unitTransfer[5], 3.249983125, 1e-8);
  for (std::size_t i = 1; i < kCurvePoints; ++i) EXPECT_LT(curve.unitTransfer[i], 10.0);

  curve.maxUnitTransfer = 0.0;
  fillTzCurve(curve, englishSettings(true, 12.0));
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    EXPECT_EQ(curve.unitTransfer[i], 0.0) << i;
    EXPECT_TRUE(std::isfinite(curve.movement[i]));
  }
}

TEST(TzCurveShapes, HyperbolicStiffnessTable) {
  struct Case {
    double phi, k;
  };
  const Case kCases[] = {{20.0, 6000.0},  {28.0, 6000.0},  {31.0, 9999.9},  {31.5, 10000.0},
                         {33.0, 11333.3}, {34.5, 14000.0}, {36.0, 15333.3}, {40.0, 18000.0}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.phi);
    EXPECT_NEAR(hyperbolicSandStiffness(c.phi), c.k, 1e-9);
  }
}

TEST(TzCurveShapes, InterpolationOnACurve) {
  TzCurve curve;
  curve.soilType = 1;
  curve.maxUnitTransfer = 10.0;
  fillTzCurve(curve, englishSettings(false, 12.0));
  EXPECT_NEAR(curve.transferAt(0.005), 0.5, kTight);  // half way to (0.01, 1)
  EXPECT_NEAR(curve.transferAt(0.04), 4.0, kTight);   // on a point
  EXPECT_NEAR(curve.transferAt(50.0), 10.0, kTight);  // beyond the last point
  EXPECT_EQ(curve.transferAt(-1.0), 0.0);
}

TEST(QwCurve, StandardTipAtTheFirstImposedMovement) {
  const QwCurve tip = makeQwCurve(1000.0, 1, 35.0, englishSettings(false, 12.0));
  // First point at 0.0005 D = 0.006 in with 0.0625 Qmax; 0.0001 in lies on the line to it.
  EXPECT_NEAR(tip.movement[1], 0.006, kTight);
  EXPECT_NEAR(tip.loadAt(0.0001), 1000.0 * 0.0625 * (0.0001 / 0.006), kTight);
  EXPECT_NEAR(tip.loadAt(1.2), 1000.0, kTight);  // 0.1 D
  // Beyond the last point (0.2 D = 2.4 in) the last load holds.
  EXPECT_NEAR(tip.loadAt(5.0), 1000.0, kTight);
}

TEST(QwCurve, UsaceTipInSandAndClay) {
  const CurveSettings s = englishSettings(true, 10.0);  // 0.05 D = 0.5 in, 0.01 D = 0.1 in
  const QwCurve sand = makeQwCurve(100.0, 1, 30.0, s);  // exponent 0.5
  EXPECT_NEAR(sand.loadAt(0.5), 100.0, kTight);
  EXPECT_NEAR(sand.loadAt(2.0), 200.0, kTight);          // not capped beyond 0.05 D
  const QwCurve dense = makeQwCurve(100.0, 1, 40.0, s);  // exponent 0.25
  EXPECT_NEAR(dense.loadAt(2.0), 100.0 * std::pow(4.0, 0.25), kTight);

  const QwCurve clay = makeQwCurve(100.0, 2, 0.0, s);
  EXPECT_NEAR(clay.loadAt(0.1), 50.0, kTight);  // half of Qmax at 0.01 OD
  EXPECT_NEAR(clay.loadAt(0.005), 50.0 * std::sqrt(0.05), kTight);
  EXPECT_NEAR(clay.loadAt(0.5), 100.0, kTight);  // capped
  EXPECT_NEAR(clay.loadAt(3.0), 100.0, kTight);
}

// One layered project in both unit systems: the curves' movements differ by the 39.37 of the
// tabulated inches (and by the diameter conversion for the shapes scaled by D).
TEST(LoadTransferCurves, EnglishAndSiMovementsDifferOnlyByTheConversion) {
  testing::ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.length = 20.0;
  outline.layers = {{0.0, 10.0, SoilType::Sand, 110.0, 32.0}, {10.0, 30.0, SoilType::Clay, 60.0, 0.0}};
  for (int method : {2, 4}) {
    SCOPED_TRACE(method);
    AnalysisInput english = testing::makeInput(outline, UnitSystem::English);
    AnalysisInput si = testing::makeInput(outline, UnitSystem::Si);
    english.loadTransferMethod = si.loadTransferMethod = method;
    LoadTransferSource sourceEnglish;
    sourceEnglish.penetration = {0.0, 10.0, 20.0};
    sourceEnglish.skinFriction = {0.0, 50.0, 150.0};
    sourceEnglish.tipCapacity = 80.0;
    LoadTransferSource sourceSi;
    sourceSi.penetration = {0.0, 10.0 * testing::kFtToM, 20.0 * testing::kFtToM};
    sourceSi.skinFriction = {0.0, 50.0 * testing::kKipToKn, 150.0 * testing::kKipToKn};
    sourceSi.tipCapacity = 80.0 * testing::kKipToKn;

    const LoadTransferCurves a = buildLoadTransferCurves(english, sourceEnglish);
    const LoadTransferCurves b = buildLoadTransferCurves(si, sourceSi);
    ASSERT_EQ(a.stations.size(), b.stations.size());
    for (std::size_t s = 0; s < a.stations.size(); ++s) {
      const bool scaledByDiameter = a.stations[s].soilType == 2 && method != 2;
      const double factor = scaledByDiameter ? 1000.0 / 25.4 : kInchesPerMetre;
      for (std::size_t i = 0; i < kCurvePoints; ++i) {
        EXPECT_NEAR(a.stations[s].movement[i], b.stations[s].movement[i] * factor,
                    1e-12 * (1.0 + a.stations[s].movement[i]));
      }
    }
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
      const double factor = method == 2 ? kInchesPerMetre : 1000.0 / 25.4;
      EXPECT_NEAR(a.tip.movement[i], b.tip.movement[i] * factor, 1e-12);
    }
  }
}

TEST(LoadTransferCurves, TipCurveTakesTheSoilOfTheDeepestStationOnThePile) {
  // A 20 ft pile ending in sand (phi 30) over a deeper clay layer: USACE tip is the sand power law.
  AnalysisInput input;
  input.loadTransferMethod = 2;
  input.pile.outsideDiameter = 10.0;
  input.pile.pileLength = 20.0;
  input.soilPoints = {point(0.0, 1, 30.0), point(25.0, 1, 30.0), point(25.0, 2, 0.0),
                      point(40.0, 2, 0.0)};
  LoadTransferSource source;
  source.penetration = {0.0, 10.0, 20.0};
  source.skinFriction = {0.0, 10.0, 20.0};
  source.tipCapacity = 0.1;  // kip: Qmax 100 lb
  const LoadTransferCurves curves = buildLoadTransferCurves(input, source);
  EXPECT_NEAR(curves.tip.capacity, 100.0, kTight);
  EXPECT_NEAR(curves.tip.loadAt(2.0), 200.0, kTight);  // sand, (2 / 0.5)^0.5
}

TEST(VerificationCurves, SoilRangeSoilTypeAndInterpolatedAngle) {
  AnalysisInput input;
  input.pile.outsideDiameter = 12.0;
  input.pile.stickupLength = 1.0;
  input.soilPoints = {point(0.0, 1, 30.0), point(10.0, 1, 40.0), point(10.0, 2, 0.0),
                      point(20.0, 2, 0.0)};
  input.extraTzDepths = {5.0, 15.0, 20.0, 25.0, -1.0};
  const std::vector<VerificationCurve> curves = buildVerificationCurves(input, slopeSource());
  ASSERT_EQ(curves.size(), 5u);
  EXPECT_TRUE(curves[0].inSoilRange);
  EXPECT_EQ(curves[0].curve.soilType, 1);
  EXPECT_NEAR(curves[0].curve.frictionAngle, 35.0, kTight);
  EXPECT_NEAR(curves[0].curve.depth, 12.0 + 60.0, kTight);  // from the pile top [in]
  // Beyond the 4 ft grid: the last interval's slope.
  EXPECT_NEAR(curves[0].curve.maxUnitTransfer, 13.262911924, 1e-8);
  EXPECT_EQ(curves[1].curve.soilType, 2);
  EXPECT_TRUE(curves[2].inSoilRange);  // the deepest point itself
  EXPECT_FALSE(curves[3].inSoilRange);
  EXPECT_FALSE(curves[4].inSoilRange);
}

}  // namespace
}  // namespace vorne
