#include "tables/tforminstr.h"

#include "prompt/prompter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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

} // namespace

TFormInsTR::TFormInsTR(QWidget *parent)
    : TableDialog(kHelpTopic, parent)
{
    setObjectName(QStringLiteral("TFormInsTR"));
    setWindowTitle(QStringLiteral("TR"));
    m_label = named(new QLabel(this), "Label1");
    m_before = named(new QPushButton(this), "BitBtn2");
    m_behind = named(new QPushButton(this), "BitBtn1");
    m_end = named(new QPushButton(this), "BitBtn4");
    m_cancel = named(new QPushButton(this), "BitBtn3");
    for (QPushButton *button : {m_before, m_behind, m_end, m_cancel})
        button->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_before);
    layout->addWidget(m_behind);
    layout->addWidget(m_end);
    layout->addSpacing(6);
    layout->addWidget(m_cancel);
    setMinimumWidth(240);

    connect(m_before, &QPushButton::clicked, this, [this] { choose(0); });
    connect(m_behind, &QPushButton::clicked, this, [this] { choose(1); });
    connect(m_end, &QPushButton::clicked, this, [this] { choose(-1); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        Cancelled = true;
        reject();
    });
    FormShow();
}

void TFormInsTR::keyPressEvent(QKeyEvent *event)
{
    // Esc is the cancel button; closing the window by its frame is not a cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cancel->click();
        return;
    }
    TableDialog::keyPressEvent(event);
}

void TFormInsTR::choose(int position)
{
    Position = position;
    accept();
}

void TFormInsTR::FormShow()
{
    const bool en = english();
    Position = -1;
    Cancelled = false;
    m_label->setText(en ? QStringLiteral("Insert table row ...") : QStringLiteral("Tabellenzeile einfügen..."));
    m_before->setText(en ? QStringLiteral("Before current position") : QStringLiteral("Vor akt. Position"));
    m_behind->setText(en ? QStringLiteral("Behind current position") : QStringLiteral("Nach akt. Position"));
    m_end->setText(en ? QStringLiteral("End of table") : QStringLiteral("Ende Tabelle"));
    m_cancel->setText(en ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
}

std::optional<int> runInsertRowDialog(TFormInsTR &dialog, Prompter &prompter, int uiLanguage)
{
    execInLanguage(dialog, prompter, uiLanguage);
    if (dialog.Cancelled)
        return std::nullopt;
    return dialog.Position;
}

std::optional<InsertPlace> runSourceRowDialog(TFormInsTR &dialog, Prompter &prompter, int uiLanguage)
{
    dialog.endOfTableButton()->setEnabled(false);
    const std::optional<int> position = runInsertRowDialog(dialog, prompter, uiLanguage);
    dialog.endOfTableButton()->setEnabled(true);
    if (position == 0)
        return InsertPlace::Before;
    if (position == 1)
        return InsertPlace::Behind;
    return std::nullopt;
}

} // namespace korvel
