#include "app/aboutbox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace korvel {

namespace {

// The maker's pages for German and for English readers.
const char *const kWebAddressGerman = "https://korvel.example.org/de/";
const char *const kWebAddressEnglish = "https://korvel.example.org/en/";

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setModal(true);

    m_product = new QLabel(QStringLiteral("Korvel"), this);
    m_product->setObjectName(QStringLiteral("ProductName"));
    QFont big = m_product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_product->setFont(big);

    m_versionCaption = new QLabel(this);
    m_versionCaption->setObjectName(QStringLiteral("Version"));
    LabelVersion = new QLabel(this);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));

    m_link = new QLabel(this);
    m_link->setObjectName(QStringLiteral("LabelWeb"));
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setTextFormat(Qt::RichText);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // The address goes through the opener given by the caller, not through the label itself.
    connect(m_link, &QLabel::linkActivated, this, [this] { LinkClick(); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_product, 0, 0, 1, 2);
    layout->addWidget(m_versionCaption, 1, 0);
    layout->addWidget(LabelVersion, 1, 1);
    layout->addWidget(m_link, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

QString TAboutBox::webAddress() const
{
    return QString::fromLatin1(UiLanguage != 0 ? kWebAddressEnglish : kWebAddressGerman);
}

void TAboutBox::FormShow()
{
    const bool english = UiLanguage != 0;
    setWindowTitle(english ? QStringLiteral("About...") : QStringLiteral("Über..."));
    m_versionCaption->setText(english ? QStringLiteral("Release") : QStringLiteral("Version"));
    const QString address = webAddress();
    m_link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
}

void TAboutBox::LinkClick()
{
    if (m_openUrl)
        m_openUrl(webAddress());
}

void TAboutBox::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        if (m_help)
            m_help(50);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvel
