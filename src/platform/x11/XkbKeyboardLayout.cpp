#include "XkbKeyboardLayout.h"

#include "MacKeyCodes.h"

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace {

struct KeymapDeleter {
    void operator()(xkb_keymap *keymap) const { xkb_keymap_unref(keymap); }
};
struct StateDeleter {
    void operator()(xkb_state *state) const { xkb_state_unref(state); }
};
using Keymap = std::unique_ptr<xkb_keymap, KeymapDeleter>;
using State = std::unique_ptr<xkb_state, StateDeleter>;

// Longer than any key's text; the caller's bound cuts further.
constexpr int utf8BufferSize = 64;

} // namespace

struct XkbKeyboardLayout::Private {
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xcb_connection_t *connection = nullptr;
    int32_t deviceId = -1;
    Keymap fixed;

    ~Private()
    {
        fixed.reset();
        if (connection)
            xcb_disconnect(connection);
        xkb_context_unref(context);
    }

    bool openDisplay(const QByteArray &displayName)
    {
        connection = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
        if (xcb_connection_has_error(connection) ||
            !xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                         XKB_X11_MIN_MINOR_XKB_VERSION, XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS,
                                         nullptr, nullptr, nullptr, nullptr)) {
            xcb_disconnect(connection);
            connection = nullptr;
            return false;
        }
        deviceId = xkb_x11_get_core_keyboard_device_id(connection);
        return deviceId >= 0;
    }

    bool loadNames(const char *layout, const char *variant)
    {
        const xkb_rule_names names{nullptr, nullptr, layout, variant, nullptr};
        if (context)
            fixed.reset(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
        return bool(fixed);
    }

    // A state with no modifiers down, in the layout group that is active now.
    State currentState() const
    {
        if (fixed)
            return State(xkb_state_new(fixed.get()));
        if (!connection || xcb_connection_has_error(connection))
            return nullptr;
        Keymap keymap(
            xkb_x11_keymap_new_from_device(context, connection, deviceId, XKB_KEYMAP_COMPILE_NO_FLAGS));
        if (!keymap)
            return nullptr;
        State server(xkb_x11_state_new_from_device(keymap.get(), connection, deviceId));
        State clean(xkb_state_new(keymap.get()));
        if (!server || !clean)
            return nullptr;
        const xkb_layout_index_t group = xkb_state_serialize_layout(server.get(), XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_update_mask(clean.get(), 0, 0, 0, 0, 0, group);
        return clean;
    }
};

XkbKeyboardLayout::XkbKeyboardLayout(std::unique_ptr<Private> impl)
    : d(std::move(impl))
{
}

XkbKeyboardLayout::XkbKeyboardLayout(const QByteArray &displayName)
    : XkbKeyboardLayout(std::make_unique<Private>())
{
    if (!d->openDisplay(displayName))
        d->loadNames(nullptr, nullptr);
}

XkbKeyboardLayout::~XkbKeyboardLayout() = default;

std::unique_ptr<XkbKeyboardLayout> XkbKeyboardLayout::fromNames(const QString &layout, const QString &variant)
{
    std::unique_ptr<XkbKeyboardLayout> made(new XkbKeyboardLayout(std::make_unique<Private>()));
    const QByteArray layoutName = layout.toUtf8();
    const QByteArray variantName = variant.toUtf8();
    if (!made->d->loadNames(layoutName.constData(), variant.isEmpty() ? nullptr : variantName.constData()))
        return nullptr;
    return made;
}

bool XkbKeyboardLayout::usesDisplay() const
{
    return d->connection != nullptr;
}

QString XkbKeyboardLayout::charactersForKeyCode(quint16 keyCode, int maxUnits) const
{
    const auto keycode = MacKeyCodes::xKeyCode(keyCode);
    if (!keycode)
        return {};
    const State state = d->currentState();
    if (!state)
        return {};
    char buffer[utf8BufferSize] = {};
    const int length = xkb_state_key_get_utf8(state.get(), *keycode, buffer, sizeof buffer);
    if (length <= 0 || length >= int(sizeof buffer))
        return {};
    return QString::fromUtf8(buffer, length).left(maxUnits);
}

std::optional<quint16> XkbKeyboardLayout::keyCodeForNativeScanCode(quint32 scanCode) const
{
    return MacKeyCodes::macKeyCode(scanCode);
}
