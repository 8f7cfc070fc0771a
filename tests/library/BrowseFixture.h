#pragma once

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/CodePages.h"
#include "TestBook.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "library/LibraryReader.h"
#include "library/ZEBImport.h"
#include "library/ui/TAA_Browse.h"
#include "library/ui/TZEBBrowse.h"
#include "platform/Utf16.h"
#include "storage/BookOptions.h"
#include "storage/ZEBBook.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {

namespace fs = std::filesystem;

// The reader's open book; closing it notes whether the file was still there.
class FakeReader : public LibraryReader {
public:
    ZEBBook* OpenBook() override { return book.IsOpen() ? &book : nullptr; }
    void CloseBook() override
    {
        closedWhileOnDisk = fs::exists(book.Path());
        ++closed;
        book.Close();
    }
    ZEBBook book;
    int closed = 0;
    bool closedWhileOnDisk = false;
};

// Records what the progress display was told.
class RecordingProgress : public ZEBProgress {
public:
    void Create(const std::string& text, int64_t maximum) override
    {
        texts.push_back(text);
        this->maximum = maximum;
    }
    void Progress(int64_t value) override { last = value; }
    void Destroy() override { ++destroyed; }
    std::vector<std::string> texts;
    int64_t maximum = -1, last = -1;
    int destroyed = 0;
};

// Imports in UTF-8 unless told otherwise for a file name; records the names asked about.
class NamedPreview : public ZEBImportPreview {
public:
    std::optional<int32_t> Show(ZEBFile&, const std::u16string& caption, int32_t) override
    {
        std::string text = ToUtf8(caption);  // "Filename: " + name + "        File Size: " ...
        std::string name = text.substr(10, text.find("        File Size") - 10);
        asked.push_back(name);
        if (name == cancel)
            return std::nullopt;
        return Utf8CodePage;
    }
    std::vector<std::string> asked;
    std::string cancel;
};

// A program folder, and the library window on it at 640 x 470.
class LibraryWindowTest : public ::testing::Test {
protected:
    LibraryWindowTest() : folders(ProgramImportFolders(program.Path().string()))
    {
        fs::create_directories(folders.books);
    }

    // A book with one line of text, titled title, under the book folder's name.
    std::string WriteBook(const std::string& name, const std::u16string& title,
                          const std::u16string& line = u"Some words of the book")
    {
        std::string path = (fs::path(folders.books) / name).string();
        TestBookWriter book(path);
        book.Line(line);
        ZEBFileOptions options;
        options.SetWideString(OptSourceName, title);
        options.SetInteger(OptSourceSize, 100);
        book.Finish(options);
        return path;
    }

    // Books 00000000 .. count-1 titled "book 00" .. so that the list order is the name order.
    void WriteBooks(int count)
    {
        for (int i = 0; i < count; ++i) {
            char name[32], title[16];
            std::snprintf(name, sizeof name, "%08d.book", i);
            std::snprintf(title, sizeof title, "book %02d", i);
            WriteBook(name, FromUtf8(title));
        }
    }

    void Show(int width = 640, int height = 470)
    {
        window = std::make_unique<TAA_Browse>(folders, reader, prompter, preview, progress,
                                              codePage);
        window->resize(width, height);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
    }

    TZEBBrowse* List() const { return window->Browse(); }
    void Key(Qt::Key key) { QTest::keyClick(List(), key); }
    void Click(int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(List(), button, Qt::NoModifier, QPoint(20, y));
    }
    int32_t Selected() const { return window->List().FirstSelected(); }
    int32_t Top() const { return window->View().Top(); }
    int CellHeight() const { return window->View().CellHeight(); }

    std::vector<std::u16string> Titles() const
    {
        std::vector<std::u16string> titles;
        for (int32_t i = 0; i < window->List().Count(); ++i)
            titles.push_back(window->List()[i].title);
        return titles;
    }

    std::vector<std::string> BookFileNamesIn() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folders.books))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool ScratchEmpty() const
    {
        return !fs::exists(folders.scratch) || fs::is_empty(folders.scratch);
    }

    TempDir program;
    ImportFolders folders;
    FakeReader reader;
    FakePrompter prompter;
    NamedPreview preview;
    RecordingProgress progress;
    int32_t codePage = Utf8CodePage;
    std::unique_ptr<TAA_Browse> window;
};

}  // namespace zeb::test
