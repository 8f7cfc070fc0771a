#pragma once

#include <cstdint>
#include <optional>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>

namespace zeb {

// Keeps the desktop's screen saver away while on: org.freedesktop.ScreenSaver's Inhibit and
// UnInhibit on the session bus where that service runs (X11 desktops), otherwise the desktop
// portal's org.freedesktop.portal.Inhibit (Wayland desktops, sandboxes), whose inhibition
// lasts until its request is closed. Without a session bus it does nothing. The calls never
// wait for the bus.
class ScreenSaver : public QObject {
    Q_OBJECT

public:
    ScreenSaver();
    ~ScreenSaver() override;

    // On: the screen saver is inhibited; off: it is back as the desktop has it.
    void SetInhibited(bool inhibited);
    bool Inhibited() const { return wanted_; }

private:
    enum class Service { None, ScreenSaver, Portal };

    void SendInhibit();
    void SendUnInhibit();
    void TakeAnswer(const QDBusMessage& reply);

    Service service_ = Service::None;
    bool wanted_ = false;
    bool pending_ = false;  // an Inhibit call awaits its answer
    // What ends the inhibition: the screen saver's cookie, or the portal's request.
    std::optional<uint32_t> cookie_;
    std::optional<QDBusObjectPath> request_;
};

}  // namespace zeb
