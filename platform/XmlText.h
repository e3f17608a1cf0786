#pragma once

#include <string>
#include <string_view>

namespace dialtally {

// The text with &, <, >, " and ' as entities, fit for element text and
// attribute values.
std::string XmlEscaped(std::string_view text);
// The text as UTF-8: valid UTF-8 sequences are kept, and every other byte
// is read as Windows-1252, the code page old Windows logs are written in.
std::string Utf8FromWindows1252Bytes(std::string_view text);
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; with a
// trailing "/".
std::string XdgDataHome();

} // namespace dialtally
