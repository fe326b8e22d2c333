// Value rules of the project dialogs.
#include "app/dialog_rules.h"

#include <algorithm>

#include "base/unit_labels.h"

namespace vorne {

bool isCircularType(int pileType, bool concreteCircular) {
  if (pileType == kHPile) return false;
  if (pileType == kPrecastConcrete) return concreteCircular;
  return true;
}

bool isTaperedType(int pileType) {
  return pileType == 2 || pileType == 4 || pileType == 5 || pileType == 7;
}

bool taperApplies(const TProgramData& project, int pileType) {
  return project.MethodSelected[kFhwa] != 0 && isTaperedType(pileType);
}

bool usesConeMethod(const TProgramData& project) {
  return std::any_of(project.MethodSelected.begin() + 6, project.MethodSelected.end(),
                     [](int selected) { return selected != 0; });
}

double computedSectionArea(const TProgramData& project, int chosenType, bool circular) {
  if (chosenType == kHPile || !circular) return project.NoncircularTipArea;
  // 3.1416 for pi, as the figures engineers compare with have always been computed.
  const double od = project.OutsideDiameter;
  const double id = project.InsideDiameter;
  double area =
      project.PileType == kSteelPipe ? (od * od - id * id) * 3.1416 / 4.0 : od * od * 3.1416 / 4.0;
  if (project.units() == kSiUnits) area /= 1000000.0;
  return area;
}

bool storeMethodChoices(TProgramData& project, const MethodChoices& choices) {
  project.LoadTransferMethod = std::clamp(choices.loadTransferMethod, 1, 9);
  bool taperReset = false;
  if (project.LoadTransferMethod != kFhwa && project.TaperAngle != 0.0) {
    project.TaperAngle = 0.0;
    taperReset = true;
  }
  project.applyUserLoadTransferColumns();
  for (int m = 1; m <= 9; ++m) {
    project.MethodSelected[static_cast<std::size_t>(m)] =
        choices.selected[static_cast<std::size_t>(m)] != 0 ? 1 : 0;
  }
  project.MethodSelected[static_cast<std::size_t>(project.LoadTransferMethod)] = 1;
  if (choices.loadingType == 1) {
    project.LoadingType = 1;
    project.TensionReductionFactor = choices.tensionReductionFactor;
  } else {
    project.LoadingType = 0;
    project.TensionReductionFactor = 1.0;
  }
  project.ClayDrained = choices.clayDrained != 0 ? 1 : 0;
  project.ReducedLoadTransfer = choices.reducedLoadTransfer != 0 ? 1 : 0;
  project.CriticalDepthOption = std::clamp(choices.criticalDepthOption, 0, 2);
  project.UserCriticalDepth = choices.userCriticalDepth;
  return taperReset;
}

void storeMaterialChoices(TProgramData& project, const MaterialChoices& choices) {
  project.PileType = std::clamp(choices.pileType, 1, 7);
  project.CircularSection = isCircularType(project.PileType, choices.circular);
  project.TaperAngle = project.MethodSelected[kFhwa] != 0 ? choices.taperAngle : 0.0;
  project.ElasticModulus = choices.elasticModulus;
  project.AreaOption = std::clamp(choices.areaOption, 0, 2);
  project.SectionArea = choices.sectionArea;
}

double shownLengthIncrement(double lengthIncrement) {
  return lengthIncrement < 1e-6 ? 1.0 : lengthIncrement;
}

}  // namespace vorne
