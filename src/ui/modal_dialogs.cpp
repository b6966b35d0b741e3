#include "ui/modal_dialogs.h"

#include <QApplication>
#include <QDialog>

namespace {
TModalHandler installed;
}

TModalResult ShowModal(QDialog& dialog)
{
    if (installed)
        return installed(dialog);
    return dialog.exec() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
}

TScopedModalHandler::TScopedModalHandler(TModalHandler handler) : previous_(std::move(installed))
{
    installed = std::move(handler);
}

TScopedModalHandler::~TScopedModalHandler() { installed = std::move(previous_); }

TWaitCursor::TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

TWaitCursor::~TWaitCursor() { QApplication::restoreOverrideCursor(); }
