// What the platform offers the font and printer dialog: the installed
// printers, the default one, each printer's printable area, and the screen
// fonts. A seam, so tests can stand in any machine.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

#include "report/page_geometry.h"

namespace corvane {

class PrintersAndFonts {
  public:
    virtual ~PrintersAndFonts() = default;
    // Device names in the platform's order.
    virtual QStringList PrinterNames() const;
    // Empty when no printer is installed.
    virtual QString DefaultPrinterName() const;
    // The printable area in cells of 120 x 240 twips; none for an unknown printer.
    virtual std::optional<PageSize> PrintablePage(const QString& printerName) const;
    // Installed font families in the screen's order.
    virtual QStringList ScreenFonts() const;
};

// The printer the pages go to: the one last chosen in the font and printer
// dialog when it is installed, otherwise the platform's default. Empty when
// no printer is installed.
QString CurrentPrinterName(const std::string& chosen, const PrintersAndFonts& platform);

}  // namespace corvane
