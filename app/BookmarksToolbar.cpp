#include "app/BookmarksToolbar.h"

#include "app/BookmarkImages.h"

namespace zeb {

BookmarksToolbar::BookmarksToolbar(QWidget* parent) : DialogToolbar(FixedWidth, parent)
{
    const int size = BookmarkImageSize;
    set_ = AddButton(BookmarkIcon(BookmarkImage::Set), size, "Set Bookmark");
    goTo_ = AddButton(BookmarkIcon(BookmarkImage::GoTo), size, "Goto Bookmark");
    custom_ = AddButton(BookmarkIcon(BookmarkImage::CustomPosition), size,
                        "Goto to the Custom Position");
    AddGap();
    delete_ = AddButton(BookmarkIcon(BookmarkImage::Delete), size, "Delete Bookmark");
    deleteAll_ = AddButton(BookmarkIcon(BookmarkImage::DeleteAll), size, "Deleta All Bookmarks");
    close_ = AddLastButton(BookmarkIcon(BookmarkImage::Close), size, "Close");
}

}  // namespace zeb
