#include "OSCSettingsViewController.h"

#include "model/UserDefaults.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCServer.h"
#include "oscSettingsWindowDelegate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {
const QString oscKey = QStringLiteral("OSC");
const QString listenPortKey = QStringLiteral("listen-port");
const QString hostPortKey = QStringLiteral("host-port");
const QString hostNameKey = QStringLiteral("host-name");
const QString activeKey = QStringLiteral("active");
const QString listenInterfaceKey = QStringLiteral("listen-interface");
// Stored as the server takes it: empty for every interface. Every interface stays the default,
// since phones and tablets on the network are what most people send from.
const QString thisComputerOnly = QStringLiteral("localhost");
} // namespace

OSCSettingsViewController::OSCSettingsViewController(UserDefaults &defaults, OSCServer *oscServer,
                                                     OSCClient *oscClient, QWidget *parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_oscServer(oscServer)
    , m_oscClient(oscClient)
    , m_receivePortTextField(new QLineEdit(this))
    , m_sendPortTextField(new QLineEdit(this))
    , m_hostTextField(new QLineEdit(this))
    , m_activeButton(new QCheckBox(tr("OSC active"), this))
    , m_listenInterfaceButton(new QComboBox(this))
    , m_listeningAddressText(new QLabel(this))
    , m_logTextField(new QPlainTextEdit(this))
{
    setWindowTitle(tr("OSC Settings"));
    m_logTextField->setReadOnly(true);
    m_logTextField->setMinimumHeight(m_logTextField->fontMetrics().lineSpacing() * logCapacity);
    m_listenInterfaceButton->addItem(tr("All interfaces"), QString());
    m_listenInterfaceButton->addItem(tr("This computer only"), thisComputerOnly);
    m_listeningAddressText->setTextFormat(Qt::PlainText);
    auto *testButton = new QPushButton(tr("Send Test Message"), this);
    auto *layout = new QFormLayout(this);
    layout->addRow(tr("Receive port:"), m_receivePortTextField);
    layout->addRow(tr("Receive from:"), m_listenInterfaceButton);
    layout->addRow(m_listeningAddressText);
    layout->addRow(tr("Send port:"), m_sendPortTextField);
    layout->addRow(tr("Send to host:"), m_hostTextField);
    layout->addRow(m_activeButton);
    layout->addRow(testButton);
    layout->addRow(tr("Received:"), m_logTextField);

    for (QLineEdit *field : {m_receivePortTextField, m_sendPortTextField, m_hostTextField})
        connect(field, &QLineEdit::editingFinished, this, [this, field] { controlTextDidEndEditing(field); });
    connect(m_activeButton, &QCheckBox::clicked, this, &OSCSettingsViewController::changeActivity);
    connect(m_listenInterfaceButton, &QComboBox::activated, this,
            &OSCSettingsViewController::changeListenInterface);
    connect(testButton, &QPushButton::clicked, this, &OSCSettingsViewController::sendTestMessage);
    readSettings();
}

OSCSettingsViewController::~OSCSettingsViewController()
{
    // QWidget's destructor closes a shown window, and the focus leaving a field ends its
    // editing: by then nothing of this class may run, nor change an endpoint on the way out.
    for (QLineEdit *field : {m_receivePortTextField, m_sendPortTextField, m_hostTextField})
        field->disconnect(this);
}

void OSCSettingsViewController::readSettings()
{
    const QVariantMap settings = m_defaults.dictionaryForKey(oscKey);
    m_receivePortTextField->setText(QString::number(settings.value(listenPortKey).toLongLong()));
    m_sendPortTextField->setText(QString::number(settings.value(hostPortKey).toLongLong()));
    m_hostTextField->setText(settings.value(hostNameKey).toString());
    m_activeButton->setChecked(settings.value(activeKey).toBool());
    const QString stored = settings.value(listenInterfaceKey).toString();
    // An address or interface name set in the preferences by hand is kept and offered as it is.
    if (m_listenInterfaceButton->findData(stored) < 0)
        m_listenInterfaceButton->addItem(stored, stored);
    m_listenInterfaceButton->setCurrentIndex(m_listenInterfaceButton->findData(stored));
    showListeningAddress();
}

void OSCSettingsViewController::saveSettings()
{
    m_defaults.setObject(QVariantMap{{listenPortKey, integerValue(m_receivePortTextField)},
                                     {hostPortKey, integerValue(m_sendPortTextField)},
                                     {hostNameKey, m_hostTextField->text()},
                                     {activeKey, m_activeButton->isChecked()},
                                     {listenInterfaceKey, chosenInterface()}},
                         oscKey);
}

// The endpoints take ports modulo 65536, as the stored settings are taken at start; the field
// keeps (and the preference stores) what was typed.
void OSCSettingsViewController::controlTextDidEndEditing(QLineEdit *field)
{
    if (field == m_receivePortTextField && m_oscServer) {
        m_oscServer->changePortTo(quint16(integerValue(field)));
        // A new port restarts the server; with OSC switched off it must stay silent.
        if (!m_activeButton->isChecked())
            m_oscServer->stop();
        showListeningAddress();
    } else if (field == m_sendPortTextField && m_oscClient) {
        m_oscClient->changePortTo(quint16(integerValue(field)));
    } else if (field == m_hostTextField && m_oscClient) {
        m_oscClient->changeHotTo(field->text());
    }
}

void OSCSettingsViewController::changeActivity()
{
    const bool active = m_activeButton->isChecked();
    if (m_oscServer) {
        if (active)
            m_oscServer->start();
        else
            m_oscServer->stop();
    }
    if (m_oscClient)
        m_oscClient->setIsActive(active);
    showListeningAddress();
}

void OSCSettingsViewController::changeListenInterface()
{
    if (!m_oscServer)
        return;
    m_oscServer->changeInterfaceTo(chosenInterface());
    if (!m_activeButton->isChecked())
        m_oscServer->stop();
    showListeningAddress();
}

QString OSCSettingsViewController::chosenInterface() const
{
    return m_listenInterfaceButton->currentData().toString();
}

void OSCSettingsViewController::showListeningAddress()
{
    if (!m_oscServer || !m_oscServer->isListening()) {
        m_listeningAddressText->setText(tr("Not listening."));
        return;
    }
    const QString port = QString::number(m_oscServer->server().port());
    const QString interface = m_oscServer->listenInterface();
    if (interface.isEmpty())
        m_listeningAddressText->setText(
            tr("Listening on every interface, port %1: devices on the network can send here.").arg(port));
    else if (interface == thisComputerOnly)
        m_listeningAddressText->setText(
            tr("Listening on 127.0.0.1, port %1: only programs on this computer can send here.").arg(port));
    else
        m_listeningAddressText->setText(tr("Listening on %1, port %2.").arg(interface, port));
}

void OSCSettingsViewController::sendTestMessage()
{
    if (m_oscClient)
        m_oscClient->sendPacket(osc::Message(QStringLiteral("/test"), {1.0f}));
}

void OSCSettingsViewController::writeIntoLog(const QString &line)
{
    if (m_allLines.contains(line))
        return;
    m_allLines.append(line);
    if (m_allLines.size() >= logCapacity)
        m_allLines.removeFirst();
    m_logTextField->setPlainText(m_allLines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void OSCSettingsViewController::closeEvent(QCloseEvent *event)
{
    saveSettings();
    if (m_delegate)
        m_delegate->closeOSCSettingsWindow();
    QWidget::closeEvent(event);
}

// The leading integer of the text, as a number field reads it: "8000 " and "8000x" are 8000,
// text without one is 0.
qint64 OSCSettingsViewController::integerValue(const QLineEdit *field)
{
    static const QRegularExpression leadingInteger(QStringLiteral("^\\s*[+-]?\\d+"));
    return leadingInteger.match(field->text()).captured(0).trimmed().toLongLong();
}
