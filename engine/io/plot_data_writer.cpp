// Header and capacity rows of the plot data file; see plot_data_writer.h.
#include "io/plot_data_writer.h"

#include <string>

#include "io/fortran_format.h"
#include "io/text_buffer.h"

namespace vorne {

std::string listDirectedInteger(long long value) { return fmt::intField(value, 12); }

PlotCapacityBlock plotBlockOf(MethodId method,
                              const CapacityProfile& profile,
                              const std::vector<std::size_t>& rows) {
  PlotCapacityBlock block{method, {}};
  block.rows.reserve(rows.size());
  for (std::size_t j : rows) {
    if (j >= profile.pointCount()) continue;
    block.rows.push_back({profile.penetration[j], profile.skinFriction[j], profile.tipValue[j],
                          profile.total[j], profile.unitSkinFriction[j]});
  }
  return block;
}

void writePlotCapacities(std::ostream& plot,
                         const std::vector<PlotCapacityBlock>& blocks,
                         std::size_t rowCount,
                         int units,
                         int loadTransferMethod) {
  plot << listDirectedInteger(static_cast<long long>(blocks.size()))
       << listDirectedInteger(static_cast<long long>(rowCount)) << listDirectedInteger(units)
       << listDirectedInteger(loadTransferMethod) << "\n";
  constexpr std::size_t kRowLength = 2 + 7 + 2 + 8 + 2 + 8 + 2 + 9 + 2 + 9 + 1;
  BlockText rows(plot, rowCount * blocks.size() * kRowLength);
  std::string& text = rows.text();
  for (const PlotCapacityBlock& block : blocks) {
    for (const PlotCapacityRow& row : block.rows) {
      char* p = fmt::appendRoom(text, kRowLength);
      p = fmt::putBlanks(p, 2);
      p = fmt::putFixed(p, row.penetration, 7, 2);
      p = fmt::putBlanks(p, 2);
      p = fmt::putFixed(p, row.skinFriction, 8, 1);
      p = fmt::putBlanks(p, 2);
      p = fmt::putFixed(p, row.tipValue, 8, 1);
      p = fmt::putBlanks(p, 2);
      p = fmt::putFixed(p, row.total, 9, 1);
      p = fmt::putBlanks(p, 2);
      p = fmt::putFixed(p, row.unitSkinFriction, 9, 3);
      *p = '\n';
    }
  }
  rows.write();
}

}  // namespace vorne
