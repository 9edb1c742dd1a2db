#include "DisplayWatch.h"

#include "BenchSupport.h"

#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <xcb/damage.h>

namespace Bench {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : 0;
    free(reply);
    return value;
}

} // namespace

DisplayWatch::DisplayWatch(const QString& display) {
    int screenNumber = 0;
    m_connection = xcb_connect(display.toLatin1().constData(), &screenNumber);
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, it.data->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    if (damage && damage->present) {
        free(xcb_damage_query_version_reply(
            m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
    }
    m_typeAtom = atom(m_connection, "_NET_WM_WINDOW_TYPE");
    m_dialogAtom = atom(m_connection, "_NET_WM_WINDOW_TYPE_DIALOG");
    xcb_flush(m_connection);
    m_ok = true;
}

DisplayWatch::~DisplayWatch() { xcb_disconnect(m_connection); }

void DisplayWatch::drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
        free(event);
    m_main = 0;
    m_mapped.reset();
    m_drawn.reset();
}

bool DisplayWatch::isDialog(xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_typeAtom, XCB_ATOM_ATOM, 0, 8),
        nullptr);
    bool dialog = false;
    if (reply) {
        const auto* types = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
        for (int i = 0; i < count; ++i)
            dialog = dialog || types[i] == m_dialogAtom;
    }
    free(reply);
    return dialog;
}

void DisplayWatch::handle(xcb_generic_event_t* event, qint64 now) {
    const int type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY && m_damageEvent >= 0) {
        // Watched from its creation, so that no paint after its mapping can be missed.
        const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (!created->override_redirect)
            xcb_damage_create(m_connection, xcb_generate_id(m_connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(m_connection);
    } else if (type == XCB_MAP_NOTIFY && !m_mapped) {
        const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (!mapped->override_redirect && !isDialog(mapped->window)) {
            m_main = mapped->window;
            m_mapped = now;
        }
    } else if (type == m_damageEvent && m_mapped && !m_drawn) {
        if (reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable == m_main)
            m_drawn = now;
    }
}

bool DisplayWatch::waitFor(const std::optional<qint64>& seen, int timeoutMs) {
    const qint64 deadline = monotonicNs() + qint64(timeoutMs) * 1000000;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            handle(event, monotonicNs());
            free(event);
        }
        if (seen)
            return true;
        const qint64 left = (deadline - monotonicNs()) / 1000000;
        if (left <= 0 || xcb_connection_has_error(m_connection))
            return false;
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
}

std::optional<qint64> DisplayWatch::waitForMapped(int timeoutMs) {
    return waitFor(m_mapped, timeoutMs) ? m_mapped : std::nullopt;
}

std::optional<qint64> DisplayWatch::waitForDrawn(int timeoutMs) {
    if (m_damageEvent < 0)
        return std::nullopt;
    return waitFor(m_drawn, timeoutMs) ? m_drawn : std::nullopt;
}

} // namespace Bench
