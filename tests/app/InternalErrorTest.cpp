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

}  // namespace
}  // namespace zeb::test
