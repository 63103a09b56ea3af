#include "tables/tformseltd.h"

#include "prompt/prompter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

namespace {

constexpr int kHelpTopic = 150;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A picture button: an arrow towards the side the new cell goes to, beside a cell.
QToolButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap arrow, Qt::ToolButtonStyle style)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(parent->style()->standardIcon(arrow));
    button->setText(QStringLiteral("TD"));
    button->setToolButtonStyle(style);
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(72, 40);
    return button;
}

} // namespace

TFormSelTd::TFormSelTd(QWidget *parent)
    : TableDialog(kHelpTopic, parent)
{
    setObjectName(QStringLiteral("TFormSelTd"));
    setWindowTitle(QStringLiteral("TD"));
    m_label = named(new QLabel(this), "Label1");
    m_before = pictureButton(this, "BitBtn2", QStyle::SP_ArrowLeft, Qt::ToolButtonTextBesideIcon);
    m_behind = pictureButton(this, "BitBtn1", QStyle::SP_ArrowRight, Qt::ToolButtonTextBesideIcon);
    m_behind->setLayoutDirection(Qt::RightToLeft);
    m_cancel = named(new QPushButton(this), "BitBtn3");

    auto *pictures = new QHBoxLayout;
    pictures->addWidget(m_before);
    pictures->addWidget(m_behind);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(pictures);
    layout->addWidget(m_cancel);
    setMinimumWidth(200);

    connect(m_before, &QToolButton::clicked, this, [this] { choose(-1); });
    connect(m_behind, &QToolButton::clicked, this, [this] { choose(1); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TFormSelTd::choose(int offset)
{
    Offset = offset;
    accept();
}

void TFormSelTd::FormShow()
{
    const bool en = english();
    Offset = 0;
    m_label->setText(en ? QStringLiteral("Insert TD...") : QStringLiteral("Zelle einfügen..."));
    m_before->setToolTip(en ? QStringLiteral("Before current selection") : QStringLiteral("Vor aktueller Auswahl"));
    m_behind->setToolTip(en ? QStringLiteral("Behind current selection") : QStringLiteral("Nach aktueller Auswahl"));
    m_cancel->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
}

std::optional<int> runSelTdDialog(TFormSelTd &dialog, Prompter &prompter, int uiLanguage)
{
    if (execInLanguage(dialog, prompter, uiLanguage) != QDialog::Accepted || dialog.Offset == 0)
        return std::nullopt;
    return dialog.Offset;
}

} // namespace korvel
