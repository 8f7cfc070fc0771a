#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "TestBook.h"
#include "reader/AutoScroll.h"
#include "app/TAA_Main.h"
#include "platform/ZEBPrompter.h"
#include "render/ui/TZEBScroll.h"
#include "settings/GlobalConfigFile.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {

// A program folder with one book of numbered paragraphs, and the reader window on it.
class ReaderWindowTest : public ::testing::Test {
protected:
    ReaderWindowTest()
    {
        std::filesystem::create_directory(folder.Path() / "Books");
        bookPath = (folder.Path() / "Books" / "00000001.book").string();
    }

    void WriteBook(int paragraphs)
    {
        TestBookWriter book(bookPath);
        for (int i = 0; i < paragraphs; ++i) {
            book.Paragraph();
            book.Line(u"\tThis paragraph holds some words to read, more of them than fit on one "
                      u"line of the view, and then a few more to make it two lines long.");
        }
        book.Finish();
    }

    // Settings for a window of 800 x 560 showing the book (or none), 12-point fonts.
    GlobalConfig Config(bool withBook = true)
    {
        GlobalConfig config = InitialGlobalConfig(65001);
        for (FontProfile& p : config.Settings.Profiles)
            p.FontSize = 12;
        config.Window = {WindowNormal, 0, 0, 800, 560};
        if (withBook)
            config.LastBookFile = bookPath;
        return config;
    }

    void Start(const GlobalConfig* config)
    {
        if (config)
            SaveGlobalConfig(GlobalConfigPath(folder.Path().string()), *config);
        window = std::make_unique<TAA_Main>(folder.Path().string(), prompter);
        window->SetBookChooser([this] {
            ++libraryShown;
            return chosenBook;
        });
    }

    void StartWithBook()
    {
        GlobalConfig config = Config();
        Start(&config);
    }

    // Runs body inside the reader's own main loop, once the first show is done; then, when
    // until is given, lets the loop run on (auto-scroll steps are its own, not events) until
    // until says so, and runs then. Afterwards the window is closed the way a user does.
    void WhileReading(const std::function<void()>& body, const std::function<bool()>& until = {},
                      const std::function<void()>& then = {})
    {
        bool done = false;
        QElapsedTimer guard;
        guard.start();
        std::function<void()> finish = [&] {
            if (until && !until() && guard.elapsed() < 15000) {
                QTimer::singleShot(5, window.get(), finish);
                return;
            }
            if (then)
                then();
            done = true;
            window->close();
        };
        std::function<void()> poll = [&] {
            if (!window->Reader().LoopRunning()) {
                QTimer::singleShot(1, window.get(), poll);
                return;
            }
            // Shortcut keys reach an active window only.
            QApplication::setActiveWindow(window.get());
            View()->setFocus();
            body();
            finish();
        };
        QTimer::singleShot(0, window.get(), poll);
        window->show();
        while ((!done || window->isVisible()) && guard.elapsed() < 30000)
            QCoreApplication::processEvents();
        ASSERT_TRUE(done) << "the reader never ran its main loop";
    }

    TZEBScroll* View() const { return window->View(); }
    ZEBRenderParag& Engine() const { return window->Reader().Engine(); }
    const ZEBRenderLineObject& FirstScreenLine() const { return *Engine().ScreenLines().front().Line; }

    TempDir folder;
    std::string bookPath;
    FakePrompter prompter;
    std::unique_ptr<TAA_Main> window;
    std::string chosenBook;
    int libraryShown = 0;
};

}  // namespace zeb::test
