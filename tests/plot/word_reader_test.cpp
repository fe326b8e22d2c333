// Word reader: splitting, the single advance of NextWord, conversions and their messages.
#include "plot/word_reader.h"

#include <QTemporaryDir>
#include <QtTest>
#include <clocale>

using namespace vorne;

namespace {

// One step of a script run against a reader.
enum class Op { Word, Float, Integer, Line };

struct Step {
  Op op;
  QString expected;  // the word, the value as text or the line; or the error text
};

QString run(TWordReader& reader, Op op) {
  switch (op) {
    case Op::Word:
      return reader.NextWord();
    case Op::Float:
      return QString::number(reader.ReadFloat(), 'g', 15);
    case Op::Integer:
      return QString::number(reader.ReadInteger());
    case Op::Line:
      return reader.ReadLine();
  }
  return {};
}

const QString kIncomplete = QStringLiteral("This file either invalid or incomplete.");
const QString kNotInteger = QStringLiteral("An integer was expected but not found.");
const QString kNotFloat = QStringLiteral("A floating point number was expected but not found.");

}  // namespace

Q_DECLARE_METATYPE(QList<Step>)

class WordReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void readsWordsAcrossLines_data();
  void readsWordsAcrossLines();
  void keepsRawTextAndCountsWords();
  void emptyTextIsOneLineWithoutWords();
  void readsAFileFromDisk();
  void missingFileReportsTheSystemReason();
  void readsFloatsWithPointUnderCommaLocale();
};

void WordReaderTest::readsWordsAcrossLines_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<Step>>("steps");
  const QByteArray twoLines = "1 2\r\n3\r\n";
  QTest::newRow("three integers then the end") << twoLines
                                               << QList<Step>{{Op::Integer, "1"},
                                                              {Op::Integer, "2"},
                                                              {Op::Integer, "3"},
                                                              {Op::Integer, kIncomplete}};
  QTest::newRow("line after its last word is that line again")
      << twoLines
      << QList<Step>{{Op::Integer, "1"}, {Op::Integer, "2"}, {Op::Line, "1 2"}, {Op::Integer, "3"}};
  QTest::newRow("lines before numbers")
      << QByteArray("Title text\nDesigner\n7 8")
      << QList<Step>{{Op::Line, "Title text"}, {Op::Line, "Designer"}, {Op::Integer, "7"}};
  QTest::newRow("blank and tab separated")
      << QByteArray("  1.5\t\t2   3 \n")
      << QList<Step>{{Op::Float, "1.5"}, {Op::Float, "2"}, {Op::Float, "3"}};
  QTest::newRow("integer refuses a fraction with line and item")
      << QByteArray("1\n2\n4 2.5\n")
      << QList<Step>{{Op::Integer, "1"},
                     {Op::Integer, "2"},
                     {Op::Integer, "4"},
                     {Op::Integer, "Error on Line 3 Item 2\n" + kNotInteger}};
  QTest::newRow("integer refuses past 32 bits")
      << QByteArray("2147483648")
      << QList<Step>{{Op::Integer, "Error on Line 1 Item 1\n" + kNotInteger}};
  QTest::newRow("integer takes a whole real")
      << QByteArray("2.0 -2147483648")
      << QList<Step>{{Op::Integer, "2"}, {Op::Integer, "-2147483648"}};
  QTest::newRow("float refuses a decimal comma")
      << QByteArray("1.5 2,5")
      << QList<Step>{{Op::Float, "1.5"}, {Op::Float, "Error on Line 1 Item 2\n" + kNotFloat}};
  QTest::newRow("float takes an exponent")
      << QByteArray("  1.25E+01  -3e-2") << QList<Step>{{Op::Float, "12.5"}, {Op::Float, "-0.03"}};
  QTest::newRow("blank line at the start is passed over")
      << QByteArray("\n5") << QList<Step>{{Op::Integer, "5"}};
  QTest::newRow("blank line after ReadLine is passed over")
      << QByteArray("head\n\n5") << QList<Step>{{Op::Line, "head"}, {Op::Integer, "5"}};
  QTest::newRow("blank line inside numbers is refused")
      << QByteArray("1\n\n2")
      << QList<Step>{{Op::Integer, "1"},
                     {Op::Integer,
                      "Error on Line 2 Item 1\nA value was expected but the line is "
                      "blank."}};
  QTest::newRow("blank lines at the end mean incomplete")
      << QByteArray("1\n\n\n") << QList<Step>{{Op::Integer, "1"}, {Op::Integer, kIncomplete}};
  QTest::newRow("ReadLine past the end")
      << QByteArray("x") << QList<Step>{{Op::Line, "x"}, {Op::Line, kIncomplete}};
  QTest::newRow("any other character belongs to a word") << QByteArray(
                                                                "a;b\x01"
                                                                "c d")
                                                         << QList<Step>{{Op::Word,
                                                                         "a;b\x01"
                                                                         "c"},
                                                                        {Op::Word, "d"}};
}

void WordReaderTest::readsWordsAcrossLines() {
  QFETCH(QByteArray, text);
  QFETCH(QList<Step>, steps);
  TWordReader reader = TWordReader::fromText(text.toStdString());
  for (const Step& step : steps) {
    QString got;
    try {
      got = run(reader, step.op);
    } catch (const EInOutError& error) {
      got = error.message();
    }
    QCOMPARE(got, step.expected);
  }
}

void WordReaderTest::keepsRawTextAndCountsWords() {
  TWordReader reader = TWordReader::fromText("  1.5\t\t2   3 \r\nnext");
  QCOMPARE(reader.WordCount(), 3);
  QCOMPARE(reader.NextWord(), QStringLiteral("1.5"));
  QCOMPARE(reader.WordCount(), 3);  // consumed words still count
  QCOMPARE(reader.ReadLine(), QStringLiteral("  1.5\t\t2   3 "));
  QCOMPARE(reader.LineIndex(), std::size_t{1});
  QCOMPARE(reader.ReadLine(), QStringLiteral("next"));
  QVERIFY(reader.AtEnd());
  QCOMPARE(reader.WordCount(), 0);
}

void WordReaderTest::emptyTextIsOneLineWithoutWords() {
  TWordReader reader = TWordReader::fromText("");
  QVERIFY(!reader.AtEnd());
  QCOMPARE(reader.WordCount(), 0);
  QCOMPARE(reader.ReadLine(), QString());
  QVERIFY(reader.AtEnd());
}

void WordReaderTest::readsAFileFromDisk() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("numbers.txt"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("4 5\r\n6\r\n");
  file.close();
  TWordReader reader(path);
  QCOMPARE(reader.ReadInteger() + reader.ReadInteger() + reader.ReadInteger(), 15);
  QVERIFY_THROWS_EXCEPTION(EInOutError, reader.NextWord());
}

void WordReaderTest::missingFileReportsTheSystemReason() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("absent.vr6d"));
  try {
    TWordReader reader(path);
    QFAIL("no error");
  } catch (const EInOutError& error) {
    QCOMPARE(error.fileName(), path);
    QVERIFY(!error.message().isEmpty());
  }
}

void WordReaderTest::readsFloatsWithPointUnderCommaLocale() {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("de_DE.UTF-8 is not installed");
  TWordReader reader = TWordReader::fromText("2.5 2,5 2.0");
  const double first = reader.ReadFloat();
  bool commaRefused = false;
  try {
    reader.ReadFloat();
  } catch (const EInOutError&) {
    commaRefused = true;
  }
  const int whole = reader.ReadInteger();
  std::setlocale(LC_ALL, saved.c_str());
  QCOMPARE(first, 2.5);
  QVERIFY(commaRefused);
  QCOMPARE(whole, 2);
}

QTEST_GUILESS_MAIN(WordReaderTest)
#include "word_reader_test.moc"
