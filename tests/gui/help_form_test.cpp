// The help window on the manuals of the source tree: both manuals render with their pictures,
// the sections named in a table of contents can be reached, links lead from one manual to the
// other, and a missing manual says where it was looked for.
#include "gui/help_form.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include "app/install_layout.h"

using namespace vorne;

class HelpFormTest : public QObject {
  Q_OBJECT

 private slots:
  void headingAnchors_data();
  void headingAnchors();
  void showsBothManualsWithTheirPictures();
  void missingManualSaysWhere();
};

void HelpFormTest::headingAnchors_data() {
  QTest::addColumn<QString>("heading");
  QTest::addColumn<QString>("anchor");
  QTest::newRow("words") << "Elevation view"
                         << "elevation-view";
  QTest::newRow("punctuation dropped") << "What an engineer must know, to read!"
                                       << "what-an-engineer-must-know-to-read";
  QTest::newRow("numbered") << "2.1 API RP 2A"
                            << "21-api-rp-2a";
  QTest::newRow("hyphen kept") << "Load-transfer curves"
                               << "load-transfer-curves";
}

void HelpFormTest::headingAnchors() {
  QFETCH(QString, heading);
  QFETCH(QString, anchor);
  QCOMPARE(headingAnchor(heading), anchor);
}

void HelpFormTest::showsBothManualsWithTheirPictures() {
  const QString folder = findManualFolder(programFolder());
  QVERIFY2(!folder.isEmpty(), "the manuals of the source tree are not found");
  THelpForm help(folder);
  help.show();
  help.showDocument("users-manual.md");
  QCOMPARE(help.windowTitle(), "VORNE user's manual");
  QTextDocument* document = help.browser()->document();
  // Every table-of-contents entry of the user's manual names a heading that exists.
  const QString text = QString::fromUtf8([&] {
    QFile file(folder + "/users-manual.md");
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }());
  QStringList anchors;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it)
      anchors << it.fragment().charFormat().anchorNames();
  }
  static const QRegularExpression link(R"(\]\(#([a-z0-9-]+)\))");
  int contents = 0;
  for (auto match = link.globalMatch(text); match.hasNext(); ++contents) {
    const QString anchor = match.next().captured(1);
    QVERIFY2(anchors.contains(anchor), qPrintable(anchor));
  }
  QVERIFY(contents >= 10);
  // The pictures load from the images folder beside the manual.
  const QVariant picture =
      document->resource(QTextDocument::ImageResource, QUrl("images/elevation-view.png"));
  QVERIFY(picture.isValid());
  QVERIFY(!picture.value<QImage>().isNull() || !picture.value<QPixmap>().isNull() ||
          !picture.toByteArray().isEmpty());

  // A link leads to the technical manual, which cites its sources.
  help.browser()->setSource(QUrl("technical-manual.md"));
  QCOMPARE(help.windowTitle(), "VORNE technical manual");
  QVERIFY(help.browser()->toPlainText().contains("References"));
}

void HelpFormTest::missingManualSaysWhere() {
  QTemporaryDir empty;
  THelpForm help(empty.path());
  help.showDocument("users-manual.md");
  QVERIFY(help.browser()->toPlainText().contains("users-manual.md is not installed in"));
  THelpForm nowhere({});
  nowhere.showDocument("technical-manual.md");
  QVERIFY(nowhere.browser()->toPlainText().contains("technical-manual.md is not installed"));
}

QTEST_MAIN(HelpFormTest)
#include "help_form_test.moc"
