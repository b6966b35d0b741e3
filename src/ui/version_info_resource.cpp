#include "ui/version_info_resource.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>

namespace {

std::map<std::string, std::string> ProgramStrings()
{
    const std::string title = QGuiApplication::applicationDisplayName().toStdString();
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return {
        {PreDefKeyName(pdProductName), title},
        {PreDefKeyName(pdFileDescription), title},
        {PreDefKeyName(pdCompanyName), QCoreApplication::organizationName().toStdString()},
        {PreDefKeyName(pdInternalName), QCoreApplication::applicationName().toStdString()},
        {PreDefKeyName(pdOriginalFilename), program.toStdString()},
    };
}

bool IsRunningProgram(const QString& fileName)
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !program.isEmpty() && QFileInfo(fileName).canonicalFilePath() == program;
}

}  // namespace

TVersionInfoResource::TVersionInfoResource(QObject* parent) : QObject(parent) { ReadVersionInfo(); }

void TVersionInfoResource::SetFilename(const QString& filename)
{
    filename_ = filename;
    ReadVersionInfo();
}

QString TVersionInfoResource::GetTargetFileName() const
{
    return filename_.isEmpty() ? QCoreApplication::applicationFilePath() : filename_;
}

void TVersionInfoResource::ReadVersionInfo()
{
    if (filename_.isEmpty() || IsRunningProgram(filename_))
        info_.SetResource(BuildVersionResource(ProgramStrings()));
    else
        info_.SetResource(std::nullopt);
    UpdateLabels();
}

void TVersionInfoResource::LinkLabel(QPointer<QLabel>& link, QLabel* label, TPreDef entry)
{
    link = label;
    if (label)
        show_.reset(entry);
    UpdateLabels();
}

void TVersionInfoResource::SetVersionListView(QTreeWidget* listView)
{
    listView_ = listView;
    UpdateLabels();
}

void TVersionInfoResource::SetShowResource(const TPreDefSet& show)
{
    show_ = show;
    UpdateLabels();
}

void TVersionInfoResource::UpdateLabels()
{
    if (versionLabel_)
        versionLabel_->setText(FileVersion());
    if (copyrightLabel_)
        copyrightLabel_->setText(LegalCopyright());
    if (productLabel_)
        productLabel_->setText(ProductName());
    if (descriptionLabel_)
        descriptionLabel_->setText(FileDescription());
    if (listView_)
        FillListView();
}

void TVersionInfoResource::FillListView()
{
    if (!listView_)
        return;
    QTreeWidget& view = *listView_;
    view.clear();
    view.setColumnCount(2);
    view.setHeaderLabels({QStringLiteral("Resource"), QStringLiteral("Value")});
    view.setRootIsDecorated(false);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSortingEnabled(false);
    view.header()->setSectionsClickable(false);
    for (const auto& [key, value] : info_.ReportRows(show_))
        view.addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(key), QString::fromStdString(value)}));
    view.resizeColumnToContents(0);
    view.resizeColumnToContents(1);
}
