#pragma once

#include <QIcon>

namespace zeb {

// The library toolbar's 23 x 23 images, drawn here, sharp at device pixel ratios 1 and 2.
enum class LibraryImage { Import, Read, Delete, DeleteAll, Close };
constexpr int LibraryImageSize = 23;

QIcon LibraryIcon(LibraryImage image);

}  // namespace zeb
