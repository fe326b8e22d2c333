// Capacity tables of the report; see capacity_table_writer.h.
#include "io/capacity_table_writer.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "io/fortran_format.h"
#include "io/text_buffer.h"

namespace vorne {

using fmt::blanks;
using fmt::fixedField;
using fmt::repeated;
using fmt::textField;

namespace {

struct TableTitle {
  int indent;  // blanks before the title box
  int width;   // width of the rule of stars
  std::string_view text;
};

TableTitle titleOf(MethodId method) {
  switch (method) {
    case MethodId::UserSpecified:
      return {29, 18, "* GENERAL METHOD *"};
    case MethodId::Fhwa:
      return {28, 22, "*  FED. HWY. METHOD  *"};
    case MethodId::Usace:
      return {28, 22, "* ARMY CORPS METHOD  *"};
    case MethodId::RevisedLambda:
      return {28, 22, "*  LAMBDA 2 METHOD   *"};
    case MethodId::Api:
      return {28, 22, "*  API RP-2A (1994)  *"};
    case MethodId::Ngi:
      return {10, 52, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"};
    case MethodId::IcpMtd:
      return {20, 35, "*  IMPERIAL COLLEGE (MTD) METHOD  *"};
    case MethodId::Fugro:
      return {20, 35, "*    FUGRO 2004 (FUGRO) METHOD    *"};
    case MethodId::Uwa:
      return {13, 45, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"};
  }
  return {28, 22, "*  API RP-2A (1994)  *"};
}

}  // namespace

void writeCapacityTable(std::ostream& report,
                        MethodId method,
                        const CapacityProfile& profile,
                        const std::vector<std::size_t>& rows,
                        const UnitLabels& labels) {
  const TableTitle title = titleOf(method);
  const bool userMethod = method == MethodId::UserSpecified;
  const bool selfWeight = profile.tension && !userMethod;
  const std::string indent = blanks(title.indent);
  const std::string_view head1 = selfWeight ? "   PILE       TOTAL SKIN       SELF      ULTIMATE"
                                            : "   PILE       TOTAL SKIN       END       ULTIMATE";
  const std::string_view head2 = selfWeight ? "PENETRATION   FRICTION        WEIGHT     CAPACITY"
                                            : "PENETRATION   FRICTION       BEARING     CAPACITY";
  report << "\n\n\n"
         << indent << repeated('*', title.width) << "\n"
         << indent << title.text << "\n"
         << indent << repeated('*', title.width) << "\n\n"
         << blanks(10) << head1 << "\n"
         << blanks(10) << head2 << "\n"
         << blanks(10) << blanks(4) << textField(labels.length, 3) << blanks(10)
         << textField(labels.force, 3) << blanks(11) << textField(labels.force, 3) << blanks(10)
         << textField(labels.force, 3) << "\n";

  constexpr std::size_t kRowLength = 11 + 7 + 6 + 8 + 6 + 8 + 4 + 9 + 1;
  BlockText block(report, rows.size() * kRowLength);
  std::string& text = block.text();
  for (std::size_t j : rows) {
    if (j >= profile.pointCount()) continue;
    const bool unplugged = !userMethod && profile.marker[j] == TipMarker::Unplugged;
    char* p = fmt::appendRoom(text, kRowLength);
    p = fmt::putBlanks(p, 11);
    p = fmt::putFixed(p, profile.penetration[j], 7, 2);
    p = fmt::putBlanks(p, 6);
    p = fmt::putFixed(p, profile.skinFriction[j], 8, 1);
    p = fmt::putBlanks(p, 6);
    p = fmt::putFixed(p, profile.tipValue[j], 8, 1);
    p = std::copy_n(unplugged ? "*   " : "    ", 4, p);
    p = fmt::putFixed(p, profile.total[j], 9, 1);
    *p = '\n';
  }
  block.write();
}

void writeUnpluggedNote(std::ostream& report) {
  report << "\n\n"
         << blanks(12) << "AN ASTERISK WILL BE PLACED IN THE END-BEARING COLUMN\n"
         << blanks(12) << "IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION\n"
         << blanks(12) << "OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.\n\n";
}

}  // namespace vorne
