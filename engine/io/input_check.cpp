// The input check of printable magnitudes; see input_check.h.
#include "io/input_check.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "io/report_writer.h"

namespace vorne {

namespace {

// A value for a message: ten significant digits, "." whatever the locale (200000, 1e+08).
std::string plainNumber(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

std::string trimmed(std::string_view label) {
  while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
  return std::string(label);
}

class PrintableCheck {
 public:
  explicit PrintableCheck(const AnalysisInput& input)
      : m_input(input), m_labels(UnitLabels::forUnits(input.units)) {}

  std::string run() {
    const PileProperties& pile = m_input.pile;
    const std::string_view length = m_labels.length;
    const std::string_view diameter = m_labels.diameter;
    const std::string_view area = m_labels.area;
    // The echo prints the pile as read; the capacity tables print penetrations down to the tip.
    fits("the outside diameter", pile.outsideDiameterAsRead, kMaxPrintedLength, diameter) &&
        fits("the inside diameter", pile.insideDiameter, kMaxPrintedLength, diameter) &&
        fits("the noncircular perimeter", pile.noncircularPerimeter, kMaxPrintedLength, diameter) &&
        fits("the noncircular tip area", pile.noncircularTipAreaAsRead, kMaxPrintedLength, area) &&
        fits("the pile length", pile.pileLength, kMaxPrintedLength, length) &&
        fits("the embedded length", m_input.embeddedLength(), kMaxPrintedDepth, length) &&
        fits("the stick-up length", pile.stickupLength, kMaxPrintedLength, length) &&
        fits("the zero friction length", pile.zeroFrictionLength, kMaxPrintedLength, length) &&
        fits("the increment of pile length", pile.lengthIncrement, kMaxPrintedLength, length) &&
        fits("the length of the enhanced end section", pile.enhancedEndLength, kMaxPrintedLength,
             length) &&
        fits("the inside diameter of the enhanced end section", pile.enhancedEndInsideDiameter,
             kMaxPrintedLength, diameter) &&
        fits("the angle of taper", pile.taperAngle, kMaxPrintedLength, "DEG") &&
        fits("the cross-section area", pile.sectionArea, kMaxPrintedLength, area) &&
        fits("the cross-section area of the outside diameter", shapeArea(), kMaxPrintedLength,
             area) &&
        fits("the reduction factor for tension", m_input.tensionReductionFactor, kMaxPrintedLength,
             "") &&
        fits("the user critical depth", m_input.userCriticalDepth, kMaxPrintedLength, length) &&
        areaRowsFit() && soilPointsFit();
    return m_problem;
  }

 private:
  // The area the echo prints for area option 0 [in2 | m2].
  double shapeArea() const {
    const double od = m_input.pile.outsideDiameter;
    const double area = 3.1416 / 4.0 * od * od;
    return m_input.isEnglish() ? area : area / 1.0e6;
  }

  bool areaRowsFit() {
    int row = 0;
    for (const PileProperties::AreaRow& r : m_input.pile.areaTable) {
      ++row;
      const std::string where = "area row " + std::to_string(row) + ": ";
      if (!fits(where + "the depth", r.depth, kMaxPrintedLength, m_labels.length) ||
          !fits(where + "the area", r.area, kMaxPrintedLength, m_labels.area)) {
        return false;
      }
    }
    return true;
  }

  // Clay without su takes qc / 15 (methods/effective_stress), which must fit like su; qc is held
  // as read, in lb/ft2 in English units.
  double coneLimit() const {
    return kMaxPrintedStrength * 15.0 * (m_input.isEnglish() ? 1000.0 : 1.0);
  }

  bool soilPointsFit() {
    const std::string_view stress = m_labels.stress;
    int number = 0;
    for (const SoilPoint& p : m_input.soilPoints) {
      ++number;
      const std::string where = "soil point " + std::to_string(number) + ": ";
      // The unit skin friction of clay reaches su (alpha and lambda rules are at most 1), and the
      // user's unit skin friction is printed as it is: both must fit F9.3.
      const bool ok =
          fits(where + "the depth", p.depth, kMaxPrintedDepth, m_labels.length) &&
          fits(where + "the earth pressure coefficient", p.earthPressureCoefficient,
               kMaxPrintedCoefficient, "") &&
          fits(where + "the effective unit weight", p.effectiveUnitWeight, kMaxPrintedLength,
               trimmed(m_labels.unitWeight)) &&
          fits(where + "the friction angle", p.frictionAngle, kMaxPrintedLength, "DEG") &&
          fits(where + "the bearing capacity factor", p.bearingFactorNq, kMaxPrintedCoefficient,
               "") &&
          fits(where + "the undisturbed shear strength", p.undrainedShearStrength,
               kMaxPrintedStrength, stress) &&
          fits(where + "the remolded shear strength", p.remoldedShearStrength, kMaxPrintedStrength,
               stress) &&
          fits(where + (p.soilType == static_cast<int>(SoilType::Sand) ? "the blow count"
                                                                       : "the yield stress ratio"),
               p.blowCountOrYsr, kMaxPrintedIndex, "") &&
          fits(where + "the plasticity index", p.plasticityIndex, kMaxPrintedIndex, "%") &&
          fits(where + "the cone resistance", p.coneResistance, coneLimit(), stress) &&
          fits(where + "the user unit skin friction", p.userUnitSkinFriction, kMaxPrintedStrength,
               stress) &&
          fits(where + "the user unit end bearing", p.userUnitEndBearing, kMaxPrintedCoefficient,
               stress) &&
          fits(where + "the factor on unit friction", p.sideResistanceFactor, kMaxPrintedFactor,
               "") &&
          fits(where + "the factor on unit bearing", p.endResistanceFactor, kMaxPrintedFactor, "");
      if (!ok) return false;
    }
    return true;
  }

  // Records the problem of a value above limit; negative values print within the same widths
  // only down to a tenth of the limit.
  bool fits(const std::string& what, double value, double limit, std::string_view unit) {
    const std::string shown = unit.empty() ? "" : " " + trimmed(unit);
    if (value > limit) {
      m_problem = what + " " + plainNumber(value) + shown + " is more than " + plainNumber(limit) +
                  ", the most its report and plot data columns can print";
      return false;
    }
    if (value < -limit / 10.0) {
      m_problem = what + " " + plainNumber(value) + shown + " is less than " +
                  plainNumber(-limit / 10.0) +
                  ", the least its report and plot data columns can print";
      return false;
    }
    return true;
  }

  const AnalysisInput& m_input;
  const UnitLabels m_labels;
  std::string m_problem;
};

}  // namespace

std::string printableInputProblem(const AnalysisInput& input) {
  return PrintableCheck(input).run();
}

}  // namespace vorne
