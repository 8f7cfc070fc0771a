// One QGuiApplication for the whole suite, on the offscreen platform ctest sets.
#include <memory>

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "render_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
