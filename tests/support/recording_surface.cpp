#include "support/recording_surface.h"

#include <algorithm>

namespace corvane {

void RecordingSurface::Print(std::string_view text) {
    texts.push_back(RecordedText{x_, y_, std::string(text), fontName_, fontSize_, bold_, underline_,
                                 transparent_});
}

bool RecordingSurface::SetFontName(const std::string& name) {
    if (std::find(refusedFonts.begin(), refusedFonts.end(), name) != refusedFonts.end()) {
        return false;
    }
    fontName_ = name;
    return true;
}

}  // namespace corvane
