#pragma once

#include "logs/LogFormats.h"

#include <string>

namespace dialtally {

// The ready-made log formats: one file each, in the Dialtally.log syntax,
// in the "formats" folder of the program's data. A format whose LogFile is
// a bare file name reads it from the Windows folder (a Wine modem log).

std::string FormatLibraryFolder(const Folders& folders);
// The formats of every "*.log" file of the folder, sorted by name; a file
// that cannot be read is left out.
TLCfg LoadFormatLibrary(const std::string& folder, const Folders& folders);
// Adds format `index` of the library to the table with the given log
// source (its own when empty), or, when the table has a format of that
// name, makes that one the library's. The 1-based index in the table; 0
// when the table is full.
int AddLibraryFormat(TLCfg& table, const TLCfg& library, int index,
                     const std::string& logFile = {});

} // namespace dialtally
