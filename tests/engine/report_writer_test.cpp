// Report blocks written by the run driver: date and time, path splitting, unit labels.
#include "io/report_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vorne {
namespace {

TEST(ReportWriter, DateAndTimeBlock) {
  const std::string rule = "     " + std::string(73, '-') + "\n";
  const std::string head =
      rule + "                          Time and Date of Analysis\n" + rule + "\n";
  struct Case {
    const char* name;
    RunTime time;
    std::string expected;
  };
  const Case kCases[] = {
      {"leading zeros",
       {2026, 3, 5, 9, 7, 3},
       head + "               Date:  March 05, 2026     Time:  09:07:03\n"},
      {"December evening",
       {2014, 12, 31, 23, 59, 58},
       head + "               Date:  December 31, 2014     Time:  23:59:58\n"},
      {"month out of range leaves the date out", {2014, 13, 1, 0, 0, 0}, head},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out;
    writeDateAndTime(out, c.time);
    EXPECT_EQ(out.str(), c.expected);
  }
}

TEST(ReportWriter, SplitsPathsIntoFolderNameAndExtension) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
  };
  const Case kCases[] = {
      {"/home/eng/piles/pier 4.vr6d", "/home/eng/piles/", "pier 4", ".vr6d"},
      {"relative.vr6o", "", "relative", ".vr6o"},
      {"/data/v1.2/pile.final.vr6p", "/data/v1.2/", "pile.final", ".vr6p"},
      {"/data/noextension", "/data/", "noextension", ""},
      {"/data/.hidden", "/data/", ".hidden", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    const PathParts parts = splitPath(c.path);
    EXPECT_EQ(parts.drive, "");
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
  }
}

TEST(ReportWriter, UnitLabelsFollowTheUnitSystem) {
  const UnitLabels english = UnitLabels::forUnits(1);
  const UnitLabels si = UnitLabels::forUnits(2);
  EXPECT_EQ(english.length, "FT.");
  EXPECT_EQ(english.force, "KIP");
  EXPECT_EQ(english.unitWeight, "LB/CF");
  EXPECT_EQ(english.modulus, "PSI");
  EXPECT_EQ(si.length, "M. ");
  EXPECT_EQ(si.diameter, "MM.");
  EXPECT_EQ(si.force, "KN.");
  EXPECT_EQ(si.stress, "KPA");
  EXPECT_EQ(si.unitWeight, "KN/CM");
  EXPECT_EQ(si.area, "M2 ");
  EXPECT_EQ(si.modulus, "KPA");
}

}  // namespace
}  // namespace vorne
