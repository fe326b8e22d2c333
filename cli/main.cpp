// vorne: the command-line runner. Analyses projects with the engine library beside the program,
// one at a time or in batches, and converts projects to the current layout and unit system.
#include <QString>
#include <QStringList>
#include <cstdio>

#include "app/install_layout.h"
#include "cli/commands.h"
#include "cli/cpt_command.h"
#include "cli/run_pdf.h"

using namespace vorne;

namespace {

const char* const kRunUsage =
    "usage: vorne run PROJECT [--output-dir DIR] [--json] [--xlsx FILE]\n"
    "                 [--pdf FILE [--page a4|letter]] [--required-capacity Q]\n"
    "                 [--cpt FILE [--location ID]]\n"
    "\n"
    "Analyses one project (.vr6d, or .vrd converted first into the output folder) and prints\n"
    "the capacity at the pile tip of every selected method and the load-settlement curve.\n"
    "The report (.vr6o), plot data (.vr6p) and GRLWEAP input (.gwi) go beside the project or\n"
    "into DIR, which a project in a folder that cannot be written (such as the installed\n"
    "examples) needs; a run that fails keeps the earlier ones. The project file itself is\n"
    "never written. Every output file is checked before the analysis starts.\n"
    "\n"
    "  --output-dir DIR  write the outputs into DIR (made when missing)\n"
    "  --json            print the summary as JSON\n"
    "  --xlsx FILE       also write every graph of the run into the workbook FILE (.xlsx),\n"
    "                    with its data and a chart each\n"
    "  --pdf FILE        also write the calculation report FILE (.pdf): inputs, the methods\n"
    "                    side by side, the tables and the graphs\n"
    "  --page a4|letter  its page size (default Letter for English units, A4 for SI)\n"
    "  --required-capacity Q  each method's penetration for the ultimate capacity Q (kips or\n"
    "                    kN) in the report and the summary (\"required_depth\" with --json)\n"
    "  --report-date YYYY-MM-DDTHH:MM:SS  the report's date instead of the run's\n"
    "  --cpt FILE        analyse with the profile of the field CPT file FILE (GEF, AGS4, AGS3,\n"
    "                    column text; see vorne cpt) in place of the project's CPT points;\n"
    "                    the project and its CPT file are not written\n"
    "  --location ID     the location of the --cpt file to take (a file with several needs it)\n";

const char* const kBatchUsage =
    "usage: vorne batch PROJECT... [-j N] [--output-dir DIR]\n"
    "\n"
    "Analyses many projects, N at a time (default 1), each in its own process, with a\n"
    "progress line per project and a list of failures at the end.\n"
    "\n"
    "  -j N, --jobs N    run N analyses at a time, 1 to 256\n"
    "  --output-dir DIR  write every project's outputs into DIR\n";

const char* const kConvertUsage =
    "usage: vorne convert PROJECT [--units english|si] --output FILE\n"
    "\n"
    "Opens a project of either layout or its JSON form (.json), switches its unit system when\n"
    "asked, and saves it as FILE: in the current layout with its CPT side file, or in the JSON\n"
    "form (docs/project_json.md) when FILE ends in .json. A switch there and back gives back\n"
    "the values of the original; JSON and back gives back the same data file.\n"
    "\n"
    "  --units english|si  the unit system of the saved project\n"
    "  -o FILE, --output FILE  the project to write (.vr6d or .json)\n";

const char* const kUsage =
    "usage: vorne run PROJECT [--output-dir DIR] [--json] [--xlsx FILE]\n"
    "                 [--pdf FILE [--page a4|letter]] [--required-capacity Q]\n"
    "                 [--cpt FILE [--location ID]]\n"
    "       vorne batch PROJECT... [-j N] [--output-dir DIR]\n"
    "       vorne convert PROJECT [--units english|si] --output FILE\n"
    "       vorne cpt FILE [--location ID] [--units english|si] [--json] [--output FILE.cpt]\n"
    "       vorne cpt FILE [--location ID] --layers [--water-table D] [--unit-weight G]\n"
    "                 [--nkt N] [--min-thickness T] [--units english|si] [--json]\n"
    "                 [--project IN --output OUT]\n"
    "       vorne COMMAND --help | vorne --help | --version\n"
    "\n"
    "run      analyses one project and prints the capacity at the pile tip of every selected\n"
    "         method and the load-settlement curve; --json prints the same as JSON. The report\n"
    "         (.vr6o), plot data (.vr6p) and GRLWEAP input (.gwi) go beside the project or into\n"
    "         DIR. --xlsx writes every graph of the run into the workbook FILE (.xlsx).\n"
    "         --pdf writes the calculation report FILE (.pdf) and --required-capacity Q gives\n"
    "         each method's penetration for the ultimate capacity Q.\n"
    "batch    analyses many projects, N at a time (default 1), each in its own process, with a\n"
    "         progress line per project and a list of failures at the end.\n"
    "convert  opens a project of either layout or its JSON form (.json), switches its unit\n"
    "         system when asked, and saves it as FILE: the current layout with its CPT side\n"
    "         file, or the JSON form when FILE ends in .json.\n"
    "cpt      reads a field CPT file (GEF, AGS4, AGS3, column text) and prints its locations\n"
    "         and one location's profile as the engine takes it; --output writes it as the\n"
    "         engine's CPT side file. --layers proposes soil layers from the profile and\n"
    "         with --project IN --output OUT writes a copy of IN with them and the profile.\n"
    "\n"
    "vorne COMMAND --help explains one command.\n"
    "Exit status: 0 success, 1 a project or file could not be analysed, converted or read,\n"
    "2 usage error.\n";

int usageError(const QString& message) {
  complain(message + QStringLiteral(" (vorne --help shows the usage)"));
  return kExitUsage;
}

// Whether an argument asks for a command's usage.
bool isHelp(const QString& arg) { return arg == "--help" || arg == "-h"; }

int printUsage(const char* usage) {
  std::fputs(usage, stdout);
  return kExitOk;
}

// Takes the value of an option at args[i] from args[i + 1].
bool takeValue(const QStringList& args, qsizetype& i, QString& value) {
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (args.isEmpty()) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  const QString verb = args.takeFirst();
  if (verb == "--help" || verb == "-h" || verb == "help") {
    std::fputs(kUsage, stdout);
    // Where Help of the desktop program finds the manuals: found the same way from here.
    const QString manuals = findManualFolder(programFolder());
    const QString where =
        manuals.isEmpty()
            ? QStringLiteral("The manuals are not installed (looked in %1).\n")
                  .arg(manualFolderCandidate(programFolder()))
            : QStringLiteral("The user's and technical manuals are in %1.\n").arg(manuals);
    std::fputs(where.toLocal8Bit().constData(), stdout);
    return kExitOk;
  }
  if (verb == "--version") {
    std::fputs("vorne 2014.6.5\n", stdout);
    return kExitOk;
  }

  if (verb == "run") {
    RunCommand command;
    for (qsizetype i = 0; i < args.size(); ++i) {
      const QString& arg = args[i];
      if (isHelp(arg)) return printUsage(kRunUsage);
      if (arg == "--json") {
        command.json = true;
      } else if (arg == "--quiet") {
        command.quiet = true;
      } else if (arg == "--output-dir") {
        if (!takeValue(args, i, command.outputFolder))
          return usageError("--output-dir needs a folder");
      } else if (arg == "--xlsx") {
        if (!takeValue(args, i, command.workbook)) return usageError("--xlsx needs a file");
      } else if (arg == "--cpt") {
        if (!takeValue(args, i, command.cptFile)) return usageError("--cpt needs a CPT file");
      } else if (arg == "--location") {
        if (!takeValue(args, i, command.cptLocation) || command.cptLocation.isEmpty())
          return usageError("--location needs a location id");
      } else if (QString error; takeReportOption(args, i, command, error)) {
        if (!error.isEmpty()) return usageError(error);
      } else if (arg.startsWith("-") && arg != "-") {
        return usageError("unknown option " + arg);
      } else if (command.project.isEmpty()) {
        command.project = arg;
      } else {
        return usageError("run takes one project; use batch for several");
      }
    }
    if (command.project.isEmpty()) return usageError("run needs a project file");
    if (!command.cptLocation.isEmpty() && command.cptFile.isEmpty())
      return usageError("--location belongs to --cpt FILE");
    return runProject(command);
  }

  if (verb == "batch") {
    BatchCommand command;
    for (qsizetype i = 0; i < args.size(); ++i) {
      const QString& arg = args[i];
      if (isHelp(arg)) return printUsage(kBatchUsage);
      QString value;
      if (arg == "-j" || arg == "--jobs" || (arg.startsWith("-j") && arg.size() > 2)) {
        if (arg.size() > 2 && arg.startsWith("-j") && arg != "--jobs") {
          value = arg.mid(2);
        } else if (!takeValue(args, i, value)) {
          return usageError(arg + " needs a number of jobs");
        }
        bool ok = false;
        command.jobs = value.toInt(&ok);
        if (!ok || command.jobs < 1 || command.jobs > 256) {
          return usageError("number of jobs " + value + " is outside 1 to 256");
        }
      } else if (arg == "--output-dir") {
        if (!takeValue(args, i, command.outputFolder))
          return usageError("--output-dir needs a folder");
      } else if (arg.startsWith("-")) {
        return usageError("unknown option " + arg);
      } else {
        command.projects << arg;
      }
    }
    if (command.projects.isEmpty()) return usageError("batch needs at least one project file");
    return runBatch(command);
  }

  if (verb == "convert") {
    ConvertCommand command;
    for (qsizetype i = 0; i < args.size(); ++i) {
      const QString& arg = args[i];
      if (isHelp(arg)) return printUsage(kConvertUsage);
      QString value;
      if (arg == "--units") {
        if (!takeValue(args, i, value)) return usageError("--units needs english or si");
        if (value.compare("english", Qt::CaseInsensitive) == 0) {
          command.units = 1;
        } else if (value.compare("si", Qt::CaseInsensitive) == 0) {
          command.units = 2;
        } else {
          return usageError("unit system " + value + " is neither english nor si");
        }
      } else if (arg == "--output" || arg == "-o") {
        if (!takeValue(args, i, command.output)) return usageError("--output needs a file");
      } else if (arg.startsWith("-")) {
        return usageError("unknown option " + arg);
      } else if (command.project.isEmpty()) {
        command.project = arg;
      } else {
        return usageError("convert takes one project");
      }
    }
    if (command.project.isEmpty()) return usageError("convert needs a project file");
    if (command.output.isEmpty()) return usageError("convert needs --output FILE");
    return convertProject(command);
  }

  if (verb == "cpt") return cptMain(args);

  return usageError("unknown command " + verb);
}
