// The about box: the program's name, purpose and version date, and a button
// that starts the system-information tool. Shown modally by the main window.
#pragma once

#include <QDialog>

#include "common/messages.h"
#include "viewer/system_info.h"

namespace corvane {

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    AboutDialog(Messages& messages, const SystemTools& tools, QWidget* parent = nullptr);

  public slots:
    void CloseBox();                // cmdOK
    void StartSystemInformation();  // cmdSysInfo

  private:
    void CreateControls();

    Messages& messages_;
    const SystemTools& tools_;
};

}  // namespace corvane
