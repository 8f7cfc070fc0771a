#pragma once

#include <string>

namespace zeb {

// The folder that holds "Books", "Tmp" and "Global.cfg": the program's own folder, as for a
// build or an unpacked folder, while the program may write there (the folder and "Books" when
// it exists) and is not installed (its help file lies in its installed resource folder, not
// beside it); otherwise UserDataFolder().
std::string DataFolder(const std::string& programFolder);

// $XDG_DATA_HOME/zebreader, or ~/.local/share/zebreader when XDG_DATA_HOME is unset, empty or
// relative (which the base directory rules say to ignore); made with its parents when missing.
// A folder that cannot be made is still returned: saving there then reports why.
std::string UserDataFolder();

}  // namespace zeb
