// libFuzzer target: ZEB_HA on arbitrary input.
#include "fuzz/FuzzExtract.h"
#include "library/ha/ZEB_HA.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    zeb::ZEB_HA extractor;
    zeb::fuzz::Extract(extractor, ".ha", data, size);
    return 0;
}
