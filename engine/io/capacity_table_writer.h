// The capacity table of one method in the report: its starred title, the column heads with the
// unit labels, and one row per printed grid point.
#ifndef VORNE_ENGINE_IO_CAPACITY_TABLE_WRITER_H
#define VORNE_ENGINE_IO_CAPACITY_TABLE_WRITER_H

#include <cstddef>
#include <ostream>
#include <vector>

#include "io/analysis_input.h"
#include "io/report_writer.h"
#include "methods/capacity_profile.h"

namespace vorne {

// Writes the table of method for the grid points rows (indexes into profile, see
// printedGridPoints). Under tension (profile.tension) the tip column is headed as self weight,
// except for the user-specified method. A row whose tip resistance is the unplugged one gets an
// asterisk before the capacity; the user-specified table never does. Values too wide for their
// field print as asterisks.
void writeCapacityTable(std::ostream& report,
                        MethodId method,
                        const CapacityProfile& profile,
                        const std::vector<std::size_t>& rows,
                        const UnitLabels& labels);

// The note that explains the asterisk, written once after the capacity tables.
void writeUnpluggedNote(std::ostream& report);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_CAPACITY_TABLE_WRITER_H
