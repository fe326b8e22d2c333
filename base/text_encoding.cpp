// Windows-1252: Latin-1 with 27 printable characters in the bytes 0x80..0x9F.
#include "base/text_encoding.h"

#include <QStringDecoder>
#include <array>

namespace vorne {

namespace {

// The characters of the bytes 0x80..0x9F; 0 where the code page defines none.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool isValidUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  return !decoder.hasError();
}

QString fromWindows1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const char16_t mapped = byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : 0;
    text += QChar(mapped != 0 ? mapped : static_cast<char16_t>(byte));
  }
  return text;
}

std::optional<QByteArray> toWindows1252(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      bytes += static_cast<char>(unit);
      continue;
    }
    std::size_t k = 0;
    while (k < kHighControls.size() && kHighControls[k] != unit) ++k;
    if (k < kHighControls.size()) {
      bytes += static_cast<char>(0x80 + k);
    } else if (unit >= 0x80 && unit <= 0x9F && kHighControls[unit - 0x80] == 0) {
      bytes += static_cast<char>(unit);  // an undefined byte read as itself
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace vorne
