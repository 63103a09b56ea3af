#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace korvel::test {

// The dialog's child of the given name and type; fails the test when it is missing.
template <typename T>
T *child(QWidget &dialog, const char *name)
{
    T *w = dialog.findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The named widgets that Tab visits, in the order it visits them from the first one, joined by
// blanks.
inline QString tabChain(QWidget &dialog, const char *first)
{
    QWidget *start = dialog.findChild<QWidget *>(QLatin1String(first));
    QStringList names;
    if (!start)
        return {};
    QWidget *w = start;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()
            && !w->objectName().startsWith(QLatin1String("qt_")))
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != start);
    return names.join(u' ');
}

// A picture of one colour with a darker first row, so a test can tell it was read.
inline QImage testPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(40, 160, 40));
    return picture;
}

// A GIF of the given size in one colour, built by hand since Qt reads GIF but does not write
// it. The picture data restarts the code table after every two pixels, so all codes keep the
// starting width of three bits.
inline QByteArray gifBytes(int width, int height)
{
    QByteArray out("GIF89a");
    auto word = [&out](int v) {
        out.append(char(v & 0xff));
        out.append(char((v >> 8) & 0xff));
    };
    word(width);
    word(height);
    out.append(char(0x80));  // a global colour table of two entries
    out.append(char(0));
    out.append(char(0));
    out.append(QByteArray::fromHex("28a028ffffff"));
    out.append(char(0x2c));
    word(0);
    word(0);
    word(width);
    word(height);
    out.append(char(0));
    out.append(char(2));  // smallest code width

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << count;
        count += 3;
        while (count >= 8) {
            data.append(char(bits & 0xff));
            bits >>= 8;
            count -= 8;
        }
    };
    const int pixels = width * height;
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            code(4);  // clear
        code(0);
    }
    code(5);  // end
    if (count > 0)
        data.append(char(bits & 0xff));
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3b));
    return out;
}

} // namespace korvel::test
