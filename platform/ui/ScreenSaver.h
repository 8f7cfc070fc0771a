#pragma once

#include <cstdint>
#include <optional>

#include <QObject>

namespace zeb {

// Keeps the desktop's screen saver away while on: org.freedesktop.ScreenSaver's Inhibit and
// UnInhibit on the session bus. Without a session bus or that service it does nothing. The
// calls never wait for the bus.
class ScreenSaver : public QObject {
    Q_OBJECT

public:
    ScreenSaver();
    ~ScreenSaver() override;

    // On: the screen saver is inhibited; off: it is back as the desktop has it.
    void SetInhibited(bool inhibited);
    bool Inhibited() const { return wanted_; }

private:
    void SendInhibit();
    void SendUnInhibit();

    bool available_ = false;
    bool wanted_ = false;
    bool pending_ = false;  // an Inhibit call awaits its cookie
    std::optional<uint32_t> cookie_;
};

}  // namespace zeb
