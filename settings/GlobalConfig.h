#pragma once

#include <cstdint>
#include <string>

#include "settings/ReaderSettings.h"
#include "settings/StoredWindowState.h"

namespace zeb {

// What "Global.cfg" holds: the main window keeps one as the stored copy of the settings (as
// last loaded) and builds one from the live state when it saves.
struct GlobalConfig {
    ReaderSettings Settings;
    StoredWindowState Window;
    uint32_t ImportCodePage = 0;
    std::string LastBookFile;  // empty when no book was open

    bool operator==(const GlobalConfig&) const = default;
};

// The values used when there is no settings file; the import code page starts as the
// system's ANSI code page.
GlobalConfig InitialGlobalConfig(uint32_t ansiCodePage);

}  // namespace zeb
