// Help window over QTextBrowser's Markdown support.
#include "gui/help_form.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

QString headingAnchor(const QString& heading) {
  QString anchor;
  for (const QChar c : heading.trimmed().toLower()) {
    if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) {
      anchor += c;
    } else if (c.isSpace()) {
      anchor += QLatin1Char('-');
    }
  }
  return anchor;
}

THelpForm::THelpForm(const QString& manualFolder, QWidget* parent)
    : QWidget(parent), m_folder(manualFolder) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("VORNE Help"));
  setAttribute(Qt::WA_DeleteOnClose);
  m_browser = new QTextBrowser(this);
  m_browser->setOpenLinks(true);
  m_browser->setOpenExternalLinks(true);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(m_browser);
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
    anchorHeadings();
    if (!source.fragment().isEmpty()) m_browser->scrollToAnchor(source.fragment());
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("VORNE Help") : title);
  });
  resize(760, 560);
}

void THelpForm::showDocument(const QString& document) {
  const QString path = QDir(m_folder).filePath(document);
  if (m_folder.isEmpty() || !QFileInfo(path).isFile()) {
    m_browser->setMarkdown(
        QStringLiteral("# Manual not found\n\n%1 is not installed%2.\n")
            .arg(document, m_folder.isEmpty()
                               ? QString()
                               : QStringLiteral(" in ") + QDir::toNativeSeparators(m_folder)));
    setWindowTitle(QStringLiteral("VORNE Help"));
    return;
  }
  m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
}

void THelpForm::anchorHeadings() {
  QTextDocument* document = m_browser->document();
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    // The first heading names the document.
    if (document->metaInformation(QTextDocument::DocumentTitle).isEmpty()) {
      document->setMetaInformation(QTextDocument::DocumentTitle, block.text());
    }
    QTextCursor cursor(block);
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat anchor;
    anchor.setAnchor(true);
    anchor.setAnchorNames({headingAnchor(block.text())});
    QTextCursor start(block);
    start.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    start.mergeCharFormat(anchor);
  }
}
