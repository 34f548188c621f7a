#include "ApplicationAttachment.h"

#include "AttachmentRecord.h"
#include "Presentation.h"
#include "appAttachViewController.h"
#include "model/UserDefaults.h"

const QString ApplicationAttachment::ownIdentifier = QStringLiteral("xq.korvane.Stripdeck");

ApplicationAttachment::ApplicationAttachment(UserDefaults &defaults, Presentation &presentation,
                                             QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_presentation(presentation)
{
}

ApplicationAttachment::~ApplicationAttachment()
{
    delete m_attachViewController;
}

void ApplicationAttachment::setSource(FrontmostApplicationSource *source)
{
    if (m_source)
        m_source->disconnect(this);
    m_source = source;
    m_frontmostIdentifier.clear();
    if (!source)
        return;
    if (const QString frontmost = source->frontmostApplication(); frontmost != ownIdentifier)
        m_frontmostIdentifier = frontmost;
    connect(source, &FrontmostApplicationSource::didActivateApplication, this,
            &ApplicationAttachment::checkFrontmostApplication);
}

void ApplicationAttachment::attachFrontmostApplication()
{
    const auto record = AttachmentRecord::lastFor(
        m_defaults.objectForKey(QLatin1String(AttachmentRecord::appsKey)).toList(), m_frontmostIdentifier);
    if (!record)
        return;
    m_presentation.setControlSurfadeMode(record->controlSurfaceMode);
    m_presentation.setUserTouchbarNumber(record->userTouchbarNumber - 1);
    m_presentation.lastState().lastRegistered = true;
    m_presentation.toggleTouchbar();
}

void ApplicationAttachment::checkFrontmostApplication(const QString &frontmost)
{
    Presentation::LastState &last = m_presentation.lastState();
    Wanted wanted{last.lastTouchbarShown, last.lastControlSurfadeMode, last.lastUserTouchbarNumber};
    const auto record = AttachmentRecord::lastFor(
        m_defaults.objectForKey(QLatin1String(AttachmentRecord::appsKey)).toList(), frontmost);
    if (record) {
        wanted = {true, record->controlSurfaceMode, record->userTouchbarNumber - 1};
        // Only the first attached application saves: the state to return to is the one from
        // before any attached application came to the front.
        m_presentation.rememberState();
    }
    if (frontmost == ownIdentifier) {
        if (m_attachViewController && m_attachViewController->isVisible())
            m_attachViewController->updateFrontmost();
    } else {
        m_frontmostIdentifier = frontmost;
    }
    if (!last.lastRegistered && !record)
        return;
    last.lastRegistered = record.has_value();
    bringTo(wanted);
}

void ApplicationAttachment::bringTo(const Wanted &wanted)
{
    Presentation &p = m_presentation;
    const bool keepNumber = wanted.number == Presentation::noUserTouchbar;
    if (p.touchbarShown() != wanted.shown) {
        p.setControlSurfadeMode(wanted.mode);
        if (!keepNumber)
            p.setUserTouchbarNumber(wanted.number);
        p.toggleTouchbar();
    } else if (p.controlSurfadeMode() != wanted.mode) {
        if (!keepNumber)
            p.setUserTouchbarNumber(wanted.number);
        p.changeMode();
    } else if (p.touchbarShown() && !p.controlSurfadeMode() && !keepNumber) {
        p.setUserTouchbarNumber(wanted.number);
        // A number naming no bar was not taken and shows nothing.
        if (p.userTouchbarNumber() == wanted.number)
            p.showTouchbar(p.allUserTouchbars().value(wanted.number));
    }
}

QWidget *ApplicationAttachment::makeAttachWindow(attachViewControllerDelegate &delegate)
{
    auto *controller = new appAttachViewController(m_defaults, m_applications, delegate);
    if (!m_source || !m_source->isAvailable())
        controller->setUnavailableReason(m_source ? m_source->unavailableReason()
                                                  : tr("nothing reports the application in front"));
    controller->updateFrontmost();
    m_attachViewController = controller;
    return controller;
}
