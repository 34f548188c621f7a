#include "SurfaceRig.h"

#include <gtest/gtest.h>

#include <array>

namespace {

enum Kind { Ctrl = 0, Note = 1, ProgramChange = 2, PitchBend = 3, Mmc = 4, Ctrl14 = 5, Nrpn = 6, Osc = 7 };

class ListenerTablesTest : public ::testing::Test {
protected:
    auto cell(int kind, int number, int channel)
    {
        return m_rig.m_listeners.returnListenerFor(TestControl(kind, number, channel));
    }

    SurfaceRig m_rig;
};

// Kinds without a table get fresh cells nothing updates.
TEST_F(ListenerTablesTest, ControlsOfOneAddressShareOneCell)
{
    const auto ctrl = cell(Ctrl, 7, 1);
    EXPECT_EQ(cell(Ctrl, 7, 1), ctrl);
    EXPECT_NE(cell(Ctrl, 7, 2), ctrl);
    EXPECT_NE(cell(Note, 7, 1), ctrl);
    EXPECT_NE(cell(Ctrl14, 7, 1), ctrl);
    EXPECT_EQ(cell(PitchBend, 1, 3), cell(PitchBend, 99, 3)); // keyed by channel alone
    for (int kind : {int(ProgramChange), int(Mmc), 8, -1}) {
        const auto first = cell(kind, 5, 1);
        EXPECT_NE(first, cell(kind, 5, 1)) << kind;
        m_rig.user("c105");
        m_rig.user("b00505");
        EXPECT_EQ(first->value(), 0) << kind;
    }
}

// Messages met before their cell exists are skipped.
TEST_F(ListenerTablesTest, NotesControlChangesAndPitchBendsSetTheirCells)
{
    for (const char *hex : {"b00764", "903c7f", "e00040"})
        m_rig.user(hex);
    for (const auto &skipped : {cell(Ctrl, 7, 1), cell(Note, 60, 1), cell(PitchBend, 0, 1)})
        EXPECT_EQ(skipped->value(), 0);
    const std::array cells{cell(Note, 60, 10), cell(Ctrl, 7, 16), cell(PitchBend, 0, 3)};
    const struct {
        const char *hex;
        int cell;
        int value;
    } steps[] = {{"993c40", 0, 1},
                 {"993c00", 0, 0},
                 {"993c01", 0, 1},
                 {"893c40", 0, 0},
                 {"983c40", 0, 0} /* another channel */,
                 {"bf0764", 1, 100},
                 {"e20140", 2, 1 | 64 << 7},
                 {"e2ffff", 2, 16383} /* bytes outside the protocol keep to 14 bits */};
    for (const auto &step : steps) {
        m_rig.user(step.hex);
        EXPECT_EQ(cells[step.cell]->value(), step.value) << step.hex;
    }
}

TEST_F(ListenerTablesTest, FourteenBitPairsFollowEachOtherAmongControlChanges)
{
    auto wide = cell(Ctrl14, 7, 1);
    auto msb = cell(Ctrl, 7, 1);
    auto lsb = cell(Ctrl, 39, 1);

    m_rig.user("b00710");
    m_rig.user("b02705");
    EXPECT_EQ(wide->value(), 0x10 * 128 + 5);
    EXPECT_EQ(msb->value(), 0x10);
    EXPECT_EQ(lsb->value(), 5);

    m_rig.user("b00720");
    m_rig.user("903c7f"); // a note between does not break the pair
    m_rig.user("e00040");
    m_rig.user("b02706");
    EXPECT_EQ(wide->value(), 0x20 * 128 + 6);

    m_rig.user("b00730");
    m_rig.user("b00a00"); // another control change does
    m_rig.user("b02707");
    EXPECT_EQ(wide->value(), 0x20 * 128 + 6);
    EXPECT_EQ(lsb->value(), 7);

    m_rig.user("b00740");
    m_rig.user("b12708"); // and so does another channel
    EXPECT_EQ(wide->value(), 0x20 * 128 + 6);
}

// Data entry pairs with the last selection, whatever its channel and batch.
TEST_F(ListenerTablesTest, NrpnSequencesPairAcrossBatches)
{
    // Parameter 300 on channel 2: MSB 2, LSB 0x2C.
    auto nrpn = cell(Nrpn, 300, 2);
    auto dataEntry = cell(Ctrl, 6, 2);
    for (const char *hex : {"b16302", "b1622c", "b10607", "b12668"})
        m_rig.user(hex);
    EXPECT_EQ(nrpn->value(), 1000);

    // A second data pair without a new selection moves only the plain cells.
    m_rig.user("b10601");
    m_rig.user("b12601");
    EXPECT_EQ(nrpn->value(), 1000);
    EXPECT_EQ(dataEntry->value(), 1);

    for (const char *hex : {"b16302", "b1622c", "b50600", "b52605"})
        m_rig.user(hex);
    EXPECT_EQ(nrpn->value(), 5);
}

TEST_F(ListenerTablesTest, RegisteredControlsFollowTheirCell)
{
    cell(Ctrl, 1, 1)->setValue(42);
    TestControl first(Ctrl, 1, 1);
    TestControl second(Ctrl, 1, 1);
    m_rig.m_listeners.addListener(first);
    m_rig.m_listeners.addListener(second);
    m_rig.m_listeners.addListener(second); // registering twice must not double the updates
    {
        TestControl gone(Ctrl, 1, 1); // destroyed without removal: never called again
        m_rig.m_listeners.addListener(gone);
    }
    m_rig.user("b00109");
    EXPECT_EQ(second.m_values, (QVariantList{42, 42, 9}));
    m_rig.m_listeners.removeListener(first);
    m_rig.user("b0010a");
    EXPECT_EQ(first.m_values, (QVariantList{42, 9}));
    EXPECT_EQ(second.m_values.last(), 10);

    TestControl osc(Osc, 0, 0, "/mix/fader1");
    m_rig.m_listeners.addListener(osc);
    EXPECT_EQ(m_rig.m_listeners.oscStore("/mix/fader*"), nullptr);
    EXPECT_EQ(m_rig.m_listeners.oscStore("/mix/fader1/"), nullptr);
    ASSERT_NE(m_rig.m_listeners.oscStore("/mix/fader1"), nullptr);
    m_rig.m_listeners.oscStore("/mix/fader1")->setValue(0.25);
    EXPECT_EQ(osc.m_values.last(), 0.25);
}

// Surface input leaves the cells alone. The test is by name only, so a port of another program with the
// surface name is surface feedback, and a message that carries no endpoint is listener input.
TEST_F(ListenerTablesTest, DispatchGoesByTheNameOfTheEndpoint)
{
    auto device = std::make_shared<midi::Device>("Host", 77);
    auto foreignSurface = std::make_shared<midi::SourceEndpoint>("Stripdeck Surface", device, 78);
    auto ctrl = cell(Ctrl, 1, 1);
    auto bend = cell(PitchBend, 0, 9);
    m_rig.surface("b00140");
    m_rig.surface("e87f7f");
    EXPECT_EQ(ctrl->value(), 0);
    EXPECT_EQ(bend->value(), 0);
    m_rig.m_handler.takeMIDIMessages({midi::Message(QByteArray::fromHex("b0017f"), 0, foreignSurface),
                                      midi::Message(QByteArray::fromHex("b00105"))});
    EXPECT_EQ(m_rig.m_strip.getSoloButtonValue(), 127);
    EXPECT_EQ(ctrl->value(), 5);
}

} // namespace
