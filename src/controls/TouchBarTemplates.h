#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

class TouchBar;
class TouchBarArrangements;
class TouchBarDelegate;

// The touch bars the program shows: the presented one, the nine user touch bars the user may
// rearrange, and the group touch bars that pop up from a group button. Each accessor makes its
// bar on first use and returns the same bar ever after; group bars are shared by every user
// touch bar.
class TouchBarTemplates {
public:
    static constexpr int firstGroupNumber = 1;
    static constexpr int lastGroupNumber = 24;
    static constexpr int eightFaderGroupNumber = 14;

    // Neither is owned; both must outlive the templates.
    TouchBarTemplates(TouchBarDelegate *delegate, TouchBarArrangements *arrangements);
    ~TouchBarTemplates();

    TouchBar *mainTouchBar();
    // 0 ... 8; null outside.
    TouchBar *userTouchBar(int number);

    // 1 ... 4, 1 ... 10, 1 ... 4, 1 ... 4; null outside.
    TouchBar *fourFader(int n);
    TouchBar *twoFader(int n);
    TouchBar *threeFader1Button(int n);
    TouchBar *eightButton(int n);
    TouchBar *transportGroup();
    TouchBar *eightFaderGroup();
    TouchBar *controlStripGroup();

    // The bar a group button with this tag opens; null for numbers outside 1 ... 24.
    TouchBar *groupTouchBar(int groupNumber);
    // The group a button tag stands for ("4slider-group1", "8fader-item", ...); empty if none.
    static QString groupName(int groupNumber);
    // 1 ... 24, or 0 for a name that is not a group.
    static int groupNumber(const QString &groupName);

    // A new bar for the customization palette each call, allowing every placeable item.
    std::unique_ptr<TouchBar> makeTouchBar() const;

private:
    TouchBar *bar(const QString &key, const std::function<void(TouchBar &)> &setUp);
    TouchBar *groupBar(const QString &key, const QStringList &items);

    TouchBarDelegate *m_delegate;
    TouchBarArrangements *m_arrangements;
    QHash<QString, std::shared_ptr<TouchBar>> m_bars;
};
