#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dialtally {

// The path with the extension of its file name part replaced (or added);
// dots in folder names are not extensions.
std::string ChangeFileExt(std::string_view path, std::string_view extension);
// The folder part with its trailing separator, and the file name part.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);

// The path without the wildcards a save dialog may carry over from a
// filter's pattern into the name ("Week.htm*" from "*.htm*"), and without
// dots left at the end of the name.
std::string PlainFileName(std::string_view path);

// What the Export dialog's file box starts with: the last export file,
// else the report's file as comma separated values.
std::string ProposedExportFile(const std::string& lastExport, const std::string& reportFile);
// The file the Export dialog's browse button proposes, and the file it
// takes back from the save dialog: a plain name with the extension of the
// export type; a name chosen under another filter (All Files) keeps its own.
std::string BrowsedExportFile(std::string_view path, int format, int filterIndex = 1);
// The path with the extension of an export type; an unknown type keeps it.
std::string ExportFileForType(std::string_view path, int format);

// "Name (*.x)|*.x|All Files|*.*" as (description, pattern) pairs.
std::vector<std::pair<std::string, std::string>> SplitFilter(std::string_view filter);

// The chart picture types, by the save dialog's filter position.
enum class ChartPictureFormat { Bitmap, Svg, Pdf };
inline constexpr const char* ChartPictureFilter =
    "Bitmaps (*.bmp)|*.bmp|SVG Pictures (*.svg)|*.svg|PDF Files (*.pdf)|*.pdf|All Files|*.*";
// Filter 2 SVG, 3 PDF, any other a bitmap.
ChartPictureFormat ChartPictureFormatFor(int filterIndex);
const char* ChartPictureExtension(ChartPictureFormat format);
// The chosen path with the extension of its format forced on it.
std::string ChartPicturePath(std::string_view chosen, int filterIndex);

} // namespace dialtally
