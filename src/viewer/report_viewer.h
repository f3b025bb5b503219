// The report viewer ("Display Report"): shows one page of the grade book at a
// time, pages through the left and right books as one sequence, finds
// stations and prints. What it shows and where it is comes from the
// ViewerState; the viewer keeps only its window's zoom.
//
// The page is drawn into a retained image by the handlers only (never in answer
// to an exposure) and the window shows that image.
//
// report_viewer.cpp holds loading, sizing, paging and closing;
// report_viewer_commands.cpp holds the Go To and Print commands.
#pragma once

#include <QImage>
#include <QMainWindow>

#include <memory>

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/viewer_state.h"

class QAction;
class QLabel;

namespace corvane {

class PrintPagesDialog;
class StationFinder;

// The zoom at which the window, of this outer size in twips, shows a page of
// 11520 x 15120 twips by its limiting side, with 300 twips to spare.
double ZoomToFit(double widthTwips, double heightTwips);

class ReportViewer : public QMainWindow {
    Q_OBJECT

  public:
    ReportViewer(ViewerState& state, Messages& messages, Dialogs& dialogs,
                 QWidget* parent = nullptr);
    ~ReportViewer() override;

    // Sizes the window to the page of the books on show at zoom 1 and shows
    // the Go To entries of their roadway type. Done once, when the viewer is
    // first loaded: a later run keeps the user's size and these entries.
    void Load();

    // Draws the current page of the ViewerState afresh and shows it.
    void RedrawViewerPage();

    // A menu item by its name.
    QAction* MenuItem(const QString& name) const;

  public slots:
    void viewForward_Click();
    void viewBackward_Click();
    void mnuGoToStation_Click();
    void mnuStationLeft_Click();
    void mnuStationRight_Click();
    void viewprint_Click();
    void PrnSelPages_Click();
    void SaveAsPdf_Click();
    void viewEnd_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateMenus();
    void CreatePageView();
    QAction* AddMenuItem(QWidget* menu, const QString& name, const QString& caption);
    QImage BlankPage() const;
    void OpenStationFinder(Side side);

    ViewerState& state_;
    Messages& messages_;
    Dialogs& dialogs_;
    double zoom_ = 1;
    QLabel* pageView_ = nullptr;
    std::unique_ptr<StationFinder> stationFinder_;
    // Kept between uses after Print, so it shows the last choice again.
    std::unique_ptr<PrintPagesDialog> printPages_;
};

}  // namespace corvane
