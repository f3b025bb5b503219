#include "viewer/painter_surface.h"

#include "viewer/twips.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>

namespace corvane {

namespace {

// Qt refuses a point size of zero; a zoom that small draws nothing readable anyway.
constexpr double kSmallestPointSize = 0.25;

}  // namespace

QFont ReportFont(const std::string& family) {
    const QString name = QString::fromStdString(family);
    if (!name.isEmpty() && QFontDatabase::hasFamily(name)) {
        QFont font(name);
        font.setStyleHint(QFont::TypeWriter);
        return font;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

PainterSurface::PainterSurface(QPainter& painter, SurfaceKind kind, double zoom)
    : painter_(painter),
      kind_(kind),
      zoom_(kind == SurfaceKind::Window ? zoom : 1),
      font_(ReportFont({})) {
    font_.setPointSizeF(10);
}

void PainterSurface::Print(std::string_view text) {
    const double left =
        x_ * DevicePixelsPerTwipX() * (kind_ == SurfaceKind::Printer ? kCellWidthTwips : 1);
    const double top =
        y_ * DevicePixelsPerTwipY() * (kind_ == SurfaceKind::Printer ? kCellHeightTwips : 1);
    painter_.setFont(font_);
    painter_.setBackgroundMode(transparent_ ? Qt::TransparentMode : Qt::OpaqueMode);
    const QFontMetricsF metrics(font_, painter_.device());
    // Every text of the book is UTF-8: the reader decodes the file's code page.
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The surface places a text by its top left corner; QPainter by its baseline.
    painter_.drawText(QPointF(left, top + metrics.ascent()), decoded);
}

bool PainterSurface::SetFontName(const std::string& name) {
    const double points = font_.pointSizeF();
    const bool bold = font_.bold();
    const bool underline = font_.underline();
    font_ = ReportFont(name);
    font_.setPointSizeF(points);
    font_.setBold(bold);
    font_.setUnderline(underline);
    return QFontDatabase::hasFamily(QString::fromStdString(name));
}

void PainterSurface::SetFontSize(double points) {
    font_.setPointSizeF(std::max(points, kSmallestPointSize));
}

void PainterSurface::SetFontBold(bool bold) {
    font_.setBold(bold);
}

void PainterSurface::SetFontUnderline(bool underline) {
    font_.setUnderline(underline);
}

double PainterSurface::DevicePixelsPerTwipX() const {
    return painter_.device()->logicalDpiX() / kTwipsPerInch;
}

double PainterSurface::DevicePixelsPerTwipY() const {
    return painter_.device()->logicalDpiY() / kTwipsPerInch;
}

}  // namespace corvane
