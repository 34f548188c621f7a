#include "newVersionViewController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

newVersionViewController::newVersionViewController(float onlineVersion, const QString &downloadURL,
                                                   UrlOpener opener, QWidget *parent)
    : QDialog(parent)
    , m_infoText(new QLabel(this))
    , m_onlineVersion(onlineVersion)
    , m_downloadURL(downloadURL)
    , m_opener(std::move(opener))
{
    setWindowTitle(tr("Update Available"));
    m_infoText->setWordWrap(true);
    // It may show the feed's download address: text from the network is never markup.
    m_infoText->setTextFormat(Qt::PlainText);
    m_infoText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_infoText->setText(QStringLiteral("Stripdeck %1 is available. Do you want to download it now?")
                            .arg(double(onlineVersion), 0, 'f', 1));
    auto *downloadButton = new QPushButton(tr("Download"), this);
    downloadButton->setDefault(true);
    auto *cancelButton = new QPushButton(tr("Cancel"), this);
    connect(downloadButton, &QPushButton::clicked, this, &newVersionViewController::download);
    connect(cancelButton, &QPushButton::clicked, this, &newVersionViewController::cancel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(downloadButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_infoText);
    layout->addLayout(buttons);
}

void newVersionViewController::download()
{
    // The address comes from the network: only web addresses are handed to the system, never
    // a file or another program's scheme.
    const QUrl url(m_downloadURL, QUrl::StrictMode);
    const bool web =
        url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
    if (web && m_opener && m_opener(url)) {
        accept();
        return;
    }
    // Without a handler (or without a usable address) the address stays here to be copied.
    m_infoText->setText(m_downloadURL.isEmpty()
                            ? tr("The update feed names no download address.")
                            : tr("Open %1 in a web browser to download it.").arg(m_downloadURL));
}
