#include "SettingsWindows.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
// The content rectangle every settings window starts from before its content sizes it.
const QSize minimumContentSize(200, 100);
} // namespace

SettingsWindows::~SettingsWindows()
{
    for (const QPointer<QWidget> &window : std::as_const(m_windows))
        delete window.data();
}

void SettingsWindows::setContentFactory(Kind kind, ContentFactory factory)
{
    m_factories.insert(kind, std::move(factory));
}

void SettingsWindows::open(Kind kind)
{
    const ContentFactory factory = m_factories.value(kind);
    if (!factory) {
        Q_EMIT openRequested(kind);
        return;
    }
    close(kind);
    QWidget *window = factory();
    window->setParent(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                   Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(window->sizeHint().expandedTo(minimumContentSize));
    if (kind != Kind::Attach)
        window->setFixedSize(window->size());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    m_windows.insert(kind, window);
    window->show();
    window->raise();
    window->activateWindow();
}

// The owner's close does not ask the window, unlike the user's: a window answers the user's
// close by calling back its owner, which ends up here.
void SettingsWindows::close(Kind kind)
{
    if (QWidget *window = m_windows.take(kind)) {
        window->hide();
        window->deleteLater();
    }
}

void SettingsWindows::closeAll()
{
    for (Kind kind : {Kind::Controls, Kind::OSC, Kind::KeyCommands, Kind::Attach})
        close(kind);
}

bool SettingsWindows::isOpen(Kind kind) const
{
    const QWidget *window = m_windows.value(kind);
    return window && window->isVisible();
}
