#include "AppDelegate.h"

#include "StatusItemHost.h"
#include "model/PreferencesSetup.h"
#include "model/PropertyList.h"
#include "model/UserDefaults.h"

#include <QFile>

AppDelegate::AppDelegate(UserDefaults &defaults, StatusItemHost &statusItem, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_statusItem(statusItem) {}

QString AppDelegate::versionString() {
    return QStringLiteral(STRIPDECK_VERSION);
}

QVariantMap AppDelegate::defaultsResource() {
    QFile file(QStringLiteral(":/defaults.plist"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PropertyList::fromData(file.readAll()).value_or(QVariant()).toMap();
}

void AppDelegate::applicationDidFinishLaunching() {
    setupUserPreferences();
    buildStatusMenu();
    m_statusItem.setMenu(&m_statusMenu);
    m_statusItem.setVisible(true);
}

void AppDelegate::setupUserPreferences() {
    PreferencesSetup(m_defaults).setupUserPreferences(defaultsResource());
}

void AppDelegate::quitApp() {
    Q_EMIT quitRequested();
}

void AppDelegate::buildStatusMenu() {
    m_statusMenu.removeAllItems();
    auto title =
        std::make_shared<MenuItem>(QStringLiteral("Stripdeck (v. %1)").arg(versionString()));
    title->setEnabled(false);
    m_statusMenu.addItem(title);
    m_statusMenu.addItem(MenuItem::separatorItem());
    m_statusMenu.addItem(std::make_shared<MenuItem>(
        QStringLiteral("Quit"), [this](MenuItem &) { quitApp(); }, QStringLiteral("q")));
}
