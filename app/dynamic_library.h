// Run-time loading of a shared library by path, lookup of an entry point by name, unloading.
// The engine library is loaded this way for one run at a time.
#ifndef VORNE_APP_DYNAMIC_LIBRARY_H
#define VORNE_APP_DYNAMIC_LIBRARY_H

#include <QString>
#include <stdexcept>

namespace vorne {

// Failures of the library loader; the kinds below say which step failed.
class EDLLError : public std::runtime_error {
 public:
  explicit EDLLError(const QString& message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString& message() const { return m_message; }

 private:
  QString m_message;
};

// The library was found but could not be loaded (bad format, missing dependency, failing
// initialiser): "Library failed to properly initialize".
class EInitError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

// No file at the library path: "Library could not be located".
class EFileNotFoundError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

// An entry point was asked for while no library is loaded: "Library is not open".
class EDLLNotOpenError : public EDLLError {
 public:
  using EDLLError::EDLLError;
};

class TDynamicLibrary {
 public:
  TDynamicLibrary() = default;
  explicit TDynamicLibrary(const QString& libraryName) { SetLibraryName(libraryName); }
  ~TDynamicLibrary() { Unload(); }
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  // Unloads the library when loaded, then keeps the new name (a full path).
  void SetLibraryName(const QString& libraryName);
  const QString& LibraryName() const { return m_name; }

  // Loads the library by its full name; does nothing when loaded. Throws EFileNotFoundError when
  // no file is at the path and EInitError when the file is there but the loader refuses it; the
  // system's reason is kept in LastError().
  void Load();
  // The address of an exported symbol, or nullptr when the library does not export it. Throws
  // EDLLNotOpenError when not loaded.
  void* GetEntryPoint(const char* name) const;
  bool IsLoaded() const { return m_handle != nullptr; }
  // Frees the library when loaded.
  void Unload();

  // The dynamic loader's text for the last failed Load, empty otherwise.
  const QString& LastError() const { return m_lastError; }

 private:
  QString m_name;
  QString m_lastError;
  void* m_handle = nullptr;
};

}  // namespace vorne

#endif  // VORNE_APP_DYNAMIC_LIBRARY_H
