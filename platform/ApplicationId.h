#pragma once

namespace dialtally {

// The reverse-DNS name the desktop knows the program by. The desktop entry,
// the icons, the AppStream file and the MIME package are installed under it
// (cmake/Install.cmake reads it from here), and a window started from the
// menu is matched to its entry by it.
inline constexpr const char* ApplicationId = "org.dialtally.Dialtally";

} // namespace dialtally
