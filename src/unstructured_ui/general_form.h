#pragma once
// General Information of a model of unstructured populations: title, up to
// four comment lines, replications, duration, demographic stochasticity and
// the map-features file drawn under the populations, with a button that
// browses for it (Monovara, which draws no map, hides that row).
//
// The main window creates it once and calls Execute; true means OK stored
// the dialog into the model, and the model is then modified. OK sets the
// inputs-changed flag when replications, duration or demographic
// stochasticity changed.

#include "multi/model_data.h"
#include "ui/general_form_base.h"

#include <QString>

class QLabel;
class QLineEdit;
class QToolButton;

namespace unstructured_ui {

class TGeneralForm : public TGeneralFormBase {
    Q_OBJECT
public:
    // The filter of the map file chooser.
    static constexpr const char* kMapFilter = "Map features (*.map *.MAP);;All files (*)";

    explicit TGeneralForm(QWidget* parent = nullptr, multi::TMultiModel& model = multi::Model);

    void LoadFromModel() override;
    bool StoreToModel() override;
    // The map file chooser, starting at `name`; on OK `name` becomes the
    // chosen file and the result is true.
    bool BrowseMapFile(QString& name);
    void LandscapeMapBrowseButtonClick();

    QLabel& LandscapeMapLabel() const { return *mapLabel_; }
    QLineEdit& LandscapeMapEdit() const { return *mapEdit_; }
    QToolButton& LandscapeMapBrowseButton() const { return *browse_; }

private:
    multi::TMultiModel& model_;
    QLabel* mapLabel_;
    QLineEdit* mapEdit_;
    QToolButton* browse_;
};

}  // namespace unstructured_ui
