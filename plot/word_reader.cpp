// Word reader: loading, word splitting and the conversions with their messages.
#include "plot/word_reader.h"

#include <QFile>
#include <cmath>

#include "base/number_text.h"

namespace vorne {

namespace {

const QString kIncomplete = QStringLiteral("This file either invalid or incomplete.");

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Splits one line: trim characters of code 32 or less at both ends, then cut at the earlier of
// the next blank or tab and drop every character of code 32 or less that follows it.
std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
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
  return words;
}

}  // namespace

TWordReader::TWordReader(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw EInOutError(file.errorString(), fileName);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw EInOutError(file.errorString(), fileName);
  load(bytes.toStdString());
}

TWordReader TWordReader::fromText(std::string text) {
  TWordReader reader;
  reader.load(std::move(text));
  return reader;
}

void TWordReader::load(std::string text) {
  m_lines.clear();
  std::size_t start = 0;
  // Lines are read while the end of the text is not reached, so an empty text is one empty line
  // and a final line end does not start another line.
  do {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t contentEnd = end;
    if (contentEnd > start && text[contentEnd - 1] == '\r') --contentEnd;
    TWordContainer line;
    line.RawText = text.substr(start, contentEnd - start);
    m_lines.push_back(std::move(line));
    start = end + 1;
  } while (start < text.size());
  // Views are taken once the strings no longer move.
  for (TWordContainer& line : m_lines) line.Words = splitWords(line.RawText);
  m_lineIndex = 0;
  m_wordIndex = 0;
}

std::string_view TWordReader::nextWordView() {
  if (AtEnd()) throw EInOutError(kIncomplete);
  if (m_wordIndex == m_lines[m_lineIndex].Words.size()) {
    ++m_lineIndex;
    m_wordIndex = 0;
    if (AtEnd()) throw EInOutError(kIncomplete);
    if (m_lines[m_lineIndex].Words.empty()) {
      // A blank line inside a run of numbers is refused; only blank lines left means the file
      // stops short.
      for (std::size_t k = m_lineIndex; k < m_lines.size(); ++k) {
        if (!m_lines[k].Words.empty()) {
          throw EInOutError(
              QStringLiteral("Error on Line %1 Item 1\nA value was expected but the line is blank.")
                  .arg(m_lineIndex + 1));
        }
      }
      throw EInOutError(kIncomplete);
    }
  }
  return m_lines[m_lineIndex].Words[m_wordIndex++];
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
  const std::string& text = m_lines[m_lineIndex].RawText;
  ++m_lineIndex;
  m_wordIndex = 0;
  return QString::fromStdString(text);
}

bool TWordReader::HasMoreWords() const {
  if (AtEnd()) return false;
  if (m_wordIndex < m_lines[m_lineIndex].Words.size()) return true;
  for (std::size_t k = m_lineIndex + 1; k < m_lines.size(); ++k) {
    if (!m_lines[k].Words.empty()) return true;
  }
  return false;
}

int TWordReader::WordCount() const {
  if (AtEnd()) return 0;
  return static_cast<int>(m_lines[m_lineIndex].Words.size());
}

}  // namespace vorne
