// JSON form of a project: the writer (keys in the order of the data file, numbers in their
// shortest exact text) and the reader (every field checked for its type and range, unknown fields
// refused, so that a misspelt key is never silently dropped).
#include "app/project_json.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <charconv>
#include <cmath>

#include "base/io_error.h"
#include "base/unit_labels.h"

namespace vorne {

namespace {

// --- writer

// A double in the shortest text that reads back to the same value, always with a "." or an
// exponent so that it reads back as a real (and -0 keeps its sign). Non-finite values cannot be
// written as JSON numbers; the model never holds them, and null is refused when read.
QByteArray realText(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  QByteArray text(buffer, static_cast<qsizetype>(result.ptr - buffer));
  if (!text.contains('.') && !text.contains('e') && !text.contains('E')) text += ".0";
  return text;
}

QByteArray stringText(const QString& value) {
  QByteArray out = "\"";
  for (const char c : value.toUtf8()) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      out += QByteArray("\\u00") + QByteArray::number(u, 16).rightJustified(2, '0');
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// An object being written: one member per line at the given indent.
class ObjectWriter {
 public:
  ObjectWriter(QByteArray& out, int indent) : m_out(out), m_indent(indent) { m_out += "{"; }

  ObjectWriter& real(const char* key, double value) { return raw(key, realText(value)); }
  ObjectWriter& integer(const char* key, int value) { return raw(key, QByteArray::number(value)); }
  ObjectWriter& text(const char* key, const QString& value) { return raw(key, stringText(value)); }
  ObjectWriter& raw(const char* key, const QByteArray& value) {
    m_out += m_first ? "\n" : ",\n";
    m_first = false;
    m_out += QByteArray(m_indent + 2, ' ') + stringText(QLatin1String(key)) + ": " + value;
    return *this;
  }
  void close() { m_out += "\n" + QByteArray(m_indent, ' ') + "}"; }
  int innerIndent() const { return m_indent + 2; }

 private:
  QByteArray& m_out;
  int m_indent;
  bool m_first = true;
};

// A list of items, one per line at the given indent.
QByteArray listText(const QList<QByteArray>& items, int indent) {
  if (items.isEmpty()) return "[]";
  QByteArray out = "[";
  for (qsizetype i = 0; i < items.size(); ++i) {
    out += (i == 0 ? "\n" : ",\n") + QByteArray(indent + 2, ' ') + items[i];
  }
  return out + "\n" + QByteArray(indent, ' ') + "]";
}

QByteArray layerRowText(TGridTable& data, int row, bool sand, bool userValues) {
  QByteArray out;
  ObjectWriter w(out, 0);
  // One row on one line: the writer's line breaks are replaced below.
  w.real("EffectiveUnitWeight", data.cell(col::kSandUnitWeight, row).asFloat());
  if (sand) {
    w.real("FrictionAngle", data.cell(col::kSandFrictionAngle, row).asFloat())
        .integer("BlowCount", data.cell(col::kSandBlowCount, row).asInteger())
        .real("EarthPressureCoefficient", data.cell(col::kSandKo, row).asFloat())
        .real("BearingFactorNq", data.cell(col::kSandNq, row).asFloat());
  } else {
    w.real("UndrainedShearStrength", data.cell(col::kClayUndrainedStrength, row).asFloat())
        .real("RemoldedShearStrength", data.cell(col::kClayRemoldedStrength, row).asFloat())
        .real("PlasticityIndex", data.cell(col::kClayPlasticityIndex, row).asFloat())
        .real("YieldStressRatio", data.cell(col::kClayYieldStressRatio, row).asFloat());
  }
  w.real("ConeResistance", data.cell(col::kConeResistance, row).asFloat())
      .real("UserUnitSkinFriction",
            userValues ? data.cell(col::kUserSkinFriction, row).asFloat() : 0.0)
      .real("UserUnitEndBearing",
            userValues ? data.cell(col::kUserEndBearing, row).asFloat() : 0.0);
  w.close();
  out.replace("\n  ", " ").replace("\n", "");
  return out.replace("{ ", "{");
}

// --- reader

[[noreturn]] void fail(const QString& field, const QString& what, const QString& fileName) {
  throw EInOutError(field + QStringLiteral(": ") + what, fileName);
}

QString typeName(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Null:
      return QStringLiteral("null");
    case QJsonValue::Bool:
      return QStringLiteral("true or false");
    case QJsonValue::Double:
      return QStringLiteral("a number");
    case QJsonValue::String:
      return QStringLiteral("a text");
    case QJsonValue::Array:
      return QStringLiteral("a list");
    case QJsonValue::Object:
      return QStringLiteral("an object");
    case QJsonValue::Undefined:
      break;
  }
  return QStringLiteral("nothing");
}

// The members of one object, read by name; what is left at the end is an unknown field.
class FieldReader {
 public:
  FieldReader(const QJsonObject& object, QString path, const QString& fileName)
      : m_object(object), m_path(std::move(path)), m_fileName(fileName) {}

  QString fieldName(const QString& key) const {
    return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
  }

  // The value of key, or nullptr when the object does not hold it.
  const QJsonValue* find(const char* key) {
    const QString name = QLatin1String(key);
    m_known.insert(name);
    const auto it = m_object.constFind(name);
    if (it == m_object.constEnd()) return nullptr;
    m_value = it.value();
    return &m_value;
  }

  void real(const char* key, double& target) {
    if (const QJsonValue* v = find(key)) target = realOf(*v, fieldName(QLatin1String(key)));
  }
  void integer(const char* key, int& target, int low, int high) {
    if (const QJsonValue* v = find(key))
      target = integerOf(*v, fieldName(QLatin1String(key)), low, high);
  }
  void text(const char* key, QString& target) {
    if (const QJsonValue* v = find(key)) {
      if (!v->isString()) wrongType(key, "a text", *v);
      target = v->toString();
    }
  }
  // A list, or nullptr when absent.
  const QJsonArray* list(const char* key) {
    const QJsonValue* v = find(key);
    if (v == nullptr) return nullptr;
    if (!v->isArray()) wrongType(key, "a list", *v);
    m_array = v->toArray();
    return &m_array;
  }

  double realOf(const QJsonValue& v, const QString& name) const {
    if (!v.isDouble()) fail(name, QStringLiteral("a number was expected, not ") + typeName(v));
    return v.toDouble();
  }
  int integerOf(const QJsonValue& v, const QString& name, int low, int high) const {
    const double value = realOf(v, name);
    if (value != std::trunc(value))
      fail(name, QStringLiteral("a whole number was expected, not %1").arg(value));
    if (value < low || value > high)
      fail(name, QStringLiteral("%1 is outside %2 to %3").arg(value).arg(low).arg(high));
    return static_cast<int>(value);
  }

  // Refuses every member that was not asked for.
  void finish() const {
    for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
      if (!m_known.contains(it.key())) fail(fieldName(it.key()), QStringLiteral("unknown field"));
    }
  }

  [[noreturn]] void fail(const QString& name, const QString& what) const {
    vorne::fail(name, what, m_fileName);
  }

 private:
  [[noreturn]] void wrongType(const char* key, const char* expected, const QJsonValue& v) const {
    fail(fieldName(QLatin1String(key)),
         QStringLiteral("%1 was expected, not %2").arg(QLatin1String(expected), typeName(v)));
  }

  const QJsonObject& m_object;
  QString m_path;
  const QString& m_fileName;
  QSet<QString> m_known;
  QJsonValue m_value;
  QJsonArray m_array;
};

QJsonObject objectOf(const QJsonValue& value, const QString& name, const QString& fileName) {
  if (!value.isObject())
    fail(name, QStringLiteral("an object was expected, not ") + typeName(value), fileName);
  return value.toObject();
}

QString indexed(const QString& name, qsizetype index) {
  return QStringLiteral("%1[%2]").arg(name).arg(index);
}

void checkLength(const QJsonArray& list,
                 const QString& name,
                 qsizetype most,
                 const QString& fileName) {
  if (list.size() > most) {
    fail(name, QStringLiteral("%1 rows are more than the %2 allowed").arg(list.size()).arg(most),
         fileName);
  }
}

}  // namespace

QByteArray projectJson(TProgramData& p) {
  const int layers = p.D.rowCount();
  const bool userValues = p.LoadTransferMethod == TProgramData::kUserSpecifiedMethod;
  QByteArray out;
  ObjectWriter w(out, 0);
  w.text("Title", p.Title).text("Designer", p.Designer).text("JobNumber", p.JobNumber);
  w.integer("UnitSystem", p.units())
      .integer("PrintIncrement", p.PrintIncrement == 0 ? 1 : p.PrintIncrement);
  w.integer("PileType", p.PileType)
      .real("NoncircularPerimeter", p.CircularSection ? 0.0 : p.NoncircularPerimeter)
      .real("NoncircularTipArea", p.CircularSection ? 0.0 : p.NoncircularTipArea)
      .real("OutsideDiameter", p.OutsideDiameter)
      .real("InsideDiameter", p.InsideDiameter)
      .real("ElasticModulus", p.ElasticModulus)
      .real("PileLength", p.PileLength)
      .real("StickupLength", p.StickupLength)
      .real("EnhancedEndLength", p.EnhancedEndLength)
      .real("EnhancedEndInsideDiameter", p.EnhancedEndInsideDiameter)
      .real("ZeroFrictionLength", p.ZeroFrictionLength)
      .real("LengthIncrement", p.LengthIncrement == 0.0 ? 1.0 : p.LengthIncrement)
      .real("TaperAngle", p.TaperAngle)
      .integer("LoadTransferMethod", p.LoadTransferMethod)
      .integer("OffshoreParameters", 1)
      .integer("ReducedLoadTransfer", p.ReducedLoadTransfer);
  QByteArray methods = "[";
  for (int method = 1; method <= 9; ++method) {
    methods += (method > 1 ? ", " : "") + QByteArray::number(p.MethodSelected[method]);
  }
  w.raw("MethodSelected", methods + "]");
  w.real("DeepestSoilDepth",
         layers > 0 ? p.D.cell(col::kBottomDepth, layers - 1).asFloat() : p.DeepestSoilDepth)
      .real("SectionArea", p.SectionArea);

  QList<QByteArray> layerItems;
  for (int layer = 0; layer < layers; ++layer) {
    const bool sand = p.D.cell(col::kSoilType, layer).asInteger() == 1;
    QByteArray item;
    ObjectWriter l(item, w.innerIndent() + 2);
    l.text("SoilType", sand ? QStringLiteral("sand") : QStringLiteral("clay"))
        .real("BottomDepth", p.D.cell(col::kBottomDepth, layer).asFloat())
        .real("MaxUnitFriction", p.D.cell(col::kMaxSideFriction, layer).asFloat())
        .real("MaxUnitBearing", p.D.cell(col::kMaxEndBearing, layer).asFloat())
        .real("SideResistanceFactor", p.D.cell(col::kSideFrictionFactor, layer).asFloat())
        .real("EndResistanceFactor", p.D.cell(col::kEndBearingFactor, layer).asFloat());
    TGridTable& data = p.layerData(layer);
    QList<QByteArray> rows;
    for (int row = 0; row < data.rowCount(); ++row)
      rows << layerRowText(data, row, sand, userValues);
    l.raw("LayerData", listText(rows, l.innerIndent()));
    l.close();
    layerItems << item;
  }
  w.raw("SoilLayers", listText(layerItems, w.innerIndent()));

  w.integer("ExtraTzDepths", p.ExtraTzDepths);
  QList<QByteArray> depths;
  for (int row = 0; row < p.TblTZDepth.rowCount(); ++row)
    depths << "{\"Depth\": " + realText(p.TblTZDepth.cell(0, row).asFloat()) + "}";
  w.raw("TzDepths", listText(depths, w.innerIndent()));
  w.integer("LoadingType", p.LoadingType)
      .real("TensionReductionFactor", p.TensionReductionFactor)
      .integer("ClayDrained", p.ClayDrained)
      .integer("PlugCondition", p.PlugCondition)
      .integer("AreaOption", p.AreaOption);
  QList<QByteArray> areas;
  for (int row = 0; row < p.Sectionaldata.rowCount(); ++row) {
    areas << "{\"Depth\": " + realText(p.Sectionaldata.cell(col::kAreaDepth, row).asFloat()) +
                 ", \"Area\": " + realText(p.Sectionaldata.cell(col::kArea, row).asFloat()) + "}";
  }
  w.raw("SectionalData", listText(areas, w.innerIndent()));
  w.integer("CriticalDepthOption", p.CriticalDepthOption)
      .real("UserCriticalDepth", p.UserCriticalDepth);
  QList<QByteArray> points;
  for (const CptProfilePoint& point : p.CptPoints)
    points << "[" + realText(point.depth) + ", " + realText(point.qc) + "]";
  w.raw("CptPoints", listText(points, w.innerIndent()));
  w.close();
  return out + "\n";
}

void readProjectJson(TProgramData& p, const QByteArray& json, const QString& fileName) {
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    throw EInOutError(QStringLiteral("not a JSON project: %1 at character %2")
                          .arg(error.errorString())
                          .arg(error.offset),
                      fileName);
  }
  if (!document.isObject())
    throw EInOutError(QStringLiteral("a JSON project is one object { ... }"), fileName);
  const QJsonObject root = document.object();
  p.createNew();
  FieldReader r(root, {}, fileName);

  // The tables take the unit system before any of their values is read.
  int units = kEnglishUnits;
  r.integer("UnitSystem", units, kEnglishUnits, kSiUnits);
  p.switchUnits(units);
  r.text("Title", p.Title);
  r.text("Designer", p.Designer);
  r.text("JobNumber", p.JobNumber);
  r.integer("PrintIncrement", p.PrintIncrement, 0, 500);
  r.integer("PileType", p.PileType, 1, 7);
  r.real("NoncircularPerimeter", p.NoncircularPerimeter);
  p.CircularSection = p.NoncircularPerimeter == 0.0;
  r.real("NoncircularTipArea", p.NoncircularTipArea);
  r.real("OutsideDiameter", p.OutsideDiameter);
  r.real("InsideDiameter", p.InsideDiameter);
  r.real("ElasticModulus", p.ElasticModulus);
  r.real("PileLength", p.PileLength);
  r.real("StickupLength", p.StickupLength);
  r.real("EnhancedEndLength", p.EnhancedEndLength);
  r.real("EnhancedEndInsideDiameter", p.EnhancedEndInsideDiameter);
  r.real("ZeroFrictionLength", p.ZeroFrictionLength);
  r.real("LengthIncrement", p.LengthIncrement);
  r.real("TaperAngle", p.TaperAngle);
  r.integer("LoadTransferMethod", p.LoadTransferMethod, 1, 9);
  int offshore = 1;
  r.integer("OffshoreParameters", offshore, 1, 1);
  r.integer("ReducedLoadTransfer", p.ReducedLoadTransfer, 0, 1);
  if (const QJsonArray* methods = r.list("MethodSelected")) {
    const QString name = QStringLiteral("MethodSelected");
    if (methods->size() != 9)
      r.fail(name, QStringLiteral("nine flags were expected, in the order FHWA, USACE, Lambda, "
                                  "API, user-specified, NGI, ICP/MTD, FUGRO, UWA"));
    for (int method = 1; method <= 9; ++method) {
      p.MethodSelected[static_cast<std::size_t>(method)] =
          r.integerOf(methods->at(method - 1), indexed(name, method - 1), 0, 1);
    }
  }
  double deepest = 0.0;
  const bool deepestGiven = r.find("DeepestSoilDepth") != nullptr;
  r.real("DeepestSoilDepth", deepest);
  r.real("SectionArea", p.SectionArea);

  if (const QJsonArray* layers = r.list("SoilLayers")) {
    const QString name = QStringLiteral("SoilLayers");
    checkLength(*layers, name, TProgramData::kMaxLayers, fileName);
    p.D.setRowCount(static_cast<int>(layers->size()));
    for (int layer = 0; layer < layers->size(); ++layer) {
      const QString layerName = indexed(name, layer);
      const QJsonObject object = objectOf(layers->at(layer), layerName, fileName);
      FieldReader l(object, layerName, fileName);
      int soilType = 1;
      if (const QJsonValue* type = l.find("SoilType")) {
        const QString text = type->toString().toLower();
        if (text == QLatin1String("sand")) {
          soilType = 1;
        } else if (text == QLatin1String("clay")) {
          soilType = 2;
        } else {
          l.fail(l.fieldName(QStringLiteral("SoilType")),
                 QStringLiteral("\"sand\" or \"clay\" was expected"));
        }
      }
      p.D.cell(col::kSoilType, layer).setInteger(soilType);
      const auto put = [&](TGridTable& table, int column, int row, const char* key) {
        double value = table.cell(column, row).asFloat();
        l.real(key, value);
        table.cell(column, row).setFloat(value);
      };
      put(p.D, col::kBottomDepth, layer, "BottomDepth");
      put(p.D, col::kMaxSideFriction, layer, "MaxUnitFriction");
      put(p.D, col::kMaxEndBearing, layer, "MaxUnitBearing");
      put(p.D, col::kSideFrictionFactor, layer, "SideResistanceFactor");
      put(p.D, col::kEndBearingFactor, layer, "EndResistanceFactor");
      if (const QJsonArray* rows = l.list("LayerData")) {
        const QString rowsName = l.fieldName(QStringLiteral("LayerData"));
        if (rows->size() != 2)
          l.fail(rowsName, QStringLiteral("two rows were expected, the layer's top and bottom"));
        TGridTable& data = p.layerData(layer);
        for (int row = 0; row < 2; ++row) {
          const QString rowName = indexed(rowsName, row);
          const QJsonObject rowObject = objectOf(rows->at(row), rowName, fileName);
          FieldReader d(rowObject, rowName, fileName);
          const auto cell = [&](int column, const char* key) {
            double value = data.cell(column, row).asFloat();
            d.real(key, value);
            data.cell(column, row).setFloat(value);
          };
          cell(col::kSandUnitWeight, "EffectiveUnitWeight");
          if (soilType == 1) {
            cell(col::kSandFrictionAngle, "FrictionAngle");
            int blows = data.cell(col::kSandBlowCount, row).asInteger();
            d.integer("BlowCount", blows, 0, 2147483647);
            data.cell(col::kSandBlowCount, row).setInteger(blows);
            cell(col::kSandKo, "EarthPressureCoefficient");
            cell(col::kSandNq, "BearingFactorNq");
          } else {
            cell(col::kClayUndrainedStrength, "UndrainedShearStrength");
            cell(col::kClayRemoldedStrength, "RemoldedShearStrength");
            cell(col::kClayPlasticityIndex, "PlasticityIndex");
            cell(col::kClayYieldStressRatio, "YieldStressRatio");
          }
          cell(col::kConeResistance, "ConeResistance");
          cell(col::kUserSkinFriction, "UserUnitSkinFriction");
          cell(col::kUserEndBearing, "UserUnitEndBearing");
          d.finish();
        }
      }
      l.finish();
    }
  }
  if (deepestGiven && p.D.rowCount() > 0) {
    const double bottom = p.D.cell(col::kBottomDepth, p.D.rowCount() - 1).asFloat();
    if (deepest != bottom) {
      r.fail(QStringLiteral("DeepestSoilDepth"),
             QStringLiteral("%1 is not the bottom depth of the last soil layer, %2; leave the "
                            "field out or give the same depth")
                 .arg(deepest)
                 .arg(bottom));
    }
  }
  p.DeepestSoilDepth = deepest;

  r.integer("ExtraTzDepths", p.ExtraTzDepths, 0, 1);
  if (const QJsonArray* depths = r.list("TzDepths")) {
    const QString name = QStringLiteral("TzDepths");
    checkLength(*depths, name, TProgramData::kMaxExtraTzDepths, fileName);
    p.TblTZDepth.setRowCount(static_cast<int>(depths->size()));
    for (int row = 0; row < depths->size(); ++row) {
      const QString rowName = indexed(name, row);
      const QJsonObject object = objectOf(depths->at(row), rowName, fileName);
      FieldReader d(object, rowName, fileName);
      double depth = 0.0;
      d.real("Depth", depth);
      p.TblTZDepth.cell(0, row).setFloat(depth);
      d.finish();
    }
  }
  r.integer("LoadingType", p.LoadingType, 0, 1);
  r.real("TensionReductionFactor", p.TensionReductionFactor);
  r.integer("ClayDrained", p.ClayDrained, 0, 1);
  r.integer("PlugCondition", p.PlugCondition, 0, 2);
  r.integer("AreaOption", p.AreaOption, 0, 2);
  if (const QJsonArray* areas = r.list("SectionalData")) {
    const QString name = QStringLiteral("SectionalData");
    checkLength(*areas, name, TProgramData::kMaxAreaRows, fileName);
    p.Sectionaldata.setRowCount(static_cast<int>(areas->size()));
    for (int row = 0; row < areas->size(); ++row) {
      const QString rowName = indexed(name, row);
      const QJsonObject object = objectOf(areas->at(row), rowName, fileName);
      FieldReader a(object, rowName, fileName);
      double depth = 0.0;
      double area = 0.0;
      a.real("Depth", depth);
      a.real("Area", area);
      p.Sectionaldata.cell(col::kAreaDepth, row).setFloat(depth);
      p.Sectionaldata.cell(col::kArea, row).setFloat(area);
      a.finish();
    }
  }
  r.integer("CriticalDepthOption", p.CriticalDepthOption, 0, 2);
  r.real("UserCriticalDepth", p.UserCriticalDepth);
  if (const QJsonArray* points = r.list("CptPoints")) {
    const QString name = QStringLiteral("CptPoints");
    checkLength(*points, name, TProgramData::kMaxCptPoints, fileName);
    for (qsizetype k = 0; k < points->size(); ++k) {
      const QString pointName = indexed(name, k);
      const QJsonValue point = points->at(k);
      if (!point.isArray() || point.toArray().size() != 2)
        r.fail(pointName, QStringLiteral("a pair [depth, qc] was expected"));
      const QJsonArray pair = point.toArray();
      const double depth = r.realOf(pair.at(0), indexed(pointName, 0));
      p.CptPoints.push_back({depth, r.realOf(pair.at(1), indexed(pointName, 1))});
    }
  }
  r.finish();
  for (TGridTable* table : {&p.D, &p.TblTZDepth, &p.Sectionaldata}) table->padToMinRows();
  p.applyUserLoadTransferColumns();
  p.clearModified();
}

bool isProjectJson(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

void openAnyProject(TProgramData& project, const QString& path) {
  const QFileInfo info(path);
  if (!isProjectJson(path)) {
    const bool older = info.suffix().compare(QLatin1String("vrd"), Qt::CaseInsensitive) == 0;
    project.createFromFile(info.absoluteFilePath(), !older);
    return;
  }
  QFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) throw EInOutError(file.errorString(), path);
  // A project is a few kilobytes; anything far larger is not one.
  constexpr qint64 kMaxJsonBytes = 16 << 20;
  if (file.size() > kMaxJsonBytes)
    throw EInOutError(QStringLiteral("larger than 16 MiB; not a project"), path);
  const QByteArray text = file.readAll();
  try {
    readProjectJson(project, text, path);
  } catch (const EInOutError&) {
    project.createNew();
    throw;
  }
  project.setFileName(info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                      QStringLiteral(".vr6d"));
}

}  // namespace vorne
