#include "generators/formframes.h"

#include "generators/generatordialog.h"
#include "generators/htmlescape.h"
#include "prompt/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpContext = 210;

// A small drawing of a layout: rectangles in a 40 x 30 box, given in tenths of its sides.
QPixmap layoutPicture(const QList<QRectF> &frames)
{
    QPixmap pixmap(42, 32);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::darkGray, 1));
    for (const QRectF &r : frames)
        painter.drawRect(QRectF(1 + r.x() * 4, 1 + r.y() * 3, r.width() * 4, r.height() * 3));
    return pixmap;
}

} // namespace

TFormFrames::TFormFrames(Prompter &prompter, QWidget *parent)
    : HelpDialog(kHelpContext, parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormFrames"));
    setWindowTitle(QStringLiteral("Frameset"));

    m_layoutGroup = new QGroupBox;
    m_layoutGroup->setObjectName(QStringLiteral("RadioGroup1"));
    auto *layoutBox = new QGridLayout(m_layoutGroup);
    const QList<QList<QRectF>> pictures = {
        {{0, 0, 5, 10}, {5, 0, 5, 10}},
        {{0, 0, 10, 2}, {0, 2, 3, 8}, {3, 2, 7, 8}},
        {{0, 0, 10, 2}, {0, 2, 4, 6}, {4, 2, 6, 6}, {0, 8, 10, 2}},
    };
    for (int i = 0; i < 3; ++i) {
        m_layouts[i] = new QRadioButton(QStringLiteral("%1 Frames").arg(i + 2));
        m_layouts[i]->setObjectName(QStringLiteral("Frames%1").arg(i + 2));
        auto *picture = new QLabel;
        picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        picture->setPixmap(layoutPicture(pictures[i]));
        layoutBox->addWidget(picture, 0, i);
        layoutBox->addWidget(m_layouts[i], 1, i);
    }
    m_layouts[0]->setChecked(true);
    m_borders = new QCheckBox;
    m_borders->setObjectName(QStringLiteral("Borders"));
    m_borders->setChecked(true);
    layoutBox->addWidget(m_borders, 0, 3, 2, 1);

    auto *framesGrid = new QGridLayout;
    for (int n = 0; n < 4; ++n) {
        m_frames[n] = makeFrame(n + 1);
        framesGrid->addWidget(m_frames[n].group, n / 2, n % 2);
    }

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
    layout->addWidget(m_layoutGroup);
    layout->addLayout(framesGrid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QList<QWidget *> order = {m_layouts[0], m_layouts[1], m_layouts[2], m_borders};
    for (const FrameControls &f : m_frames)
        order << f.source << f.browse << f.height << f.width << f.scrolling << f.noresize;
    order << m_ok << m_cancel << m_helpButton;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(m_ok, &QPushButton::clicked, this, &TFormFrames::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Result.clear();
        reject();
    });
    connect(m_helpButton, &QToolButton::clicked, this, &TFormFrames::showHelp);
    setCaptions();
}

TFormFrames::FrameControls TFormFrames::makeFrame(int n)
{
    FrameControls f;
    f.group = new QGroupBox(QStringLiteral("Frame%1").arg(n));
    f.group->setObjectName(QStringLiteral("GroupBoxFrame%1").arg(n));
    auto *grid = new QGridLayout(f.group);
    f.source = new QLineEdit(QStringLiteral("Frame%1.htm").arg(n));
    f.source->setObjectName(QStringLiteral("Source%1").arg(n));
    f.browse = new QPushButton;
    f.browse->setObjectName(QStringLiteral("BtnSource%1").arg(n));
    f.browse->setAutoDefault(false);
    f.height = new QLineEdit(QStringLiteral("5"));
    f.height->setObjectName(QStringLiteral("EditHeight%1").arg(n));
    f.width = new QLineEdit(QStringLiteral("5"));
    f.width->setObjectName(QStringLiteral("EditWidth%1").arg(n));
    f.scrolling = new QComboBox;
    f.scrolling->setObjectName(QStringLiteral("Scrolling%1").arg(n));
    f.scrolling->addItems({QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")});
    f.noresize = new QCheckBox(QStringLiteral("Noresize"));
    f.noresize->setObjectName(QStringLiteral("Noresize%1").arg(n));
    f.noresize->setChecked(true);

    grid->addWidget(f.source, 0, 0, 1, 3);
    grid->addWidget(f.browse, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("MarginHeight")), 1, 0);
    grid->addWidget(f.height, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("MarginWidth")), 1, 2);
    grid->addWidget(f.width, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Scrolling")), 2, 0);
    grid->addWidget(f.scrolling, 2, 1);
    grid->addWidget(f.noresize, 2, 2, 1, 2);
    f.height->setMaximumWidth(60);
    f.width->setMaximumWidth(60);

    connect(f.browse, &QPushButton::clicked, this, [this, n] { BtnSourceClick(n); });
    return f;
}

void TFormFrames::setCaptions()
{
    const bool german = UiLanguage == 0;
    auto pick = [german](const char16_t *de, const char16_t *en) {
        return QString::fromUtf16(german ? de : en);
    };
    m_layoutGroup->setTitle(pick(u"Typ", u"Type"));
    m_borders->setText(pick(u"Rahmen", u"Border"));
    m_borders->setToolTip(pick(u"Rahmen anzeigen", u"Show borders"));
    for (const FrameControls &f : m_frames) {
        f.browse->setText(pick(u"Quelle", u"Source"));
        f.browse->setToolTip(pick(u"Datei angeben, die im aktuellen Frame angezeigt werden soll",
                                  u"Url/File to be loaded into the frame"));
        f.height->setToolTip(pick(u"Randhöhe", u"Margin height"));
        f.width->setToolTip(pick(u"Randbreite", u"Margin width"));
        f.scrolling->setToolTip(pick(u"Scrollbalken ein/aus", u"Scrollbars on/off"));
        f.noresize->setToolTip(pick(u"Grösse kann nicht verändert werden", u"Not resizeable"));
    }
    m_cancel->setText(pick(u"Abbrechen", u"Cancel"));
}

void TFormFrames::FormShow()
{
    Result.clear();
    setCaptions();
}

FramesetFields TFormFrames::fields() const
{
    FramesetFields out;
    out.frames = m_layouts[2]->isChecked() ? 4 : m_layouts[1]->isChecked() ? 3 : 2;
    out.borders = m_borders->isChecked();
    for (int n = 0; n < 4; ++n) {
        const FrameControls &f = m_frames[n];
        out.frame[n] = {f.source->text(), f.height->text(), f.width->text(), f.scrolling->currentText(),
                        f.noresize->isChecked()};
    }
    return out;
}

void TFormFrames::BitBtn1Click()
{
    Result = buildFramesetPage(fields(), UiLanguage);
    accept();
}

void TFormFrames::BtnSourceClick(int frame)
{
    if (frame < 1 || frame > 4)
        return;
    FileRequest request;
    request.filter = UiLanguage == 0 ? QStringLiteral("HTML|*.htm;*.html|Alle Dateien|*")
                                     : QStringLiteral("HTML|*.htm;*.html|All files|*");
    if (!DocumentFile.isEmpty() && QFileInfo(DocumentFile).isAbsolute())
        request.folder = QFileInfo(DocumentFile).absolutePath();
    const QString path = m_prompter.openFileName(request);
    if (!path.isEmpty())
        m_frames[frame - 1].source->setText(documentRelativePath(DocumentFile, path));
}

std::optional<QString> runFramesetDialog(TFormFrames &dialog, Prompter &prompter, int uiLanguage,
                                         const QString &documentFile)
{
    return runGeneratorDialog(dialog, prompter, uiLanguage, documentFile);
}

} // namespace korvel
