#include "base/PictureParts.h"

namespace dialtally {

std::vector<PicturePart> SplitPicture(std::string_view picture)
{
    std::vector<PicturePart> parts;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            const std::size_t close = picture.find('\'', i + 1);
            const std::size_t end = close == std::string_view::npos ? picture.size() : close;
            parts.push_back({true, 0, 0, picture.substr(i + 1, end - i - 1)});
            i = end == picture.size() ? end : end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        parts.push_back({false, c, run, picture.substr(i, run)});
        i += run;
    }
    return parts;
}

} // namespace dialtally
