#include "designer/tfrmpageprop.h"

#include "prompt/prompter.h"

#include <QComboBox>
#include <QDir>
#include <QUrl>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvel {

namespace {

constexpr int kHelpTopic = 80;

struct Row {
    const char *field;
    const char *label;
    const char *caption;
    const char16_t *german;
    const char16_t *english;
};

const Row kProperties[] = {
    {"edTitle", "Label1", "Title", u"Titel", u"Title of document"},
    {"cmbBackColor", "Label2", "Background color", u"Hintergrundfarbe", u"Background color of document"},
    {"cmbALinkColor", "Label3", "Active link color", u"Farbe des aktiven Links", u"Color of active links"},
    {"cmbVLinkColor", "Label4", "Visited link color", u"Farbe des besuchten Links", u"Color of visited links"},
    {"cmbLinkColor", "Label5", "Link color", u"Linkfarbe", u"Link color"},
    {"bgImage", "Label6", "Background image", u"Hintergrundgrafik", u"Background image"},
    {"EditLeft", "Label7", "Left margin", u"Linker Rand", u"Left margin of document"},
    {"EditTop", "Label8", "Top  margin", u"Oberer Rand", u"Top margin of document"},
    {"EditRight", "Label9", "Right  margin", u"Rechter Rand", u"Right margin of document"},
    {"EditBottom", "Label10", "Bottom  margin", u"Unterer Rand", u"Bottom margin of document"},
};

const Row kCounts[] = {
    {"EditLinks", "Label11", "Links", u"Verweise auf der Seite", u"Links in document"},
    {"EditImages", "Label12", "Images", u"Grafiken/Bilder auf der Seite", u"Images in document"},
    {"EditScript", "Label13", "Scripts", u"Scripte im Dokument", u"Scripts in document"},
    {"EditForms", "Label14", "Forms", u"Formulare in der Seite", u"Forms in document"},
    {"EditFrames", "Label15", "Frames", u"Frames der Seite", u"Frames in document"},
    {"EditStyles", "Label16", "Stylesheets", u"Styles der Seite", u"Styles in documente"},
};

} // namespace

TfrmPageProp::TfrmPageProp(Prompter &prompter, QWidget *parent)
    : InspectorDialog("TfrmPageProp", kHelpTopic, prompter, parent)
{
    const char *colorButtons[] = {"BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6"};
    int colorIndex = 0;
    for (const Row &row : kProperties) {
        const QString caption = QString::fromLatin1(row.caption);
        if (QByteArrayView(row.field).startsWith("cmb")) {
            addCombo(row.field, row.label, caption, {}, colorButtons[colorIndex++]);
        } else {
            const bool picture = QByteArrayView(row.field) == "bgImage";
            QLineEdit *edit = addEdit(row.field, row.label, caption, picture ? "BitBtn7" : nullptr);
            if (picture) {
                // The row's button is made for a colour; this one asks for a picture file.
                BitBtn7 = findChild<QPushButton *>(QStringLiteral("BitBtn7"));
                BitBtn7->disconnect(this);
                connect(BitBtn7, &QPushButton::clicked, this, [this, edit] {
                    FileRequest request;
                    request.filter = QStringLiteral("all|*.gif;*.jpg;*.jpeg;*.bmp;*.png");
                    const QString chosen = m_prompter.openFileName(request);
                    if (chosen.isEmpty())
                        return;
                    edit->setText(DocumentFolder.isEmpty() ? QUrl::fromLocalFile(chosen).toString()
                                                           : QDir(DocumentFolder).relativeFilePath(chosen));
                });
            }
        }
    }
    addHeader("GroupBox1");
    for (const Row &row : kCounts)
        addEdit(row.field, row.label, QString::fromLatin1(row.caption))->setReadOnly(true);
    BitBtn1 = ButtonOK;
    BitBtn2 = ButtonCancel;
}

QStringList TfrmPageProp::propertyFields()
{
    QStringList names;
    for (const Row &row : kProperties)
        names.append(QString::fromLatin1(row.field));
    return names;
}

QStringList TfrmPageProp::countFields()
{
    QStringList names;
    for (const Row &row : kCounts)
        names.append(QString::fromLatin1(row.field));
    return names;
}

void TfrmPageProp::setLanguageTexts()
{
    const bool en = english();
    setWindowTitle(en ? QStringLiteral("Page properties") : QStringLiteral("Seiteneigenschaften"));
    label("GroupBox1")->setText(en ? QStringLiteral("Number of..") : QStringLiteral("Anzahl..."));
    for (const Row *rows : {kProperties, kCounts}) {
        const std::size_t n = rows == kProperties ? std::size(kProperties) : std::size(kCounts);
        for (std::size_t i = 0; i < n; ++i)
            label(rows[i].label)->setToolTip(QString::fromUtf16(en ? rows[i].english : rows[i].german));
    }
}

} // namespace korvel
