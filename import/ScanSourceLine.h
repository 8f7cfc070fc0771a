#pragma once

#include <cstdint>

#include "import/ZEBLineInfo.h"

namespace zeb {

class SourceCharReader;
class ZEBProgress;

// Reads one source line from position: fills line's indent, length and visible and returns the
// position after the line (after its LF, or the end of the source). CR is not counted in the
// leading blanks; a TAB there advances to the next multiple of 8 columns.
int32_t ScanSourceLine(SourceCharReader& reader, int32_t position, ZEBLineInfoObject& line);

// The first pass: one record per source line, reporting the position reached after each.
ZEBLineInfo ScanSource(SourceCharReader& reader, ZEBProgress& progress);

}  // namespace zeb
