#include "platform/ui/ScreenSaver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace zeb {

namespace {

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString Reason = QStringLiteral("Reading with auto-scroll");
// The portal's flag for the session going idle: the screen saver and blanking.
constexpr uint32_t InhibitIdle = 8;

}  // namespace

ScreenSaver::ScreenSaver()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return;
    // The portal is started by the bus when first called, so it need not be running yet.
    service_ = bus.interface()->isServiceRegistered(ScreenSaverService).value() ? Service::ScreenSaver
                                                                               : Service::Portal;
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
    if (service_ == Service::None)
        return;
    if (inhibited && !pending_ && !cookie_ && !request_)
        SendInhibit();
    else if (!inhibited && (cookie_ || request_))
        SendUnInhibit();
}

void ScreenSaver::SendInhibit()
{
    QDBusMessage call;
    if (service_ == Service::ScreenSaver) {
        call = QDBusMessage::createMethodCall(ScreenSaverService, ScreenSaverPath,
                                              ScreenSaverService, QStringLiteral("Inhibit"));
        call << QCoreApplication::applicationName() << Reason;
    } else {
        call = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInhibit,
                                              QStringLiteral("Inhibit"));
        call << QString() << InhibitIdle << QVariantMap{{QStringLiteral("reason"), Reason}};
    }
    pending_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        pending_ = false;
        TakeAnswer(w->reply());
    });
}

void ScreenSaver::TakeAnswer(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    const QVariant answer = reply.arguments().front();
    if (service_ == Service::ScreenSaver)
        cookie_ = answer.toUInt();
    else
        request_ = answer.value<QDBusObjectPath>();
    // Turned off again while the call was under way.
    if (!wanted_)
        SendUnInhibit();
}

void ScreenSaver::SendUnInhibit()
{
    QDBusMessage call;
    if (cookie_) {
        call = QDBusMessage::createMethodCall(ScreenSaverService, ScreenSaverPath,
                                              ScreenSaverService, QStringLiteral("UnInhibit"));
        call << *cookie_;
    } else {
        call = QDBusMessage::createMethodCall(PortalService, request_->path(), PortalRequest,
                                              QStringLiteral("Close"));
    }
    cookie_.reset();
    request_.reset();
    QDBusConnection::sessionBus().asyncCall(call);
}

}  // namespace zeb
