#pragma once

// A watch over an X server from outside a program: when the program's main window is mapped
// and when it is first drawn. Nothing in the program is told that it is watched.

#include <QString>

#include <optional>

#include <xcb/xcb.h>

namespace Bench {

// Hears the server create, map and draw top-level windows. The main window is the first
// ordinary one: a window of type dialog (a window that tells of a wait) does not count.
class DisplayWatch {
public:
    explicit DisplayWatch(const QString& display);
    ~DisplayWatch();
    bool ok() const { return m_ok; }
    // Whether the server reports drawing (the DAMAGE extension), needed by waitForDrawn.
    bool seesDrawing() const { return m_damageEvent >= 0; }

    // Forgets the windows and events of earlier rounds.
    void drain();
    // The monotonic times at which the next main window was mapped, and first drawn after it
    // was mapped: its first paint, the list's rows included when they are filled by then.
    std::optional<qint64> waitForMapped(int timeoutMs);
    std::optional<qint64> waitForDrawn(int timeoutMs);

private:
    void handle(xcb_generic_event_t* event, qint64 now);
    bool isDialog(xcb_window_t window);
    bool waitFor(const std::optional<qint64>& seen, int timeoutMs);

    xcb_connection_t* m_connection = nullptr;
    bool m_ok = false;
    int m_damageEvent = -1;
    xcb_atom_t m_typeAtom = 0;
    xcb_atom_t m_dialogAtom = 0;
    xcb_window_t m_main = 0;
    std::optional<qint64> m_mapped;
    std::optional<qint64> m_drawn;
};

} // namespace Bench
