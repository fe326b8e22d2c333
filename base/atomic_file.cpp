// Temporary file, checked writes, fsync, rename. Plain POSIX calls: every short write and every
// failed close is seen here (a buffered Qt file device has been seen to report a truncated file as
// saved when the file-size limit was reached).
#include "base/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

#include "base/io_error.h"

namespace vorne {

namespace {

constexpr qsizetype kMaxNameBytes = 255;  // NAME_MAX of the usual file systems
constexpr qsizetype kSuffixLength = 6;    // random letters and digits after ".tmp"
constexpr int kMaxLinks = 40;
constexpr std::time_t kStaleSeconds = 60;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return ".";
  if (slash == 0) return "/";
  return path.left(slash);
}

QByteArray nameOf(const QByteArray& path) { return path.mid(path.lastIndexOf('/') + 1); }

// Follows symbolic links from path to the file they end at (which may not exist yet).
QByteArray resolvedTarget(QByteArray path) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    QByteArray link(static_cast<qsizetype>(PATH_MAX), '\0');
    const ssize_t length = ::readlink(path.constData(), link.data(), PATH_MAX);
    if (length <= 0) return path;
    link.truncate(length);
    path = link.startsWith('/') ? link : folderOf(path) + "/" + link;
  }
  return path;
}

// ".NAME.tmp" with NAME cut (on a UTF-8 character boundary) so that the prefix and its random
// suffix stay within the limit of a file name.
QByteArray temporaryPrefix(const QByteArray& name) {
  constexpr qsizetype kRoom = kMaxNameBytes - 1 - 4 - kSuffixLength;
  QByteArray kept = name.left(kRoom);
  if (kept.size() < name.size()) {
    while (!kept.isEmpty() && (static_cast<unsigned char>(name[kept.size()]) & 0xC0) == 0x80) {
      kept.chop(1);
    }
  }
  return "." + kept + ".tmp";
}

QByteArray randomSuffix() {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  QByteArray suffix(kSuffixLength, '0');
  for (char& c : suffix) c = kDigits[QRandomGenerator::global()->bounded(36)];
  return suffix;
}

void removeStale(const QByteArray& target) {
  const QByteArray folder = folderOf(target);
  const QByteArray prefix = temporaryPrefix(nameOf(target));
  DIR* dir = ::opendir(folder.constData());
  if (dir == nullptr) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name.size() != prefix.size() + kSuffixLength || !name.startsWith(prefix)) continue;
    const QByteArray path = folder + "/" + name;
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        now - info.st_mtime >= kStaleSeconds) {
      ::unlink(path.constData());
    }
  }
  ::closedir(dir);
}

// Creates a fresh temporary file beside target; returns its descriptor and sets tempPath.
int createTemporary(const QByteArray& target, QByteArray& tempPath, const QString& fileName) {
  const QByteArray base = folderOf(target) + "/" + temporaryPrefix(nameOf(target));
  for (int attempt = 0; attempt < 16; ++attempt) {
    tempPath = base + randomSuffix();
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) throw EInOutError(systemReason(errno), fileName);
  }
  throw EInOutError(systemReason(EEXIST), fileName);
}

bool writeAll(int fd, const QByteArray& bytes, int& error) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    if (written == 0) {
      error = ENOSPC;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

bool syncFile(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP; }

// The folder's entry of a rename reaches the disk too.
void syncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Closes and removes the temporary file of a failed save, then reports the failure.
[[noreturn]] void failAndRemove(int fd,
                                const QByteArray& tempPath,
                                int error,
                                const QString& fileName) {
  if (fd >= 0) ::close(fd);
  ::unlink(tempPath.constData());
  throw EInOutError(systemReason(error), fileName);
}

// Rewrites a file that has further hard links in place, from the complete text already on disk
// in tempPath; keeps tempPath when the rewrite fails, so the new text is never lost.
void rewriteInPlace(const QByteArray& target,
                    const QByteArray& tempPath,
                    const QByteArray& bytes,
                    const QString& fileName) {
  const int fd = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  int error = 0;
  bool ok = fd >= 0;
  if (!ok) error = errno;
  if (ok) ok = writeAll(fd, bytes, error);
  if (ok && !syncFile(fd)) {
    ok = false;
    error = errno;
  }
  if (fd >= 0 && ::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    throw EInOutError(systemReason(error) + QStringLiteral("; the complete new text is kept in ") +
                          QFile::decodeName(tempPath),
                      fileName);
  }
  ::unlink(tempPath.constData());
}

}  // namespace

QString saveTarget(const QString& fileName) {
  return QFile::decodeName(resolvedTarget(QFile::encodeName(fileName)));
}

void removeStaleTemporaryFiles(const QString& fileName) {
  removeStale(resolvedTarget(QFile::encodeName(QFileInfo(fileName).absoluteFilePath())));
}

QString outputFileProblem(const QString& fileName) {
  const QByteArray target =
      resolvedTarget(QFile::encodeName(QFileInfo(fileName).absoluteFilePath()));
  const QByteArray folder = folderOf(target);
  struct stat info {};
  if (::stat(folder.constData(), &info) != 0) {
    return QStringLiteral("the folder %1 does not exist").arg(QFile::decodeName(folder));
  }
  if (!S_ISDIR(info.st_mode)) {
    return QStringLiteral("%1 is not a folder").arg(QFile::decodeName(folder));
  }
  if (::access(folder.constData(), W_OK | X_OK) != 0) {
    return QStringLiteral("the folder %1 is not writable: %2")
        .arg(QFile::decodeName(folder), systemReason(errno));
  }
  if (::stat(target.constData(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return QStringLiteral("it is a folder");
    if (::access(target.constData(), W_OK) != 0) return systemReason(errno);
  }
  if (nameOf(target).size() > kMaxNameBytes) return systemReason(ENAMETOOLONG);
  return {};
}

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
  const QByteArray target = resolvedTarget(QFile::encodeName(fileName));
  struct stat existing {};
  const bool exists = ::stat(target.constData(), &existing) == 0;
  if (exists && ::access(target.constData(), W_OK) != 0) {
    throw EInOutError(systemReason(errno), fileName);
  }
  removeStale(target);

  QByteArray tempPath;
  const int fd = createTemporary(target, tempPath, fileName);
  if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
    failAndRemove(fd, tempPath, errno, fileName);
  }
  int error = 0;
  if (!writeAll(fd, bytes, error)) failAndRemove(fd, tempPath, error, fileName);
  if (!syncFile(fd)) failAndRemove(fd, tempPath, errno, fileName);
  if (::close(fd) != 0) failAndRemove(-1, tempPath, errno, fileName);
  if (exists && existing.st_nlink > 1 && S_ISREG(existing.st_mode)) {
    rewriteInPlace(target, tempPath, bytes, fileName);
    return;
  }
  if (::rename(tempPath.constData(), target.constData()) != 0) {
    failAndRemove(-1, tempPath, errno, fileName);
  }
  syncFolder(folderOf(target));
}

}  // namespace vorne
