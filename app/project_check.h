// The check of a whole project before a run: every field against its range (app/field_ranges) and
// the rules between fields that the engine needs (layer depths increasing, ID below OD, a stick-up
// shorter than the pile, soil to the pile tip plus two diameters, at most 500 segments, extra t-z
// depths on the pile). The desktop program and the runner both run it through the run service, so
// that neither hands the engine a project it would refuse or print as asterisks.
#ifndef VORNE_APP_PROJECT_CHECK_H
#define VORNE_APP_PROJECT_CHECK_H

#include <QString>
#include <QStringList>

namespace vorne {

class TProgramData;

// Introduces the list of problems of a project that is not run.
inline const QString kProjectProblemsHeading =
    QStringLiteral("The analysis was not run. Please correct these input values:");

// Every problem of the project, one line each, in the order of the dialogs and tables (pile,
// options, soil layers from the top, extra t-z depths, cross-section areas); empty when the
// project can be run. Only the values the run uses are checked: the section of the pile's shape,
// the bore and lower-end section of a steel pipe, the tension factor under tension, the user
// critical depth with its option, the area table with its option.
QStringList projectProblems(const TProgramData& project);

// The heading and the problems as one message, each problem on its own line after "- ".
QString projectProblemsMessage(const QStringList& problems);

}  // namespace vorne

#endif  // VORNE_APP_PROJECT_CHECK_H
