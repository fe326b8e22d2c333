// Capacity tables of the report and capacity records of the plot data file, against text written
// from the layouts; once under a decimal-comma locale.
#include "io/capacity_table_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <string>

#include "io/plot_data_writer.h"

namespace vorne {
namespace {

// Three grid points: surface, one where the soil plug governs, and a too wide capacity.
CapacityProfile threeRows(bool tension) {
  CapacityProfile p;
  p.index = CapacityIndex::Api;
  p.computed = true;
  p.tension = tension;
  p.penetration = {0.0, 0.5, 1.0};
  p.skinFriction = {0.0, 12.34, 1234567.0};
  p.tipValue = {3.25, 40.04, 11111.1};
  p.total = {3.25, 52.38, 12345678.9};
  p.unitSkinFriction = {0.0, 0.0864, 1.7};
  p.marker = tension ? std::vector<TipMarker>(3, TipMarker::None)
                     : std::vector<TipMarker>{TipMarker::Plugged, TipMarker::Unplugged,
                                              TipMarker::Plugged};
  return p;
}

const std::vector<std::size_t> kAllRows = {0, 1, 2};

TEST(CapacityTable, ApiTableWithPlugAsteriskAndOverflow) {
  std::ostringstream out;
  writeCapacityTable(out, MethodId::Api, threeRows(false), kAllRows, UnitLabels::forUnits(1));
  const std::string expected =
      "\n\n\n"
      "                            **********************\n"
      "                            *  API RP-2A (1994)  *\n"
      "                            **********************\n"
      "\n"
      "             PILE       TOTAL SKIN       END       ULTIMATE\n"
      "          PENETRATION   FRICTION       BEARING     CAPACITY\n"
      "              FT.          KIP           KIP          KIP\n"
      "              0.00           0.0           3.2          3.2\n"
      "              0.50          12.3          40.0*        52.4\n"
      "              1.00      ********       11111.1    *********\n";
  EXPECT_EQ(out.str(), expected);
}

TEST(CapacityTable, TensionHeadsTheSelfWeightExceptForTheUserMethod) {
  std::ostringstream api;
  writeCapacityTable(api, MethodId::Api, threeRows(true), {0}, UnitLabels::forUnits(2));
  EXPECT_EQ(api.str(),
            "\n\n\n"
            "                            **********************\n"
            "                            *  API RP-2A (1994)  *\n"
            "                            **********************\n"
            "\n"
            "             PILE       TOTAL SKIN       SELF      ULTIMATE\n"
            "          PENETRATION   FRICTION        WEIGHT     CAPACITY\n"
            "              M.           KN.           KN.          KN.\n"
            "              0.00           0.0           3.2          3.2\n");

  // The user-specified table keeps "END BEARING" and never carries the asterisk.
  CapacityProfile user = threeRows(true);
  user.marker[1] = TipMarker::Unplugged;
  std::ostringstream general;
  writeCapacityTable(general, MethodId::UserSpecified, user, {1}, UnitLabels::forUnits(1));
  EXPECT_EQ(general.str(),
            "\n\n\n"
            "                             ******************\n"
            "                             * GENERAL METHOD *\n"
            "                             ******************\n"
            "\n"
            "             PILE       TOTAL SKIN       END       ULTIMATE\n"
            "          PENETRATION   FRICTION       BEARING     CAPACITY\n"
            "              FT.          KIP           KIP          KIP\n"
            "              0.50          12.3          40.0         52.4\n");
}

TEST(PlotData, HeaderCountsTheBlocksWrittenAndRowsUseFixedColumns) {
  const CapacityProfile profile = threeRows(false);
  const std::vector<PlotCapacityBlock> blocks = {plotBlockOf(MethodId::Api, profile, {0, 1})};
  std::ostringstream out;
  writePlotCapacities(out, blocks, 2, 1, 4);
  EXPECT_EQ(out.str(),
            "           1           2           1           4\n"
            "     0.00       0.0       3.2        3.2      0.000\n"
            "     0.50      12.3      40.0       52.4      0.086\n");

  std::ostringstream none;
  writePlotCapacities(none, {}, 41, 2, 5);
  EXPECT_EQ(none.str(), "           0          41           2           5\n");
}

TEST(CapacityTable, DecimalCommaLocaleStillWritesPoints) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 locale is not installed";
  }
  const std::locale savedGlobal = std::locale::global(std::locale("de_DE.UTF-8"));
  std::ostringstream table;
  writeCapacityTable(table, MethodId::Api, threeRows(false), {1}, UnitLabels::forUnits(1));
  std::ostringstream plot;
  writePlotCapacities(plot, {plotBlockOf(MethodId::Api, threeRows(false), {1})}, 1, 1, 4);
  std::locale::global(savedGlobal);
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_NE(table.str().find("              0.50          12.3          40.0*        52.4\n"),
            std::string::npos);
  EXPECT_NE(plot.str().find("     0.50      12.3      40.0       52.4      0.086\n"),
            std::string::npos);
}

}  // namespace
}  // namespace vorne
