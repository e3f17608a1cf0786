#pragma once

#include <string>
#include <string_view>

namespace dialtally {

// The text with &, <, >, " and ' as entities, fit for element text and
// attribute values.
std::string XmlEscaped(std::string_view text);
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; with a
// trailing "/".
std::string XdgDataHome();

} // namespace dialtally
