#include "unstructured_ui/general_form.h"

#include "core/config.h"
#include "core/model_summary.h"
#include "multi/landscape_map.h"
#include "multi/general_info.h"
#include "ui/dialog_services.h"
#include "ui/main_window_parts.h"
#include "ui/model_text.h"
#include "ui/spin_edit_ex.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace unstructured_ui {

using namespace multi;

TGeneralForm::TGeneralForm(QWidget* parent, TMultiModel& model) : TGeneralFormBase(parent), model_(model)
{
    auto* map = new QHBoxLayout;
    mapEdit_ = new QLineEdit(this);
    mapEdit_->setObjectName(QStringLiteral("LandscapeMapEdit"));
    mapLabel_ = new QLabel(QStringLiteral("&Map features:"), this);
    mapLabel_->setBuddy(mapEdit_);
    browse_ = new QToolButton(this);
    browse_->setObjectName(QStringLiteral("LandscapeMapBrowseButton"));
    browse_->setText(QStringLiteral("..."));
    map->addWidget(mapLabel_);
    map->addWidget(mapEdit_, 1);
    map->addWidget(browse_);
    FieldsLayout().addLayout(map);
    AddButtons();
    connect(browse_, &QToolButton::clicked, this, &TGeneralForm::LandscapeMapBrowseButtonClick);
    SetLimits(model_.MaxReplications, model_.MaxDuration);
}

void TGeneralForm::LoadFromModel()
{
    SetLimits(model_.MaxReplications, model_.MaxDuration);
    const TGeneralInfo info = GeneralInfoOf(model_);
    TitleEdit().setText(ModelText(info.Title));
    CommentsMemo().SetLines(ShownCommentLines(info.Comments));
    mapEdit_->setText(FileNameText(info.MapName));
    ReplicationsSpinEdit().SetValue(info.Replications);
    DurationSpinEdit().SetValue(info.Duration);
    UseDemographicStochasticityCheckBox().setChecked(info.DemographicStochasticity);
    UpdateStochasticityEnabling();
}

bool TGeneralForm::StoreToModel()
{
    TGeneralInfo info;
    info.Title = ModelBytes(TitleEdit().text());
    const std::vector<std::string> lines = CommentsMemo().Lines();
    std::copy(lines.begin(), lines.end(), info.Comments.begin());
    info.Replications = ReplicationsSpinEdit().Value();
    info.Duration = DurationSpinEdit().Value();
    info.DemographicStochasticity = UseDemographicStochasticityCheckBox().isChecked();
    info.MapName = FileNameBytes(mapEdit_->text().trimmed());
    const bool changed = GeneralInfoDiffers(model_, info);
    StoreGeneralInfo(model_, info);
    return changed;
}

bool TGeneralForm::BrowseMapFile(QString& name)
{
    const QString chosen =
        DialogServices().OpenFileName(this, QStringLiteral("Map Features"), name, QString::fromLatin1(kMapFilter));
    if (chosen.isEmpty())
        return false;
    name = chosen;
    return true;
}

void TGeneralForm::LandscapeMapBrowseButtonClick()
{
    QString name = mapEdit_->text();
    if (!BrowseMapFile(name))
        return;
    // A map beside the model by its bare name, one elsewhere by its path.
    mapEdit_->setText(FileNameText(MapNameBesideModel(FileNameBytes(name), ModelFileName, ModelFileName)));
}

}  // namespace unstructured_ui
