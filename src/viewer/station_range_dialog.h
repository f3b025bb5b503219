// "Stations": the user chooses a station range of the book, From and To, each
// typed or picked from the stations of the side on show; an empty field is an
// open bound, and both empty is the whole book. A range the book cannot show
// (not a station text, From above To, no station in it) is refused with its
// message and the dialog stays open for a correction.
#pragma once

#include <QDialog>

#include <optional>

#include "common/messages.h"
#include "viewer/dialogs.h"
#include "viewer/viewer_state.h"

class QComboBox;

namespace corvane {

class StationRangeDialog : public QDialog {
    Q_OBJECT

  public:
    StationRangeDialog(const ViewerState& state, Messages& messages, QWidget* parent = nullptr);

    // Lists the stations of the side on show, presets the fields to the range
    // shown (empty for the whole book) and shows the dialog modally. The range
    // OK accepted; none for Cancel or when it was closed otherwise.
    std::optional<StationRange> Ask(Dialogs& dialogs);

  private slots:
    void Accept();  // OK

  private:
    void Refresh();

    const ViewerState& state_;
    Messages& messages_;
    QComboBox* from_ = nullptr;  // FromStation
    QComboBox* to_ = nullptr;    // ToStation
    std::optional<StationRange> range_;
};

}  // namespace corvane
