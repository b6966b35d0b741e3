#include "support/scripted_dialogs.h"

#include <QPrinter>

#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs(bool failUnscripted) : failUnscripted_(failUnscripted) {}

void ScriptedDialogs::Unscripted(const char* what) const
{
    if (failUnscripted_)
        ADD_FAILURE() << "a test opened a dialog it did not script: " << what;
}

TBoxAnswer ScriptedDialogs::ShowMessageBox(QWidget*, TBoxIcon icon, const QString& caption, const QString& text,
                                           TBoxButtons buttons)
{
    boxes.push_back({icon, caption, text, buttons});
    if (!boxAnswers.empty()) {
        const TBoxAnswer answer = boxAnswers.front();
        boxAnswers.pop_front();
        return answer;
    }
    Unscripted(qPrintable(text));
    return buttons == TBoxButtons::Ok ? TBoxAnswer::Ok : TBoxAnswer::Cancel;
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& caption, const QString& folder, const QString&)
{
    fileCaptions.push_back(caption);
    fileFolders.push_back(folder);
    if (fileNames.empty()) {
        Unscripted(qPrintable(caption));
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                      const QString& filter)
{
    return OpenFileName(parent, caption, folder, filter);
}

bool ScriptedDialogs::ChoosePrinter(QWidget*, QPrinter& printer)
{
    ++printDialogs;
    if (printFiles.empty()) {
        Unscripted("print dialog");
        return false;
    }
    const QString file = printFiles.front();
    printFiles.pop_front();
    if (file.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}
