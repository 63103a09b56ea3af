#pragma once

#include "app/diskstamp.h"
#include "app/filecodec.h"

#include <QString>

namespace korvel {

class SynMemo;

// The one open document. Its text, modified flag and colouring live in the source editor
// control; the rest is kept here.
struct EditorDocument {
    QString FileName;
    FileFormat format;        // found when a file was last loaded; used by every save
    int activeView = 0;       // 0 source, 1 designer
    bool SaveCancelled = false;
    // The open file looks binary or holds bytes its encoding cannot keep (see DecodedDocument):
    // a save writes it only after an edit.
    bool writeOnlyEdits = false;
    // The file as last read or written, to tell a change made by another program.
    DiskStamp diskStamp;
    SynMemo *editor = nullptr;
};

} // namespace korvel
