// libFuzzer target: "Global.cfg" of arbitrary bytes, loaded and saved back. The input is the
// whole file; when it holds a signature's worth of bytes, its last 16 are replaced by the
// signature of the rest, so that mutations reach the options tree instead of stopping at the
// signature check. Settings that loaded are saved over the file and loaded again.
//
// A finding is a sanitizer report, a crash, a timeout, an escaping exception, or an abort when
// the saved settings do not load back as the very settings that were saved.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzWorkFolder.h"
#include "settings/GlobalConfigFile.h"
#include "storage/ZEBFile.h"

namespace {

constexpr zeb::ScreenSize Screen{1280, 1024};
constexpr uint32_t AnsiCodePage = 1252;

void Sign(const std::string& path)
{
    zeb::ZEBFile file;
    file.Open(path, zeb::FileAccess::ReadWrite, 16, 1);
    if (file.Size() >= zeb::SignatureSize)
        file.Sign(0, file.Size() - zeb::SignatureSize);
    file.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = zeb::fuzz::WriteInput(data, size, "Global.cfg");
    Sign(path);

    zeb::GlobalConfig loaded = zeb::InitialGlobalConfig(AnsiCodePage);
    if (!zeb::LoadGlobalConfig(path, Screen, loaded))
        return 0;
    zeb::SaveGlobalConfig(path, loaded);
    zeb::GlobalConfig again = zeb::InitialGlobalConfig(AnsiCodePage);
    if (!zeb::LoadGlobalConfig(path, Screen, again) || !(again == loaded))
        std::abort();
    return 0;
}
