// Engine readers of the project data file (".vr6d") and of the CPT side file (".cpt").
//
// Both files are plain text. After the three text lines at the top of the data file, every line
// is read as a free-format record: values are separated by blanks, tabs or commas, a record that
// holds fewer values than needed continues on the following lines (blank lines included), and
// values beyond those needed are ignored. Lines may end in CR LF or LF. Numbers always use "."
// whatever the process locale; Fortran-style reals such as "1.", ".5", "1E3" and "1.0D+02" are
// accepted, and an integer field accepts a real only when its value is a whole number ("2.0").
//
// The readers work on text in memory, so that tests and the fuzzer never touch the disk; the run
// driver loads the files. A failure never throws: the result carries a one-line message that names
// the file, the line and the field.
#ifndef VORNE_ENGINE_IO_DATA_FILE_READER_H
#define VORNE_ENGINE_IO_DATA_FILE_READER_H

#include <string>
#include <string_view>

#include "io/analysis_input.h"

namespace vorne {

// Outcome of reading one file. ok is false until the whole file was read; message then tells why.
struct ReadResult {
  bool ok = false;
  std::string message;  // "<file>, line <n>: <what is wrong>" when ok is false
};

// Text lines of the data file kept as read (first 72 characters, trailing CR removed).
inline constexpr std::size_t kTextLineLength = 72;

// Reads the whole data file text into input and applies the load-time adjustments:
//  - English units: the noncircular tip area goes from in2 to ft2;
//  - a noncircular pile (perimeter > 1e-10) gets ID 0 and OD = perimeter / 3.1416;
//  - no enhanced end (length < 1e-5): its ID becomes the pile ID and its length TL - 1e-7;
//  - per soil point: a sand point's blow count moves from the remolded-strength slot to
//    blowCountOrYsr; English stresses go from psf to ksf (limits, su, remolded su, the user unit
//    load transfers; PI and qc keep their read values); a limit <= 1e-10 means "no limit" and
//    becomes 9999999 with its unlimited flag set.
// fileName is used in messages only. Refused, with the line named: a missing or non-numeric value
// (NaN and infinity included), a count above its capacity or negative, and the values that the
// run cannot work with (units other than 1 or 2, PrintIncrement < 1, LengthIncrement <= 0, pile
// type outside 1..7, load-transfer method outside 1..9, soil type other than 1 or 2, no soil
// point, a first soil point below the ground surface, an embedded length <= 0).
// On failure input holds the values read up to the fault and must not be used.
ReadResult readDataFile(std::string_view text, std::string_view fileName, AnalysisInput& input);

// Reads the CPT side file text: CptUnits and CptPointCount, then one (depth, qc) record per point.
// The point count must lie in 0..kMaxCptPoints and CptUnits be 1 or 2.
ReadResult readCptFile(std::string_view text, std::string_view fileName, CptData& cpt);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_DATA_FILE_READER_H
