// Whole-file reads for the tests that compare files byte for byte; a missing file reads as empty.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray readFileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
