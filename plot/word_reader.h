// Reads a whole text file as lines of blank-separated words and hands the words out one by one,
// across line ends, as text, reals or integers. "." is the decimal separator whatever the locale.
// Every text file the desktop program reads back goes through it.
#ifndef VORNE_PLOT_WORD_READER_H
#define VORNE_PLOT_WORD_READER_H

#include <QByteArray>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/io_error.h"

namespace vorne {

class TWordReader {
 public:
  // Loads fileName whole (a line ends at LF or CR LF; an empty file is one line without words).
  // Throws EInOutError with the system's reason when the file cannot be opened or read.
  explicit TWordReader(const QString& fileName);
  // Loads text held in memory, split in the same way.
  static TWordReader fromText(std::string text);

  TWordReader(TWordReader&&) noexcept = default;
  TWordReader& operator=(TWordReader&&) noexcept = default;
  TWordReader(const TWordReader&) = delete;
  TWordReader& operator=(const TWordReader&) = delete;

  // The next word. When the current line has no word left, moves to the next line first (once
  // per call). Throws EInOutError "This file either invalid or incomplete." when the words run
  // out, and a line-and-item message when that move lands on a line without words (a blank line
  // inside a run of numbers).
  QString NextWord();
  // The next word as a decimal real; otherwise throws "Error on Line L Item I" and "A floating
  // point number was expected but not found." (one-based line and word position).
  double ReadFloat();
  // The next word as a whole number within the 32-bit range; otherwise throws "Error on Line L
  // Item I" and "An integer was expected but not found.".
  int ReadInteger();
  // The current line's text as read; then moves to the start of the next line. Throws
  // "This file either invalid or incomplete." at the end.
  QString ReadLine();
  // The same line as its bytes, for text whose encoding the caller decides.
  QByteArray ReadLineBytes();
  // Words of the current line, consumed or not; 0 at the end.
  int WordCount() const;
  bool AtEnd() const { return m_lineIndex == lineCount(); }
  // Whether a further NextWord would find a word (on this line or a later one).
  bool HasMoreWords() const;

  // Zero-based position of the current line and of the next word in it.
  std::size_t LineIndex() const { return m_lineIndex; }
  std::size_t WordIndex() const { return m_wordIndex; }

 private:
  TWordReader() = default;
  void load(std::string text);
  std::string_view nextWordView();
  [[noreturn]] void failAtCurrentWord(const char* expectation) const;

  // One line of the file: its text as read (without the line end) and where its words start in
  // m_words; the line's words end where the next line's start.
  struct Line {
    std::string_view text;
    std::size_t firstWord;
  };
  // The last entry of m_lines only ends the words of the line before it.
  std::size_t lineCount() const { return m_lines.empty() ? 0 : m_lines.size() - 1; }
  std::size_t wordCountOf(std::size_t line) const {
    return m_lines[line + 1].firstWord - m_lines[line].firstWord;
  }

  // The whole text, in one allocation that stays put when the reader moves, so the views into it
  // stay valid; every line and word is a view into it.
  std::unique_ptr<std::string> m_text;
  std::vector<Line> m_lines;
  std::vector<std::string_view> m_words;  // none empty
  std::size_t m_lineIndex = 0;
  std::size_t m_wordIndex = 0;
};

}  // namespace vorne

#endif  // VORNE_PLOT_WORD_READER_H
