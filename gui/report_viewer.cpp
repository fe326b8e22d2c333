// Report viewer window.
#include "gui/report_viewer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "base/text_encoding.h"
#include "gui/print_proposal.h"

TReportViewer::TReportViewer(QWidget* parent)
    : QWidget(parent),
      text(new QPlainTextEdit(this)),
      findEdit(new QLineEdit(this)),
      nextButton(new QPushButton(QStringLiteral("&Next"), this)),
      previousButton(new QPushButton(QStringLiteral("Pre&vious"), this)),
      printButton(new QPushButton(QStringLiteral("&Print..."), this)),
      closeButton(new QPushButton(QStringLiteral("Close"), this)),
      findStatus(new QLabel(this)) {
  setObjectName(QStringLiteral("ReportViewer"));
  text->setReadOnly(true);
  // The report's tables are laid out in columns of characters.
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
  findLabel->setBuddy(findEdit);
  findEdit->setClearButtonEnabled(true);
  findEdit->setPlaceholderText(QStringLiteral("Text in the report"));
  auto* bar = new QHBoxLayout;
  bar->addWidget(findLabel);
  bar->addWidget(findEdit, 1);
  bar->addWidget(nextButton);
  bar->addWidget(previousButton);
  bar->addWidget(findStatus);
  bar->addStretch();
  bar->addWidget(printButton);
  bar->addWidget(closeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(text, 1);

  connect(findEdit, &QLineEdit::returnPressed, this, &TReportViewer::findNext);
  connect(findEdit, &QLineEdit::textEdited, this, [this] { findStatus->clear(); });
  connect(nextButton, &QPushButton::clicked, this, &TReportViewer::findNext);
  connect(previousButton, &QPushButton::clicked, this, &TReportViewer::findPrevious);
  connect(printButton, &QPushButton::clicked, this, &TReportViewer::printReport);
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
  const auto shortcut = [this](const QKeySequence& keys, auto slot) {
    auto* s = new QShortcut(keys, this, this, slot);
    s->setContext(Qt::WidgetWithChildrenShortcut);
  };
  shortcut(QKeySequence::Find, [this] {
    findEdit->setFocus();
    findEdit->selectAll();
  });
  shortcut(QKeySequence::FindNext, [this] { findNext(); });
  shortcut(QKeySequence::FindPrevious, [this] { findPrevious(); });
  shortcut(QKeySequence::Print, [this] { printReport(); });

  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  // Wide enough for the report's 80-column lines beside the find bar.
  const QFontMetrics metrics(text->font());
  resize(metrics.horizontalAdvance(QString(86, QLatin1Char('M'))) + 40, 560);
}

TReportViewer::~TReportViewer() = default;

bool TReportViewer::showFile(const QString& fileName) {
  m_fileName = fileName;
  setWindowTitle(QFileInfo(fileName).fileName());
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    m_error = QStringLiteral("The report %1 cannot be read: %2")
                  .arg(QDir::toNativeSeparators(fileName), file.errorString());
    text->setPlainText(m_error);
    m_shownStamp = -1;
    return false;
  }
  const QByteArray bytes = file.readAll();
  m_error.clear();
  m_shownStamp = QFileInfo(fileName).lastModified().toMSecsSinceEpoch();
  // The engine writes plain ASCII; a title line may carry an older project's Windows-1252 bytes.
  QString shown =
      vorne::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : vorne::fromWindows1252(bytes);
  shown.remove(QLatin1Char('\r'));
  // Form feeds start the printed report's pages; on screen they are blank lines.
  shown.replace(QLatin1Char('\f'), QLatin1Char('\n'));
  text->setPlainText(shown);
  findStatus->clear();
  return true;
}

void TReportViewer::loadFromProject() {
  if (m_fileName.isEmpty()) return;
  const QFileInfo info(m_fileName);
  const qint64 stamp = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
  if (stamp != m_shownStamp) showFile(m_fileName);
}

bool TReportViewer::find(bool backward) {
  const QString wanted = findEdit->text();
  if (wanted.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = text->find(wanted, flags);
  if (!found) {
    // Round from the other end.
    const QTextCursor kept = text->textCursor();
    QTextCursor start = kept;
    start.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    text->setTextCursor(start);
    found = text->find(wanted, flags);
    if (!found) text->setTextCursor(kept);
  }
  if (found) text->centerCursor();
  findStatus->setText(found ? QString() : QStringLiteral("Not found"));
  return found;
}

bool TReportViewer::findNext() { return find(false); }

bool TReportViewer::findPrevious() { return find(true); }

void TReportViewer::printReport() {
  if (!m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_outputFolder.isEmpty()) {
      // A print to a file is proposed in the project's folder under the report's name.
      proposePrintFile(*m_printer, m_outputFolder + QLatin1Char('/') +
                                       QFileInfo(m_fileName).completeBaseName() +
                                       QStringLiteral(".pdf"));
    }
  }
  if (choosePrinter(*m_printer)) printOn(*m_printer);
}

void TReportViewer::printOn(QPrinter& printer) {
  printer.setDocName(QFileInfo(m_fileName).fileName());
  text->print(&printer);
}

void TReportViewer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
