// libFuzzer target: ZEBArj on arbitrary input.
#include "fuzz/FuzzExtract.h"
#include "library/arj/ZEBArj.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zeb::ZEBArj extractor;
    zeb::fuzz::Extract(extractor, ".arj", data, size);
    return 0;
}
