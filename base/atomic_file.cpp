// Temporary file, checked writes, fsync, rename. Plain POSIX calls: every short write and every
// failed close is seen here (a buffered Qt file device has been seen to report a truncated file as
// saved when the file-size limit was reached).
#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

#include "base/io_error.h"

namespace vorne {

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Closes and removes the temporary file of a failed save, then reports the failure.
[[noreturn]] void failAndRemove(int fd,
                                const QByteArray& tempPath,
                                int error,
                                const QString& fileName) {
  if (fd >= 0) ::close(fd);
  ::unlink(tempPath.constData());
  throw EInOutError(systemReason(error), fileName);
}

}  // namespace

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
  const QByteArray target = QFile::encodeName(fileName);
  struct stat existing {};
  const bool exists = ::stat(target.constData(), &existing) == 0;
  if (exists && ::access(target.constData(), W_OK) != 0) {
    throw EInOutError(systemReason(errno), fileName);
  }
  const QFileInfo info(fileName);
  const QByteArray folder = QFile::encodeName(info.absolutePath());

  // A fresh name in the same folder, so that the rename stays on one file system.
  QByteArray tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    tempPath = folder + "/." + QFile::encodeName(info.fileName()) + ".tmp" +
               QByteArray::number(QRandomGenerator::global()->generate(), 36);
    fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) throw EInOutError(systemReason(errno), fileName);
  }
  if (fd < 0) throw EInOutError(systemReason(EEXIST), fileName);
  if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
    failAndRemove(fd, tempPath, errno, fileName);
  }

  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      failAndRemove(fd, tempPath, errno, fileName);
    }
    if (written == 0) failAndRemove(fd, tempPath, ENOSPC, fileName);
    data += written;
    left -= written;
  }
  if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
    failAndRemove(fd, tempPath, errno, fileName);
  }
  const int closed = ::close(fd);
  if (closed != 0) failAndRemove(-1, tempPath, errno, fileName);
  if (::rename(tempPath.constData(), target.constData()) != 0) {
    failAndRemove(-1, tempPath, errno, fileName);
  }
}

}  // namespace vorne
