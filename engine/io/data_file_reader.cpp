// Readers of the project data file and the CPT side file; see data_file_reader.h.
#include "io/data_file_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace vorne {
namespace {

// Name of a field in messages: "soil point 3, depth" or "print increment".
struct Field {
  std::string_view name;
  std::string_view group = {};
  int index = 0;

  std::string describe() const {
    if (group.empty()) return std::string(name);
    return std::string(group) + " " + std::to_string(index) + ", " + std::string(name);
  }
};

enum class Parse { Ok, NotNumber, NotFinite, OutOfRange, NotInteger };

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// Parses a whole token as a real. Accepts an optional sign, "1.", ".5", and exponents written
// with E, e, D or d ("1.0D+02"). NaN and infinity are refused.
Parse parseReal(std::string_view token, double& value) {
  // Room for any sensible number; longer tokens are copied only as far as needed to refuse them.
  char buffer[128];
  if (token.empty() || token.size() >= sizeof buffer) return Parse::NotNumber;
  std::size_t start = 0;
  if (token[0] == '+') {
    start = 1;
    if (token.size() == 1 || token[1] == '+' || token[1] == '-') return Parse::NotNumber;
  }
  std::size_t length = 0;
  for (std::size_t i = start; i < token.size(); ++i) {
    char c = token[i];
    if (c == 'd' || c == 'D') c = 'E';
    buffer[length++] = c;
  }
  double parsed = 0.0;
  const auto result = std::from_chars(buffer, buffer + length, parsed, std::chars_format::general);
  if (result.ptr != buffer + length) return Parse::NotNumber;
  if (result.ec == std::errc::result_out_of_range) return Parse::OutOfRange;
  if (result.ec != std::errc()) return Parse::NotNumber;
  if (!std::isfinite(parsed)) return Parse::NotFinite;
  value = parsed;
  return Parse::Ok;
}

// Parses a whole token as a 32-bit integer; a real with a whole value ("2.", "2.0") is accepted.
Parse parseInt(std::string_view token, int& value) {
  std::string_view digits = token;
  if (!digits.empty() && digits[0] == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) return Parse::NotNumber;
  }
  if (digits.empty()) return Parse::NotNumber;
  std::int64_t whole = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), whole);
  if (result.ptr == digits.data() + digits.size()) {
    if (result.ec == std::errc::result_out_of_range) return Parse::OutOfRange;
    if (result.ec != std::errc()) return Parse::NotNumber;
    if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max()) {
      return Parse::OutOfRange;
    }
    value = static_cast<int>(whole);
    return Parse::Ok;
  }
  double real = 0.0;
  const Parse asReal = parseReal(token, real);
  if (asReal != Parse::Ok) return asReal;
  if (real != std::trunc(real)) return Parse::NotInteger;
  if (real < static_cast<double>(std::numeric_limits<int>::min()) ||
      real > static_cast<double>(std::numeric_limits<int>::max())) {
    return Parse::OutOfRange;
  }
  value = static_cast<int>(real);
  return Parse::Ok;
}

// Walks the text line by line: whole text lines, or free-format records of blank- or
// comma-separated values that may continue over several lines.
class RecordReader {
 public:
  RecordReader(std::string_view text, std::string_view fileName) : m_text(text), m_file(fileName) {
    // A byte-order mark written by some Windows editors is not part of the title.
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_text.remove_prefix(3);
  }

  const std::string& message() const { return m_message; }

  // Reads the next line whole (without its line end), cut to maxLength characters.
  bool readTextLine(std::string& out, std::size_t maxLength, const Field& field) {
    if (!nextLine()) return failAtEnd(field);
    out.assign(m_line.substr(0, maxLength));
    m_line = {};
    return true;
  }

  // Starts a new record: the rest of the current line is ignored.
  void beginRecord() {
    m_line = {};
    m_valuesInRecord = 0;
  }

  bool readReal(double& value, const Field& field) {
    std::string_view token;
    if (!nextToken(token, field)) return false;
    return check(parseReal(token, value), token, field, "a number");
  }

  bool readInt(int& value, const Field& field) {
    std::string_view token;
    if (!nextToken(token, field)) return false;
    return check(parseInt(token, value), token, field, "an integer");
  }

  // Records a failure at the line of the last value read.
  bool fail(const std::string& what) {
    m_message = std::string(m_file) + ", line " + std::to_string(m_lineNumber) + ": " + what;
    return false;
  }

 private:
  // Moves to the next line of the text; false at the end.
  bool nextLine() {
    if (m_next >= m_text.size()) return false;
    const std::size_t end = m_text.find('\n', m_next);
    const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
    m_line = m_text.substr(m_next, stop - m_next);
    if (!m_line.empty() && m_line.back() == '\r') m_line.remove_suffix(1);
    m_next = end == std::string_view::npos ? m_text.size() : end + 1;
    ++m_lineNumber;
    m_commaPending = false;
    return true;
  }

  bool nextToken(std::string_view& token, const Field& field) {
    for (;;) {
      std::size_t i = 0;
      while (i < m_line.size()) {
        const char c = m_line[i];
        if (isBlank(c)) {
          ++i;
        } else if (c == ',') {
          // Two commas in a row, or one before the first value, would leave a value unset in
          // the old free-format rules; refuse rather than shift every later value.
          if (m_commaPending || m_valuesInRecord == 0) {
            m_line = m_line.substr(i + 1);
            return fail("empty value before \",\" (" + field.describe() + ")");
          }
          m_commaPending = true;
          ++i;
        } else {
          std::size_t j = i;
          while (j < m_line.size() && !isBlank(m_line[j]) && m_line[j] != ',') ++j;
          token = m_line.substr(i, j - i);
          m_line = m_line.substr(j);
          m_commaPending = false;
          ++m_valuesInRecord;
          return true;
        }
      }
      m_line = {};
      if (!nextLine()) return failAtEnd(field);
    }
  }

  bool failAtEnd(const Field& field) {
    m_message = std::string(m_file) + ", line " + std::to_string(m_lineNumber + 1) +
                ": the file ends before " + field.describe();
    return false;
  }

  bool check(Parse parse, std::string_view token, const Field& field, const char* expected) {
    // Quote at most a short piece of a bad token so that the message stays one readable line.
    std::string shown = "\"";
    shown.append(token.substr(0, 32));
    shown.append(token.size() > 32 ? "...\"" : "\"");
    switch (parse) {
      case Parse::Ok:
        return true;
      case Parse::NotFinite:
        return fail(shown + " is not a finite number (" + field.describe() + ")");
      case Parse::OutOfRange:
        return fail(shown + " is out of range (" + field.describe() + ")");
      case Parse::NotInteger:
        return fail(shown + " is not a whole number (" + field.describe() + ")");
      case Parse::NotNumber:
        break;
    }
    return fail(shown + " is not " + expected + " (" + field.describe() + ")");
  }

  std::string_view m_text;
  std::string_view m_file;
  std::size_t m_next = 0;       // start of the next unread line
  std::string_view m_line;      // unread rest of the current line
  int m_lineNumber = 0;         // 1-based number of the current line
  int m_valuesInRecord = 0;     // values taken since the record began
  bool m_commaPending = false;  // a comma was met since the last value on this line
  std::string m_message;
};

// Refuses a count outside 0..limit, naming the count and the limit.
bool checkCount(RecordReader& reader, int count, int limit, std::string_view what) {
  if (count < 0) {
    return reader.fail("the number of " + std::string(what) + " " + std::to_string(count) +
                       " is negative");
  }
  if (count > limit) {
    return reader.fail("the number of " + std::string(what) + " " + std::to_string(count) +
                       " is more than the limit of " + std::to_string(limit));
  }
  return true;
}

// Formats a real for a message with "." whatever the locale.
std::string shortNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Refuses a negative length, diameter, area or modulus: no pile or profile has one, and the
// computations would take it as it stands.
bool checkNotNegative(RecordReader& reader, double value, std::string_view what) {
  if (!(value < 0.0)) return true;
  return reader.fail("the " + std::string(what) + " " + shortNumber(value) +
                     " must not be negative");
}

bool readPile(RecordReader& r, AnalysisInput& input) {
  PileProperties& p = input.pile;
  r.beginRecord();
  if (!r.readReal(p.noncircularPerimeter, {"noncircular perimeter"}) ||
      !r.readReal(p.noncircularTipArea, {"noncircular tip area"}) ||
      !r.readReal(p.outsideDiameter, {"outside diameter"}) ||
      !r.readReal(p.insideDiameter, {"inside diameter"}) ||
      !r.readReal(p.elasticModulus, {"modulus of elasticity"}) ||
      !r.readReal(p.pileLength, {"pile length"}) ||
      !r.readReal(p.stickupLength, {"stick-up length"})) {
    return false;
  }
  if (!checkNotNegative(r, p.noncircularPerimeter, "noncircular perimeter") ||
      !checkNotNegative(r, p.noncircularTipArea, "noncircular tip area") ||
      !checkNotNegative(r, p.outsideDiameter, "outside diameter") ||
      !checkNotNegative(r, p.insideDiameter, "inside diameter") ||
      !checkNotNegative(r, p.elasticModulus, "modulus of elasticity") ||
      !checkNotNegative(r, p.pileLength, "pile length") ||
      !checkNotNegative(r, p.stickupLength, "stick-up length")) {
    return false;
  }
  p.outsideDiameterAsRead = p.outsideDiameter;
  p.noncircularTipAreaAsRead = p.noncircularTipArea;
  if (input.isEnglish()) p.noncircularTipArea /= 144.0;  // in2 to ft2
  if (p.noncircularPerimeter > 1.0e-10) {
    // The diameter of a circle of the same perimeter stands in for a noncircular section.
    p.insideDiameter = 0.0;
    p.outsideDiameter = p.noncircularPerimeter / 3.1416;
  }
  if (input.embeddedLength() <= 0.0) {
    return r.fail("the embedded length (pile length " + shortNumber(p.pileLength) +
                  " less stick-up " + shortNumber(p.stickupLength) + ") must be greater than 0");
  }

  r.beginRecord();
  if (!r.readReal(p.enhancedEndLength, {"length of the enhanced end section"}) ||
      !r.readReal(p.enhancedEndInsideDiameter, {"inside diameter of the enhanced end section"})) {
    return false;
  }
  if (!checkNotNegative(r, p.enhancedEndLength, "length of the enhanced end section") ||
      !checkNotNegative(r, p.enhancedEndInsideDiameter,
                        "inside diameter of the enhanced end section")) {
    return false;
  }
  if (p.enhancedEndLength < 1.0e-5) {
    // No enhanced end: the whole pile counts as one, with the pile's own inside diameter.
    p.enhancedEndInsideDiameter = p.insideDiameter;
    p.enhancedEndLength = p.pileLength - 1.0e-7;
  }

  r.beginRecord();
  if (!r.readReal(p.zeroFrictionLength, {"zero friction length"}) ||
      !r.readReal(p.lengthIncrement, {"increment of pile length"}) ||
      !r.readInt(p.pileType, {"pile type"}) || !r.readReal(p.taperAngle, {"angle of taper"}) ||
      !r.readInt(input.loadTransferMethod, {"method for unit load transfers"}) ||
      !r.readInt(input.offshoreParameters, {"offshore parameters flag"}) ||
      !r.readInt(input.reducedLoadTransfer, {"reduced load transfer flag"})) {
    return false;
  }
  if (!checkNotNegative(r, p.zeroFrictionLength, "zero friction length")) return false;
  if (!(p.lengthIncrement > 0.0)) {
    return r.fail("the increment of pile length " + shortNumber(p.lengthIncrement) +
                  " must be greater than 0");
  }
  if (p.pileType < 1 || p.pileType > 7) {
    return r.fail("the pile type " + std::to_string(p.pileType) + " must be 1 to 7");
  }
  if (input.loadTransferMethod < 1 || input.loadTransferMethod > kMethodCount) {
    return r.fail("the method for unit load transfers " + std::to_string(input.loadTransferMethod) +
                  " must be 1 to 9");
  }
  return true;
}

bool readSoilPoint(RecordReader& r, bool english, int number, SoilPoint& point) {
  constexpr std::string_view kGroup = "soil point";
  r.beginRecord();
  if (!r.readReal(point.depth, {"depth", kGroup, number}) ||
      !r.readInt(point.soilType, {"soil type", kGroup, number}) ||
      !r.readReal(point.earthPressureCoefficient, {"earth pressure coefficient", kGroup, number}) ||
      !r.readReal(point.effectiveUnitWeight, {"effective unit weight", kGroup, number}) ||
      !r.readReal(point.frictionAngle, {"friction angle", kGroup, number}) ||
      !r.readReal(point.bearingFactorNq, {"bearing capacity factor", kGroup, number})) {
    return false;
  }
  if (point.soilType != static_cast<int>(SoilType::Sand) &&
      point.soilType != static_cast<int>(SoilType::Clay)) {
    return r.fail("soil point " + std::to_string(number) + ": the soil type " +
                  std::to_string(point.soilType) + " must be 1 (sand) or 2 (clay)");
  }
  if (!checkNotNegative(r, point.depth, "depth of soil point " + std::to_string(number))) {
    return false;
  }
  if (number == 1 && std::fabs(point.depth) > 1.0e-6) {
    return r.fail("soil point 1: the depth " + shortNumber(point.depth) +
                  " must be 0 (the profile starts at the ground surface)");
  }

  r.beginRecord();
  if (!r.readReal(point.maxUnitFriction, {"maximum unit friction", kGroup, number}) ||
      !r.readReal(point.maxUnitBearing, {"maximum unit bearing", kGroup, number}) ||
      !r.readReal(point.undrainedShearStrength, {"undisturbed shear strength", kGroup, number}) ||
      !r.readReal(point.remoldedShearStrength,
                  {"remolded shear strength or blow count", kGroup, number}) ||
      !r.readReal(point.blowCountOrYsr, {"yield stress ratio", kGroup, number}) ||
      !r.readReal(point.plasticityIndex, {"plasticity index", kGroup, number}) ||
      !r.readReal(point.coneResistance, {"cone resistance", kGroup, number}) ||
      !r.readReal(point.userUnitSkinFriction, {"user unit skin friction", kGroup, number}) ||
      !r.readReal(point.userUnitEndBearing, {"user unit end bearing", kGroup, number}) ||
      !r.readReal(point.sideResistanceFactor, {"factor on unit friction", kGroup, number}) ||
      !r.readReal(point.endResistanceFactor, {"factor on unit bearing", kGroup, number})) {
    return false;
  }

  if (point.soilType == static_cast<int>(SoilType::Sand)) {
    // A sand point carries its blow count in the remolded-strength slot of the file.
    point.blowCountOrYsr = point.remoldedShearStrength;
    point.remoldedShearStrength = 0.0;
  }
  if (english) {
    // psf to ksf; plasticity index and cone resistance keep their read values.
    point.maxUnitFriction /= 1000.0;
    point.maxUnitBearing /= 1000.0;
    point.undrainedShearStrength /= 1000.0;
    point.remoldedShearStrength /= 1000.0;
    point.userUnitSkinFriction /= 1000.0;
    point.userUnitEndBearing /= 1000.0;
  }
  // Zero or negative limits mean "do not limit"; the report marks them with an asterisk.
  constexpr double kUnlimited = 9999999.0;
  point.frictionUnlimited = point.maxUnitFriction < 1.0e-10;
  if (point.frictionUnlimited) point.maxUnitFriction = kUnlimited;
  point.bearingUnlimited = point.maxUnitBearing < 1.0e-10;
  if (point.bearingUnlimited) point.maxUnitBearing = kUnlimited;
  return true;
}

bool readDataFileBody(RecordReader& r, AnalysisInput& input) {
  if (!r.readTextLine(input.title, kTextLineLength, {"the title (line 1)"}) ||
      !r.readTextLine(input.designer, kTextLineLength, {"the designer (line 2)"}) ||
      !r.readTextLine(input.jobNumber, kTextLineLength, {"the job number (line 3)"})) {
    return false;
  }

  int soilPointCount = 0;
  r.beginRecord();
  if (!r.readInt(input.units, {"units"}) || !r.readInt(input.printIncrement, {"print increment"}) ||
      !r.readInt(soilPointCount, {"number of soil points"})) {
    return false;
  }
  if (input.units != static_cast<int>(UnitSystem::English) &&
      input.units != static_cast<int>(UnitSystem::Si)) {
    return r.fail("the units " + std::to_string(input.units) + " must be 1 (English) or 2 (SI)");
  }
  if (input.printIncrement < 1) {
    return r.fail("the print increment " + std::to_string(input.printIncrement) +
                  " must be at least 1");
  }
  if (!checkCount(r, soilPointCount, kMaxSoilPoints, "soil points")) return false;
  if (soilPointCount == 0) return r.fail("the number of soil points is 0: no soil is described");

  if (!readPile(r, input)) return false;

  r.beginRecord();
  for (int m = 1; m <= kMethodCount; ++m) {
    if (!r.readInt(input.methodSelected[static_cast<std::size_t>(m)],
                   {"method selection flag", "method", m})) {
      return false;
    }
  }

  r.beginRecord();
  if (!r.readReal(input.deepestSoilDepth, {"depth of the deepest soil layer"}) ||
      !r.readReal(input.pile.sectionArea, {"cross-section area"})) {
    return false;
  }
  if (!checkNotNegative(r, input.deepestSoilDepth, "depth of the deepest soil layer") ||
      !checkNotNegative(r, input.pile.sectionArea, "cross-section area")) {
    return false;
  }

  input.soilPoints.assign(static_cast<std::size_t>(soilPointCount), SoilPoint{});
  for (int k = 0; k < soilPointCount; ++k) {
    if (!readSoilPoint(r, input.isEnglish(), k + 1,
                       input.soilPoints[static_cast<std::size_t>(k)])) {
      return false;
    }
  }

  r.beginRecord();
  if (!r.readInt(input.extraTzFlag, {"extra t-z depths flag"})) return false;
  input.extraTzDepths.clear();
  if (input.extraTzFlag == 1) {
    int count = 0;
    r.beginRecord();
    if (!r.readInt(count, {"number of extra t-z depths"})) return false;
    if (!checkCount(r, count, kMaxExtraTzDepths, "extra t-z depths")) return false;
    input.extraTzDepths.assign(static_cast<std::size_t>(count), 0.0);
    for (int k = 0; k < count; ++k) {
      r.beginRecord();
      if (!r.readReal(input.extraTzDepths[static_cast<std::size_t>(k)],
                      {"depth", "extra t-z depth", k + 1})) {
        return false;
      }
    }
  }

  r.beginRecord();
  if (!r.readInt(input.loadingType, {"type of loading"}) ||
      !r.readReal(input.tensionReductionFactor, {"reduction factor for tension"})) {
    return false;
  }
  r.beginRecord();
  if (!r.readInt(input.clayDrained, {"drained clay flag"}) ||
      !r.readInt(input.plugCondition, {"plug condition"})) {
    return false;
  }

  int areaRows = 0;
  r.beginRecord();
  if (!r.readInt(areaRows, {"number of area rows"}) ||
      !r.readInt(input.pile.areaOption, {"area option"})) {
    return false;
  }
  if (!checkCount(r, areaRows, kMaxAreaRows, "area rows")) return false;
  input.pile.areaTable.clear();
  // A single row is never written out; the rows that are written are read whatever the option.
  if (areaRows > 1) {
    input.pile.areaTable.assign(static_cast<std::size_t>(areaRows), PileProperties::AreaRow{});
    for (int k = 0; k < areaRows; ++k) {
      PileProperties::AreaRow& row = input.pile.areaTable[static_cast<std::size_t>(k)];
      r.beginRecord();
      if (!r.readReal(row.depth, {"depth", "area row", k + 1}) ||
          !r.readReal(row.area, {"area", "area row", k + 1})) {
        return false;
      }
    }
  }

  r.beginRecord();
  return r.readInt(input.criticalDepthOption, {"critical depth option"}) &&
         r.readReal(input.userCriticalDepth, {"user critical depth"});
}

}  // namespace

ReadResult readDataFile(std::string_view text, std::string_view fileName, AnalysisInput& input) {
  input = AnalysisInput{};
  RecordReader reader(text, fileName);
  ReadResult result;
  result.ok = readDataFileBody(reader, input);
  if (!result.ok) result.message = reader.message();
  return result;
}

ReadResult readCptFile(std::string_view text, std::string_view fileName, CptData& cpt) {
  cpt = CptData{};
  RecordReader r(text, fileName);
  ReadResult result;
  int count = 0;
  r.beginRecord();
  if (!r.readInt(cpt.cptUnits, {"CPT units"}) || !r.readInt(count, {"number of CPT points"})) {
    result.message = r.message();
    return result;
  }
  if (cpt.cptUnits != static_cast<int>(UnitSystem::English) &&
      cpt.cptUnits != static_cast<int>(UnitSystem::Si)) {
    r.fail("the CPT units " + std::to_string(cpt.cptUnits) + " must be 1 (English) or 2 (SI)");
    result.message = r.message();
    return result;
  }
  if (!checkCount(r, count, kMaxCptPoints, "CPT points")) {
    result.message = r.message();
    return result;
  }
  cpt.points.assign(static_cast<std::size_t>(count), CptPoint{0.0, 0.0});
  for (int k = 0; k < count; ++k) {
    CptPoint& point = cpt.points[static_cast<std::size_t>(k)];
    r.beginRecord();
    if (!r.readReal(point.depth, {"depth", "CPT point", k + 1}) ||
        !r.readReal(point.qc, {"cone resistance", "CPT point", k + 1})) {
      result.message = r.message();
      return result;
    }
  }
  result.ok = true;
  return result;
}

}  // namespace vorne
