#pragma once

#include "AppDelegateTestSupport.h"
#include "app/AttachmentRecord.h"
#include "app/FrontmostApplicationSource.h"
#include "app/appAttachCellView.h"
#include "app/appAttachViewController.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

// Made-up applications installed under a private HOME and XDG_DATA_DIRS for as long as the
// object lives, so the catalogue reads these and nothing of the machine's.
class DesktopEntries {
public:
    static constexpr const char *alpha = "org.example.Alpha";
    static constexpr const char *beta = "beta";
    static constexpr const char *gamma = "Gamma";

    DesktopEntries()
        : m_saved{{"HOME", qgetenv("HOME")},
                  {"XDG_DATA_DIRS", qgetenv("XDG_DATA_DIRS")},
                  {"XDG_DATA_HOME", qgetenv("XDG_DATA_HOME")}}
    {
        qputenv("HOME", m_dir.filePath(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", m_dir.filePath(QStringLiteral("share")).toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        QDir(m_dir.path()).mkpath(QStringLiteral("share/applications"));
        // Alpha's windows are known by StartupWMClass, Beta's by a class equal to its id.
        write(QStringLiteral("org.example.Alpha.desktop"),
              "[Desktop Entry]\nType=Application\nName=Alpha Editor\nExec=alpha %F\n"
              "StartupWMClass=AlphaWin\nIcon=alpha\n");
        write(QStringLiteral("beta.desktop"), "[Desktop Entry]\nType=Application\nName=Beta Player\n"
                                              "Exec=beta\n");
    }
    ~DesktopEntries()
    {
        for (const auto &[name, value] : m_saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    QString systemDirectory() const { return m_dir.filePath(QStringLiteral("share/applications")); }
    void write(const QString &relativePath, const QByteArray &content) const
    {
        const QString path = systemDirectory() + u'/' + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private:
    QTemporaryDir m_dir;
    std::vector<std::pair<const char *, QByteArray>> m_saved;
};

// The application in front as a test decides it.
class FakeFrontmostSource : public FrontmostApplicationSource {
public:
    QString frontmost;
    bool available = true;

    QString frontmostApplication() const override { return frontmost; }
    bool isAvailable() const override { return available; }
    QString unavailableReason() const override { return available ? QString() : QStringLiteral("no X"); }
    void activate(const QString &identifier)
    {
        frontmost = identifier;
        Q_EMIT didActivateApplication(identifier);
    }
};

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
