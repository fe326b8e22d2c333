// Replacing a file without ever leaving it half written.
#ifndef VORNE_APP_ATOMIC_FILE_H
#define VORNE_APP_ATOMIC_FILE_H

#include <QByteArray>
#include <QString>

namespace vorne {

// Writes bytes to a new temporary file in the folder of fileName, flushes it to disk and only
// then renames it over fileName; an existing file keeps its permissions. On any failure (folder
// not writable, disk full, file-size limit, a read-only file) the temporary file is removed, the
// previous file is left as it was, and EInOutError carries the system's reason and fileName.
// Every write is checked to its last byte: a short write is a failure, not a shorter file.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);

}  // namespace vorne

#endif  // VORNE_APP_ATOMIC_FILE_H
