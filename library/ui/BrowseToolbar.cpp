#include "library/ui/BrowseToolbar.h"

#include "library/ui/LibraryImages.h"

namespace zeb {

BrowseToolbar::BrowseToolbar(QWidget* parent) : DialogToolbar(FixedWidth, parent)
{
    const int size = LibraryImageSize;
    import_ = AddButton(LibraryIcon(LibraryImage::Import), size, "Import the Book from the File");
    read_ = AddButton(LibraryIcon(LibraryImage::Read), size, "Read the Book");
    AddGap();
    delete_ = AddButton(LibraryIcon(LibraryImage::Delete), size, "Delete the Book");
    deleteAll_ = AddButton(LibraryIcon(LibraryImage::DeleteAll), size, "Delete All Books");
    close_ = AddLastButton(LibraryIcon(LibraryImage::Close), size, "Close");
}

}  // namespace zeb
