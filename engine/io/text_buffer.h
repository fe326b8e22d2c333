// In-memory output of a run: a stream buffer that collects everything written through its stream
// in one string, and the block writer that lets a writer append its rows straight to that string.
#ifndef VORNE_ENGINE_IO_TEXT_BUFFER_H
#define VORNE_ENGINE_IO_TEXT_BUFFER_H

#include <ostream>
#include <streambuf>
#include <string>

namespace vorne {

// Stream buffer over one growing string; it has no put area, so text is never held back.
class TextBuffer : public std::streambuf {
 public:
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      text.push_back(traits_type::to_char_type(c));
    }
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    text.append(s, static_cast<std::size_t>(n));
    return n;
  }
};

// The text of a block of lines for out. When out writes to a TextBuffer the block is appended to
// its string in place; otherwise it is built in a local string that write() hands to out.
class BlockText {
 public:
  BlockText(std::ostream& out, std::size_t expectedBytes)
      : m_out(out), m_target(dynamic_cast<TextBuffer*>(out.rdbuf())) {
    std::string& target = text();
    target.reserve(target.size() + expectedBytes);
  }
  BlockText(const BlockText&) = delete;
  BlockText& operator=(const BlockText&) = delete;

  std::string& text() { return m_target != nullptr ? m_target->text : m_local; }

  // Passes the block to out (nothing to do when it went to out's string already).
  void write() {
    if (m_target == nullptr) {
      m_out.write(m_local.data(), static_cast<std::streamsize>(m_local.size()));
      m_local.clear();
    }
  }

 private:
  std::ostream& m_out;
  TextBuffer* m_target;
  std::string m_local;
};

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_TEXT_BUFFER_H
