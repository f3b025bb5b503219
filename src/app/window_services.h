// The platform seams every window of the desktop program works through:
// message boxes, modal dialogs and file choosers, the printers and fonts, and
// the system tools. Made once by the desktop program; tests pass stand-ins.
#pragma once

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/printers_and_fonts.h"
#include "viewer/system_info.h"

namespace corvane {

struct WindowServices {
    Messages& messages;
    Dialogs& dialogs;
    const PrintersAndFonts& printersAndFonts;
    const SystemTools& systemTools;
};

}  // namespace corvane
