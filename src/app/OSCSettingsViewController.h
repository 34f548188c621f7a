#pragma once

#include <QStringList>
#include <QWidget>

class OSCClient;
class OSCServer;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class UserDefaults;
class oscSettingsWindowDelegate;

// Edits the "OSC" preference. Port and host changes reach the running endpoints as soon as a
// field's editing ends; the preference is written only when the window closes.
class OSCSettingsViewController : public QWidget {
    Q_OBJECT
public:
    // The log keeps fewer lines than this.
    static constexpr int logCapacity = 8;

    // Nothing is owned; the endpoints and the delegate may be null.
    OSCSettingsViewController(UserDefaults &defaults, OSCServer *oscServer, OSCClient *oscClient,
                              QWidget *parent = nullptr);
    ~OSCSettingsViewController() override;

    void setDelegate(oscSettingsWindowDelegate *delegate) { m_delegate = delegate; }

    QLineEdit *receivePortTextField() const { return m_receivePortTextField; }
    QLineEdit *sendPortTextField() const { return m_sendPortTextField; }
    QLineEdit *hostTextField() const { return m_hostTextField; }
    QCheckBox *activeButton() const { return m_activeButton; }
    // "All interfaces" or "This computer only".
    QComboBox *listenInterfaceButton() const { return m_listenInterfaceButton; }
    QLabel *listeningAddressText() const { return m_listeningAddressText; }
    QPlainTextEdit *logTextField() const { return m_logTextField; }

    void readSettings();
    void saveSettings();
    void controlTextDidEndEditing(QLineEdit *field);
    void changeActivity();
    void changeListenInterface();
    void sendTestMessage();
    void writeIntoLog(const QString &line);

protected:
    // Closing saves the settings whole and tells the delegate.
    void closeEvent(QCloseEvent *event) override;

private:
    static qint64 integerValue(const QLineEdit *field);
    QString chosenInterface() const;
    void showListeningAddress();

    UserDefaults &m_defaults;
    OSCServer *m_oscServer;
    OSCClient *m_oscClient;
    oscSettingsWindowDelegate *m_delegate = nullptr;
    QLineEdit *m_receivePortTextField;
    QLineEdit *m_sendPortTextField;
    QLineEdit *m_hostTextField;
    QCheckBox *m_activeButton;
    QComboBox *m_listenInterfaceButton;
    QLabel *m_listeningAddressText;
    QPlainTextEdit *m_logTextField;
    QStringList m_allLines;
};
