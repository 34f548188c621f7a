#pragma once

#include "../platform/PlaceholderItemFactory.h"
#include "app/AppDelegate.h"
#include "app/AppDialogs.h"
#include "app/FileDialogs.h"
#include "app/HotKeyRegistry.h"
#include "app/StatusItemHost.h"
#include "model/UserDefaults.h"
#include "platform/touchbar/HeadlessTouchBarHost.h"

#include <QAbstractButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class FakeStatusItem : public StatusItemHost {
public:
    Menu *menu = nullptr;
    bool visible = false;
    void setMenu(Menu *m) override { menu = m; }
    void setVisible(bool v) override { visible = v; }
};

class RecordingHotKeys : public HotKeyRegistry {
public:
    QStringList calls;
    void registerHotKeys() override { calls.append(QStringLiteral("register")); }
    void unregisterHotKeys() override { calls.append(QStringLiteral("unregister")); }
    void unregisterAllHotKeys() override { calls.append(QStringLiteral("unregisterAll")); }
};

// A launched application controller on the headless host, with placeholder items.
class AppDelegateFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UserDefaults defaults{dir.filePath(QStringLiteral("prefs.plist"))};
    FakeStatusItem statusItem;
    HeadlessTouchBarHost host;
    RecordingHotKeys hotKeys;
    AppDelegate app{defaults, statusItem, host};
    PlaceholderItemFactory *factory = nullptr;

    void SetUp() override
    {
        auto made = std::make_unique<PlaceholderItemFactory>();
        factory = made.get();
        app.setItemFactory(std::move(made));
        app.setHotKeyRegistry(&hotKeys);
        app.applicationDidFinishLaunching();
    }

    QStringList presented() const { return host.presentedIdentifiers(); }
    QStringList userDefaults(int n) { return app.templates().userTouchBar(n)->itemIdentifiers(); }
    MenuItem *entry(const QString &title) { return app.statusMenu().itemWithTitle(title).get(); }
    // The menu as it looks when opened.
    MenuItem *opened(const QString &title)
    {
        app.statusMenu().aboutToOpen();
        return entry(title);
    }
};

// Answers the file dialogs with prepared paths and keeps the errors it was asked to show.
class ScriptedFileDialogs : public FileDialogs {
public:
    QString savePath;
    QString openPath;
    QStringList errors;
    QString saveFileName() override { return savePath; }
    QString openFileName() override { return openPath; }
    void showError(const QString &message) override { errors.append(message); }
};

// The application controller with the dialogs plugged in before it launches.
class DialogsFixture : public AppDelegateFixture {
protected:
    ScriptedFileDialogs files;
    AppDialogs dialogs{app, statusItem, files};
};

// Clicks the button of a window with this caption; false when it has none.
inline bool clickButton(QWidget *window, const QString &caption)
{
    const auto buttons = window->findChildren<QAbstractButton *>();
    const auto found =
        std::find_if(buttons.begin(), buttons.end(), [&](auto *b) { return b->text() == caption; });
    return found != buttons.end() && ((*found)->click(), true);
}
