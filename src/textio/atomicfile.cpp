#include "textio/atomicfile.h"

#include <QSaveFile>

namespace korvel {

bool commitWholly(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();  // the temporary file goes when `file` does
        return false;
    }
    return file.commit();
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return commitWholly(file);
}

} // namespace korvel
