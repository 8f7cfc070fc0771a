#pragma once

#include "settings/GlobalConfig.h"
#include "storage/ZEBFileOptions.h"

namespace zeb {

// The options tree of "Global.cfg", its items in the order they are always written. The last
// book's item is left out when there is none.
ZEBFileOptions BuildGlobalConfigTree(const GlobalConfig& config);

// Takes the known items of tree into config; other ids are ignored. A missing item leaves its
// field as it is, except the last book (empty) and the window placement (0, and the screen's
// size for width and height). A value the program's controls can never produce (an unknown
// enumeration value, a speed, margin, interval or font size out of range) is ignored too.
void ReadGlobalConfigTree(const ZEBFileOptions& tree, ScreenSize screen, GlobalConfig& config);

}  // namespace zeb
