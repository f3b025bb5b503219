// What the desktop program remembers from one run to the next: the folder of
// the last file chosen, the printer and font of the last Preview, the viewer's
// size and the zoom the user chose in it.
//
// They live in an ini file of the user's config folder ("Corvane/Corvane.ini"
// under $XDG_CONFIG_HOME, or ~/.config, on Linux), read and written through
// QSettings at each use, so every window of the run sees what another stored.
// Remembering only spares the user some steps: a file that cannot be read
// remembers nothing and one that cannot be written keeps nothing, without a
// word. Only the windows remember; the command line's export never does.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace corvane {

class RememberedSettings {
  public:
    // The folder of the last file chosen; empty when none is remembered. A
    // remembered folder that no longer exists is forgotten.
    QString LastFolder() const;
    void RememberFolderOf(const QString& file);

    // As typed or picked in the font and printer dialog at its last Preview.
    QString PrinterName() const;
    QString FontName() const;
    void RememberPrinterAndFont(const QString& printer, const QString& font);

    // The viewer's size when it last closed.
    std::optional<QSize> ViewerSize() const;
    void RememberViewerSize(const QSize& size);

    // The zoom the user last chose in the viewer; none when it fits the page.
    std::optional<double> ViewerZoom() const;
    void RememberViewerZoom(std::optional<double> zoom);
};

}  // namespace corvane
