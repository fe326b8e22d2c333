// The help window: shows the Markdown manuals (the contents page, the user's manual, the technical
// manual) with their pictures, follows the links between them and to their sections, and opens
// web links in the desktop's browser.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // manualFolder: where the manuals are (see findManualFolder); empty when none was found.
  explicit THelpForm(const QString& manualFolder, QWidget* parent = nullptr);

  // Shows document (a file name in the manual folder, such as "users-manual.md"), or a page that
  // says where it was looked for when it is not there.
  void showDocument(const QString& document);

  QTextBrowser* browser() const { return m_browser; }

 private:
  // Gives every heading the anchor its text makes in a Markdown link ("Elevation view" is
  // "#elevation-view"), so that tables of contents work.
  void anchorHeadings();

  QString m_folder;
  QTextBrowser* m_browser = nullptr;
};

// The anchor a Markdown heading text gets: lower case, blanks as "-", other punctuation dropped.
QString headingAnchor(const QString& heading);
