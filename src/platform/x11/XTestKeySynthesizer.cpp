#include "XTestKeySynthesizer.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>

namespace {

constexpr xcb_keysym_t escapeKeysym = 0xff1b;

// Asks the server which keycode carries Escape, rather than assuming the evdev layout.
xcb_keycode_t findKeycode(xcb_connection_t *connection, xcb_keysym_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, quint8(count)), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perKeycode = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply);
    xcb_keycode_t found = 0;
    for (int i = 0; i < total && perKeycode > 0; ++i) {
        if (keysyms[i] == keysym) {
            found = xcb_keycode_t(setup->min_keycode + i / perKeycode);
            break;
        }
    }
    std::free(reply);
    return found;
}

} // namespace

struct XTestKeySynthesizer::Connection {
    xcb_connection_t *handle = nullptr;
    xcb_keycode_t escape = 0;

    ~Connection()
    {
        if (handle)
            xcb_disconnect(handle);
    }
};

XTestKeySynthesizer::XTestKeySynthesizer(QByteArray displayName)
    : m_displayName(std::move(displayName))
{
}

XTestKeySynthesizer::~XTestKeySynthesizer() = default;

bool XTestKeySynthesizer::fail(const QString &call, const QString &reason)
{
    m_connection.reset();
    m_errorString = call + QStringLiteral(": ") + reason;
    return false;
}

bool XTestKeySynthesizer::connect()
{
    if (m_connection)
        return true;
    auto connection = std::make_unique<Connection>();
    connection->handle = xcb_connect(m_displayName.isEmpty() ? nullptr : m_displayName.constData(), nullptr);
    const int error = xcb_connection_has_error(connection->handle);
    m_connection = std::move(connection);
    if (error)
        return fail(QStringLiteral("xcb_connect"),
                    QStringLiteral("cannot open display (error %1)").arg(error));
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(m_connection->handle, &xcb_test_id);
    if (!extension || !extension->present)
        return fail(QStringLiteral("xcb_get_extension_data"), QStringLiteral("the server has no XTEST"));
    m_connection->escape = findKeycode(m_connection->handle, escapeKeysym);
    if (!m_connection->escape)
        return fail(QStringLiteral("xcb_get_keyboard_mapping"), QStringLiteral("no keycode carries Escape"));
    return true;
}

bool XTestKeySynthesizer::postEscape(bool keyDown)
{
    if (!connect())
        return false;
    const quint8 type = keyDown ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    xcb_connection_t *handle = m_connection->handle;
    // The root window and position are ignored for key events; time 0 means now.
    xcb_generic_error_t *error =
        xcb_request_check(handle, xcb_test_fake_input_checked(handle, type, m_connection->escape,
                                                              XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    if (error) {
        const int code = error->error_code;
        std::free(error);
        return fail(QStringLiteral("xcb_test_fake_input"), QStringLiteral("X error %1").arg(code));
    }
    if (xcb_connection_has_error(handle))
        return fail(QStringLiteral("xcb_test_fake_input"), QStringLiteral("connection lost"));
    m_errorString.clear();
    return true;
}
