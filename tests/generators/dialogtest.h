#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace korvel::test {

// The named child a dialog test works on; fails the test when the dialog has no such child.
template <typename T>
T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The object names of the widgets that Tab visits, starting at the first one.
inline QStringList tabOrder(QWidget &dialog, const char *first, int count)
{
    QStringList names;
    QWidget *w = dialog.findChild<QWidget *>(QString::fromLatin1(first));
    for (int i = 0; w && i < count * 4 && names.size() < count; ++i, w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names << w->objectName();
    }
    return names;
}

} // namespace korvel::test
