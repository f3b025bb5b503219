#include "app/preview_windows.h"

#include "viewer/printer_font_dialog.h"
#include "viewer/remembered_settings.h"

namespace corvane {

PreviewWindows::PreviewWindows(WindowServices services)
    : services_(services),
      lastPrinter_(RememberedSettings().PrinterName()),
      lastFont_(RememberedSettings().FontName()) {
    const QString printer = CurrentPrinterName({}, services_.printersAndFonts);
    // With no printer installed the page stays a Letter page.
    if (!printer.isEmpty())
        state_.Choose(PrinterFontChoice{{}, {}, services_.printersAndFonts.PrintablePage(printer)});
}

PreviewWindows::~PreviewWindows() {
    // The viewer works on the state: it goes first.
    delete viewer_.data();
}

PrinterFontChoice PreviewWindows::ChoosePrinterAndFont() {
    PrinterFontDialog dialog(state_, services_.messages, services_.printersAndFonts);
    dialog.PresetFields(lastPrinter_, lastFont_);
    // Cancel gives no answer: the printer and font chosen earlier stay.
    if (const std::optional<PrinterFontChoice> choice = dialog.Ask(services_.dialogs)) {
        state_.Choose(*choice);
        lastPrinter_ = QString::fromStdString(choice->PrinterName);
        lastFont_ = QString::fromStdString(choice->FontName);
        RememberedSettings().RememberPrinterAndFont(lastPrinter_, lastFont_);
    }
    return {state_.PrinterName(), state_.FontName(), state_.PrinterPage()};
}

void PreviewWindows::ShowBooks(PreparedBooks books) {
    state_.Load(std::move(books));
    if (!viewer_) {
        viewer_ = new ReportViewer(state_, services_.messages, services_.dialogs);
        viewer_->setAttribute(Qt::WA_DeleteOnClose);
        viewer_->Load();
    }
    viewer_->RedrawViewerPage();
    // Showing a viewer that is already shown just brings it to the front.
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

}  // namespace corvane
