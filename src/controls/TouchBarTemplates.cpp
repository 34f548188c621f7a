#include "TouchBarTemplates.h"

#include "model/ControlCatalog.h"
#include "platform/touchbar/TouchBar.h"

namespace {

struct GroupRange {
    int first;
    int count;
    const char *stem;
};

// Button tags in the order the group buttons number them.
constexpr GroupRange groupRanges[] = {
    {1, 4, "4slider-group%1"},         {5, 4, "8pad-group%1"}, {9, 1, "transport-group"},
    {10, 4, "3slider1button-group%1"}, {14, 1, "8fader-item"}, {15, 10, "2slider-group%1"},
};

bool inRange(int n, int count)
{
    return n >= 1 && n <= count;
}

} // namespace

TouchBarTemplates::TouchBarTemplates(TouchBarDelegate *delegate, TouchBarArrangements *arrangements)
    : m_delegate(delegate)
    , m_arrangements(arrangements)
{
}

TouchBarTemplates::~TouchBarTemplates() = default;

TouchBar *TouchBarTemplates::bar(const QString &key, const std::function<void(TouchBar &)> &setUp)
{
    auto &slot = m_bars[key];
    if (!slot) {
        slot = std::make_shared<TouchBar>(m_delegate, m_arrangements);
        setUp(*slot);
    }
    return slot.get();
}

TouchBar *TouchBarTemplates::groupBar(const QString &key, const QStringList &items)
{
    return bar(key, [&items](TouchBar &made) { made.setDefaultItemIdentifiers(items); });
}

TouchBar *TouchBarTemplates::mainTouchBar()
{
    return bar(QStringLiteral("main"), [](TouchBar &) {});
}

TouchBar *TouchBarTemplates::userTouchBar(int number)
{
    if (number < 0 || number >= ControlCatalog::userTouchBarCount)
        return nullptr;
    return bar(QStringLiteral("user%1").arg(number), [number](TouchBar &made) {
        made.setCustomizationIdentifier(ControlCatalog::customizationIdentifier(number));
        made.setDefaultItemIdentifiers(ControlCatalog::userTouchBarDefaultItems(number));
        made.setCustomizationAllowedItemIdentifiers(ControlCatalog::allowedItems());
    });
}

TouchBar *TouchBarTemplates::fourFader(int n)
{
    return inRange(n, 4) ? groupBar(QStringLiteral("fourFader%1").arg(n), ControlCatalog::fourSliderItems())
                         : nullptr;
}

TouchBar *TouchBarTemplates::twoFader(int n)
{
    return inRange(n, 10) ? groupBar(QStringLiteral("twoFader%1").arg(n), ControlCatalog::twoSliderItems())
                          : nullptr;
}

TouchBar *TouchBarTemplates::threeFader1Button(int n)
{
    return inRange(n, 4) ? groupBar(QStringLiteral("threeFader1Button%1").arg(n),
                                    ControlCatalog::threeSlider1ButtonItems())
                         : nullptr;
}

TouchBar *TouchBarTemplates::eightButton(int n)
{
    return inRange(n, 4)
               ? groupBar(QStringLiteral("eightButton%1").arg(n), ControlCatalog::eightPadGroupItems())
               : nullptr;
}

TouchBar *TouchBarTemplates::transportGroup()
{
    return groupBar(QStringLiteral("transportGroup"), ControlCatalog::transportGroupItems());
}

TouchBar *TouchBarTemplates::eightFaderGroup()
{
    return groupBar(QStringLiteral("eightFaderGroup"), {ControlCatalog::identifier(QStringLiteral("close")),
                                                        ControlCatalog::eightFaderViewIdentifier()});
}

TouchBar *TouchBarTemplates::controlStripGroup()
{
    return groupBar(QStringLiteral("controlStripGroup"), {ControlCatalog::controlStripViewIdentifier()});
}

TouchBar *TouchBarTemplates::groupTouchBar(int groupNumber)
{
    if (groupNumber >= 1 && groupNumber <= 4)
        return fourFader(groupNumber);
    if (groupNumber >= 5 && groupNumber <= 8)
        return eightButton(groupNumber - 4);
    if (groupNumber == 9)
        return transportGroup();
    if (groupNumber >= 10 && groupNumber <= 13)
        return threeFader1Button(groupNumber - 9);
    if (groupNumber == eightFaderGroupNumber)
        return eightFaderGroup();
    if (groupNumber >= 15 && groupNumber <= lastGroupNumber)
        return twoFader(groupNumber - 14);
    return nullptr;
}

QString TouchBarTemplates::groupName(int groupNumber)
{
    for (const GroupRange &range : groupRanges) {
        if (groupNumber < range.first || groupNumber >= range.first + range.count)
            continue;
        const QString stem = QString::fromLatin1(range.stem);
        return range.count == 1 ? stem : stem.arg(groupNumber - range.first + 1);
    }
    return {};
}

int TouchBarTemplates::groupNumber(const QString &groupName)
{
    for (int number = firstGroupNumber; number <= lastGroupNumber; ++number) {
        if (TouchBarTemplates::groupName(number) == groupName)
            return number;
    }
    return 0;
}

std::unique_ptr<TouchBar> TouchBarTemplates::makeTouchBar() const
{
    auto made = std::make_unique<TouchBar>(m_delegate, m_arrangements);
    made->setCustomizationIdentifier(QStringLiteral("xq.korvane.stripdeck.dummy.id"));
    made->setCustomizationAllowedItemIdentifiers(ControlCatalog::allowedItems());
    return made;
}
