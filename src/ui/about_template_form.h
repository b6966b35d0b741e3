#pragma once
// The About box of the maker's programs. Each program gives its own title,
// subtitle and icon; the box adds the version line (the build's version and
// the system the program runs on), the maker's web site and the credits and
// legal notices. The caption is "About " + the title. Holding a
// mouse button down on the icon shows "Version " + the program's file
// version; a click on the web address opens it in the user's browser.

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;
class QTextEdit;
class TVersionInfoResource;

struct TAboutTexts {
    QString Title;        // the program's title
    QString Subtitle;     // what the program models
    QPixmap Icon;
};

// "version " + the build's version + " (" + the running system's name + ")",
// for example "version 1.0.0 (Debian GNU/Linux 12 (bookworm))".
QString ProgramVersionLine();

class TAboutTemplateForm : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "http://www.varnholt.example/";

    explicit TAboutTemplateForm(const TAboutTexts& texts, QWidget* parent = nullptr);

    QLabel& VersionLabel() const { return *versionLabel_; }
    QLabel& ProgramIcon() const { return *programIcon_; }
    QLabel& TitleLabel() const { return *titleLabel_; }
    QLabel& Label1() const { return *label1_; }
    QLabel& SubtitleLabel() const { return *subtitleLabel_; }
    QLabel& WebSiteLabel() const { return *webSiteLabel_; }
    QTextEdit& RichEdit1() const { return *richEdit1_; }
    QPushButton& OKButton() const { return *okButton_; }
    TVersionInfoResource& VersionInfoResource() const { return *versionInfo_; }

    // Opens the web address the label shows.
    void WebSiteLabelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* versionLabel_;
    QLabel* programIcon_;
    QLabel* titleLabel_;
    QLabel* label1_;
    QLabel* subtitleLabel_;
    QLabel* webSiteLabel_;
    QTextEdit* richEdit1_;
    QPushButton* okButton_;
    TVersionInfoResource* versionInfo_;
};
