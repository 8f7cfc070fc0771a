// One QApplication for the whole suite, on the offscreen platform ctest sets.
#include <memory>

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class WidgetEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new WidgetEnvironment);

}  // namespace
