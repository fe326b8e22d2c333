// Records every message box a window test causes and answers it with a chosen button, so that no
// box is left waiting; uninstalls itself when it goes out of scope.
#pragma once

#include <QStringList>

#include "gui/message_box.h"

class MessageRecorder {
 public:
  explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
      : m_answer(answer) {
    m_previous = setMessageBoxResponder([this](const MessageBoxRequest& request) {
      texts.append(request.text);
      return m_answer;
    });
  }
  ~MessageRecorder() { setMessageBoxResponder(m_previous); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void answerWith(QMessageBox::StandardButton answer) { m_answer = answer; }
  // The last text shown, empty when none.
  QString last() const { return texts.isEmpty() ? QString() : texts.last(); }

  QStringList texts;

 private:
  QMessageBox::StandardButton m_answer;
  MessageBoxResponder m_previous;
};
