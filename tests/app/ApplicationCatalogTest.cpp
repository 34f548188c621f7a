#include "app/ApplicationCatalog.h"
#include "AttachFixture.h"

namespace {

class ApplicationCatalogTest : public ::testing::Test {
protected:
    DesktopEntries entries;
    QTemporaryDir userDir;

    ApplicationCatalog catalog() { return ApplicationCatalog({userDir.path(), entries.systemDirectory()}); }
};

TEST_F(ApplicationCatalogTest, WhatIsFoundAndWhatIsLeftOut)
{
    // A user's entry hides the system's of the same name; a hidden one removes it.
    QFile hidden(userDir.filePath(QStringLiteral("org.example.Alpha.desktop")));
    ASSERT_TRUE(hidden.open(QIODevice::WriteOnly));
    hidden.write("[Desktop Entry]\nType=Application\nHidden=true\n");
    hidden.close();
    entries.write(QStringLiteral("kde/tool.desktop"), "[Desktop Entry]\nType=Application\nName=Tool\n");
    entries.write(QStringLiteral("site.desktop"), "[Desktop Entry]\nType=Link\nName=Site\n");
    entries.write(QStringLiteral("helper.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Helper\nNoDisplay=true\n");
    entries.write(QStringLiteral("broken.desktop"), "not a desktop file");
    const ApplicationCatalog applications = catalog();
    EXPECT_FALSE(applications.application(DesktopEntries::alpha).has_value());
    EXPECT_TRUE(applications.application(QStringLiteral("kde-tool")).has_value());
    EXPECT_FALSE(applications.application(QStringLiteral("site")).has_value()) << "links are no applications";
    EXPECT_FALSE(applications.application(QStringLiteral("broken")).has_value());
    EXPECT_TRUE(applications.application(QStringLiteral("helper")).has_value())
        << "a helper still has windows";

    QStringList listed;
    for (const auto &application : applications.listedApplications())
        listed.append(application.entry.name);
    EXPECT_EQ(listed, QStringList({"Beta Player", "Tool"})) << "by name, without the helper";
}

TEST_F(ApplicationCatalogTest, WindowClassesNameTheirApplication)
{
    entries.write(QStringLiteral("org.example.Delta.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Delta\nStartupWMClass=delta-main\n");
    const ApplicationCatalog applications = catalog();
    const struct {
        const char *instance;
        const char *className;
        const char *identifier;
    } cases[] = {
        {"alpha", "AlphaWin", DesktopEntries::alpha},             // StartupWMClass names the class
        {"delta-main", "Delta", "org.example.Delta"},             // ... or the instance
        {"beta", "Beta", DesktopEntries::beta},                   // the id is the class in another case
        {"org.example.alpha", "Whatever", DesktopEntries::alpha}, // the id is the instance
        {"gamma", "Gamma", "Gamma"},                              // not installed: the class itself
        {"lonely", "", "lonely"},                                 // a class-less window: its instance
        {"", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.className);
        EXPECT_EQ(applications.identifierForWindowClass(c.instance, c.className), c.identifier);
    }
}

TEST_F(ApplicationCatalogTest, RawWmClassPropertiesAsClientsSetThem)
{
    const ApplicationCatalog applications = catalog();
    const struct {
        QByteArray property;
        const char *identifier;
    } cases[] = {
        {QByteArray("alpha\0AlphaWin\0", 15), DesktopEntries::alpha},
        {QByteArray("alpha\0AlphaWin", 14), DesktopEntries::alpha}, // last NUL missing
        {QByteArray("beta", 4), DesktopEntries::beta},              // only an instance
        {QByteArray("x\0Gamma\0trailing\0", 17), "Gamma"},
        {QByteArray("\0\0", 2), ""},
        {QByteArray(), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.property.toHex().toStdString());
        EXPECT_EQ(applications.identifierForWmClass(c.property), c.identifier);
    }
}

} // namespace
