#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "library/LibraryImport.h"
#include "library/ZEBBrowseFile.h"
#include "library/ZEBBrowseView.h"

class QScrollBar;

namespace zeb {

class BrowseToolbar;
class LibraryReader;
class TZEBBrowse;
class ZEBImportPreview;
class ZEBProgress;
class ZEBPrompter;

inline constexpr const char* DeleteBookQuestion =
    "Are you sure, what you want to delete this is book ?";
inline constexpr const char* DeleteAllBooksQuestion =
    "Are you sure, what you want to delete all books ?";

// The library window: one cell per book of the "Books" folder with its source name, size and
// first lines; reading, deleting and importing books. The list is read from the folder on the
// first show and kept up to date in memory afterwards.
class TAA_Browse : public QDialog {
    Q_OBJECT

public:
    // The files to import, chosen by the user; none to import nothing.
    using FileChooser = std::function<std::vector<std::string>()>;

    // folders are the program's "Books" and "Tmp"; importCodePage is the remembered import
    // code page, which each import starts with and updates.
    TAA_Browse(ImportFolders folders, LibraryReader& reader, ZEBPrompter& prompter,
               ZEBImportPreview& preview, ZEBProgress& progress, int32_t& importCodePage,
               QWidget* parent = nullptr);

    // Shows the window modally over the main window's place and state; the path of the book
    // to read, or "" when it was closed without one.
    std::string Choose(const QWidget& mainWindow);

    // Replaces the file dialog, for tests.
    void SetFileChooser(FileChooser chooser) { chooseFiles_ = std::move(chooser); }
    // The high-resolution counter the wheel is timed with, for tests.
    void SetClock(std::function<int64_t()> clock) { clock_ = std::move(clock); }

    // Imports files as the import button does after its dialog.
    void ImportFiles(const std::vector<std::string>& files);
    // The reader closed its book: a book chosen before is no longer the one to open.
    void ForgetChosenBook() { chosen_.clear(); }

    const std::string& ChosenBook() const { return chosen_; }
    const ZEBBrowseFile& List() const { return list_; }
    const ZEBBrowseView& View() const { return view_; }
    TZEBBrowse* Browse() const { return browse_; }
    BrowseToolbar* Toolbar() const { return toolbar_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateWidgets();
    void ConnectList();
    void ConnectToolbar();
    void PrepareShow();
    void Repaint();
    void UpdateScrollBar();
    void Paint(QPainter& painter);
    void TakeTheKeys();
    void KeyPressed(QKeyEvent* event);
    void Wheel(QPoint angleDelta);
    void ReadBook();
    void DeleteBook();
    void DeleteAllBooks();
    void ImportClicked();
    std::vector<std::string> ChooseFilesInDialog();
    // Deletes a book's file and its recovery file, closing it in the reader first when open.
    void RemoveBookFile(const std::string& path);
    // The entry to select once the selected ones are gone: the next one kept after index, or
    // else the one kept before it; null when none is kept.
    ZEBBrowseFileObject* Successor(int32_t index);

    ImportFolders folders_;
    LibraryReader& reader_;
    ZEBPrompter& prompter_;
    ZEBProgress& progress_;
    int32_t& importCodePage_;
    LibraryImport import_;
    ZEBBrowseFile list_;
    ZEBBrowseView view_{list_};
    int lineHeight_ = 1;
    bool firstShow_ = true;
    std::string chosen_;
    std::function<int64_t()> clock_;
    int64_t lastWheel_ = 0;
    bool takeKeysWhenPainted_ = false;
    double secondsPerCount_ = 0;
    FileChooser chooseFiles_;

    BrowseToolbar* toolbar_ = nullptr;
    TZEBBrowse* browse_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
};

}  // namespace zeb
