// The screen saver kept away over the session bus, against a stand-in for the desktop's
// org.freedesktop.ScreenSaver service. Run on a private bus (dbus-run-session).
#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "platform/ui/ScreenSaver.h"

namespace zeb {
namespace {

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString& application, const QString&)
    {
        inhibitedBy = application;
        return ++cookie;
    }
    void UnInhibit(uint released) { this->released = released; }

public:
    QString inhibitedBy;
    uint cookie = 40;
    uint released = 0;
};

bool PumpUntil(const std::function<bool()>& done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class ScreenSaverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus (run under dbus-run-session)";
        static int argc = 1;
        static char name[] = "screen_saver_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }

    std::unique_ptr<QApplication> app;
};

TEST_F(ScreenSaverTest, InhibitedWhileOnAndReleasedWithItsCookie)
{
    QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake");
    FakeScreenSaver fake;
    ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &fake,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
    QCoreApplication::setApplicationName("ZEB Book Reader");

    ScreenSaver saver;
    saver.SetInhibited(true);
    ASSERT_TRUE(PumpUntil([&] { return !fake.inhibitedBy.isEmpty(); }));
    EXPECT_EQ(fake.inhibitedBy, "ZEB Book Reader");
    saver.SetInhibited(false);
    ASSERT_TRUE(PumpUntil([&] { return fake.released != 0; }));
    EXPECT_EQ(fake.released, 41u);
    // Off again before the answer came: released as soon as the cookie arrives.
    saver.SetInhibited(true);
    saver.SetInhibited(false);
    EXPECT_TRUE(PumpUntil([&] { return fake.released == 42u; }));
}

TEST_F(ScreenSaverTest, WithoutTheServiceNothingHappens)
{
    ScreenSaver saver;
    saver.SetInhibited(true);
    EXPECT_TRUE(saver.Inhibited());
    saver.SetInhibited(false);
    EXPECT_FALSE(saver.Inhibited());
}

}  // namespace
}  // namespace zeb

#include "ScreenSaverTest.moc"
