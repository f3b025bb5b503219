// Printing a list of book pages as one job: to a printer or to a PDF file.
//
// Each page is drawn as the viewer draws it (header, page number line and
// body) on a printer surface; printing moves nothing in the viewer. The device behind the job is a
// PrintTarget, so tests can print to a PDF file or to a counting stand-in instead of a printer.
#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/messages.h"
#include "report/book_pages.h"
#include "viewer/viewer_state.h"

namespace corvane {

enum class PrintOutcome { Sent, Cancelled, Failed };

// The device a print job draws on. A job opens it once, starts a new page
// between book pages, and then either finishes it (the document is handed over)
// or discards it (nothing is handed over).
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    // Begins the document with the painter active on it; false with the reason.
    virtual bool Open(QPainter& painter, QString& why) = 0;
    virtual bool NewPage(QString& why) = 0;
    // Ends the document and hands it over: Sent, Failed with the reason, or Cancelled when
    // stillWanted (asked while the handing over waits) says no.
    virtual PrintOutcome Finish(QPainter& painter, QString& why,
                                const std::function<bool()>& stillWanted) = 0;
    virtual void Discard(QPainter& painter) = 0;
};

// The named printer. Where the CUPS client `lp` is at hand the job is drawn as
// PDF and handed to the spooler with it, so a refused job is noticed; elsewhere
// it goes through the platform's native printer.
std::unique_ptr<PrintTarget> MakePrinterTarget(const std::string& printerName);

// A PDF file, written in full or not at all.
std::unique_ptr<PrintTarget> MakePdfFileTarget(const QString& path, const QPageLayout& layout);

// Told before each page how many pages are done out of how many; returning
// false cancels the job. Told with done == total before the document is handed
// over, and again and again while the handing over waits (for a print spooler).
using PrintProgress = std::function<bool(int done, int total)>;

// Prints the pages of the books as one job on the target. On failure it shows
// "Printing failed: " and the reason, and the document is discarded; a
// cancelled job is discarded silently.
PrintOutcome PrintPages(const PreparedBooks& books, const std::vector<BookPage>& pages,
                        PrintTarget& target, Messages& messages,
                        const PrintProgress& progress = {});

// The same for pages of the book the viewer shows: the whole book, a station
// range of it or a changes book.
PrintOutcome PrintShownPages(const ViewerState& state, const std::vector<BookPage>& pages,
                             PrintTarget& target, Messages& messages,
                             const PrintProgress& progress = {});

}  // namespace corvane
