#pragma once
// Open: a file-open dialog of its own, with the files of one folder in a
// list, a file-name field and a choice of file types. The field shows the
// chosen type's pattern until a file is picked, then the file's name; a
// double click on a file opens it. Open with a pattern typed into the field
// lists the files that match it instead. The main window makes it once; File,
// Open uses the standard file dialog, so no menu command shows it.

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TEllipsisLabel;

class TOpenForm : public QDialog {
    Q_OBJECT
public:
    // `filter`: the file types as "Description (*.a *.b);;All files (*.*)";
    // the first one is listed at first.
    explicit TOpenForm(const QString& filter = QStringLiteral("All files (*.*)"), QWidget* parent = nullptr);

    // Shows the dialog modally; true when it closed with Open on a file.
    bool Execute();

    // The folder listed (the working folder at first).
    QString Directory() const { return directory_; }
    void SetDirectory(const QString& directory);
    // The file chosen: the field's text within the folder listed.
    QString FileName() const;

    // Lists the folder's files that match the patterns (blank-separated;
    // "*.*" matches every file).
    void SetMask(const QString& mask);
    QString Mask() const { return mask_; }

    TEllipsisLabel& FolderLabel() const { return *folderLabel_; }
    QListWidget& FileListBox() const { return *fileList_; }
    QComboBox& FilterComboBox() const { return *filterCombo_; }
    QLineEdit& FilenameEdit() const { return *filenameEdit_; }
    QPushButton& OpenButton() const { return *openBtn_; }
    QPushButton& CancelButton() const { return *cancelBtn_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillFileList();
    void FilterChanged(int index);
    void FileClicked(QListWidgetItem* item);
    void OpenButtonClick();

    QString directory_;
    QString mask_;
    QStringList masks_;   // one per file type
    TEllipsisLabel* folderLabel_;
    QListWidget* fileList_;
    QComboBox* filterCombo_;
    QLineEdit* filenameEdit_;
    QPushButton* openBtn_;
    QPushButton* cancelBtn_;
};
