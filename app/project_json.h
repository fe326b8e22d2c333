// The JSON form of a project: one object whose fields carry the names of the project model, in the
// units of its unit system, with the tables as lists of row objects and the CPT points as
// [[depth, qc], ...]. It holds every field of the data file and of the CPT side file, and its
// numbers are written in the shortest text that reads back to the same double, so a project goes
// to JSON and back (and a data file to JSON and back to a data file) without a change.
// docs/project_json.md describes the form.
#ifndef VORNE_APP_PROJECT_JSON_H
#define VORNE_APP_PROJECT_JSON_H

#include <QByteArray>
#include <QString>

#include "app/program_data.h"

namespace vorne {

// The JSON text of the project as a save would write it: the rules of a save apply to the values
// written (print interval 0 as 1, increment 0 as 1, a circular pile with perimeter and tip area 0,
// user-specified unit load transfers 0 unless the load-transfer method is 5, the deepest soil depth
// the bottom of the last layer), but the project itself is not changed. Keys keep the order of the
// data file; the text ends with a line break.
QByteArray projectJson(TProgramData& project);

// Fills the project from its JSON form: a new project first, then every field given (a field left
// out keeps its new-project value). Throws EInOutError naming the field, e.g.
// "SoilLayers[2].LayerData[0].FrictionAngle: a number was expected", for text that is not JSON,
// a field of the wrong type, an unknown field, an integer that is not whole or out of its range,
// or a table longer than its limit. fileName goes into the error only.
void readProjectJson(TProgramData& project, const QByteArray& json, const QString& fileName = {});

// Whether the path names the JSON form (extension ".json", any case).
bool isProjectJson(const QString& path);

// Opens a project of any form: the JSON form (".json"), the earlier layout (".vrd") or the data
// file. A JSON project takes the name of the path with the extension ".vr6d". Throws EInOutError.
void openAnyProject(TProgramData& project, const QString& path);

}  // namespace vorne

#endif  // VORNE_APP_PROJECT_JSON_H
