// GRLWEAP input file writer.
#include "app/grlweap_file.h"

#include "base/atomic_file.h"
#include "base/number_text.h"

namespace vorne {

namespace {

constexpr const char* kCrLf = "\r\n";

void line(std::string& out, std::string_view text) {
  out += text;
  out += kCrLf;
}

double specificWeight(int pileType, bool english) {
  if (pileType == 3) return english ? 150.0 : 23.56;  // precast concrete
  if (pileType == 2) return english ? 50.0 : 7.9;     // timber
  return english ? 492.0 : 77.28;                     // steel
}

}  // namespace

std::string grlweapFormatA(double value) { return formatExponent(value, 3); }

std::string grlweapFormatB(double value) {
  // Format A with the exponent's leading zero dropped: "E+01" becomes "E+1".
  std::string text = formatExponent(value, 3);
  const std::size_t e = text.find('E');
  if (e != std::string::npos && text.size() > e + 3 && text[e + 2] == '0') text.erase(e + 2, 1);
  return text;
}

QByteArray grlweapText(GrlweapPile& pile, const TGrlweapCache& cache) {
  const bool english = pile.Units == 1;
  if (pile.CircularSection) pile.NoncircularPerimeter = pile.OutsideDiameter * 3.1416;
  const double od = pile.OutsideDiameter;
  const double id = pile.InsideDiameter;
  const double area = english ? (od * od - id * id) * 0.7854 : (od * od - id * id) * 0.7854 / 100.0;
  const double perimeter =
      english ? pile.NoncircularPerimeter / 12.0 : pile.NoncircularPerimeter / 1000.0;
  const double modulus = pile.ElasticModulus / 1000.0;
  const double length = cache.ResultDepth.empty() ? 0.0 : cache.ResultDepth.back();

  std::string out;
  QByteArray title = pile.Title.left(40).toLatin1();
  title.resize(40, ' ');
  line(out, title.toStdString() + "  VER. 2000" + (english ? " 1 0" : " 0 0"));
  line(out, "-100   0   1   0   1   0   0   0   0   3   0   0   0   0   0   0   0   0     0.000");
  line(out, english ? "   32.1700   32.1700" : "    9.8100    9.8100");
  line(out, "      0.00      0.00      0.00    0.0000    0.0000    0.0100      0.00");
  line(out, "   3600.00    207.00    0.0000    0.5000    3.0000         0");
  std::string pileLine;
  for (double value : {length, area, modulus, specificWeight(pile.PileType, english), perimeter}) {
    pileLine += "  ";
    pileLine += grlweapFormatA(value);
  }
  line(out, pileLine + "     4.000     1.000     0.010");
  for (int k = 0; k < 2; ++k) {
    line(out, "     0.000     0.000       0.0    0.0000    0.0000     0.000     0.000     0.000");
  }
  for (int k = 0; k < 2; ++k) line(out, "    0.0000    0.0000    0.0000    0.0000");
  const char* soilTail = english ? "   0.100   0.600   0.200   0.150   2.000    6.56    1.00"
                                 : "   2.540   5.000   0.160   0.500   1.000    1.50    1.00";
  const std::size_t count =
      std::min({cache.ResultDepth.size(), cache.ResultSkin.size(), cache.ResultTip.size()});
  // Texts are built by appending: g++ 12 warns falsely (-Wrestrict) on literal + temporary.
  for (std::size_t i = 0; i < count; ++i) {
    std::string soil;
    for (double value : {cache.ResultDepth[i], cache.ResultSkin[i], cache.ResultTip[i]}) {
      soil += ' ';
      soil += grlweapFormatB(value);
    }
    line(out, soil + soilTail);
  }
  for (int k = 0; k < 2; ++k) {
    line(out, "  1.0000  1.0000  1.0000  1.0000  1.0000  0.0000  0.0000  0.0000  0.0000  0.0000");
  }
  for (double factor : {0.25, 0.5, 0.75, 1.0}) {
    std::string station = "  ";
    station += grlweapFormatA(factor * length);
    line(out, station + "      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
  }
  line(out, "      0.00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
  return QByteArray::fromStdString(out);
}

void writeGrlweapFile(const QString& fileName, GrlweapPile& pile, const TGrlweapCache& cache) {
  // Through the safe writer: a failed write (a full disk) keeps the earlier file whole.
  writeFileAtomically(fileName, grlweapText(pile, cache));
}

}  // namespace vorne
