#include "EditorRig.h"

#include <QGuiApplication>

namespace {

// The editor's window on a real X server, where the window's size is the server's.
class ControlEditorWindowTest : public EditorRig {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        EditorRig::SetUp();
    }

    // The rows the form may show, with the lines above and below it.
    static constexpr const char *outlets[] = {
        "touchBarName",      "preview",           "buttonName",        "nameTextField",
        "colorWell",         "kindButton",        "channelButton",     "valueTextField",
        "addressTextField",  "behaviorButton",    "scaleFromTextField", "scaleToTextField",
        "startOctaveButton", "numOctavesButton",  "applyButton"};

    // Fields shown but cut off by the window's edge or pressed below their least height.
    QStringList misfits() const
    {
        QStringList found;
        for (const char *outlet : outlets) {
            const auto *field = editor->findChild<QWidget *>(QString::fromLatin1(outlet));
            if (!field || !field->isVisibleTo(editor))
                continue;
            const QRect frame(field->mapTo(editor, QPoint(0, 0)), field->size());
            if (!editor->rect().contains(frame) || field->height() < field->minimumSizeHint().height())
                found.append(QString::fromLatin1(outlet));
        }
        return found;
    }
};

// The window opens on the empty form and then shows one control of each type: it fits every
// form, the rows a fader, a piano or a group adds or takes away included.
TEST_F(ControlEditorWindowTest, TheWindowFitsTheFormOfEveryControlType)
{
    const QStringList controls = {"slider1", "pad1", "play", "piano", "8pad-group1"};
    arrange(controls);
    openEditor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    EXPECT_EQ(misfits(), QStringList());
    for (const QString &control : controls) {
        SCOPED_TRACE(control.toStdString());
        touch(control);
        // The window follows its layout once the server has resized it.
        EXPECT_TRUE(QTest::qWaitFor([this] { return misfits().isEmpty(); }, 1000))
            << misfits().join(' ').toStdString();
    }
}

} // namespace
