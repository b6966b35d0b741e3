#pragma once
// Every modal dialog the windows open for a quick answer (message boxes, file
// choosers, the print dialog) goes through one replaceable service. The
// program uses the Qt dialogs; tests install scripted answers, so that no test
// ever waits on a dialog.

#include <QString>

class QPrinter;
class QWidget;

// A file to save to and the filter entry chosen for it (0 the first, -1 none).
struct TSaveChoice {
    QString FileName;
    int FilterIndex = -1;
};

enum class TBoxIcon { Error, Warning, Information, Question };
enum class TBoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TBoxAnswer { Ok, Cancel, Yes, No };

class TDialogServices {
public:
    virtual ~TDialogServices() = default;
    virtual TBoxAnswer ShowMessageBox(QWidget* parent, TBoxIcon icon, const QString& caption,
                                      const QString& text, TBoxButtons buttons) = 0;
    // The chosen file, or empty when the user cancels. `filter` is a Qt name
    // filter ("Model files (*.st *.ST)").
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    // The same where the filter entry decides what is written (a picture
    // type). Here the entry is the first whose patterns match the chosen
    // name (-1 for none); the Qt dialogs report the entry the user chose and
    // add its extension to a name without one.
    virtual TSaveChoice SaveFileNameAndType(QWidget* parent, const QString& caption, const QString& folder,
                                            const QString& filter);
    // Lets the user set up the printer (or a PDF file); false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The Qt dialogs. Without any printer the print dialog offers a PDF file.
class TQtDialogServices : public TDialogServices {
public:
    TBoxAnswer ShowMessageBox(QWidget* parent, TBoxIcon icon, const QString& caption, const QString& text,
                              TBoxButtons buttons) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    TSaveChoice SaveFileNameAndType(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
};

// The service in use: the one installed, else the Qt dialogs.
TDialogServices& DialogServices();

// Installs a service; null goes back to the Qt dialogs. The caller keeps
// ownership and uninstalls it before it dies.
void SetDialogServices(TDialogServices* services);

// Installs a service for its own lifetime and then puts the previous one back.
class TScopedDialogServices {
public:
    explicit TScopedDialogServices(TDialogServices& services);
    ~TScopedDialogServices();
    TScopedDialogServices(const TScopedDialogServices&) = delete;
    TScopedDialogServices& operator=(const TScopedDialogServices&) = delete;

private:
    TDialogServices* previous_;
};
