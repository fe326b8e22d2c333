// The numeric field driven by key events: the exit check on leaving the field and on Enter, the
// operator keys, the label with its unit.
#include "gui/data_edit.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "message_recorder.h"

class DataEditTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void exitCheckOnLeaving_data();
  void exitCheckOnLeaving();
  void enterChecksAndOperatorsExtendTheValue();
  void labelNamesTheUnitAndFollowsEnabledState();
  void boundsStayOrderedAndMoveTheShownValue();

 private:
  std::unique_ptr<QWidget> m_form;
  TDataEdit* m_edit = nullptr;
  TDataEdit* m_next = nullptr;
};

void DataEditTest::init() {
  m_form = std::make_unique<QWidget>();
  auto* layout = new QVBoxLayout(m_form.get());
  m_edit = new TDataEdit(m_form.get());
  m_next = new TDataEdit(m_form.get());
  layout->addWidget(m_edit);
  layout->addWidget(m_next);
  m_form->show();
  m_form->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_edit->setFocus();
  QCOMPARE(QApplication::focusWidget(), m_edit);
}

void DataEditTest::cleanup() { m_form.reset(); }

void DataEditTest::exitCheckOnLeaving_data() {
  QTest::addColumn<double>("minVal");
  QTest::addColumn<double>("maxVal");
  QTest::addColumn<bool>("integerOnly");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");  // empty: accepted
  QTest::addColumn<QString>("shown");
  const double lo = vorne::NumericEntryRules::kLowest;
  const double hi = vorne::NumericEntryRules::kHighest;
  QTest::newRow("expression is shown as its value") << lo << hi << false << "(2+3)*4"
                                                    << ""
                                                    << "20";
  QTest::newRow("bad expression keeps the text")
      << lo << hi << false << "2+abc"
      << "Entry could not be evaluated:\ninvalid character(s) in expression"
      << "2+abc";
  QTest::newRow("blank entry") << lo << hi << false << ""
                               << "Entry could not be evaluated:\nentry cannot be blank"
                               << "";
  QTest::newRow("above the bound is clamped") << 0.001 << 10.0 << false << "20"
                                              << "Entry must be less than or equal to 10"
                                              << "10";
  QTest::newRow("below the bound is clamped") << 0.001 << 10.0 << false << "0"
                                              << "Entry must be greater than or equal to 0.001"
                                              << "0.001";
  QTest::newRow("integer only refuses a fraction") << 1.0 << 500.0 << true << "2.5"
                                                   << "Entry must be an integer."
                                                   << "2.5";
  QTest::newRow("integer only refuses a bad expression") << 1.0 << 500.0 << true << "x"
                                                         << "Entry must be a valid integer."
                                                         << "x";
  QTest::newRow("integer only takes a whole expression") << 1.0 << 500.0 << true << "10/4*2"
                                                         << ""
                                                         << "5";
}

void DataEditTest::exitCheckOnLeaving() {
  QFETCH(double, minVal);
  QFETCH(double, maxVal);
  QFETCH(bool, integerOnly);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  QFETCH(QString, shown);
  m_edit->setIntegerOnly(integerOnly);
  m_edit->setMinVal(minVal);
  m_edit->setMaxVal(maxVal);
  MessageRecorder boxes;
  m_edit->selectAll();
  QTest::keyClick(m_edit, Qt::Key_Delete);
  QTest::keyClicks(m_edit, typed);
  QTest::keyClick(m_edit, Qt::Key_Tab);

  QCOMPARE(m_edit->text(), shown);
  QCOMPARE(boxes.last(), message);
  if (message.isEmpty()) {
    QVERIFY(boxes.texts.isEmpty());
    QVERIFY(m_edit->isValid());
    QCOMPARE(QApplication::focusWidget(), m_next);
  } else {
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY(!m_edit->isValid());
    QCOMPARE(QApplication::focusWidget(), m_edit);
  }
}

void DataEditTest::enterChecksAndOperatorsExtendTheValue() {
  MessageRecorder boxes;
  m_edit->selectAll();
  QTest::keyClicks(m_edit, "3");
  QTest::keyClick(m_edit, Qt::Key_Return);
  QCOMPARE(m_edit->selectedText(), QStringLiteral("3"));
  // The whole text is selected: "*" goes after the value instead of replacing it.
  QTest::keyClicks(m_edit, "*2");
  QCOMPARE(m_edit->text(), QStringLiteral("3*2"));
  QTest::keyClick(m_edit, Qt::Key_Enter);
  QCOMPARE(m_edit->text(), QStringLiteral("6"));
  QCOMPARE(m_edit->Number(), 6.0);
  // A digit typed over the selection still replaces it.
  QTest::keyClicks(m_edit, "7");
  QCOMPARE(m_edit->text(), QStringLiteral("7"));
  QVERIFY(boxes.texts.isEmpty());

  // Enter on a bad entry shows the message and stays in the field.
  m_edit->setMaxVal(5.0);
  QTest::keyClicks(m_edit, "20");
  QTest::keyClick(m_edit, Qt::Key_Return);
  QCOMPARE(boxes.texts, QStringList{"Entry must be less than or equal to 5"});
  QCOMPARE(m_edit->text(), QStringLiteral("5"));
  QCOMPARE(QApplication::focusWidget(), m_edit);
}

void DataEditTest::labelNamesTheUnitAndFollowsEnabledState() {
  auto* label = new QLabel(m_form.get());
  m_edit->setEditLabel(label);
  m_edit->setCaption(QStringLiteral("&Outer Diameter, OD"));
  m_edit->setUnitsString(QStringLiteral("L1"));
  QCOMPARE(label->text(), QStringLiteral("&Outer Diameter, OD (in)"));
  m_edit->setUnits(2);
  QCOMPARE(label->text(), QStringLiteral("&Outer Diameter, OD (mm)"));
  m_edit->setUnitsString(QStringLiteral("F/L2^2"));
  QCOMPARE(label->text(), QStringLiteral("&Outer Diameter, OD (kN/m^2)"));
  m_edit->setUnits(7);  // clamped to 3: the template as written
  QCOMPARE(label->text(), QStringLiteral("&Outer Diameter, OD (F/L2^2)"));
  m_edit->setUnitsString(QString());
  QCOMPARE(label->text(), QStringLiteral("&Outer Diameter, OD"));
  m_edit->setEnabled(false);
  QVERIFY(!label->isEnabled());
  m_edit->setEnabled(true);
  QVERIFY(label->isEnabled());
}

void DataEditTest::boundsStayOrderedAndMoveTheShownValue() {
  m_edit->setNumber(50.0);
  m_edit->setMaxVal(10.0);
  QCOMPARE(m_edit->text(), QStringLiteral("10"));
  m_edit->setMinVal(20.0);  // above the maximum: lowered to it
  QCOMPARE(m_edit->MinVal(), 10.0);
  m_edit->setNumber(-3.0);
  QCOMPARE(m_edit->text(), QStringLiteral("10"));
  m_edit->setIntegerOnly(true);
  m_edit->setMinVal(-1e12);
  QCOMPARE(m_edit->MinVal(), -2147483648.0);
  m_edit->setMaxVal(100.0);
  m_edit->setHex(true);
  m_edit->setNumber(31.0);
  QCOMPARE(m_edit->text(), QStringLiteral("$001F"));
}

QTEST_MAIN(DataEditTest)
#include "data_edit_test.moc"
