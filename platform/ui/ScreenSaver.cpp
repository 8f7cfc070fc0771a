#include "platform/ui/ScreenSaver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zeb {

namespace {

const QString Service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Path = QStringLiteral("/org/freedesktop/ScreenSaver");

QDBusMessage Call(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Service, method);
}

}  // namespace

ScreenSaver::ScreenSaver()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    available_ = bus.isConnected() && bus.interface() &&
                 bus.interface()->isServiceRegistered(Service).value();
}

ScreenSaver::~ScreenSaver()
{
    SetInhibited(false);
}

void ScreenSaver::SetInhibited(bool inhibited)
{
    if (inhibited == wanted_)
        return;
    wanted_ = inhibited;
    if (!available_)
        return;
    if (inhibited && !pending_ && !cookie_)
        SendInhibit();
    else if (!inhibited && cookie_)
        SendUnInhibit();
}

void ScreenSaver::SendInhibit()
{
    QDBusMessage call = Call(QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << QStringLiteral("Reading with auto-scroll");
    pending_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        QDBusPendingReply<uint32_t> reply = *w;
        w->deleteLater();
        pending_ = false;
        if (reply.isError())
            return;
        cookie_ = reply.value();
        // Turned off again while the call was under way.
        if (!wanted_)
            SendUnInhibit();
    });
}

void ScreenSaver::SendUnInhibit()
{
    QDBusMessage call = Call(QStringLiteral("UnInhibit"));
    call << *cookie_;
    cookie_.reset();
    QDBusConnection::sessionBus().asyncCall(call);
}

}  // namespace zeb
