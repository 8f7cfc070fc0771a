#pragma once

#include "import/ZEBLineInfo.h"

namespace zeb {

class SourceCharReader;
class TextStreamWriter;
class ZEBParagInfo;
class ZEBProgress;

// The conversion pass: writes every line's space runs, words and line end, puts a TAB before
// the first word of each paragraph, appends each paragraph start to paragraphs and the
// position after each line end to lineStarts, and reports source size + 2 x the line's end.
void WriteTextStream(SourceCharReader& reader, const ZEBLineInfo& lines, TextStreamWriter& writer,
                     ZEBParagInfo& paragraphs, ZEBParagInfo& lineStarts, ZEBProgress& progress);

}  // namespace zeb
