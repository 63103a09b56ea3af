#pragma once

#include <QStringList>

namespace korvel {

// The tag list of the source view's completion: what the list shows, and for each entry the
// snippet that takes the place of the typed word.
struct TagCompletion {
    QStringList displays;
    QStringList snippets;
};

const TagCompletion &tagCompletion();

} // namespace korvel
