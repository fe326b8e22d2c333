// A CPT profile as the engine takes it: at most 1000 points of depth and qc in the project's unit
// system (ft and ksf in English units, m and kPa in SI), and the engine's CPT side file of them.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "cpt/cpt_profile.h"

namespace vorne::cpt {

// The engine reads at most this many CPT points.
inline constexpr int kMaxEnginePoints = 1000;

struct EnginePoint {
  double depth;                          // [ft | m]
  double coneResistance;                 // qc [ksf | kPa]
  std::optional<double> sleeveFriction;  // fs [ksf | kPa]
  std::optional<double> porePressure;    // u2 [ksf | kPa]
};

struct EngineProfile {
  int units = 2;         // 1 English, 2 SI
  int sourcePoints = 0;  // records of the profile before any reduction
  std::vector<EnginePoint> points;
  QString reduction;  // "5939 points averaged to 1000 over 0.030 m", empty when not reduced
};

// Reduces records (depth increasing) to at most maxPoints by averaging over equal depth intervals
// from the top to the bottom record: each interval that holds records gives one record of their
// mean depth, qc, and fs, u2 and qt over those that have them. An interval without records (a gap
// between pushes) gives none, so nothing is invented across a gap. Fewer records come back as
// they are. interval receives the interval length [m] (0 when not reduced).
std::vector<CptRecord> reduceRecords(const std::vector<CptRecord>& records,
                                     int maxPoints,
                                     double* interval = nullptr);

// The profile in the unit system (1 English, 2 SI, anything else SI), reduced to kMaxEnginePoints.
// Every converted value is rounded to 15 significant digits, so that conversion noise does not
// reach the side file.
EngineProfile engineProfile(const CptProfile& profile, int units);

// The engine's CPT side file: " 1 " or " 2 " and the count, then "  depth  qc" per point in
// exponent format (the shortest text of at least 3 significant digits that reads back), CR LF.
QByteArray cptSideFileText(const EngineProfile& profile);

}  // namespace vorne::cpt
