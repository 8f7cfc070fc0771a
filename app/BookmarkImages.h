#pragma once

#include <QIcon>

namespace zeb {

// The bookmarks dialog's 23 x 23 toolbar images, sharp at device pixel ratios 1 and 2. Setting,
// deleting and closing look as they do on the reader's and the library's toolbars.
enum class BookmarkImage { Set, GoTo, Delete, DeleteAll, Close, CustomPosition };
constexpr int BookmarkImageSize = 23;

QIcon BookmarkIcon(BookmarkImage image);

}  // namespace zeb
