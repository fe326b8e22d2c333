// The rules of the project dialogs that decide a value: the section flag of a pile type, which
// types take a taper, the computed cross-section area, what the method and material choices store
// (taper reset, tension factor reset, user-specified columns), and the shown increment length.
// Windowless, so that the runner and the tests reach them; the dialogs only load and store.
#ifndef VORNE_APP_DIALOG_RULES_H
#define VORNE_APP_DIALOG_RULES_H

#include <array>

#include "app/program_data.h"

namespace vorne {

// MethodId values used by the rules.
inline constexpr int kFhwa = 1;
inline constexpr int kUsace = 2;
inline constexpr int kApi = 4;
inline constexpr int kUserSpecified = 5;
inline constexpr int kIcpMtd = 7;

// Pile types.
inline constexpr int kSteelPipe = 1;
inline constexpr int kPrecastConcrete = 3;
inline constexpr int kHPile = 6;

// Whether the section of a pile type is circular; precast concrete (3) follows the user's
// choice "Circular/Tubular" (true) or "Square/Rectangular/Orthogonal" (false).
bool isCircularType(int pileType, bool concreteCircular);
// Timber, Raymond step-taper, Raymond uniform taper and tapered monotube take a taper angle.
bool isTaperedType(int pileType);
// The taper applies only while FHWA computes capacity and the type is tapered.
bool taperApplies(const TProgramData& project, int pileType);
// Whether any cone-based offshore method (NGI, ICP/MTD, Fugro, UWA) computes capacity.
bool usesConeMethod(const TProgramData& project);

// The area the Pile Material dialog shows for the chosen type [in2 | m2]: for a circular
// section (OD^2 - ID^2) * 3.1416 / 4 when the project's stored type is steel pipe, else
// OD^2 * 3.1416 / 4, with mm2 turned into m2 in SI; for an H-pile or a square concrete pile the
// non-circular tip area.
double computedSectionArea(const TProgramData& project, int chosenType, bool circular);

// The choices of the Computation Methods dialog.
struct MethodChoices {
  int loadTransferMethod = kApi;
  std::array<int, 10> selected{};  // indexed by MethodId 1..9
  int loadingType = 0;
  double tensionReductionFactor = 1.0;
  int clayDrained = 0;
  int reducedLoadTransfer = 0;
  int criticalDepthOption = 0;
  double userCriticalDepth = 0.0;
};

// Stores the choices: a load-transfer method other than FHWA resets the taper angle to 0, the
// user-specified columns of every layer table follow the method, the load-transfer method always
// computes capacity, and compression resets the tension reduction factor to 1. Returns whether
// the taper angle was reset (an open Pile Material dialog then reloads).
bool storeMethodChoices(TProgramData& project, const MethodChoices& choices);

// The choices of the Pile Material dialog.
struct MaterialChoices {
  int pileType = kSteelPipe;
  bool circular = true;
  double taperAngle = 0.0;
  double elasticModulus = 0.0;
  int areaOption = 0;
  double sectionArea = 0.0;
};

// Stores the choices; the taper angle becomes 0 unless FHWA computes capacity.
void storeMaterialChoices(TProgramData& project, const MaterialChoices& choices);

// The increment length the Control Options dialog shows: a value below 1e-6 is shown as 1.
double shownLengthIncrement(double lengthIncrement);

}  // namespace vorne

#endif  // VORNE_APP_DIALOG_RULES_H
