#pragma once

#include "AppDelegateTestSupport.h"
#include "AttachTestSupport.h"
#include "app/AttachmentRecord.h"
#include "app/appAttachCellView.h"
#include "app/appAttachViewController.h"

#include <QComboBox>
#include <QPushButton>

// An application controller over the made-up applications, launched by the test once it has
// stored its records and chosen the application in front.
class AttachFixture : public ::testing::Test {
protected:
    DesktopEntries entries;
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    FakeStatusItem statusItem;
    HeadlessTouchBarHost host;
    RecordingHotKeys hotKeys;
    AppDelegate app{defaults, statusItem, host};
    FakeFrontmostSource fake; // the source unless a test launches with the real one

    void launch(FrontmostApplicationSource *source)
    {
        app.setItemFactory(std::make_unique<PlaceholderItemFactory>());
        app.setHotKeyRegistry(&hotKeys);
        app.setFrontmostApplicationSource(source);
        app.applicationDidFinishLaunching();
    }

    static QVariantMap record(const QString &identifier, bool controlSurface, int number)
    {
        return AttachmentRecord{identifier, controlSurface, number}.toVariant();
    }
    void storeApps(const QVariantList &apps) { defaults.setObject(apps, QStringLiteral("Apps")); }
    QVariantList storedApps() const { return defaults.objectForKey(QStringLiteral("Apps")).toList(); }

    const Presentation &presentation() const { return app.presentation(); }
    QStringList presented() const { return host.presentedIdentifiers(); }
    QStringList userBar(int n) { return app.templates().userTouchBar(n)->itemIdentifiers(); }
    QStringList stripGroup() { return app.templates().controlStripGroup()->itemIdentifiers(); }

    appAttachViewController *openAttachWindow()
    {
        app.attachToApplication();
        return app.attachment().attachViewController();
    }
};
