// The screen saver kept away over the session bus, against a stand-in for the desktop's
// org.freedesktop.ScreenSaver service. Run on a private bus (dbus-run-session).
#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QVariantMap>
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

// The desktop portal's inhibition, as Wayland desktops offer it: a request whose Close ends it.
class FakePortalRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")

public slots:
    void Close() { closed = true; }

public:
    bool closed = false;
};

class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")

public slots:
    QDBusObjectPath Inhibit(const QString&, uint flags, const QVariantMap& options)
    {
        this->flags = flags;
        reason = options.value("reason").toString();
        return QDBusObjectPath(RequestPath);
    }

public:
    static constexpr const char* RequestPath = "/org/freedesktop/portal/desktop/request/1/t";
    uint flags = 0;
    QString reason;
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
    // The services a test put on the bus go with it.
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus("fake");
        QDBusConnection::disconnectFromBus("portal");
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

TEST_F(ScreenSaverTest, WithoutTheScreenSaverServiceThePortalInhibitsIdleness)
{
    QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    FakePortal portal;
    FakePortalRequest request;
    ASSERT_TRUE(service.registerObject("/org/freedesktop/portal/desktop", &portal,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerObject(FakePortal::RequestPath, &request,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService("org.freedesktop.portal.Desktop"));

    ScreenSaver saver;
    saver.SetInhibited(true);
    ASSERT_TRUE(PumpUntil([&] { return portal.flags != 0; }));
    EXPECT_EQ(portal.flags, 8u);  // idle
    EXPECT_EQ(portal.reason, "Reading with auto-scroll");
    saver.SetInhibited(false);
    EXPECT_TRUE(PumpUntil([&] { return request.closed; }));
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
