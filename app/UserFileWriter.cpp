#include "app/UserFileWriter.h"

#include <QSaveFile>

namespace UserFileWriter {

bool Replace(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    auto fail = [&file, reason]() {
        if (reason)
            *reason = file.errorString();
        // The temporary file goes with the save file; the old file is untouched.
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    // The commit does not see a failed flush of the save file's buffer (a
    // full disk would leave a cut file in place and report success): every
    // byte is pushed out and checked before it.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return fail();
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace UserFileWriter
