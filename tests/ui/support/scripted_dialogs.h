#pragma once
// Dialog answers for tests: every dialog a window asks for is recorded and
// answered from a script, and none is ever shown. It installs itself for its
// lifetime. The test main installs one that fails the test on any dialog
// that a test did not script.

#include "ui/dialog_services.h"

#include <QString>

#include <deque>
#include <vector>

struct ShownBox {
    TBoxIcon icon;
    QString caption;
    QString text;
    TBoxButtons buttons;
};

class ScriptedDialogs : public TDialogServices {
public:
    explicit ScriptedDialogs(bool failUnscripted = false);
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    TBoxAnswer ShowMessageBox(QWidget* parent, TBoxIcon icon, const QString& caption, const QString& text,
                              TBoxButtons buttons) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;

    // Answers, used in order. Boxes without a scripted answer get Ok (or
    // Cancel for a question); file choosers without one are cancelled.
    std::deque<TBoxAnswer> boxAnswers;
    std::deque<QString> fileNames;
    // The print dialog: a PDF file to print to, or empty to press Cancel.
    std::deque<QString> printFiles;

    std::vector<ShownBox> boxes;
    std::vector<QString> fileCaptions;
    // The folder each file chooser was asked to open in.
    std::vector<QString> fileFolders;
    int printDialogs = 0;

private:
    void Unscripted(const char* what) const;
    bool failUnscripted_;
    TScopedDialogServices installed_{*this};
};
