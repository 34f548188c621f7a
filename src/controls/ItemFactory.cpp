#include "ItemFactory.h"

#include "ControlActions.h"
#include "ControlHost.h"
#include "TouchBarTemplates.h"
#include "midiSlider.h"
#include "padButton.h"
#include "pianoView.h"
#include "popUpButton.h"

#include "midi/ListenerTables.h"
#include "model/ControlCatalog.h"
#include "model/ControlColors.h"
#include "model/ControlMaps.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>

namespace {

using Family = ControlSettings::Family;

constexpr qreal escWidth = 64.0;

struct TransportButton {
    const char *name;
    int tag;
    ControlIcons::Icon image;
    const char *customizationLabel;
};

constexpr TransportButton transportButtons[] = {
    {"play", 1, ControlIcons::Icon::Play, "Play"},
    {"pause", 2, ControlIcons::Icon::Pause, "Pause"},
    {"stop", 3, ControlIcons::Icon::Stop, "Stop"},
    {"record", 4, ControlIcons::Icon::Record, "Record"},
    {"ff", 5, ControlIcons::Icon::FastForward, "Fast Forward"},
    {"fb", 6, ControlIcons::Icon::Rewind, "Rewind"},
    {"previous", 7, ControlIcons::Icon::SkipToStart, "Start"},
    {"next", 8, ControlIcons::Icon::SkipToEnd, "End"},
};

const TransportButton *transportButton(const QString &name)
{
    for (const TransportButton &button : transportButtons) {
        if (name == QLatin1String(button.name))
            return &button;
    }
    return nullptr;
}

// "slider3" and "popup.slider3" are faders, "pad7" a pad; the number, or 0.
int numbered(const QString &identifier, const QString &stem, int count)
{
    static const QRegularExpression number(QStringLiteral("^(\\D+)(\\d+)$"));
    const auto match = number.match(ControlCatalog::controlName(identifier));
    if (!match.hasMatch() || match.captured(1) != stem)
        return 0;
    const int n = match.captured(2).toInt();
    return n >= 1 && n <= count ? n : 0;
}

bool isFader(const QString &identifier)
{
    const QString prefix = ControlCatalog::identifier(QString());
    const QString name = identifier.mid(prefix.size());
    return identifier.startsWith(prefix) && numbered(identifier, QStringLiteral("slider"), 4) &&
           (name.startsWith(QLatin1String("slider")) || name.startsWith(QLatin1String("popup.slider")));
}

QString localized(const char *text)
{
    return QCoreApplication::translate("Localizable", text);
}

} // namespace

ItemFactory::ItemFactory(ControlActions &actions, ControlMaps &maps, midi::ListenerTables &listeners,
                         ControlHost &host)
    : m_actions(actions)
    , m_maps(maps)
    , m_listeners(listeners)
    , m_host(host)
{
}

void ItemFactory::setMaker(const QString &identifier, Maker maker)
{
    if (maker)
        m_makers.insert(identifier, std::move(maker));
    else
        m_makers.remove(identifier);
}

ControlSettings ItemFactory::recordFor(const QString &controlName) const
{
    const QString group = m_host.lastCreatedBar();
    return m_maps.record(m_host.userTouchbarNumber(),
                         group.isEmpty() ? QString() : ControlCatalog::controlName(group), controlName);
}

std::shared_ptr<TouchBarItem> ItemFactory::makeItemForIdentifier(TouchBar &, const QString &identifier)
{
    if (identifier == ControlCatalog::identifier(QStringLiteral("8fader-item")))
        return makePopoverButton(identifier, QStringLiteral("Device"), QStringLiteral("Device"),
                                 TouchBarTemplates::eightFaderGroupNumber);
    const QString name = ControlCatalog::controlName(identifier);
    if (const auto maker = m_makers.constFind(identifier); maker != m_makers.constEnd())
        return (*maker)(identifier, recordFor(name));
    if (!identifier.startsWith(ControlCatalog::identifier(QString())))
        return nullptr;

    if (isFader(identifier))
        return makeFader(identifier, recordFor(name));
    if (const int pad = numbered(identifier, QStringLiteral("pad"), 10))
        return makePad(identifier, pad, recordFor(name));
    if (name == QLatin1String("esc"))
        return makeESCPadButton(identifier, QStringLiteral("esc"), QStringLiteral("esc Button"), 1);
    if (name == QLatin1String("close"))
        return makeCloseButton(identifier);
    if (ControlCatalog::groupNames().contains(name))
        return makeGroupButton(identifier, name);
    if (transportButton(name))
        return makeTransport(identifier, name, recordFor(name));
    if (name == QLatin1String("piano"))
        return makePiano(identifier, recordFor(name));
    if (name == QLatin1String("simpleLabel"))
        return makeLabel(identifier);
    return nullptr;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeFader(const QString &identifier, const ControlSettings &record)
{
    auto item = std::make_shared<midiSlider>(identifier);
    receiveValueSlider *slider = item->slider();
    item->setType(record.behaviour(Family::Fader));
    slider->setMinValue(record.scaleFrom());
    slider->setMaxValue(record.scaleTo());
    slider->setDoubleValue((record.scaleTo() - record.scaleFrom()) * 0.5);
    item->setCustomizationLabel(QStringLiteral("Fader"));
    item->setCtrlNumber(record.value());
    item->setKind(int(record.kind()));
    item->setChannelNumber(record.channel());
    item->setOscAddress(record.oscAddress().value_or(QString()));
    item->setGroupIdentifier(m_host.lastCreatedBar());
    item->setLabel(record.label());
    slider->setTrackFillColor(record.color().value_or(ControlColors::fader()));
    slider->setTouchDelegate(&m_actions);
    // The item outlives its slider's actions: both go when the item drops its view.
    midiSlider *raw = item.get();
    slider->setAction([this, raw] { m_actions.sliderChanged(*raw); });
    m_listeners.addListener(*item);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::buttonItem(const QString &identifier, padButton *button,
                                                      const QString &customizationLabel)
{
    auto item = std::make_shared<TouchBarItem>(identifier);
    item->setView(button);
    item->setCustomizationLabel(customizationLabel);
    return item;
}

void ItemFactory::copyAddress(padButton &button, const ControlSettings &record) const
{
    button.setCtrlNumber(record.value());
    button.setKind(int(record.kind()));
    button.setChannelNumber(record.channel());
    button.setOscAddress(record.oscAddress().value_or(QString()));
    button.setMinValue(record.scaleFrom());
    button.setMaxValue(record.scaleTo());
    button.setGroupIdentifier(m_host.lastCreatedBar());
}

std::shared_ptr<TouchBarItem> ItemFactory::makePadButton(const QString &identifier, const QString &title,
                                                         const QString &customizationLabel, int tag)
{
    auto *button = new padButton;
    button->setTitle(title);
    button->setTag(tag);
    button->setIdentifier(identifier);
    button->setCanSendMMC(false);
    button->setAction([this](padButton &pad) { m_actions.padAction(pad); });
    return buttonItem(identifier, button, customizationLabel);
}

std::shared_ptr<TouchBarItem> ItemFactory::makePad(const QString &identifier, int number,
                                                   const ControlSettings &record)
{
    auto item = makePadButton(identifier, record.label(), QStringLiteral("Pad"), number);
    auto *button = static_cast<padButton *>(item->view());
    const int behaviour = record.behaviour(Family::Pad);
    const bool toggle = behaviour == 1;
    button->setButtonType(toggle ? padButton::ButtonType::PushOnPushOff : padButton::ButtonType::Momentary);
    button->setIgnoreState(!toggle);
    const QString group = ControlCatalog::controlName(m_host.lastCreatedBar());
    button->setBezelColor(
        record.color().value_or(ControlColors::pad(m_host.lastCreatedBar().isEmpty() ? QString() : group)));
    copyAddress(*button, record);
    button->setBehavior(behaviour);
    if (toggle)
        m_listeners.addListener(*button);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeESCPadButton(const QString &identifier, const QString &title,
                                                            const QString &customizationLabel, int tag)
{
    auto item = makePadButton(identifier, title, customizationLabel, tag);
    auto *button = static_cast<padButton *>(item->view());
    button->setTitleCell(padButton::TitleCell::VAlignText);
    button->setAction([this](padButton &pressed) { m_actions.escAction(pressed); });
    item->setSizing(TouchBarItem::Sizing::Fixed, escWidth);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeCloseButton(const QString &identifier)
{
    auto *button = new popUpButton;
    button->setIcon(ControlIcons::Icon::Close);
    button->setBezelColor(Qt::transparent);
    button->setAction([this](padButton &) { m_actions.closeAction(); });
    auto item = buttonItem(identifier, button, QString());
    item->setSizing(TouchBarItem::Sizing::Fixed, 72.0);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makePopoverButton(const QString &identifier, const QString &title,
                                                             const QString &customizationLabel, int tag)
{
    auto *button = new popUpButton;
    button->setTitle(title);
    button->setTag(tag);
    button->setIdentifier(identifier);
    button->setAction([this](padButton &pressed) { m_actions.popOverAction(pressed); });
    return buttonItem(identifier, button, customizationLabel);
}

std::shared_ptr<TouchBarItem> ItemFactory::makePopoverButton(const QString &identifier,
                                                             ControlIcons::Icon image,
                                                             const QString &customizationLabel, int tag)
{
    auto item = makePopoverButton(identifier, QString(), customizationLabel, tag);
    static_cast<padButton *>(item->view())->setIcon(image);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeGroupButton(const QString &identifier,
                                                           const QString &groupName)
{
    const int number = m_host.userTouchbarNumber();
    const int tag = TouchBarTemplates::groupNumber(groupName);
    std::shared_ptr<TouchBarItem> item;
    if (groupName == QLatin1String("transport-group")) {
        item = makePopoverButton(identifier, ControlIcons::Icon::PlayPause,
                                 QStringLiteral("Transport Buttons (Popup Button)"), tag);
    } else {
        const char *label = groupName.startsWith(QLatin1String("4slider"))   ? "4 Faders"
                            : groupName.startsWith(QLatin1String("8pad"))    ? "10 Pads"
                            : groupName.startsWith(QLatin1String("3slider")) ? "EQ Faders"
                                                                             : "2 Faders";
        item = makePopoverButton(identifier, m_maps.groupLabel(number, groupName),
                                 QString::fromLatin1(label) + QStringLiteral(" (Popup Button)"), tag);
    }
    static_cast<padButton *>(item->view())
        ->setBezelColor(m_maps.groupColor(number, groupName).value_or(ControlColors::groupButton(groupName)));
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeTransportButton(const QString &identifier,
                                                               ControlIcons::Icon image,
                                                               const QString &customizationLabel, int tag)
{
    auto *button = new padButton;
    button->setIcon(image);
    button->setTag(tag);
    button->setIdentifier(identifier);
    button->setCanSendMMC(tag != 7 && tag != 8);
    button->setAction([this](padButton &pressed) { m_actions.transportAction(pressed); });
    return buttonItem(identifier, button, customizationLabel);
}

std::shared_ptr<TouchBarItem> ItemFactory::makeTransport(const QString &identifier,
                                                         const QString &controlName,
                                                         const ControlSettings &record)
{
    const TransportButton *kind = transportButton(controlName);
    auto item = makeTransportButton(identifier, kind->image, QString::fromLatin1(kind->customizationLabel),
                                    kind->tag);
    auto *button = static_cast<padButton *>(item->view());
    copyAddress(*button, record);
    button->setBehavior(record.behaviour(Family::Transport));
    button->setButtonType(padButton::ButtonType::Momentary);
    button->setBezelColor(record.color().value_or(ControlColors::transport()));
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makePiano(const QString &identifier, const ControlSettings &record)
{
    auto *piano = new pianoView(record.octaves(), record.startOctave());
    piano->setIdentifier(identifier);
    piano->setPianoDelegate(&m_actions);
    piano->setChannelNumber(record.channel());
    piano->setType(record.behaviour(Family::Piano));
    piano->setKind(int(record.kind()));
    piano->setOscAddress(record.oscAddress().value_or(QString()));
    piano->setMinValue(record.scaleFrom());
    piano->setMaxValue(record.scaleTo());
    auto item = std::make_shared<TouchBarItem>(identifier);
    item->setView(piano);
    item->setCustomizationLabel(localized("Piano Keys"));
    item->setSizing(TouchBarItem::Sizing::AtLeast, pianoView::minimumWidth);
    return item;
}

std::shared_ptr<TouchBarItem> ItemFactory::makeLabel(const QString &identifier)
{
    auto *label = new QLabel(localized("MIDI->"));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: white;"));
    auto item = std::make_shared<TouchBarItem>(identifier);
    item->setView(label);
    return item;
}
