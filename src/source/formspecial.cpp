#include "source/formspecial.h"

#include "editor/synmemo.h"
#include "source/transformations.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvel {

namespace {

constexpr int kHelpContext = 140;

} // namespace

TFormSpecial::TFormSpecial(QWidget *parent)
    : HelpDialog(kHelpContext, parent)
{
    setObjectName(QStringLiteral("TFormSpecial"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    BitBtn3 = new QPushButton(this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setToolTip(QStringLiteral("Create character"));
    SynMemo1 = new SynMemo(this);
    SynMemo1->setObjectName(QStringLiteral("SynMemo1"));
    SynMemo1->setLineNumbersVisible(false);
    SynMemo1->setMarginWidth(1, 0);
    SynMemo1->setWordWrapOn(true);
    SynMemo1->setText(QStringLiteral("£ € ‰ ™ ¥ ± ° ¶ » ¼ ½ ¾\r\n† ¢ © « ® ¿ ƒ ™ • µ $ "));
    SynMemo1->setModified(false);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(SynMemo1, 0, 0, 1, 2);
    layout->addWidget(Label1, 1, 0, 1, 2);
    layout->addWidget(Edit1, 2, 0);
    layout->addWidget(BitBtn3, 2, 1);
    layout->addWidget(BitBtn2, 3, 1);

    connect(BitBtn3, &QPushButton::clicked, this, &TFormSpecial::BitBtn3Click);
    // Escape closes the window through the dialog's own reject.
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(360, 240);
    setLanguage(0);
}

void TFormSpecial::setLanguage(int uiLanguage)
{
    UiLanguage = uiLanguage;
    const bool german = !english();
    setWindowTitle(german ? QStringLiteral("Sonderzeichen") : QStringLiteral("Special character"));
    Label1->setText(german ? QStringLiteral("Sie können den Zeichencode mit STRG+V in Ihren HTML-Quelltext einfügen.")
                           : QStringLiteral("Press CTRL+V to insert the key code into your HTML source."));
    BitBtn3->setText(german ? QStringLiteral("Zeichencode") : QStringLiteral("Key code"));
    BitBtn2->setText(german ? QStringLiteral("Schliessen") : QStringLiteral("Close"));
}

void TFormSpecial::BitBtn3Click()
{
    const std::optional<QString> code = CharacterCode(SynMemo1->selText());
    if (!code)
        return;
    Edit1->setText(*code);
    Edit1->selectAll();
    QApplication::clipboard()->setText(*code);
}

} // namespace korvel
