#include "settings/GlobalConfig.h"

namespace zeb {

GlobalConfig InitialGlobalConfig(uint32_t ansiCodePage)
{
    GlobalConfig config;
    config.Settings = InitialReaderSettings();
    config.ImportCodePage = ansiCodePage;
    return config;
}

}  // namespace zeb
