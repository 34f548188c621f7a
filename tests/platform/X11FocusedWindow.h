#pragma once

#include <QtGlobal>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <utility>

namespace x11test {

constexpr xcb_keysym_t escapeKeysym = 0xff1b;

struct Disconnect {
    void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

template <typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *p)
{
    return {p, &std::free};
}

// A plain window of our own that takes the keyboard focus and reports key events; it stands in
// for whichever application is in front.
class FocusedWindow {
public:
    explicit FocusedWindow(xcb_connection_t *c)
        : m_c(c)
        , m_window(xcb_generate_id(c))
    {
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const quint32 events =
            XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, screen->root, 10, 10, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, &events);
        xcb_map_window(c, m_window);
        xcb_flush(c);
    }

    xcb_window_t id() const { return m_window; }

    // Focus can only go to a viewable window, so it is given once the map has happened.
    bool mapAndFocus()
    {
        if (!waitFor(
                [](const xcb_generic_event_t *e) { return (e->response_type & ~0x80) == XCB_MAP_NOTIFY; }))
            return false;
        auto error = owned(xcb_request_check(
            m_c, xcb_set_input_focus_checked(m_c, XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME)));
        return !error;
    }

    // The next key event on this window as (type, keycode); zero type after the time-out.
    std::pair<int, int> nextKey()
    {
        int type = 0, code = 0;
        waitFor([&](const xcb_generic_event_t *e) {
            const int t = e->response_type & ~0x80;
            if (t != XCB_KEY_PRESS && t != XCB_KEY_RELEASE)
                return false;
            type = t;
            code = reinterpret_cast<const xcb_key_press_event_t *>(e)->detail;
            return true;
        });
        return {type, code};
    }

private:
    template <typename Match> bool waitFor(Match match)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            while (auto event = owned(xcb_poll_for_event(m_c))) {
                if (match(event.get()))
                    return true;
            }
            pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
            poll(&fd, 1, 100);
        }
        return false;
    }

    xcb_connection_t *m_c;
    xcb_window_t m_window;
};

inline int escapeKeycode(xcb_connection_t *c)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    auto reply = owned(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, setup->max_keycode - setup->min_keycode + 1),
        nullptr));
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(reply.get()); ++i) {
        if (syms[i] == escapeKeysym)
            return setup->min_keycode + i / reply->keysyms_per_keycode;
    }
    return 0;
}

} // namespace x11test
