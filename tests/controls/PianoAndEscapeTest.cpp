#include "ControlRig.h"
#include "PianoTestSupport.h"

#include "controls/KeySynthesizer.h"
#include "controls/pianoView.h"

namespace {

// Two octaves in 510 points: key p is the strip 15 + 20·p … 35 + 20·p.
QPointF key(int p)
{
    return {25.0 + 20 * p, 20};
}

class PianoItem : public ControlRig {
protected:
    pianoView *piano(const char *kind, const char *type)
    {
        store("piano", record(kind, 0, 2, 0.5, 100.9, type, "/keys"));
        auto *view = qobject_cast<pianoView *>(make("piano")->view());
        view->resize(510, 30);
        return view;
    }
};

TEST_F(PianoItem, NoteKindPlaysOnTheUserOutput)
{
    pianoView *view = piano("note", "pitchbend");
    Hand hand(view);
    hand.press(1, key(0));
    hand.press(2, key(0));
    hand.move(2, key(1));
    hand.release(1, key(0));
    hand.release(2, key(1));
    // Start octave 4 puts the first key on note 48; velocities are truncated; a move of one key
    // unit bends half way up.
    EXPECT_EQ(userBytes(),
              QStringList({"91 30 64", "91 30 64", "e1 00 60", "91 30 00", "91 30 00", "e1 00 40"}));
    EXPECT_TRUE(oscSent.isEmpty());
}

// Every other kind plays through the OSC client, and sends no bends in pitch bend mode.
TEST_F(PianoItem, OtherKindsPlayThroughTheOscClient)
{
    pianoView *view = piano("osc", "pitchbend");
    Hand hand(view);
    hand.press(1, key(2));
    hand.move(1, key(3));
    hand.release(1, key(3));
    ASSERT_EQ(oscSent.size(), 2);
    EXPECT_EQ(oscSent[0], (std::pair{QStringLiteral("/keys"), QVariantList{50, 100.9}}));
    EXPECT_EQ(oscSent[1], (std::pair{QStringLiteral("/keys"), QVariantList{50, 0.5}}));
    EXPECT_EQ(oscSent[0].second[0].typeId(), QMetaType::Int);
    EXPECT_EQ(oscSent[0].second[1].typeId(), QMetaType::Double);
    EXPECT_TRUE(userBytes().isEmpty());
}

TEST_F(PianoItem, EditModeHandsTheTouchedControlOverAndStillSends)
{
    QList<QObject *> handed;
    app->controls().setEditorHandOver([&](int, QObject *control) { handed.append(control); });
    app->presentation().setEditCCs(true);
    pianoView *view = piano("note", "glissando");
    Hand hand(view);
    hand.press(1, key(0));
    hand.release(1, key(0));
    hand.press(1, QPointF(3, 15));
    EXPECT_EQ(handed, (QList<QObject *>{view, view})) << "an octave-zone touch counts too";
    EXPECT_EQ(userBytes().size(), 2);
}

class RecordingKeys : public KeySynthesizer {
public:
    QList<bool> posted;
    bool postEscape(bool keyDown) override
    {
        posted.append(keyDown);
        return true;
    }
    QString errorString() const override { return {}; }
};

using EscapeItem = ControlRig;

TEST_F(EscapeItem, PostsEscapeDownAndUp)
{
    RecordingKeys keys;
    app->controls().setKeySynthesizer(&keys);
    padButton *button = pad("esc");
    ASSERT_NE(button, nullptr);
    press(button);
    EXPECT_EQ(keys.posted, QList<bool>{true});
    release(button, QPoint(-40, 10));
    EXPECT_EQ(keys.posted, (QList<bool>{true, false})) << "released away from the button";
    app->controls().setKeySynthesizer(nullptr);
    tap(button);
    EXPECT_EQ(keys.posted.size(), 2) << "no synthesizer, no crash";
}

} // namespace
