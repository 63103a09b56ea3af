#pragma once

#include "designer/inspectordialog.h"

namespace korvel {

// The page properties: title, colours, background image and margins of the page, and the
// counts of its links, images, scripts, forms, frames and style sheets (shown only).
class TfrmPageProp final : public InspectorDialog {
    Q_OBJECT
public:
    TfrmPageProp(Prompter &prompter, QWidget *parent = nullptr);

    // The editable fields, in the order they are filled, and the count fields.
    static QStringList propertyFields();
    static QStringList countFields();

    QPushButton *BitBtn1 = nullptr; // OK
    QPushButton *BitBtn2 = nullptr; // Cancel
    QPushButton *BitBtn7 = nullptr; // background picture

    // The folder of the page's file: a chosen picture is named relative to it.
    QString DocumentFolder;

protected:
    void setLanguageTexts() override;
};

} // namespace korvel
