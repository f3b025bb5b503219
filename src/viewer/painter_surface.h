// Draws on a QPainter: the viewer's page image, a printer or a PDF.
// A window surface takes twips (already scaled by the viewer's zoom) and a
// printer surface takes character cells of 120 x 240 twips; both are turned
// into the device's pixels with its resolution. Drawing never measures the
// page: its size in cells comes from the printer's page layout (report_page.h).
#pragma once

#include <QFont>
#include <QPainter>

#include "report/surface.h"

namespace corvane {

class PainterSurface : public Surface {
  public:
    // The painter must be active on its device for as long as the surface
    // draws. A window surface scales by the viewer's zoom; a printer's is 1.
    PainterSurface(QPainter& painter, SurfaceKind kind, double zoom = 1);

    SurfaceKind Kind() const override { return kind_; }
    double Zoom() const override { return zoom_; }
    void SetCurrentX(int x) override { x_ = x; }
    void SetCurrentY(int y) override { y_ = y; }
    void Print(std::string_view text) override;
    bool SetFontName(const std::string& name) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool bold) override;
    void SetFontUnderline(bool underline) override;
    void SetFontTransparent(bool transparent) override { transparent_ = transparent; }

  private:
    double DevicePixelsPerTwipX() const;
    double DevicePixelsPerTwipY() const;

    QPainter& painter_;
    SurfaceKind kind_;
    double zoom_;
    QFont font_;
    int x_ = 0;
    int y_ = 0;
    bool transparent_ = true;
};

// The report font: the named family, or the platform's fixed-pitch font when
// the name is empty or unknown.
QFont ReportFont(const std::string& family);

}  // namespace corvane
