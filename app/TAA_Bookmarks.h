#pragma once

#include <cstdint>
#include <optional>

#include <QDialog>

class QTreeWidget;

namespace zeb {

class BookmarksToolbar;
class TAA_Percent;
class ZEBPrompter;
class ZEBRenderParag;

inline constexpr const char* DeleteAllBookmarksQuestion =
    "Are you sure, what you want to delete all bookmarks ?";

// The open book's bookmarks, each with its place in percent and the words there: adding one
// at the reader's position, going to one or to a typed percentage, deleting one or all.
class TAA_Bookmarks : public QDialog {
    Q_OBJECT

public:
    // engine holds the open book and its bookmarks and knows the reader's position.
    TAA_Bookmarks(ZEBRenderParag& engine, ZEBPrompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog modally; the text position to go to, none when it was closed without one.
    std::optional<int32_t> Choose();
    // Lists the open book's bookmarks again: the book may have changed or closed meanwhile.
    void Refill();

    // The position chosen when the dialog last closed with "OK".
    int32_t ChosenPosition() const { return chosen_; }
    BookmarksToolbar* Toolbar() const { return toolbar_; }
    QTreeWidget* List() const { return list_; }
    TAA_Percent* Percent() const { return percent_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateWidgets();
    void CreateCommands();
    void ConnectToolbar();
    // The selected row's bookmark, -1 with none selected (or none left for the row).
    int32_t Selected() const;
    void AddBookmark();
    void GoToBookmark();
    void GoToCustomPosition();
    void DeleteBookmark();
    void DeleteAllBookmarks();
    // Closes with "OK" and position.
    void GoTo(int32_t position);

    ZEBRenderParag& engine_;
    ZEBPrompter& prompter_;
    int32_t chosen_ = 0;
    BookmarksToolbar* toolbar_ = nullptr;
    QTreeWidget* list_ = nullptr;
    TAA_Percent* percent_ = nullptr;
};

}  // namespace zeb
