// The program's first start puts its guide in the library; a text named on the command line is
// imported through the preview and read.
#include "ReaderFixture.h"

#include <fstream>

#include <QPushButton>
#include <QtTest/QTest>

#include "platform/ProgramFolder.h"
#include "storage/BookOptions.h"

namespace zeb::test {
namespace {

class FirstStartTest : public ReaderWindowTest {
protected:
    void WriteGuide()
    {
        std::ofstream(folder.Path() / GuideFileName) << "A guide\n\nRead me first.\n";
    }

    std::vector<std::string> Books() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "Books"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::u16string OpenSourceName() const
    {
        return Engine().Book().Options().GetWideString(OptSourceName, u"");
    }
};

TEST_F(FirstStartTest, TheGuideIsInTheLibraryOnTheVeryFirstStartOnly)
{
    WriteGuide();
    Start(nullptr);
    std::vector<std::string> seen;
    window->SetBookChooser([&] {
        seen = Books();
        return seen.empty() ? std::string() : (folder.Path() / "Books" / seen[0]).string();
    });
    WhileReading([&] {
        ASSERT_EQ(seen, std::vector<std::string>{"00000000.book"});
        EXPECT_EQ(OpenSourceName(), u"Guide.txt");
    });
    window.reset();

    // Started again (settings saved, the guide deleted from the library): no second guide.
    std::filesystem::remove(folder.Path() / "Books" / "00000000.book");
    GlobalConfig config = Config(false);
    Start(&config);
    WhileReading([&] { EXPECT_TRUE(Books().empty()); });
}

TEST_F(FirstStartTest, AFirstStartWithBooksAlreadyThereAddsNoGuide)
{
    WriteGuide();
    WriteBook(3);
    Start(nullptr);
    WhileReading([&] { EXPECT_EQ(Books(), std::vector<std::string>{"00000001.book"}); });
}

TEST_F(FirstStartTest, ATextNamedAtStartIsImportedThroughThePreviewAndRead)
{
    WriteBook(3);
    const std::string text = (folder.Path() / "story.txt").string();
    std::ofstream(text) << "Once upon a time\n\nthere was a reader.\n";
    GlobalConfig config = Config();
    Start(&config);
    window->SetStartImport(text);
    bool previewShown = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            if (auto* import = dialog->findChild<QPushButton*>("import")) {
                previewShown = true;
                QTest::mouseClick(import, Qt::LeftButton);
            }
        }
    });
    answer.start(20);
    WhileReading([&] {
        EXPECT_TRUE(previewShown);
        EXPECT_EQ(OpenSourceName(), u"story.txt");
        EXPECT_EQ(libraryShown, 0);
    });
}

}  // namespace
}  // namespace zeb::test
