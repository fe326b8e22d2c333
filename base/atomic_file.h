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
// A symbolic link is followed: the file it points to is replaced and the link stays. A file with
// further hard links is rewritten in place once the complete text is safely on disk beside it,
// so that every name keeps showing the same file; should that rewrite fail, the message names
// the temporary file that holds the complete new text. Temporary files of fileName left behind
// by a save that was killed are removed.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);

// The file a save of fileName writes: fileName itself, or the file its chain of symbolic links
// ends at (also when that file does not exist yet).
QString saveTarget(const QString& fileName);

// Why fileName cannot be written, or an empty text when it can (as far as can be told before
// writing): its folder is missing or not writable, or it is a folder or a read-only file.
QString outputFileProblem(const QString& fileName);

// Removes the temporary files of fileName that a killed save or run left in its folder (those
// not touched for a minute, so that a save in progress elsewhere keeps its own).
void removeStaleTemporaryFiles(const QString& fileName);

}  // namespace vorne

#endif  // VORNE_APP_ATOMIC_FILE_H
