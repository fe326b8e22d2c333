// Word reader: loading, word splitting and the conversions with their messages.
#include "plot/word_reader.h"

#include <QFile>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace vorne {

namespace {

const QString kIncomplete = QStringLiteral("This file either invalid or incomplete.");

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Splits one line into words: trim characters of code 32 or less at both ends, then cut at the
// earlier of the next blank or tab and drop every character of code 32 or less that follows it.
void splitWords(std::string_view line, std::vector<std::string_view>& words) {
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && isBlankOrControl(line[begin])) ++begin;
  while (end > begin && isBlankOrControl(line[end - 1])) --end;
  while (begin < end) {
    std::size_t separator = begin;
    while (separator < end && line[separator] != ' ' && line[separator] != '\t') ++separator;
    words.push_back(line.substr(begin, separator - begin));
    begin = separator;
    while (begin < end && isBlankOrControl(line[begin])) ++begin;
  }
}

}  // namespace

TWordReader::TWordReader(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw EInOutError(file.errorString(), fileName);
  // Read straight into the reader's own text: the size known at opening in one read, then
  // whatever a growing file or a device without a size still holds.
  std::string text;
  const qint64 size = file.size();
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size));
    const qint64 read = file.read(text.data(), size);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
  }
  if (file.error() == QFileDevice::NoError) {
    const QByteArray rest = file.readAll();
    text.append(rest.constData(), static_cast<std::size_t>(rest.size()));
  }
  if (file.error() != QFileDevice::NoError) throw EInOutError(file.errorString(), fileName);
  load(std::move(text));
}

TWordReader TWordReader::fromText(std::string text) {
  TWordReader reader;
  reader.load(std::move(text));
  return reader;
}

void TWordReader::load(std::string text) {
  m_text = std::make_unique<std::string>(std::move(text));
  const std::string_view all(*m_text);
  const auto lineEnds = static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n'));
  m_lines.clear();
  m_lines.reserve(lineEnds + 2);
  m_words.clear();
  // Numeric files carry a few words a line.
  m_words.reserve(all.size() / 8 + 1);
  std::size_t start = 0;
  // Lines are read while the end of the text is not reached, so an empty text is one empty line
  // and a final line end does not start another line.
  do {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::size_t contentEnd = end;
    if (contentEnd > start && all[contentEnd - 1] == '\r') --contentEnd;
    const std::string_view line = all.substr(start, contentEnd - start);
    m_lines.push_back({line, m_words.size()});
    splitWords(line, m_words);
    start = end + 1;
  } while (start < all.size());
  m_lines.push_back({{}, m_words.size()});
  m_lineIndex = 0;
  m_wordIndex = 0;
}

std::string_view TWordReader::nextWordView() {
  if (AtEnd()) throw EInOutError(kIncomplete);
  if (m_wordIndex == wordCountOf(m_lineIndex)) {
    ++m_lineIndex;
    m_wordIndex = 0;
    if (AtEnd()) throw EInOutError(kIncomplete);
    if (wordCountOf(m_lineIndex) == 0) {
      // A blank line inside a run of numbers is refused; only blank lines left means the file
      // stops short.
      if (m_lines[m_lineIndex].firstWord != m_words.size()) {
        throw EInOutError(
            QStringLiteral("Error on Line %1 Item 1\nA value was expected but the line is blank.")
                .arg(m_lineIndex + 1));
      }
      throw EInOutError(kIncomplete);
    }
  }
  return m_words[m_lines[m_lineIndex].firstWord + m_wordIndex++];
}

QString TWordReader::NextWord() {
  const std::string_view word = nextWordView();
  return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

void TWordReader::failAtCurrentWord(const char* expectation) const {
  throw EInOutError(QStringLiteral("Error on Line %1 Item %2\n%3")
                        .arg(m_lineIndex + 1)
                        .arg(m_wordIndex)
                        .arg(QLatin1String(expectation)));
}

double TWordReader::ReadFloat() {
  const std::string_view word = nextWordView();
  double value = 0.0;
  if (!parseDecimal(word, value)) {
    failAtCurrentWord("A floating point number was expected but not found.");
  }
  return value;
}

int TWordReader::ReadInteger() {
  const std::string_view word = nextWordView();
  double value = 0.0;
  if (!parseDecimal(word, value) || value != std::trunc(value) || value < -2147483648.0 ||
      value > 2147483647.0) {
    failAtCurrentWord("An integer was expected but not found.");
  }
  return static_cast<int>(value);
}

QString TWordReader::ReadLine() {
  if (AtEnd()) throw EInOutError(kIncomplete);
  const std::string_view text = m_lines[m_lineIndex].text;
  ++m_lineIndex;
  m_wordIndex = 0;
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray TWordReader::ReadLineBytes() {
  if (AtEnd()) throw EInOutError(kIncomplete);
  const std::string_view text = m_lines[m_lineIndex].text;
  ++m_lineIndex;
  m_wordIndex = 0;
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

bool TWordReader::HasMoreWords() const {
  if (AtEnd()) return false;
  // Words remain when the current line's next word is not the last word of the file.
  return m_lines[m_lineIndex].firstWord + m_wordIndex < m_words.size();
}

int TWordReader::WordCount() const {
  if (AtEnd()) return 0;
  return static_cast<int>(wordCountOf(m_lineIndex));
}

}  // namespace vorne
