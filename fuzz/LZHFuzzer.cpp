// libFuzzer target: ZEBLZH on arbitrary input.
#include "fuzz/FuzzExtract.h"
#include "library/lzh/ZEBLZH.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zeb::ZEBLZH extractor;
    zeb::fuzz::Extract(extractor, ".lzh", data, size);
    return 0;
}
