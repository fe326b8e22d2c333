// JSON form of a project: every example goes to JSON and back to the same data file and the same
// JSON, numbers read back to the same doubles, a bad field is named, and vorne convert goes both
// ways through it.
#include "app/project_json.h"
#include "tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <limits>

#include "base/io_error.h"

using namespace vorne;

namespace {

const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples");

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

QStringList exampleProjects() {
  QStringList paths;
  for (const QString& name : QDir(kExamples).entryList({"*.vr6d"}, QDir::Files, QDir::Name))
    paths << kExamples + "/" + name;
  return paths;
}

// The JSON of the example with one top-level member replaced (or added) by a raw JSON value.
QByteArray withMember(const QByteArray& json, const QString& key, const QByteArray& value) {
  QJsonObject object = QJsonDocument::fromJson(json).object();
  object.insert(key, QJsonDocument::fromJson("[" + value + "]").array().at(0));
  return QJsonDocument(object).toJson();
}

}  // namespace

class ProjectJsonTest : public QObject {
  Q_OBJECT

 private slots:
  // Data file -> JSON -> project gives the same data file, CPT side file and JSON, in the
  // example's own units and converted to the other system (where values take many digits).
  void everyExampleRoundTripsExactly() {
    const QStringList examples = exampleProjects();
    QVERIFY(examples.size() >= 5);
    for (const QString& path : examples) {
      for (const bool switched : {false, true}) {
        const QString label = path + (switched ? " switched" : "");
        TProgramData first;
        first.createFromFile(path, true);
        if (switched) first.switchUnits(first.units() == 1 ? 2 : 1);
        const QByteArray json = projectJson(first);
        TProgramData second;
        readProjectJson(second, json);
        QVERIFY2(first.dataFileText() == second.dataFileText(), qPrintable(label));
        QVERIFY2(first.cptFileText() == second.cptFileText(), qPrintable(label));
        QVERIFY2(projectJson(second) == json, qPrintable(label));
        QCOMPARE(second.CptPoints.size(), first.CptPoints.size());
        for (std::size_t k = 0; k < first.CptPoints.size(); ++k) {
          QVERIFY(sameBits(first.CptPoints[k].qc, second.CptPoints[k].qc));
        }
      }
    }
  }

  // Values with no short decimal form, and the extremes of a double read back
  // bit for bit, in scalars, table cells and CPT points.
  void numbersReadBackToTheSameDoubles() {
    const double values[] = {0.1 + 0.2,
                             1.0 / 3.0,
                             24.000000000000004,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             123456789012345678.0,
                             29000000.0 * 6.894757293168361};
    for (const double value : values) {
      TProgramData p;
      p.PileLength = value;
      p.ElasticModulus = -value;
      p.D.cell(col::kBottomDepth, 0).setFloat(value);
      p.layerData(0).cell(col::kSandFrictionAngle, 1).setFloat(value);
      p.CptPoints = {{value, value / 7.0}};
      TProgramData q;
      readProjectJson(q, projectJson(p));
      const QString label = QString::number(value, 'g', 17);
      QVERIFY2(sameBits(q.PileLength, value), qPrintable(label));
      QVERIFY2(sameBits(q.ElasticModulus, -value), qPrintable(label));
      QVERIFY2(sameBits(q.D.cell(col::kBottomDepth, 0).asFloat(), value), qPrintable(label));
      QVERIFY2(sameBits(q.layerData(0).cell(col::kSandFrictionAngle, 1).asFloat(), value),
               qPrintable(label));
      QVERIFY2(sameBits(q.CptPoints.at(0).qc, value / 7.0), qPrintable(label));
    }
  }

  // A project given by a few fields takes the new-project values for the rest.
  void fieldsLeftOutKeepNewProjectValues() {
    TProgramData p;
    readProjectJson(p, R"({"UnitSystem": 2, "PileLength": 20.0,
                          "SoilLayers": [{"SoilType": "clay", "BottomDepth": 30.0}]})");
    QCOMPARE(p.units(), 2);
    QCOMPARE(p.PileLength, 20.0);
    QCOMPARE(p.LoadTransferMethod, 4);
    QCOMPARE(p.MethodSelected[4], 1);
    QCOMPARE(p.TblTZDepth.rowCount(), 1);
    QCOMPARE(p.Sectionaldata.rowCount(), 2);
    QCOMPARE(p.D.cell(col::kSoilType, 0).asInteger(), 2);
    QCOMPARE(p.layerData(0).rowCount(), 2);
  }

  void badFieldsAreNamed_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("text for a number")
        << "PileLength" << QByteArray("\"60\"") << "PileLength: a number was expected, not a text";
    QTest::newRow("null for a number")
        << "OutsideDiameter" << QByteArray("null") << "OutsideDiameter: a number was expected";
    QTest::newRow("integer not whole")
        << "PileType" << QByteArray("1.5") << "PileType: a whole number was expected";
    QTest::newRow("integer out of range")
        << "LoadTransferMethod" << QByteArray("10") << "LoadTransferMethod: 10 is outside 1 to 9";
    QTest::newRow("unit system") << "UnitSystem" << QByteArray("3")
                                 << "UnitSystem: 3 is outside 1 to 2";
    QTest::newRow("misspelt field")
        << "PileLenght" << QByteArray("60") << "PileLenght: unknown field";
    QTest::newRow("eight method flags") << "MethodSelected" << QByteArray("[1,1,1,1,0,0,0,0]")
                                        << "MethodSelected: nine flags were expected";
    QTest::newRow("method flag 2") << "MethodSelected" << QByteArray("[1,1,1,2,0,0,0,0,0]")
                                   << "MethodSelected[3]: 2 is outside 0 to 1";
    QTest::newRow("soil type") << "SoilLayers" << QByteArray(R"([{"SoilType": "gravel"}])")
                               << "SoilLayers[0].SoilType: \"sand\" or \"clay\" was expected";
    QTest::newRow("clay field in a sand layer")
        << "SoilLayers" << QByteArray(R"([{"SoilType": "sand", "BottomDepth": 50, "LayerData": [{},
                         {"UndrainedShearStrength": 1}]}])")
        << "SoilLayers[0].LayerData[1].UndrainedShearStrength: unknown field";
    QTest::newRow("one layer row")
        << "SoilLayers" << QByteArray(R"([{"SoilType": "sand", "LayerData": [{}]}])")
        << "SoilLayers[0].LayerData: two rows were expected";
    QTest::newRow("41 layers") << "SoilLayers"
                               << QByteArray("[" + QByteArray("{},").repeated(40) + "{}]")
                               << "SoilLayers: 41 rows are more than the 40 allowed";
    QTest::newRow("deepest depth not the last bottom")
        << "DeepestSoilDepth" << QByteArray("99.5")
        << "DeepestSoilDepth: 99.5 is not the bottom depth of the last soil layer";
    QTest::newRow("CPT point of three values") << "CptPoints" << QByteArray("[[1, 2, 3]]")
                                               << "CptPoints[0]: a pair [depth, qc] was expected";
    QTest::newRow("tz depth row") << "TzDepths" << QByteArray("[5.0]")
                                  << "TzDepths[0]: an object was expected, not a number";
  }
  void badFieldsAreNamed() {
    QFETCH(QString, key);
    QFETCH(QByteArray, value);
    QFETCH(QString, message);
    TProgramData example;
    example.createFromFile(kExamples + "/steel_pipe_layered.vr6d", true);
    const QByteArray json = withMember(projectJson(example), key, value);
    TProgramData p;
    try {
      readProjectJson(p, json, QStringLiteral("bad.json"));
      QFAIL("no error");
    } catch (const EInOutError& error) {
      QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
      QCOMPARE(error.fileName(), QStringLiteral("bad.json"));
    }
  }

  void textThatIsNotAProjectIsRefused() {
    for (const QByteArray& text : {QByteArray("{\"Title\": "), QByteArray("[1, 2]"), QByteArray(""),
                                   QByteArray("{\"Title\": 5}")}) {
      TProgramData p;
      QVERIFY_THROWS_EXCEPTION(EInOutError, readProjectJson(p, text));
    }
  }

  // vorne convert writes the JSON form and reads it back into the same data file as a direct
  // conversion; a bad JSON project exits 1 with the field on standard error.
  void convertGoesBothWays() {
    QTemporaryDir folder;
    const QString runner = QStringLiteral(VORNE_BIN_DIR "/vorne");
    const QString example = kExamples + "/steel_pipe_layered.vr6d";
    const auto convert = [&](const QString& from, const QString& to, QByteArray* err = nullptr) {
      QProcess process;
      process.start(runner, {"convert", from, "--output", to});
      process.waitForFinished(60000);
      if (err) *err = process.readAllStandardError();
      return process.exitCode();
    };
    QCOMPARE(convert(example, folder.filePath("p.json")), 0);
    QVERIFY(!QFileInfo::exists(folder.filePath("p.cpt")));
    QCOMPARE(convert(folder.filePath("p.json"), folder.filePath("back.vr6d")), 0);
    QCOMPARE(convert(example, folder.filePath("direct.vr6d")), 0);
    QCOMPARE(readFileBytes(folder.filePath("back.vr6d")), readFileBytes(folder.filePath("direct.vr6d")));
    QCOMPARE(readFileBytes(folder.filePath("back.cpt")), readFileBytes(folder.filePath("direct.cpt")));

    QFile bad(folder.filePath("bad.json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"PileType": 9})");
    bad.close();
    QByteArray err;
    QCOMPARE(convert(folder.filePath("bad.json"), folder.filePath("bad.vr6d"), &err), 1);
    QVERIFY2(err.contains("PileType: 9 is outside 1 to 7"), err.constData());
    QVERIFY(!QFileInfo::exists(folder.filePath("bad.vr6d")));
  }
};

QTEST_GUILESS_MAIN(ProjectJsonTest)
#include "project_json_test.moc"
