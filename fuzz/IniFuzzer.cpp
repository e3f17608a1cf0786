// Any bytes as Dialtally.ini: reading never fails, the settings read
// survive a save and a second read unchanged, and a font entry that parses
// writes back to one that parses the same.
#include "FuzzSupport.h"

#include "app/Settings.h"
#include "base/NewIniFile.h"
#include "reports/FontEntry.h"

using namespace dialtally;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& folder = FuzzFolder();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = folder + "Dialtally.ini";
    WriteFuzzFile(path, bytes);

    FixedFolders folders;
    folders.Program = folder;
    folders.Documents = folder;
    Settings first = DefaultSettings(folders);
    LoadSettings(path, first);
    Require(SaveSettings(path, first), "the settings can be saved");
    Settings second = DefaultSettings(folders);
    LoadSettings(path, second);
    Require(first == second, "read, save, read gives the same settings");

    FontSpec font;
    if (ParseFontEntry(bytes, font)) {
        FontSpec again;
        Require(ParseFontEntry(FontEntryText(font), again) && again == font,
                "a parsed font entry writes back to the same font");
    }
    return 0;
}
