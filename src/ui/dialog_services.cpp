#include "ui/dialog_services.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
TDialogServices* installed = nullptr;
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
