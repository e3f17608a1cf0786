#include "base/DateFormat.h"

#include "base/PictureFormatter.h"

namespace dialtally {

// One reader of pictures for the whole program: the report rows keep a
// PictureFormatter per column, everything else formats through here.
std::string FormatDateTime(std::string_view picture, TDateTime value,
                           const RegionalSettings& settings)
{
    return PictureFormatter(picture, settings).Format(value);
}

} // namespace dialtally
