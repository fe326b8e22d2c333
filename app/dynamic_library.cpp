// Library loader on the POSIX dynamic loader (dlopen, dlsym, dlclose).
#include "app/dynamic_library.h"

#include <dlfcn.h>

#include <QFile>
#include <QFileInfo>

namespace vorne {

void TDynamicLibrary::SetLibraryName(const QString& libraryName) {
  Unload();
  m_name = libraryName;
}

void TDynamicLibrary::Load() {
  if (IsLoaded()) return;
  m_lastError.clear();
  // dlopen gives one failure for every cause; the file test tells "not there" from "refused".
  if (m_name.isEmpty() || !QFileInfo(m_name).isFile()) {
    m_lastError = QStringLiteral("%1: no such file").arg(m_name);
    throw EFileNotFoundError(QStringLiteral("Library could not be located"));
  }
  // RTLD_LOCAL keeps the engine's symbols out of the global namespace; RTLD_NOW makes a missing
  // dependency fail here rather than at the call.
  m_handle = dlopen(QFile::encodeName(m_name).constData(), RTLD_NOW | RTLD_LOCAL);
  if (!m_handle) {
    const char* reason = dlerror();
    m_lastError = reason ? QString::fromLocal8Bit(reason) : QString();
    throw EInitError(QStringLiteral("Library failed to properly initialize"));
  }
}

void* TDynamicLibrary::GetEntryPoint(const char* name) const {
  if (!IsLoaded()) throw EDLLNotOpenError(QStringLiteral("Library is not open"));
  dlerror();
  return dlsym(m_handle, name);
}

void TDynamicLibrary::Unload() {
  if (!m_handle) return;
  dlclose(m_handle);
  m_handle = nullptr;
}

}  // namespace vorne
