#pragma once

#include <string>

namespace dialtally {

// The report file type, the freedesktop way: a shared-MIME-info package
// under $XDG_DATA_HOME/mime/packages/ stands for the extension's key, a
// desktop entry under $XDG_DATA_HOME/applications/ for the document type.

// The MIME type registered for a document type name:
// "application/x-<name in lower case>-report".
std::string FileTypeMimeType(const std::string& name);
// The package file that stands for the extension.
std::string FileTypePackagePath(const std::string& extension);
// The desktop entry of the document type.
std::string FileTypeDesktopEntryPath(const std::string& name);

// True when the extension's package exists.
bool FileTypeRegistered(const std::string& extension);
// Writes the package and the desktop entry that opens such files with the
// running executable, refreshes the desktop's caches when their tools are
// installed, and shows "A file type has been created.". A file that cannot
// be written shows the registry error instead and gives false; what was
// written before stays. The DDE topic has no counterpart here (the file
// arrives on the command line) and is accepted for the callers' sake.
bool RegisterFileType(const std::string& extension, const std::string& name,
                      const std::string& topic);
// Deletes the extension's package, keeping the desktop entry. False
// without a message when there is none; false with an error when it
// cannot be deleted.
bool RemoveFileType(const std::string& extension);

// Runs the program found on PATH with the arguments, without a shell,
// output discarded; false when it is not installed or did not succeed.
bool RunInstalledTool(const std::string& program, const std::string& argument);

} // namespace dialtally
