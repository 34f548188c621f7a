#include "X11GlobalShortcutService.h"

#include "MacKeyCodes.h"
#include "app/ZnHotKey.h"

#include <QHash>
#include <QList>
#include <QSocketNotifier>

#include <xcb/xcb.h>
// xcb's XKB header names a structure field "explicit", a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>

namespace {

constexpr xcb_keysym_t numLockKeysym = 0xff7f;
constexpr xcb_keysym_t scrollLockKeysym = 0xff14;

template <typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *pointer)
{
    return {pointer, &std::free};
}

// Command is the Super key's modifier and option the Alt key's, as on every common X keymap.
quint16 xModifiersOf(quint64 flags)
{
    quint16 mask = 0;
    if (flags & ZnHotKey::ShiftKeyMask)
        mask |= XCB_MOD_MASK_SHIFT;
    if (flags & ZnHotKey::ControlKeyMask)
        mask |= XCB_MOD_MASK_CONTROL;
    if (flags & ZnHotKey::AlternateKeyMask)
        mask |= XCB_MOD_MASK_1;
    if (flags & ZnHotKey::CommandKeyMask)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

quint64 flagsOf(quint16 state)
{
    quint64 flags = 0;
    if (state & XCB_MOD_MASK_SHIFT)
        flags |= ZnHotKey::ShiftKeyMask;
    if (state & XCB_MOD_MASK_CONTROL)
        flags |= ZnHotKey::ControlKeyMask;
    if (state & XCB_MOD_MASK_1)
        flags |= ZnHotKey::AlternateKeyMask;
    if (state & XCB_MOD_MASK_4)
        flags |= ZnHotKey::CommandKeyMask;
    if (state & XCB_MOD_MASK_LOCK)
        flags |= ZnHotKey::CapsLockKeyMask;
    return flags;
}

// The modifier bit a lock key sits on in the server's modifier map; 0 when none.
quint16 modifierOfKeysym(xcb_connection_t *c, xcb_keysym_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto mapping = owned(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, quint8(count)), nullptr));
    auto modifiers = owned(xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!mapping || !modifiers || mapping->keysyms_per_keycode == 0)
        return 0;
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKeycode = mapping->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(mapping.get());
    const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const int perModifier = modifiers->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int k = 0; k < perModifier; ++k) {
            const int keycode = keycodes[modifier * perModifier + k];
            const int first = (keycode - setup->min_keycode) * perKeycode;
            if (keycode == 0 || first < 0)
                continue;
            for (int s = first; s < first + perKeycode && s < total; ++s) {
                if (keysyms[s] == keysym)
                    return quint16(1u << modifier);
            }
        }
    }
    return 0;
}

} // namespace

struct X11GlobalShortcutService::Grab {
    xcb_keycode_t keycode = 0;
    quint16 modifiers = 0;
};

struct X11GlobalShortcutService::Connection {
    xcb_connection_t *handle = nullptr;
    xcb_window_t root = 0;
    // Every combination of the lock-key bits, the empty one included.
    QList<quint16> lockStates;
    quint16 lockMask = 0;
    QHash<quint32, Grab> grabs;
    // The grab whose key went down and is still held, by key code.
    QHash<xcb_keycode_t, quint32> held;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Connection()
    {
        notifier.reset();
        if (handle)
            xcb_disconnect(handle);
    }
};

X11GlobalShortcutService::X11GlobalShortcutService(const QByteArray &displayName, QObject *parent)
    : GlobalShortcutService(parent)
{
    auto connection = std::make_unique<Connection>();
    connection->handle = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
    if (xcb_connection_has_error(connection->handle)) {
        m_unavailableReason =
            QStringLiteral("Global hot keys are unavailable: no X display could be opened, so "
                           "key combinations cannot be grabbed on this desktop.");
        return;
    }
    // Check XDG_SESSION_TYPE because the program might be using XCB through XWayland, where a
    // grab sees keys only while an X window has the focus.
    if (qgetenv("XDG_SESSION_TYPE") == "wayland")
        m_unavailableReason =
            QStringLiteral("Global hot keys are unavailable in this Wayland session: they work "
                           "only while an X11 application is in front.");
    xcb_connection_t *c = connection->handle;
    connection->root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const quint16 locks[] = {XCB_MOD_MASK_LOCK, modifierOfKeysym(c, numLockKeysym),
                             modifierOfKeysym(c, scrollLockKeysym)};
    connection->lockStates = {0};
    for (quint16 lock : locks) {
        if (lock == 0 || (connection->lockMask & lock))
            continue;
        connection->lockMask |= lock;
        for (qsizetype i = 0, n = connection->lockStates.size(); i < n; ++i)
            connection->lockStates.append(connection->lockStates[i] | lock);
    }
    // Without detectable auto-repeat a held key would send a release with every repeat and
    // fire again and again.
    auto xkb = owned(xcb_xkb_use_extension_reply(c, xcb_xkb_use_extension(c, 1, 0), nullptr));
    if (xkb && xkb->supported) {
        const quint32 flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        std::free(xcb_xkb_per_client_flags_reply(
            c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr));
    }
    connection->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(c), QSocketNotifier::Read);
    connect(connection->notifier.get(), &QSocketNotifier::activated, this,
            &X11GlobalShortcutService::readEvents);
    m_connection = std::move(connection);
}

X11GlobalShortcutService::~X11GlobalShortcutService() = default;

bool X11GlobalShortcutService::grab(const Grab &grab, QString *error)
{
    xcb_connection_t *c = m_connection->handle;
    QList<xcb_void_cookie_t> cookies;
    for (quint16 lock : std::as_const(m_connection->lockStates)) {
        cookies.append(xcb_grab_key_checked(c, 0, m_connection->root, grab.modifiers | lock, grab.keycode,
                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool grabbed = true;
    for (const xcb_void_cookie_t &cookie : std::as_const(cookies)) {
        if (auto failure = owned(xcb_request_check(c, cookie))) {
            grabbed = false;
            *error = failure->error_code == XCB_ACCESS
                         ? QStringLiteral("xcb_grab_key: another program holds this combination")
                         : QStringLiteral("xcb_grab_key: X error %1").arg(failure->error_code);
        }
    }
    if (!grabbed)
        ungrab(grab);
    return grabbed;
}

void X11GlobalShortcutService::ungrab(const Grab &grab)
{
    for (quint16 lock : std::as_const(m_connection->lockStates))
        xcb_ungrab_key(m_connection->handle, grab.keycode, m_connection->root, grab.modifiers | lock);
    // A round trip, so the combination is free for other programs when this returns.
    std::free(
        xcb_get_input_focus_reply(m_connection->handle, xcb_get_input_focus(m_connection->handle), nullptr));
}

bool X11GlobalShortcutService::registerShortcut(quint32 id, quint16 keyCode, quint64 modifierFlags)
{
    if (!m_connection) {
        m_errorString = m_unavailableReason;
        return false;
    }
    const auto keycode = MacKeyCodes::xKeyCode(keyCode);
    if (!keycode) {
        m_errorString = QStringLiteral("key code %1 has no X key").arg(keyCode);
        return false;
    }
    const Grab wanted{*keycode, xModifiersOf(modifierFlags)};
    // Two stored combinations that differ only in lock or function bits are one grab here; X
    // would let the second silently replace the first.
    for (auto it = m_connection->grabs.cbegin(); it != m_connection->grabs.cend(); ++it) {
        if (it.key() == id || (it->keycode == wanted.keycode && it->modifiers == wanted.modifiers)) {
            m_errorString = QStringLiteral("the combination is registered already");
            return false;
        }
    }
    const bool grabbed = grab(wanted, &m_errorString);
    if (grabbed) {
        m_connection->grabs.insert(id, wanted);
        m_errorString.clear();
    }
    drainLater();
    return grabbed;
}

void X11GlobalShortcutService::unregisterShortcut(quint32 id)
{
    if (!m_connection || !m_connection->grabs.contains(id))
        return;
    ungrab(m_connection->grabs.take(id));
    m_connection->held.removeIf([id](const auto &entry) { return entry.value() == id; });
    drainLater();
}

// Waiting for a reply can leave events in xcb's queue without the socket becoming readable.
void X11GlobalShortcutService::drainLater()
{
    QMetaObject::invokeMethod(this, &X11GlobalShortcutService::readEvents, Qt::QueuedConnection);
}

void X11GlobalShortcutService::readEvents()
{
    if (!m_connection)
        return;
    xcb_connection_t *c = m_connection->handle;
    while (auto event = owned(xcb_poll_for_event(c))) {
        const int type = event->response_type & ~0x80;
        if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
            continue;
        const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event.get());
        if (type == XCB_KEY_PRESS) {
            const quint16 modifiers = key->state & ~m_connection->lockMask & 0xff;
            for (auto it = m_connection->grabs.cbegin(); it != m_connection->grabs.cend(); ++it) {
                if (it->keycode == key->detail && it->modifiers == modifiers)
                    m_connection->held.insert(key->detail, it.key());
            }
            continue;
        }
        // The modifiers may already be up when the key is released; the press decided.
        const auto held = m_connection->held.constFind(key->detail);
        if (held == m_connection->held.cend())
            continue;
        const quint32 id = held.value();
        m_connection->held.erase(held);
        Q_EMIT shortcutReleased(id, flagsOf(key->state), key->time);
    }
    if (xcb_connection_has_error(c)) {
        // This runs inside the notifier's own signal, so the notifier goes later.
        m_connection->notifier.release()->deleteLater();
        m_connection.reset();
        m_unavailableReason = QStringLiteral("Global hot keys are unavailable: the X display went away.");
    }
}
