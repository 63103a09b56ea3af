#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// The iframe dialog's fields, as typed.
struct IFrameFields {
    QString source;
    QString width;
    QString height;
    QString name;
};

// The inline frame with its fallback link for browsers without inline frames, four lines each
// ending CR LF. The fallback text is English whatever the UI language.
QString MakeFrame(const IFrameFields &fields);

// The empty inline frame the designer inserts, with the given id.
QString designerIFrameHtml(const QString &id);
// The first of "MyFrame", "MyFrame2", "MyFrame3", ... that is not among the ids present, so
// each inserted frame gets an id of its own.
QString nextFrameId(const QStringList &idsPresent);

} // namespace korvel
