// Records every text with its position and the font state at that moment,
// so layouts can be checked without a screen or printer.
#pragma once

#include <string>
#include <vector>

#include "report/surface.h"

namespace corvane {

struct RecordedText {
    int x = 0;
    int y = 0;
    std::string text;
    std::string fontName;
    double fontSize = 0;
    bool bold = false;
    bool underline = false;
    bool transparent = false;
};

class RecordingSurface : public Surface {
  public:
    explicit RecordingSurface(SurfaceKind kind = SurfaceKind::Printer, double zoom = 1)
        : kind_(kind), zoom_(zoom) {}

    SurfaceKind Kind() const override { return kind_; }
    double Zoom() const override { return zoom_; }
    void SetCurrentX(int x) override { x_ = x; }
    void SetCurrentY(int y) override { y_ = y; }
    void Print(std::string_view text) override;
    bool SetFontName(const std::string& name) override;
    void SetFontSize(double points) override { fontSize_ = points; }
    void SetFontBold(bool bold) override { bold_ = bold; }
    void SetFontUnderline(bool underline) override { underline_ = underline; }
    void SetFontTransparent(bool transparent) override { transparent_ = transparent; }

    // Font names that SetFontName refuses, to exercise the header's fallback.
    std::vector<std::string> refusedFonts;
    std::vector<RecordedText> texts;

  private:
    SurfaceKind kind_;
    double zoom_;
    int x_ = 0;
    int y_ = 0;
    std::string fontName_;
    double fontSize_ = 0;
    bool bold_ = false;
    bool underline_ = false;
    bool transparent_ = false;
};

}  // namespace corvane
