// vorne cpt: a field CPT file (GEF, AGS4, AGS3 or column text) read as the project import reads
// it, shown as the engine would take it, and optionally written as the engine's CPT side file.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "cpt/cpt_reader.h"
#include "cpt/engine_profile.h"

namespace vorne {

struct CptCommand {
  QString file;
  QString location;                      // --location; empty: the file's only one
  std::optional<cpt::CptFormat> format;  // --format; empty: detected from the content
  int units = 2;                         // --units: 1 English, 2 SI
  bool json = false;
  QString output;  // --output FILE.cpt: the engine's CPT side file; empty: none
};

// A file read and its location chosen: what every form of the command starts from.
struct CptSelection {
  cpt::CptFile file;
  const cpt::CptProfile* profile = nullptr;  // into file.profiles
  cpt::EngineProfile engine;                 // the profile reduced and in the command's units
};

// Takes one option of vorne cpt at args[i] (moving i past its value) into command. Returns false
// for an argument that is not one of these options; error receives the usage error of an option
// with a missing or bad value. Option families added later get a function of this shape, tried
// in turn by the parser.
bool takeCptOption(const QStringList& args, qsizetype& i, CptCommand& command, QString& error);

// Reads command.file and chooses command.location. Throws cpt::CptFileError naming the file, the
// line or record, and the reason; a file with several locations and no location chosen throws
// the list of its ids.
CptSelection selectCpt(const CptCommand& command);

// vorne cpt with the arguments after the verb: the usage on --help, a usage error (status 2) for
// bad options, status 1 with the reason for a file that cannot be read or written.
int cptMain(const QStringList& args);

// The command once parsed.
int runCpt(const CptCommand& command);

}  // namespace vorne
