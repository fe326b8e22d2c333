// The capacity part of the plot data file: the header record and one block of rows per plotted
// method. The blocks are collected during the passes and written together, so that the method
// count in the header is the number of blocks that follow.
#ifndef VORNE_ENGINE_IO_PLOT_DATA_WRITER_H
#define VORNE_ENGINE_IO_PLOT_DATA_WRITER_H

#include <cstddef>
#include <ostream>
#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"

namespace vorne {

// One capacity row of the plot data file, in the report's units.
struct PlotCapacityRow {
  double penetration;       // [ft | m]
  double skinFriction;      // [kip | kN]
  double tipValue;          // end bearing, or self weight in tension [kip | kN]
  double total;             // [kip | kN]
  double unitSkinFriction;  // [ksf | kPa]
};

struct PlotCapacityBlock {
  MethodId method;
  std::vector<PlotCapacityRow> rows;
};

// The rows of profile at the printed grid points.
PlotCapacityBlock plotBlockOf(MethodId method,
                              const CapacityProfile& profile,
                              const std::vector<std::size_t>& rows);

// Header record (method count, row count, units, load-transfer method) in list-directed integer
// form, then every block's rows as 2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3. The method count is
// blocks.size().
void writePlotCapacities(std::ostream& plot,
                         const std::vector<PlotCapacityBlock>& blocks,
                         std::size_t rowCount,
                         int units,
                         int loadTransferMethod);

// One list-directed integer as the runtime writes it: right-aligned in 12 characters.
std::string listDirectedInteger(long long value);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_PLOT_DATA_WRITER_H
