#include "render/ParagLayout.h"

namespace zeb {

void LayOutBlock(ZEBRenderParagObject& block, const LayoutContext& context)
{
    block.Lines.clear();
    if (context.Metrics.FullFormatting)
        LayOutFull(block, context);
    else
        LayOutOriginal(block, context);
    for (auto& line : block.Lines)
        line->Block = &block;
}

}  // namespace zeb
