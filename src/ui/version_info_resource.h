#pragma once
// Version information for About boxes: reads the version information of a
// file (by default the running program), offers its strings and version
// numbers, and fills linked labels and a "Resource"/"Value" report list.
//
// Only the running program carries version information here; it comes from
// the build (core/version_info.h) with the strings the application states:
// ProductName and FileDescription its display name, CompanyName its
// organisation, InternalName its name, OriginalFilename its file name. Any
// other file reads as one without version information: every text empty.

#include "core/version_info.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

class TVersionInfoResource : public QObject {
    Q_OBJECT
public:
    explicit TVersionInfoResource(QObject* parent = nullptr);

    // The file to read; empty means the running program. Setting it reads.
    const QString& Filename() const { return filename_; }
    void SetFilename(const QString& filename);
    QString GetTargetFileName() const;
    // Reads the target's version information and refreshes what is linked.
    void ReadVersionInfo();

    QString GetString(TPreDef entry) const { return QString::fromStdString(info_.GetString(entry)); }
    QString CompanyName() const { return GetString(pdCompanyName); }
    QString FileDescription() const { return GetString(pdFileDescription); }
    QString InternalName() const { return GetString(pdInternalName); }
    QString LegalCopyright() const { return GetString(pdLegalCopyright); }
    QString LegalTrademarks() const { return GetString(pdLegalTrademarks); }
    QString OriginalFilename() const { return GetString(pdOriginalFilename); }
    QString ProductName() const { return GetString(pdProductName); }
    QString Comments() const { return GetString(pdComments); }
    // "%d.%d.%d.%d"; empty without version information.
    QString FileVersion() const { return QString::fromStdString(info_.FileVersion().AsString()); }
    QString ProductVersion() const { return QString::fromStdString(info_.ProductVersion().AsString()); }
    QString GetFileFlagsText() const { return QString::fromStdString(info_.FileFlagsText()); }
    const TVersionInfo& Info() const { return info_; }

    // A linked label shows its text, and its row leaves the report list.
    QLabel* VersionLabel() const { return versionLabel_; }
    void SetVersionLabel(QLabel* label) { LinkLabel(versionLabel_, label, pdFileVersion); }
    QLabel* CopyrightLabel() const { return copyrightLabel_; }
    void SetCopyrightLabel(QLabel* label) { LinkLabel(copyrightLabel_, label, pdLegalCopyright); }
    QLabel* ProductLabel() const { return productLabel_; }
    void SetProductLabel(QLabel* label) { LinkLabel(productLabel_, label, pdProductName); }
    QLabel* DescriptionLabel() const { return descriptionLabel_; }
    void SetDescriptionLabel(QLabel* label) { LinkLabel(descriptionLabel_, label, pdFileDescription); }

    // The report list: read only, columns "Resource" and "Value", one row per
    // entry in ShowResource (all at first).
    QTreeWidget* VersionListView() const { return listView_; }
    void SetVersionListView(QTreeWidget* listView);
    const TPreDefSet& ShowResource() const { return show_; }
    void SetShowResource(const TPreDefSet& show);

    void UpdateLabels();
    void FillListView();

private:
    void LinkLabel(QPointer<QLabel>& link, QLabel* label, TPreDef entry);

    QString filename_;
    TVersionInfo info_;
    TPreDefSet show_ = TPreDefSet().set();
    QPointer<QLabel> versionLabel_;
    QPointer<QLabel> copyrightLabel_;
    QPointer<QLabel> productLabel_;
    QPointer<QLabel> descriptionLabel_;
    QPointer<QTreeWidget> listView_;
};
