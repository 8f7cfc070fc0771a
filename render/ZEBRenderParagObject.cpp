#include "render/ZEBRenderParagObject.h"

#include "render/ZEBRenderThread.h"

namespace zeb {

ZEBRenderLineObject::~ZEBRenderLineObject()
{
    CancelRequest();
}

void ZEBRenderLineObject::CancelRequest()
{
    if (Request) {
        Request->Cancel();
        Request = nullptr;
    }
}

}  // namespace zeb
