#pragma once

#include <string>

#include "settings/GlobalConfig.h"

namespace zeb {

// Larger files were not written by the program; they are ignored unread.
constexpr int32_t MaxGlobalConfigSize = 1 << 20;

// "Global.cfg" in the program's folder.
std::string GlobalConfigPath(const std::string& programFolder);

// Takes the settings file at path into config and returns true. A missing, unreadable, badly
// signed or malformed file is ignored as a whole: false, and config is unchanged.
bool LoadGlobalConfig(const std::string& path, ScreenSize screen, GlobalConfig& config);

// Writes config to path, signed. The new file is completed beside the old one and only then
// takes its place, so a failed save leaves the old file whole. Raises ZEBIOFailure on failure.
void SaveGlobalConfig(const std::string& path, const GlobalConfig& config);

}  // namespace zeb
