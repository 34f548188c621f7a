#pragma once

#include <QtGlobal>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <utility>

namespace x11test {

template <typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *p)
{
    return {p, &std::free};
}

// Adds to a test fixture a plain window of the test's own that has the keyboard focus, standing in
// for whichever application is in front, and reads the key events it gets.
template <typename Base> class WithFocusedWindow : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "no X display; run under scripts/with-test-services";
        m_c.reset(xcb_connect(nullptr, nullptr));
        ASSERT_EQ(xcb_connection_has_error(m_c.get()), 0);
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c.get())).data;
        const quint32 events =
            XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        m_window = xcb_generate_id(m_c.get());
        xcb_create_window(m_c.get(), XCB_COPY_FROM_PARENT, m_window, screen->root, 10, 10, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, &events);
        xcb_map_window(m_c.get(), m_window);
        xcb_flush(m_c.get());
        // Focus can only go to a viewable window, so it is given once the map has happened.
        ASSERT_TRUE(waitFor([](int type, const xcb_generic_event_t *) { return type == XCB_MAP_NOTIFY; }));
        ASSERT_EQ(owned(xcb_request_check(m_c.get(),
                                          xcb_set_input_focus_checked(m_c.get(), XCB_INPUT_FOCUS_POINTER_ROOT,
                                                                      m_window, XCB_CURRENT_TIME))),
                  nullptr);
        escape = escapeKeycode();
        ASSERT_NE(escape, 0);
    }

    // The next key event on the window as (type, keycode); zero type after the time-out.
    std::pair<int, int> nextKey()
    {
        std::pair<int, int> key;
        waitFor([&key](int type, const xcb_generic_event_t *e) {
            if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE)
                key = {type, reinterpret_cast<const xcb_key_press_event_t *>(e)->detail};
            return key.first != 0;
        });
        return key;
    }

    int escape = 0;

private:
    template <typename Match> bool waitFor(Match match)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            while (auto event = owned(xcb_poll_for_event(m_c.get()))) {
                if (match(event->response_type & ~0x80, event.get()))
                    return true;
            }
            pollfd fd{xcb_get_file_descriptor(m_c.get()), POLLIN, 0};
            poll(&fd, 1, 100);
        }
        return false;
    }

    int escapeKeycode()
    {
        constexpr xcb_keysym_t escapeKeysym = 0xff1b;
        const xcb_setup_t *setup = xcb_get_setup(m_c.get());
        auto reply = owned(xcb_get_keyboard_mapping_reply(
            m_c.get(),
            xcb_get_keyboard_mapping(m_c.get(), setup->min_keycode,
                                     setup->max_keycode - setup->min_keycode + 1),
            nullptr));
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
        for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(reply.get()); ++i) {
            if (syms[i] == escapeKeysym)
                return setup->min_keycode + i / reply->keysyms_per_keycode;
        }
        return 0;
    }

    struct Disconnect {
        void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_c;
    xcb_window_t m_window = 0;
};

} // namespace x11test
