// Where a print to a file starts: in the project's folder.
#pragma once

#include <QPrinter>
#include <QString>

// Proposes fileName (a ".pdf") for a print to a file. Only where the machine has no printer, so
// that the print dialog of a machine with one still starts on its default printer (the current
// folder, where its file choice starts, is the project's after an Open).
void proposePrintFile(QPrinter& printer, const QString& fileName);
