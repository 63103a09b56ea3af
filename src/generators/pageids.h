#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// The values of the id attributes in a page as the engine serializes it, in the order they
// appear. The serializer writes every attribute as name="value" after a blank and escapes the
// double quote inside values, so no id is missed; a text that only looks like an attribute may
// be reported as well, which costs a caller choosing a free id nothing but a skipped number.
QStringList idsInSerializedPage(const QString &html);

} // namespace korvel
