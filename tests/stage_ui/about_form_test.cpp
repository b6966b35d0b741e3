#include "stage_ui/about_form.h"

#include "core/version_info.h"
#include "support/recording_url_opener.h"
#include "support/scripted_modals.h"

#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <QTextEdit>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

TEST(AboutForm, ShowsTheProgramAndItsBuildVersionWhileTheIconIsHeld)
{
    TAboutForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "About Voran Pelivo: Age and Stage Structure");
    // The version of this build and the system it runs on.
    EXPECT_EQ(form.Label1().text(),
              QStringLiteral("version %1 (%2)").arg(QStringLiteral(PV_VERSION), QSysInfo::prettyProductName()));
    EXPECT_FALSE(form.Label1().text().contains("Windows"));
    EXPECT_EQ(form.SubtitleLabel().text(), "Age and Stage structure (matrix models)");
    EXPECT_FALSE(form.ProgramIcon().pixmap().isNull());
    EXPECT_TRUE(form.RichEdit1().isReadOnly());

    // The build's own version, as four numbers.
    const auto version = VersionNumberFromText(PV_VERSION);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(form.VersionLabel().text(), QString::fromStdString("Version " + version->AsString()));
    EXPECT_EQ(form.VersionLabel().text().count('.'), 3);

    EXPECT_FALSE(form.VersionLabel().isVisible());
    QTest::mousePress(&form.ProgramIcon(), Qt::LeftButton);
    EXPECT_TRUE(form.VersionLabel().isVisible());
    QTest::mouseRelease(&form.ProgramIcon(), Qt::LeftButton);
    EXPECT_FALSE(form.VersionLabel().isVisible());
}

TEST(AboutForm, TheWebAddressOpensInTheBrowserAndOkCloses)
{
    RecordingUrlOpener opener;
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog& dialog) {
        auto& form = static_cast<TAboutForm&>(dialog);
        EXPECT_EQ(form.WebSiteLabel().cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(&form.WebSiteLabel(), Qt::LeftButton);
        form.OKButton().click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        return TModalResult::Ok;
    });
    TAboutForm::Execute(nullptr);
    EXPECT_EQ(opener.urls, std::vector<QString>{TAboutTemplateForm::kWebAddress});
    EXPECT_EQ(modals.shown, std::vector<QString>{"About Voran Pelivo: Age and Stage Structure"});
}
