#include "stage_ui/open_form.h"

#include "ui/ellipsis_label.h"
#include "ui/modal_dialogs.h"
#include "ui/numeric_edit.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

// The patterns of one file type of a filter: "Models (*.st *.ST)" gives
// "*.st *.ST"; an entry without parentheses is a pattern itself.
QString PatternsOf(const QString& entry)
{
    static const QRegularExpression inParentheses(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = inParentheses.match(entry);
    return match.hasMatch() ? match.captured(1).trimmed() : entry.trimmed();
}

bool IsPattern(const QString& text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

}  // namespace

TOpenForm::TOpenForm(const QString& filter, QWidget* parent) : QDialog(parent), directory_(QDir::currentPath())
{
    setWindowTitle(QStringLiteral("Open"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    filenameEdit_ = new QLineEdit(this);
    filenameEdit_->setObjectName(QStringLiteral("FilenameEdit"));
    auto* nameLabel = new QLabel(QStringLiteral("File &name:"), this);
    nameLabel->setBuddy(filenameEdit_);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(filenameEdit_, 1, 0);

    fileList_ = new QListWidget(this);
    fileList_->setObjectName(QStringLiteral("FileListBox"));
    fileList_->setFixedSize(220, 180);
    grid->addWidget(fileList_, 2, 0);

    filterCombo_ = new QComboBox(this);
    filterCombo_->setObjectName(QStringLiteral("FilterComboBox"));
    for (const QString& entry : filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        filterCombo_->addItem(entry);
        masks_.push_back(PatternsOf(entry));
    }
    auto* typeLabel = new QLabel(QStringLiteral("Files of &type:"), this);
    typeLabel->setBuddy(filterCombo_);
    grid->addWidget(typeLabel, 3, 0);
    grid->addWidget(filterCombo_, 4, 0);

    auto* folderCaption = new QLabel(QStringLiteral("Folder:"), this);
    folderLabel_ = new TEllipsisLabel(this);
    folderLabel_->setObjectName(QStringLiteral("FolderLabel"));
    folderLabel_->SetIsPath(true);
    folderLabel_->setFixedWidth(220);
    grid->addWidget(folderCaption, 0, 1);
    grid->addWidget(folderLabel_, 1, 1);

    auto* buttons = new QVBoxLayout;
    openBtn_ = new QPushButton(QStringLiteral("&Open"), this);
    openBtn_->setObjectName(QStringLiteral("OpenButton"));
    openBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelButton"));
    MarkAsCancelButton(*cancelBtn_);
    buttons->addWidget(openBtn_);
    buttons->addWidget(cancelBtn_);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 1, 3, 1);

    connect(filterCombo_, &QComboBox::currentIndexChanged, this, &TOpenForm::FilterChanged);
    connect(fileList_, &QListWidget::itemClicked, this, &TOpenForm::FileClicked);
    connect(fileList_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { FileClicked(item); });
    connect(fileList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        FileClicked(item);
        accept();
    });
    connect(openBtn_, &QPushButton::clicked, this, &TOpenForm::OpenButtonClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    mask_ = masks_.isEmpty() ? QStringLiteral("*.*") : masks_.front();
    filenameEdit_->setText(mask_);
}

bool TOpenForm::Execute() { return ShowModal(*this) == TModalResult::Ok; }

void TOpenForm::SetDirectory(const QString& directory)
{
    directory_ = directory;
    FillFileList();
}

QString TOpenForm::FileName() const
{
    const QString name = filenameEdit_->text().trimmed();
    if (name.isEmpty())
        return {};
    return QDir::cleanPath(QDir(directory_).absoluteFilePath(name));
}

void TOpenForm::SetMask(const QString& mask)
{
    mask_ = mask;
    filenameEdit_->setText(mask);
    FillFileList();
}

void TOpenForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FillFileList();
}

void TOpenForm::FillFileList()
{
    folderLabel_->SetCaption(QDir::toNativeSeparators(directory_));
    QStringList patterns;
    for (const QString& p : mask_.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        patterns.push_back(p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
    if (patterns.isEmpty())
        patterns.push_back(QStringLiteral("*"));
    QDir dir(directory_);
    dir.setNameFilters(patterns);
    dir.setFilter(QDir::Files | QDir::CaseSensitive);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QFileIconProvider icons;
    fileList_->clear();
    for (const QFileInfo& file : dir.entryInfoList())
        fileList_->addItem(new QListWidgetItem(icons.icon(file), file.fileName()));
}

void TOpenForm::FilterChanged(int index)
{
    if (index >= 0 && index < masks_.size())
        SetMask(masks_[index]);
}

void TOpenForm::FileClicked(QListWidgetItem* item)
{
    if (item)
        filenameEdit_->setText(item->text());
}

void TOpenForm::OpenButtonClick()
{
    const QString text = filenameEdit_->text().trimmed();
    // A pattern is no file: it chooses what the list shows.
    if (text.isEmpty() || IsPattern(text)) {
        if (!text.isEmpty())
            SetMask(text);
        return;
    }
    accept();
}
