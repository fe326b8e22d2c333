// Banner, file names, date and time, stop messages and headings of the report; see
// report_writer.h.
#include "io/report_writer.h"

#include <array>
#include <ctime>

#include "io/fortran_format.h"

namespace vorne {

using fmt::blanks;
using fmt::fixedField;
using fmt::intField;
using fmt::repeated;
using fmt::textField;

UnitLabels UnitLabels::forUnits(int units) {
  if (units == static_cast<int>(UnitSystem::Si)) {
    return {"M. ", "MM.", "KN.", "KPA", "KN/CM", "M2 ", "KPA"};
  }
  return {"FT.", "IN.", "KIP", "KSF", "LB/CF", "IN2", "PSI"};
}

RunTime localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

PathParts splitPath(std::string_view path) {
  PathParts parts;
#if defined(_WIN32)
  constexpr std::string_view kSeparators = "/\\";
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
#else
  constexpr std::string_view kSeparators = "/";
#endif
  const std::size_t slash = path.find_last_of(kSeparators);
  std::string_view file = path;
  if (slash != std::string_view::npos) {
    parts.folder = std::string(path.substr(0, slash + 1));
    file = path.substr(slash + 1);
  }
  // A leading dot names a hidden file, not an extension.
  const std::size_t dot = file.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) {
    parts.name = std::string(file.substr(0, dot));
    parts.extension = std::string(file.substr(dot));
  } else {
    parts.name = std::string(file);
  }
  return parts;
}

void writeBanner(std::ostream& out, std::string_view version) {
  const std::string rule = blanks(5) + repeated('=', 73) + "\n";
  out << rule << "\n"
      << blanks(20) << "  VORNE for Windows, Version " << textField(version, 12) << "\n\n"
      << blanks(20) << "   A Program for Analyzing the Axial Capacity \n"
      << blanks(20) << "   and Short-term Settlement of Driven Piles \n"
      << blanks(20) << "             under Axial Loading. \n\n"
      << rule << "\n\n";
}

void writeFileNames(std::ostream& report,
                    std::string_view dataPath,
                    std::string_view reportPath,
                    std::string_view plotPath) {
  const PathParts data = splitPath(dataPath);
  const PathParts output = splitPath(reportPath);
  const PathParts plot = splitPath(plotPath);
  const auto trimmed = [](const std::string& text) { return fmt::trimRight(text); };
  report << blanks(5) << "Path to file locations      : " << trimmed(data.drive)
         << trimmed(data.folder) << "\n"
         << blanks(5) << "Name of input data file     : " << trimmed(data.name)
         << trimmed(data.extension) << "\n"
         << blanks(5) << "Name of output file         : " << trimmed(output.name)
         << trimmed(output.extension) << "\n"
         << blanks(5) << "Name of plot output file    : " << trimmed(plot.name)
         << trimmed(plot.extension) << "\n"
         << "\n";
}

void writeDateAndTime(std::ostream& report, const RunTime& time) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  const std::string rule = blanks(5) + repeated('-', 73) + "\n";
  report << rule << blanks(26) << "Time and Date of Analysis\n" << rule << "\n";
  if (time.month < 1 || time.month > 12) return;
  report << blanks(15) << "Date:  " << kMonths[static_cast<std::size_t>(time.month - 1)] << " "
         << intField(time.day, 2, 2) << ", " << intField(time.year, 4) << blanks(5)
         << "Time:  " << intField(time.hour, 2, 2) << ":" << intField(time.minute, 2, 2) << ":"
         << intField(time.second, 2, 2) << "\n";
}

void writeNoSoilWarning(std::ostream& console, double requiredSoilDepth, const UnitLabels& labels) {
  console << "\n\n\n"
          << blanks(10) << "COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
          << blanks(10) << "WAS PROVIDED AT THE DEPTH " << fixedField(requiredSoilDepth, 10, 2)
          << " " << textField(labels.length, 3) << "\n"
          << blanks(10) << "PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
          << blanks(10) << " PILE LENGTH PLUS TWO PILE DIAMETERS\n";
}

void writeShallowProfileStop(std::ostream& report,
                             double deepestSoilDepth,
                             double requiredSoilDepth,
                             const UnitLabels& labels) {
  report << "\n\n"
         << blanks(10) << "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE "
         << fixedField(deepestSoilDepth, 7, 2) << " " << textField(labels.length, 3) << "\n"
         << blanks(10) << "IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER "
         << fixedField(requiredSoilDepth, 10, 2) << " " << textField(labels.length, 3) << "\n";
}

void writeProceeding(std::ostream& console) {
  console << "\n\n" << blanks(9) << "COMPUTATION IS PROCEEDING........\n";
}

void writeInputHeading(std::ostream& report, const AnalysisInput& input) {
  report << "\n\n\n1\n"
         << blanks(10) << repeated('*', 21) << "\n"
         << blanks(10) << "* INPUT INFORMATION *\n"
         << blanks(10) << repeated('*', 21) << "\n";
  report << "\n\n\n"
         << blanks(10) << textField(input.title, 70) << "\n\n"
         << blanks(10) << "DESIGNER   : " << textField(input.designer, 60) << "\n\n"
         << blanks(10) << "JOB NUMBER : " << textField(input.jobNumber, 60) << "\n";
}

void writeResultHeading(std::ostream& report) {
  report << "\n\n\n1\n"
         << blanks(10) << repeated('*', 22) << "\n"
         << blanks(10) << "* COMPUTATION RESULT *\n"
         << blanks(10) << repeated('*', 22) << "\n";
}

void writeSegmentCountStop(std::ostream& out, long long segmentCount) {
  out << "\n\n"
      << " YOUR NUMBERS OF SEGMENT " << intField(segmentCount, 4) << " IS LARGER THAN\n"
      << " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
      << " SEGMENT OR CONSULT TOVRIN, INC. FOR CHANGING THE DEFAULT VALUE\n";
}

void writeRunError(std::ostream& out, std::string_view message) {
  out << " VORNE STOPPED: " << message << "\n";
}

}  // namespace vorne
