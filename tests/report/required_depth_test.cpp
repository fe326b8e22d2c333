// The penetration for a required capacity on a profile whose crossings are known by hand.
#include "report/required_depth.h"

#include <QtTest>
#include <limits>

using namespace vorne;

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::vector<vorne::TFloatPoint>)

namespace {

// Capacity (X) against penetration (Y), as the rows of a total-capacity curve: 0, 50, 120, 120
// and 300 kips at 0, 2, 4, 6 and 8 ft.
const std::vector<TFloatPoint> kProfile{
    {0.0, 0.0}, {50.0, 2.0}, {120.0, 4.0}, {120.0, 6.0}, {300.0, 8.0}};

}  // namespace

class RequiredDepthTest : public QObject {
  Q_OBJECT

 private slots:
  void crossings_data();
  void crossings();
};

void RequiredDepthTest::crossings_data() {
  QTest::addColumn<std::vector<TFloatPoint>>("profile");
  QTest::addColumn<double>("required");
  QTest::addColumn<std::optional<double>>("depth");
  // 2 + (100 - 50) / (120 - 50) * 2 = 3.428571...
  QTest::newRow("between rows") << kProfile << 100.0 << std::optional<double>(2.0 + 100.0 / 70.0);
  QTest::newRow("exactly on a row") << kProfile << 50.0 << std::optional<double>(2.0);
  // A plateau at the requirement: the shallowest row that carries it.
  QTest::newRow("on a plateau") << kProfile << 120.0 << std::optional<double>(4.0);
  // Past the plateau: 6 + (210 - 120) / 180 * 2 = 7.
  QTest::newRow("after a plateau") << kProfile << 210.0 << std::optional<double>(7.0);
  QTest::newRow("at the tip") << kProfile << 300.0 << std::optional<double>(8.0);
  QTest::newRow("never reached") << kProfile << 300.1 << std::optional<double>();
  // A pile whose first printed row carries the load already.
  QTest::newRow("reached at the first row")
      << std::vector<TFloatPoint>{{80.0, 1.5}, {160.0, 3.0}} << 60.0 << std::optional<double>(1.5);
  // 0.1 + (0.3 - 0.1) is not 0.3 in binary: a row that carries the load gives its own depth.
  QTest::newRow("row depth kept exactly")
      << std::vector<TFloatPoint>{{10.0, 0.1}, {20.0, 0.3}} << 20.0 << std::optional<double>(0.3);
  // Capacity that falls again after a peak: the first crossing counts.
  QTest::newRow("first of two crossings")
      << std::vector<TFloatPoint>{{0.0, 0.0}, {100.0, 1.0}, {40.0, 2.0}, {200.0, 3.0}} << 70.0
      << std::optional<double>(0.7);
  QTest::newRow("empty profile") << std::vector<TFloatPoint>{} << 10.0 << std::optional<double>();
  QTest::newRow("requirement not a number")
      << kProfile << std::numeric_limits<double>::quiet_NaN() << std::optional<double>();
  QTest::newRow("profile with a non-number")
      << std::vector<TFloatPoint>{{0.0, 0.0}, {std::numeric_limits<double>::infinity(), 2.0}}
      << 10.0 << std::optional<double>();
}

void RequiredDepthTest::crossings() {
  QFETCH(std::vector<TFloatPoint>, profile);
  QFETCH(double, required);
  QFETCH(std::optional<double>, depth);
  const std::optional<double> found = requiredDepth(profile, required);
  QCOMPARE(found.has_value(), depth.has_value());
  // The interpolation is exact to rounding; a row is hit exactly.
  if (depth) {
    QVERIFY2(std::abs(*found - *depth) <= 1e-12, qPrintable(QString::number(*found, 'g', 17)));
  }
  if (depth && required == 50.0) QCOMPARE(*found, *depth);
  if (depth && required == 20.0) QCOMPARE(*found, 0.3);
}

QTEST_GUILESS_MAIN(RequiredDepthTest)
#include "required_depth_test.moc"
