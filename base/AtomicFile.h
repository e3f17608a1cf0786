#pragma once

#include <string>
#include <string_view>

namespace dialtally {

// Writes the whole contents to a temporary file in the target's folder,
// flushes it to disk and renames it over the target, so that a failed or
// interrupted write leaves the old file whole. False on any failure, with
// nothing changed.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

} // namespace dialtally
