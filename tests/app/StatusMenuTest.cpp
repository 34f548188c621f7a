#include "app/StatusMenu.h"
#include "AppDelegateTestSupport.h"
#include "app/DesktopEntry.h"
#include "app/LoginItem.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <array>

namespace {

using StatusMenuTest = AppDelegateFixture;

TEST_F(StatusMenuTest, HasTheTwentyFourEntriesInOrder)
{
    QStringList titles; // "-" for a separator
    for (const auto &item : app.statusMenu().items())
        titles.append(item->isSeparator() ? QStringLiteral("-") : item->title());
    EXPECT_EQ(titles,
              QString::fromLatin1("Stripdeck (v. 0.1.0)|Show Stripdeck|Control Surface Mode|Surface Protocol|-|Midi Out|"
                                  "Midi In|-|Customize Touch Bar...|Customize Controls...|-|"
                                  "OSC Settings...|Key Commands...|Attach to Apps...|-|"
                                  "Load Touchbar Settings...|Save Touchbar Settings...|-|"
                                  "Check for Update...|Check for Update on launch|Start at Login|-|"
                                  "Reset Touch Bar|Quit")
                  .split(u'|'));
}

// The entries whose enabling depends on state, in the order of the rule table.
const char *const ruled[] = {"Check for Update...",       "Customize Controls...",
                             "Customize Touch Bar...",    "Load Touchbar Settings...",
                             "Save Touchbar Settings...", "Control Surface Mode"};

TEST_F(StatusMenuTest, EntriesAreEnabledByState)
{
    const struct {
        const char *name;
        bool editCCs;
        bool surface;
        bool checking;
        std::array<bool, 6> enabled;
    } rules[] = {{"idle", false, false, false, {true, true, true, true, true, true}},
                 {"editing controls", true, false, false, {true, false, false, false, false, false}},
                 {"control surface", false, true, false, {true, false, false, false, false, true}},
                 {"both", true, true, false, {true, false, false, false, false, false}},
                 {"checking for update", false, false, true, {false, true, true, true, true, true}}};
    for (const auto &rule : rules) {
        SCOPED_TRACE(rule.name);
        app.presentation().setEditCCs(rule.editCCs);
        app.presentation().setControlSurfadeMode(rule.surface);
        app.setCheckingForUpate(rule.checking);
        app.statusMenu().aboutToOpen();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(entry(QString::fromLatin1(ruled[i]))->isEnabled(), rule.enabled[i]) << ruled[i];
        EXPECT_EQ(entry(QStringLiteral("Control Surface Mode"))->state(), rule.surface);
        for (const char *always :
             {"Show Stripdeck", "OSC Settings...", "Key Commands...", "Attach to Apps...",
              "Check for Update on launch", "Reset Touch Bar", "Quit", "Midi Out", "Midi In"})
            EXPECT_TRUE(entry(QString::fromLatin1(always))->isEnabled()) << always;
    }
}

// The entry is checked exactly while the autostart entry exists; what it writes is a desktop
// entry a session starts, naming this program.
TEST_F(StatusMenuTest, StartAtLoginWritesAndRemovesTheAutostartEntry)
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/autostart/xq.korvane.Stripdeck.desktop");
    QFile::remove(path);
    EXPECT_FALSE(opened(QStringLiteral("Start at Login"))->state());

    entry(QStringLiteral("Start at Login"))->trigger();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray written = file.readAll();
    const std::optional<DesktopEntry> read = DesktopEntry::parse(written);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->isApplication());
    EXPECT_EQ(read->name, QStringLiteral("Stripdeck"));
    EXPECT_EQ(read->icon, QStringLiteral("xq.korvane.Stripdeck"));
    EXPECT_FALSE(read->hidden);
    EXPECT_TRUE(written.contains("\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + "\n"))
        << written.toStdString();
    EXPECT_TRUE(opened(QStringLiteral("Start at Login"))->state());
    // desktop-file-utils reads it as the session's autostart would.
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {path});
    ASSERT_TRUE(validate.waitForFinished(20000)) << "desktop-file-validate (scripts/bootstrap)";
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();

    entry(QStringLiteral("Start at Login"))->trigger();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(opened(QStringLiteral("Start at Login"))->state());
}

// Where the program lives in a path with spaces or quotes, the launcher must still get it as
// one argument, unquoted back to the same path.
TEST(LoginItem, ExecQuotesPathsTheLauncherWouldSplit)
{
    const struct {
        const char *program;
        const char *exec;
    } cases[] = {
        {"/usr/bin/stripdeck", "Exec=/usr/bin/stripdeck\n"},
        {"/home/a b/stripdeck", "Exec=\"/home/a b/stripdeck\"\n"},
        {"/opt/$x/\"q\"/s", "Exec=\"/opt/\\\\$x/\\\\\"q\\\\\"/s\"\n"},
        {"/opt/back\\slash/100%", "Exec=\"/opt/back\\\\\\\\slash/100%%\"\n"},
    };
    for (const auto &c : cases)
        EXPECT_TRUE(LoginItem::entryFor(QString::fromUtf8(c.program)).contains(c.exec)) << c.program;
}

} // namespace
