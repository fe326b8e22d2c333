// Print-to-file proposal.
#include "gui/print_proposal.h"

#include <QPrinterInfo>

void proposePrintFile(QPrinter& printer, const QString& fileName) {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) return;
  printer.setOutputFileName(fileName);
}
