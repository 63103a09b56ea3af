#include "updater/tformupdate.h"

#include "prompt/prompter.h"
#include "updater/busyanimation.h"
#include "updater/tforminfo.h"
#include "updater/updatermessages.h"
#include "updater/updatenames.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int pictureSize = 32;

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *namedButton(const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TFormUpdate::TFormUpdate(UpdaterContext context, Prompter &prompter, QWidget *parent)
    : QWidget(parent), m_context(std::move(context)), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormUpdate"));
    setWindowTitle(QStringLiteral("Updater"));
    m_downloader = new Downloader(this);
    m_downloader->setTransferTimeout(m_context.transferTimeout);
    m_formInfo = new TFormInfo(this);
    buildWindow();
}

TFormUpdate::~TFormUpdate() = default;

void TFormUpdate::buildWindow()
{
    m_labelApplication = namedLabel(QStringLiteral("LabelApplication"), QStringLiteral("Online Updater"), this);
    QFont titleFont = m_labelApplication->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_labelApplication->setFont(titleFont);

    m_label1 = namedLabel(QStringLiteral("Label1"), QString(), this);
    m_label2 = namedLabel(QStringLiteral("Label2"), QString(), this);
    m_label4 = namedLabel(QStringLiteral("Label4"), QString(), this);
    m_labelStatus = namedLabel(QStringLiteral("LabelStatus"), QStringLiteral("Offline"), this);
    m_labelOffVersion = namedLabel(QStringLiteral("LabelOffVersion"), QStringLiteral("OffVersion"), this);
    m_labelOnVersion = namedLabel(QStringLiteral("LabelOnVersion"), QStringLiteral("OnVersion"), this);
    m_labelActioninfo = namedLabel(QStringLiteral("LabelActioninfo"), QString(), this);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);

    m_labelInfo = namedLabel(QStringLiteral("LabelInfo"), QString(), this);
    m_labelWhatsNew = namedLabel(QStringLiteral("LabelWhatsNew"), QString(), this);
    m_labelWhatsNew->setFrameShape(QFrame::StyledPanel);
    m_labelWhatsNew->setFrameShadow(QFrame::Sunken);
    m_labelWhatsNew->setWordWrap(true);
    m_labelWhatsNew->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_labelWhatsNew->setMinimumSize(360, 80);

    m_bitBtn1 = namedButton(QStringLiteral("BitBtn1"), this);
    m_bitBtn2 = namedButton(QStringLiteral("BitBtn2"), this);
    m_bitBtnInfo = namedButton(QStringLiteral("BitBtnInfo"), this);
    m_bitBtnInfo->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    connect(m_bitBtn1, &QPushButton::clicked, this, &TFormUpdate::BitBtn1Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, &TFormUpdate::BitBtn2Click);
    connect(m_bitBtnInfo, &QPushButton::clicked, this, &TFormUpdate::BitBtnInfoClick);

    auto *animation = new QWidget(this);
    animation->setFixedSize(pictureSize, pictureSize);
    const QList<QPixmap> pictures = busyAnimationPictures(pictureSize);
    for (int i = 0; i < pictures.size(); ++i) {
        auto *picture = namedLabel(QStringLiteral("JvImage%1").arg(i + 1), QString(), animation);
        picture->setPixmap(pictures.at(i));
        picture->setGeometry(0, 0, pictureSize, pictureSize);
        m_pictures << picture;
    }
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(200);
    connect(m_timer, &QTimer::timeout, this, &TFormUpdate::Timer1Timer);

    auto *rows = new QGridLayout;
    rows->addWidget(m_label1, 0, 0);
    rows->addWidget(m_labelStatus, 0, 1);
    rows->addWidget(m_label2, 1, 0);
    rows->addWidget(m_labelOffVersion, 1, 1);
    rows->addWidget(m_label4, 2, 0);
    rows->addWidget(m_labelOnVersion, 2, 1);
    rows->setColumnStretch(1, 1);
    rows->addWidget(animation, 0, 2, 3, 1, Qt::AlignRight | Qt::AlignVCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_bitBtnInfo);
    buttons->addStretch(1);
    buttons->addWidget(m_bitBtn1);
    buttons->addWidget(m_bitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_labelApplication);
    layout->addLayout(rows);
    layout->addWidget(m_labelActioninfo);
    layout->addWidget(m_progressBar);
    layout->addWidget(m_labelInfo);
    layout->addWidget(m_labelWhatsNew, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    applyLanguage();
    showPicture(0);
}

void TFormUpdate::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormUpdate::closeEvent(QCloseEvent *event)
{
    // Closing while a check downloads ends that download; the check then stops and puts back
    // anything it had moved.
    m_closing = true;
    m_downloader->abort();
    m_timer->stop();
    QWidget::closeEvent(event);
}

QString TFormUpdate::text(int line) const
{
    return updaterMessage(m_commandLine.language, line);
}

void TFormUpdate::applyLanguage()
{
    const UpdaterCaptions captions = updaterCaptions(m_commandLine.language);
    m_bitBtn1->setText(captions.checkButton);
    m_bitBtn2->setText(captions.exitButton);
    m_labelInfo->setText(captions.whatsNew);
    m_label1->setText(text(UpdaterText::ConnectionCaption));
    m_label2->setText(text(UpdaterText::LocalVersionCaption));
    m_label4->setText(text(UpdaterText::AvailableVersionCaption));

    // The Yes and No of the questions speak the window's language too.
    if (!m_qtTexts) {
        m_qtTexts = new QTranslator(this);
        if (!m_qtTexts->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            qInfo("korvel-install: Qt's German texts are not installed; standard buttons stay English");
    }
    if (!isEnglish(m_commandLine.language) && !m_qtTexts->isEmpty())
        QCoreApplication::installTranslator(m_qtTexts);
    else
        QCoreApplication::removeTranslator(m_qtTexts);
}

void TFormUpdate::FormShow()
{
    m_commandLine = UpdateCommandLine();
    m_downloadAddress.clear();
    m_mode.clear();
    m_labelActioninfo->clear();
    m_timer->stop();
    showPicture(0);

    m_commandLine = parseUpdateCommandLine(m_context.arguments);
    if (!m_commandLine.installedVersion.isEmpty())
        m_labelOffVersion->setText(m_commandLine.installedVersion);
    applyLanguage();
}

void TFormUpdate::BitBtn2Click()
{
    m_ended = true;
    close();
}

void TFormUpdate::BitBtnInfoClick()
{
    const QString version = fourPartVersion(m_context.ownVersion);
    m_formInfo->setVersionText(version.isEmpty() ? text(UpdaterText::NotAvailable) : version);
    m_prompter.execDialog(*m_formInfo);
}

void TFormUpdate::Timer1Timer()
{
    showPicture(m_animationCounter);
    m_animationCounter = (m_animationCounter + 1) % static_cast<int>(m_pictures.size());
}

bool TFormUpdate::isAnimating() const
{
    return m_timer->isActive();
}

void TFormUpdate::showPicture(int index)
{
    for (int i = 0; i < m_pictures.size(); ++i)
        m_pictures.at(i)->setVisible(i == index);
}

void TFormUpdate::toggleAnimation()
{
    if (m_timer->isActive())
        stopAnimation();
    else
        m_timer->start();
}

void TFormUpdate::stopAnimation()
{
    m_timer->stop();
    showPicture(0);
}

void TFormUpdate::stepProgress()
{
    m_progressBar->setValue(std::min(m_progressBar->value() + 10, m_progressBar->maximum()));
}

void TFormUpdate::setStatus(const QString &text, const QColor &color)
{
    QPalette palette = m_labelStatus->palette();
    palette.setColor(QPalette::WindowText, color);
    m_labelStatus->setPalette(palette);
    m_labelStatus->setText(text);
}

} // namespace korvel
