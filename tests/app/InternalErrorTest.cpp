// An error that reaches the application unhandled: "Internal error", then the program ends.
#include <stdexcept>

#include <QTimer>

#include "ReaderFixture.h"
#include "app/ZEBApplication.h"

namespace zeb::test {
namespace {

TEST(ZEBApplication, AnUnhandledErrorShowsInternalErrorAndEndsTheProgram)
{
    int argc = 1;
    char name[] = "internal_error_tests";
    char* argv[] = {name, nullptr};
    ZEBApplication app(argc, argv);
    FakePrompter prompter;
    app.SetPrompter(&prompter);
    bool stopped = false;
    QObject::connect(&app, &ZEBApplication::InternalErrorRaised, [&] { stopped = true; });
    QObject target;
    QTimer::singleShot(0, &target, [] { throw std::runtime_error("a fault"); });
    // Were the program not ended, this would end the test instead, with the wrong code.
    QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(app.exec(), 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Internal error");
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::Abort);
    EXPECT_TRUE(stopped);
}

// Creating the windows can fail as well as anything in the loop: the same box, the same end,
// and every later error, while the program ends, still said on standard error.
TEST(ZEBApplication, AnErrorWhileTheProgramStartsIsAnInternalErrorTooAndNoneIsSilent)
{
    int argc = 1;
    char name[] = "internal_error_tests";
    char* argv[] = {name, nullptr};
    ZEBApplication app(argc, argv);
    FakePrompter prompter;
    app.SetPrompter(&prompter);
    testing::internal::CaptureStderr();
    const int code = app.Run([]() -> int {
        QObject target;
        QTimer::singleShot(0, &target, [] { throw std::runtime_error("a later fault"); });
        QCoreApplication::processEvents();
        throw std::runtime_error("a fault at the start");
    });
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Internal error");
    EXPECT_NE(said.find("a later fault"), std::string::npos) << said;
    EXPECT_NE(said.find("a fault at the start"), std::string::npos) << said;
}

}  // namespace
}  // namespace zeb::test
