#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/ZEBLineBitmap.h"

namespace zeb {

class ZEBRenderQuenue;
struct ZEBRenderParagObject;

// A positioned word of a laid-out line, or (during layout only) a run of spaces.
struct ZEBRenderWordObject {
    int32_t X = 0;
    int32_t Width = 0;
    int32_t SpaceCount = 0;  // 0 for a text word
    std::u16string Text;     // empty for a space run
    // Where the first character comes from: the word record's position and the index of the
    // character's code unit in it, less the spaces a TAB at its front was widened to.
    int32_t Position = 0;
    int32_t Unit = 0;
};

// One line of a laid-out block; it is listed among the screen lines while it lies wholly in
// the view.
struct ZEBRenderLineObject {
    ~ZEBRenderLineObject();

    // Cancels the pending render request, if any, and forgets it.
    void CancelRequest();
    int32_t Bottom() const { return Y + Height; }

    ZEBRenderParagObject* Block = nullptr;
    std::vector<ZEBRenderWordObject> Words;
    int32_t Y = 0;         // from the top of the view
    int32_t Height = 0;
    int32_t TextTop = 0;   // from the line's top to where the glyphs are drawn
    int32_t Start = 0;     // text-stream positions
    int32_t End = 0;
    int32_t WordWidth = 0;  // the widths of the text words
    int32_t SpaceCount = 0; // spaces in space runs
    bool OnScreen = false;
    std::unique_ptr<ZEBLineBitmap> Bitmap;
    ZEBRenderQuenue* Request = nullptr;  // owned by the render queue
};

// The entries of the screen-line list, in the order of their lines.
struct ZEBRenderScreenLine {
    ZEBRenderLineObject* Line;
};

// A laid-out paragraph (Full modes) or source line ("Original"): one entry of the position
// index in use.
struct ZEBRenderParagObject {
    int32_t Index = 0;
    int32_t Start = 0;
    int32_t End = 0;
    bool FirstBlock = false;
    bool LastBlock = false;
    std::vector<std::unique_ptr<ZEBRenderLineObject>> Lines;

    ZEBRenderLineObject& FirstLine() const { return *Lines.front(); }
    ZEBRenderLineObject& LastLine() const { return *Lines.back(); }
};

}  // namespace zeb
