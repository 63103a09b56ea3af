#pragma once

#include <QString>
#include <array>

namespace korvel {

// One frame's fields in the frameset dialog, as typed.
struct FrameFields {
    QString source;
    QString marginHeight;
    QString marginWidth;
    QString scrolling;
    bool noresize = true;
};

// The frameset dialog's fields: the layout (2, 3 or 4 frames), the border switch and the four
// frames, of which the layout reads only the first two, three or four.
struct FramesetFields {
    int frames = 2;
    bool borders = true;
    std::array<FrameFields, 4> frame;
};

// The HTML 4.01 Frameset document type line, without its line break.
QString framesetDoctype();
// The paragraph shown by browsers without frames, in the UI language (0 German, else English).
QString noFramesParagraph(int uiLanguage);
// The complete frameset page, lines ending CR LF, the last line "</frameset></html>".
QString buildFramesetPage(const FramesetFields &fields, int uiLanguage);

} // namespace korvel
