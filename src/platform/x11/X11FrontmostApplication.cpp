#include "X11FrontmostApplication.h"

#include "app/ApplicationAttachment.h"
#include "app/ApplicationCatalog.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// WM_CLASS is two short names; anything past this is not a class name anyone matches.
constexpr quint32 wmClassMaximumLongs = 256;

template <typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *p)
{
    return {p, &std::free};
}

using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

PropertyReply getProperty(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                          quint32 longs)
{
    return owned(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, longs), nullptr));
}

// The first 32-bit value of a property, when it has one of that format.
std::optional<quint32> cardinal(const PropertyReply &reply)
{
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    quint32 value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    const auto reply =
        owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QString noDisplayReason(const QByteArray &displayName, int error)
{
    // Check the session type because a Wayland session without XWayland gives no display at all,
    // and Wayland itself tells no other client which window is active.
    if (displayName.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY") &&
        (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland")))
        return QStringLiteral("this Wayland session offers no X display (XWayland), and Wayland tells no "
                              "other program which application is in front");
    return QStringLiteral("xcb_connect: cannot open display \"%1\" (error %2)")
        .arg(QString::fromLocal8Bit(displayName.isEmpty() ? qgetenv("DISPLAY") : displayName))
        .arg(error);
}

} // namespace

struct X11FrontmostApplication::Connection {
    xcb_connection_t *handle = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_atom_t activeWindow = XCB_ATOM_NONE;
    xcb_atom_t windowPid = XCB_ATOM_NONE;

    ~Connection()
    {
        if (handle)
            xcb_disconnect(handle);
    }
};

X11FrontmostApplication::X11FrontmostApplication(ApplicationCatalog &applications, QByteArray displayName,
                                                 QObject *parent)
    : FrontmostApplicationSource(parent)
    , m_applications(applications)
{
    if (!connectToDisplay(displayName))
        return;
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_connection->handle), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11FrontmostApplication::readEvents);
    m_frontmost = activeApplication();
}

X11FrontmostApplication::~X11FrontmostApplication() = default;

bool X11FrontmostApplication::connectToDisplay(const QByteArray &displayName)
{
    auto connection = std::make_unique<Connection>();
    connection->handle = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), nullptr);
    if (const int error = xcb_connection_has_error(connection->handle)) {
        m_unavailableReason = noDisplayReason(displayName, error);
        return false;
    }
    xcb_connection_t *c = connection->handle;
    connection->root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    connection->activeWindow = internAtom(c, "_NET_ACTIVE_WINDOW");
    connection->windowPid = internAtom(c, "_NET_WM_PID");
    // The window manager announces a new active window by changing the root's property.
    const quint32 events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, connection->root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(c);
    m_connection = std::move(connection);
    return true;
}

bool X11FrontmostApplication::takeActiveWindowChange()
{
    bool changed = false;
    while (const auto event = owned(xcb_poll_for_event(m_connection->handle))) {
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event.get());
        changed =
            changed || (notify->window == m_connection->root && notify->atom == m_connection->activeWindow);
    }
    return changed;
}

void X11FrontmostApplication::readEvents()
{
    // Waiting for the replies of one check can move later events from the socket into xcb's
    // queue, where the notifier never sees them; so the queue is read again after every check.
    while (takeActiveWindowChange()) {
        const QString application = activeApplication();
        // Another window of the same application, or none at all, brings no application forward.
        if (!application.isEmpty() && application != m_frontmost) {
            m_frontmost = application;
            Q_EMIT didActivateApplication(application);
        }
    }
    if (xcb_connection_has_error(m_connection->handle))
        disconnected();
}

void X11FrontmostApplication::disconnected()
{
    m_notifier->setEnabled(false);
    m_connection.reset();
    m_frontmost.clear();
    m_unavailableReason = QStringLiteral("the connection to the X display was lost");
}

QString X11FrontmostApplication::activeApplication()
{
    xcb_connection_t *c = m_connection->handle;
    const auto window =
        cardinal(getProperty(c, m_connection->root, m_connection->activeWindow, XCB_ATOM_WINDOW, 1));
    if (!window || *window == XCB_WINDOW_NONE)
        return {};
    const auto pid = cardinal(getProperty(c, *window, m_connection->windowPid, XCB_ATOM_CARDINAL, 1));
    if (pid && qint64(*pid) == QCoreApplication::applicationPid())
        return ApplicationAttachment::ownIdentifier;
    const auto wmClass = getProperty(c, *window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, wmClassMaximumLongs);
    if (!wmClass || wmClass->format != 8)
        return {};
    m_applications.refreshIfChanged();
    return m_applications.identifierForWmClass(
        QByteArrayView(static_cast<const char *>(xcb_get_property_value(wmClass.get())),
                       xcb_get_property_value_length(wmClass.get())));
}
