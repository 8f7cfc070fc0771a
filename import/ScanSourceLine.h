#pragma once

#include <cstdint>

#include "import/ZEBLineInfo.h"

namespace zeb {

class SourceCharReader;
class ZEBProgress;

// The first pass: one record per source line, reporting the position reached after each. A
// record's length counts columns (CR not among the leading blanks, a TAB there advancing to
// the next multiple of 8); its end is the position after its LF, or the end of the source.
ZEBLineInfo ScanSource(SourceCharReader& reader, ZEBProgress& progress);

}  // namespace zeb
