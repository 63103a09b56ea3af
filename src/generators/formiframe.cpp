#include "generators/formiframe.h"

#include "generators/generatordialog.h"
#include "generators/htmlescape.h"
#include "prompt/prompter.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 210;

QLineEdit *addField(QGridLayout *grid, int row, QLabel *label, const char *name, const QString &text)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TFormIFrame::TFormIFrame(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormIFrame"));
    setWindowTitle(QStringLiteral("iFrame"));

    m_group = new QGroupBox(QStringLiteral("iFrame"));
    m_group->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(m_group);
    m_name = addField(grid, 0, new QLabel(QStringLiteral("Name")), "EditName", QStringLiteral("Inline Page"));
    m_width = addField(grid, 1, new QLabel(QStringLiteral("Width")), "EditBreite", QStringLiteral("400"));
    m_height = addField(grid, 2, new QLabel(QStringLiteral("Height")), "EditHohe", QStringLiteral("400"));
    m_sourceLabel = new QLabel;
    m_source = addField(grid, 3, m_sourceLabel, "EditSource", QStringLiteral("Seite.htm"));
    m_browse = new QPushButton(QStringLiteral("…"));
    m_browse->setObjectName(QStringLiteral("BitBtn3"));
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(36);
    grid->addWidget(m_browse, 3, 2);
    grid->setColumnMinimumWidth(1, 220);

    m_ok = new QPushButton(QStringLiteral("OK"));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton;
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    m_cancel->setAutoDefault(false);
    m_helpButton = new QToolButton;
    m_helpButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_helpButton->setText(QStringLiteral("?"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_name, m_width);
    setTabOrder(m_width, m_height);
    setTabOrder(m_height, m_source);
    setTabOrder(m_source, m_browse);
    setTabOrder(m_browse, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_helpButton);

    connect(m_ok, &QPushButton::clicked, this, &TFormIFrame::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Result.clear();
        reject();
    });
    connect(m_browse, &QPushButton::clicked, this, &TFormIFrame::BitBtn3Click);
    connect(m_helpButton, &QToolButton::clicked, this, &TFormIFrame::showHelp);
    setCaptions();
}

void TFormIFrame::setCaptions()
{
    const bool german = UiLanguage == 0;
    auto pick = [german](const char16_t *de, const char16_t *en) {
        return QString::fromUtf16(german ? de : en);
    };
    m_sourceLabel->setText(pick(u"Quelle/URL", u"Resource/Url"));
    m_name->setToolTip(pick(u"Name des iFrames", u"Name of the iframe"));
    m_width->setToolTip(pick(u"Breite angeben", u"Width"));
    m_height->setToolTip(pick(u"Höhe angeben", u"Height"));
    m_source->setToolTip(pick(u"Datei/Url angeben, die im iFrame angezeigt werden soll", u"Resource/Url"));
    m_cancel->setText(pick(u"Abbrechen", u"Cancel"));
}

void TFormIFrame::FormShow()
{
    Result.clear();
    setCaptions();
}

IFrameFields TFormIFrame::fields() const
{
    return {m_source->text(), m_width->text(), m_height->text(), m_name->text()};
}

void TFormIFrame::BitBtn1Click()
{
    Result = MakeFrame(fields());
    accept();
}

void TFormIFrame::BitBtn3Click()
{
    FileRequest request;
    request.filter = UiLanguage == 0 ? QStringLiteral("HTML|*.htm;*.html|Alle Dateien|*")
                                     : QStringLiteral("HTML|*.htm;*.html|All files|*");
    if (!DocumentFile.isEmpty() && QFileInfo(DocumentFile).isAbsolute())
        request.folder = QFileInfo(DocumentFile).absolutePath();
    const QString path = m_prompter.openFileName(request);
    if (!path.isEmpty())
        m_source->setText(documentRelativePath(DocumentFile, path));
}

std::optional<QString> runIFrameDialog(TFormIFrame &dialog, Prompter &prompter, int uiLanguage,
                                       const QString &documentFile)
{
    return runGeneratorDialog(dialog, prompter, uiLanguage, documentFile);
}

} // namespace korvel
