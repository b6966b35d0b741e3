#include "ui/dialog_services.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace {

TDialogServices* installed = nullptr;

// The patterns of one entry of a Qt name filter: "Bitmap (*.bmp *.BMP)".
QStringList EntryPatterns(const QString& entry)
{
    const qsizetype open = entry.lastIndexOf(QLatin1Char('(')), close = entry.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    return entry.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The extension an entry gives a name without one: that of its first
// pattern "*.ext"; none for "*".
QString EntrySuffix(const QString& entry)
{
    const QStringList patterns = EntryPatterns(entry);
    if (patterns.isEmpty() || !patterns[0].startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = patterns[0].mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

}  // namespace

TSaveChoice TDialogServices::SaveFileNameAndType(QWidget* parent, const QString& caption, const QString& folder,
                                                 const QString& filter)
{
    TSaveChoice choice;
    choice.FileName = SaveFileName(parent, caption, folder, filter);
    if (choice.FileName.isEmpty())
        return choice;
    const QString name = QFileInfo(choice.FileName).fileName();
    const QStringList entries = filter.split(QStringLiteral(";;"));
    for (int i = 0; i < entries.size() && choice.FilterIndex < 0; ++i)
        for (const QString& pattern : EntryPatterns(entries[i]))
            if (QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(name).hasMatch()) {
                choice.FilterIndex = i;
                break;
            }
    return choice;
}

TDialogServices& DialogServices()
{
    static TQtDialogServices qtDialogs;
    return installed ? *installed : qtDialogs;
}

void SetDialogServices(TDialogServices* services) { installed = services; }

TScopedDialogServices::TScopedDialogServices(TDialogServices& services) : previous_(installed)
{
    installed = &services;
}

TScopedDialogServices::~TScopedDialogServices() { installed = previous_; }

TBoxAnswer TQtDialogServices::ShowMessageBox(QWidget* parent, TBoxIcon icon, const QString& caption,
                                             const QString& text, TBoxButtons buttons)
{
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case TBoxIcon::Error: qtIcon = QMessageBox::Critical; break;
    case TBoxIcon::Warning: qtIcon = QMessageBox::Warning; break;
    case TBoxIcon::Information: qtIcon = QMessageBox::Information; break;
    case TBoxIcon::Question: qtIcon = QMessageBox::Question; break;
    }
    QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case TBoxButtons::Ok: break;
    case TBoxButtons::OkCancel:
        qtButtons = QMessageBox::Ok | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case TBoxButtons::YesNo:
        qtButtons = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case TBoxButtons::YesNoCancel:
        qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    }
    QMessageBox box(qtIcon, caption, text, qtButtons, parent);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Yes: return TBoxAnswer::Yes;
    case QMessageBox::No: return TBoxAnswer::No;
    case QMessageBox::Ok: return TBoxAnswer::Ok;
    default: return TBoxAnswer::Cancel;
    }
}

QString TQtDialogServices::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString TQtDialogServices::SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

TSaveChoice TQtDialogServices::SaveFileNameAndType(QWidget* parent, const QString& caption,
                                                   const QString& folder, const QString& filter)
{
    const QStringList entries = filter.split(QStringLiteral(";;"));
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the chosen entry's extension itself, so that its
    // overwrite prompt asks about the name really written.
    dialog.setDefaultSuffix(EntrySuffix(entries.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& entry) { dialog.setDefaultSuffix(EntrySuffix(entry)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), static_cast<int>(entries.indexOf(dialog.selectedNameFilter()))};
}

bool TQtDialogServices::ChoosePrinter(QWidget* parent, QPrinter& printer)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (printer.outputFileName().isEmpty())
            printer.setOutputFileName(QDir::home().filePath("print.pdf"));
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
