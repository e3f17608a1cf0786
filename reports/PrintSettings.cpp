#include "reports/PrintSettings.h"

#include "base/NewIniFile.h"

namespace dialtally {

namespace {

// Walks the keys in their file order, so that loading and saving cannot
// drift apart.
template <class Io, class Settings> void VisitKeys(Io& io, Settings& s)
{
    io.Integer("ColumnSpacing", s.ColumnSpacing);
    io.Integer("RowSpacing", s.RowSpacing);
    io.Integer("TitleSpacing", s.TitleSpacing);
    io.Integer("FixedHeight", s.FixedHeight);
    io.Integer("FixedWidth", s.FixedWidth);
    io.YesNo("Centered", s.Centered);
    io.YesNo("NoAutoSize", s.NoAutoSize);
    io.YesNo("UseFixedHeight", s.UseFixedHeight);
    io.YesNo("UseFixedWidth", s.UseFixedWidth);
    io.YesNo("RepeatFixedRows", s.RepeatFixedRows);
    io.YesNo("RepeatFixedCols", s.RepeatFixedCols);
    io.Integer("Borders", s.Borders);
    io.Integer("BorderStyle", s.BorderStyle);
    io.Integer("Date", s.Date);
    io.Integer("PageNr", s.PageNr);
    io.Integer("Title", s.Title);
    io.Integer("Time", s.Time);
    io.String("DateFormat", s.DateFormat);
    io.String("TitleText", s.TitleText);
    io.Integer("FooterSize", s.FooterSize);
    io.Integer("HeaderSize", s.HeaderSize);
    io.Integer("LeftSize", s.LeftSize);
    io.Integer("RightSize", s.RightSize);
    io.Integer("FitToPage", s.FitToPage);
    io.Font("Font", s.Font);
    io.Font("HeaderFont", s.HeaderFont);
    io.Font("FooterFont", s.FooterFont);
    io.String("PageNumSep", s.PageNumSep);
    io.String("PageSuffix", s.PageSuffix);
    io.String("PagePrefix", s.PagePrefix);
    io.Integer("Orientation", s.Orientation);
}

struct Reader {
    const TNewIniFile& File;

    void Integer(const char* key, int& value)
    {
        value = File.ReadInteger(PrinterSection, key, value);
    }
    void String(const char* key, std::string& value)
    {
        value = File.ReadString(PrinterSection, key, value);
    }
    void YesNo(const char* key, bool& value)
    {
        const std::string text = File.ReadString(PrinterSection, key, "");
        if (text == "Y" || text == "y")
            value = true;
        else if (text == "N" || text == "n")
            value = false;
    }
    void Font(const std::string& prefix, FontSpec& font)
    {
        String((prefix + "Name").c_str(), font.Name);
        Integer((prefix + "Size").c_str(), font.Size);
        int style = static_cast<int>(font.Style);
        Integer((prefix + "Style").c_str(), style);
        font.Style = static_cast<unsigned>(style) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
        Integer((prefix + "Color").c_str(), font.Color);
    }
};

struct Writer {
    TNewIniFile& File;

    void Integer(const char* key, int value) { File.WriteInteger(PrinterSection, key, value); }
    void String(const char* key, const std::string& value)
    {
        File.WriteString(PrinterSection, key, value);
    }
    void YesNo(const char* key, bool value)
    {
        File.WriteString(PrinterSection, key, value ? "Y" : "N");
    }
    void Font(const std::string& prefix, const FontSpec& font)
    {
        String((prefix + "Name").c_str(), font.Name);
        Integer((prefix + "Size").c_str(), font.Size);
        Integer((prefix + "Style").c_str(), static_cast<int>(font.Style));
        Integer((prefix + "Color").c_str(), font.Color);
    }
};

} // namespace

void LoadPrintSettings(const TNewIniFile& file, PrintSettings& settings)
{
    Reader reader{file};
    VisitKeys(reader, settings);
}

void SavePrintSettings(TNewIniFile& file, const PrintSettings& settings)
{
    Writer writer{file};
    VisitKeys(writer, settings);
}

} // namespace dialtally
