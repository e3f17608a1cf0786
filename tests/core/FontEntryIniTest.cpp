#include "TestSupport.h"

#include "base/NewIniFile.h"
#include "reports/FontEntry.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

TEST(FontEntryIni, WrittenEntryReadsBackAndMissingKeysKeepTheFont)
{
    TempFolder folder;
    TNewIniFile ini(folder.File("Dialtally.ini"));
    const FontSpec written{"Courier New", 10, clRed, FontPitch::Fixed, fsBold | fsUnderline};
    WriteFontEntry(ini, "Text", "TotalFont", written);
    ASSERT_TRUE(ini.UpdateFile());

    const TNewIniFile reread(folder.File("Dialtally.ini"));
    EXPECT_EQ(reread.ReadString("Text", "TotalFont", ""), FontEntryText(written));
    FontSpec read;
    ReadFontEntry(reread, "text", "totalfont", read);
    EXPECT_EQ(read.Name, written.Name);
    EXPECT_EQ(read.Size, written.Size);
    EXPECT_EQ(read.Color, written.Color);
    EXPECT_EQ(read.Pitch, written.Pitch);
    EXPECT_EQ(read.Style, written.Style);

    FontSpec untouched{"Arial", 9, clBlue, FontPitch::Variable, fsItalic};
    ReadFontEntry(reread, "Text", "DetailFont", untouched);
    EXPECT_EQ(untouched.Name, "Arial");
    EXPECT_EQ(untouched.Color, clBlue);
}

} // namespace

} // namespace dialtally
