#include <gtest/gtest.h>

#include "Screenshot.h"
#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NewProject.h"
#include "app/ui/OpenConf.h"
#include "app/ui/PictureButton.h"
#include "lang/ui/SoftOptions.h"
#include "platform/Launcher.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

using cf::test::TempExeDir;
using cf::ui::TFSoftOptions;

class Options : public ::testing::Test {
protected:
    void SetUp() override { ctx.createFolders(); }

    void addLanguages(const QStringList &files)
    {
        for (const QString &f : files)
            exe.write(QStringLiteral("LANGUAGE/") + f, "//VERSION 1.0\r\n");
    }
    void addFlag(const QString &name, QColor colour)
    {
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(exe.file(QStringLiteral("LANGUAGE/") + name + QStringLiteral(".bmp")), "BMP"));
    }
    std::unique_ptr<TFSoftOptions> openDialog()
    {
        auto d = std::make_unique<TFSoftOptions>(ctx);
        d->show();
        return d;
    }
    static QStringList visibleNames(const TFSoftOptions &d)
    {
        QStringList names;
        for (QLabel *l : d.L_L) {
            if (l->isVisible())
                names.append(l->text());
        }
        return names;
    }

    TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::AppContext ctx{exe.path(), prompt};
};

TEST_F(Options, PagesOfSixLanguages)
{
    struct Case {
        int languages;
        const char *label;
        int shownSlots;
        bool next;
    };
    const Case cases[] = {
        {0, "Page 1 / 0", 0, false},
        {6, "Page 1 / 1", 6, false},
        {7, "Page 1 / 2", 6, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.languages);
        TempExeDir fresh;
        cf::AppContext local(fresh.path(), prompt);
        local.createFolders();
        for (int i = 0; i < c.languages; ++i)
            fresh.write(QStringLiteral("LANGUAGE/Lang%1.lng").arg(i), "x");
        TFSoftOptions d(local);
        d.show();
        EXPECT_EQ(d.L_Page_Lang->text().toStdString(), c.label);
        EXPECT_EQ(visibleNames(d).size(), c.shownSlots);
        EXPECT_FALSE(d.Btn_Prev->isVisible());
        EXPECT_EQ(d.Btn_Next->isVisible(), c.next);
        EXPECT_EQ(d.PageControl1->currentWidget(), d.TS_Language);
    }
}

TEST_F(Options, NextAndPreviousWithSevenLanguages)
{
    addLanguages({QStringLiteral("zulu.lng"), QStringLiteral("Alpha.lng"), QStringLiteral("beta.lng"),
                  QStringLiteral("Gamma.lng"), QStringLiteral("delta.lng"), QStringLiteral("Epsilon.lng"),
                  QStringLiteral("eta.lng")});
    auto d = openDialog();
    EXPECT_EQ(visibleNames(*d), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("delta"),
                                             QStringLiteral("Epsilon"), QStringLiteral("eta"), QStringLiteral("Gamma")}));
    cf::test::saveShot(d.get(), QStringLiteral("soft_options_language"));

    d->Btn_Next->click();
    EXPECT_EQ(d->L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
    EXPECT_EQ(visibleNames(*d), QStringList{QStringLiteral("zulu")});
    EXPECT_TRUE(d->Btn_Prev->isVisible());
    EXPECT_FALSE(d->Btn_Next->isVisible());
    d->Btn_NextClick(d->Btn_Next);
    EXPECT_EQ(d->Show_Page, 2);

    d->Btn_Prev->click();
    EXPECT_EQ(d->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
    EXPECT_EQ(visibleNames(*d).size(), 6);
    d->Btn_NextClick(d->Btn_Prev);
    EXPECT_EQ(d->Show_Page, 1);

    // Reopening starts on page 1 again.
    d->Btn_Next->click();
    d->hide();
    d->show();
    EXPECT_EQ(d->Show_Page, 1);
}

TEST_F(Options, FlagOfItsOwnElseDefaultElseNameAlone)
{
    addLanguages({QStringLiteral("Italiano.lng"), QStringLiteral("Deutsch.lng")});
    addFlag(QStringLiteral("Italiano"), Qt::green);
    {
        auto d = openDialog();
        // Deutsch first: no flag and no default, the name stays.
        EXPECT_FALSE(d->I_L[0]->isVisible());
        EXPECT_TRUE(d->L_L[0]->isVisible());
        ASSERT_TRUE(d->I_L[1]->isVisible());
        EXPECT_EQ(d->I_L[1]->pixmap().toImage().pixelColor(2, 2), QColor(Qt::green));
        EXPECT_EQ(d->I_L[1]->size(), QSize(48, 48));
    }
    addFlag(QStringLiteral("DefaultFlag"), Qt::blue);
    auto d = openDialog();
    ASSERT_TRUE(d->I_L[0]->isVisible());
    EXPECT_EQ(d->I_L[0]->pixmap().toImage().pixelColor(2, 2), QColor(Qt::blue));
    EXPECT_EQ(d->I_L[1]->pixmap().toImage().pixelColor(2, 2), QColor(Qt::green));
}

TEST_F(Options, CheckBoxesEnableEachOther)
{
    struct Case {
        bool internet;
        bool update;
        bool updateEnabled;
        bool checkEnabled;
    };
    const Case cases[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.internet << c.update);
        ctx.settings.enable_internet = c.internet;
        ctx.settings.enable_update = c.update;
        auto d = openDialog();
        EXPECT_EQ(d->CB_En_Con->isChecked(), c.internet);
        EXPECT_EQ(d->CB_Update->isChecked(), c.update);
        EXPECT_EQ(d->CB_Update->isEnabled(), c.updateEnabled);
        EXPECT_EQ(d->Btn_Check_Update->isEnabled(), c.checkEnabled);
    }
    // Unchecking the connection keeps the update mark but disables it and the button.
    auto d = openDialog();
    d->CB_En_Con->click();
    EXPECT_TRUE(d->CB_Update->isChecked());
    EXPECT_FALSE(d->CB_Update->isEnabled());
    EXPECT_FALSE(d->Btn_Check_Update->isEnabled());
    d->PageControl1->setCurrentWidget(d->TS_Software);
    cf::test::saveShot(d.get(), QStringLiteral("soft_options_software"));
}

TEST_F(Options, CheckOnDemandShowsLinkOrNoUpdate)
{
    ctx.settings.enable_internet = ctx.settings.enable_update = true;
    auto d = openDialog();
    d->PageControl1->setCurrentWidget(d->TS_Connection);
    EXPECT_FALSE(d->LL_Check_Update->isVisible());
    QString opened;
    d->setBrowser([&](const QString &url) { opened = url; });

    d->setVersionChecker([] { return false; });
    d->Btn_Check_Update->click();
    EXPECT_TRUE(d->LL_Check_Update->isVisible());
    EXPECT_EQ(d->LL_Check_Update->textFormat(), Qt::PlainText);
    EXPECT_EQ(d->LL_Check_Update->text(), QStringLiteral("No Update Available"));

    d->setVersionChecker([] { return true; });
    d->Btn_Check_Update->click();
    EXPECT_EQ(d->LL_Check_Update->textFormat(), Qt::RichText);
    EXPECT_EQ(d->LL_Check_Update->text(),
              QStringLiteral("<a href=\"") + cf::ui::downloadPageUrl()
                  + QStringLiteral("\">New Version Available. Click Here for more Details</a>"));
    cf::test::saveShot(d.get(), QStringLiteral("soft_options_connection"));
    emit d->LL_Check_Update->linkActivated(cf::ui::downloadPageUrl());
    EXPECT_EQ(opened, cf::ui::downloadPageUrl());
    EXPECT_TRUE(cf::ui::downloadPageUrl().endsWith(QStringLiteral("/Home/download/download.asp#GW40210")));

    // Hidden again at the next opening, which starts on the language tab.
    d->hide();
    d->show();
    EXPECT_FALSE(d->LL_Check_Update->isVisible());
    EXPECT_EQ(d->PageControl1->currentWidget(), d->TS_Language);
}

class OptionsFromMain : public Options {
protected:
    void SetUp() override
    {
        Options::SetUp();
        exe.write(QStringLiteral("LANGUAGE/Italiano.lng"),
                  "//VERSION 3.0\r\nSTR15 = Nuova Configurazione\r\nSTR100 = Crea Nuova Configurazione\r\n"
                  "STR200 = Apri Configurazione\r\nSTR302 = Lingua\r\nSTR304 = \xB6Lingua Selezionata : \xB6\r\n"
                  "STR316 = \xB6" "Cambiare la lingua da \xB6\r\nSTR317 = \xB6 a \xB6\r\n");
        addLanguages({QStringLiteral("Deutsch.lng")});
        // The flag that ships beside the program.
        QFile::copy(QStringLiteral(CF_BIN_DIR "/LANGUAGE/DefaultFlag.bmp"), exe.file(QStringLiteral("LANGUAGE/DefaultFlag.bmp")));
        main = std::make_unique<cf::ui::TFTesseleFirmWare>(ctx, launcher);
        cf::ui::createDialogs(main->windows(), ctx);
        options = main->windows().softOptions;
    }
    static void whenModal(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }
    // Italiano is in slot 2, after Deutsch.
    static constexpr int kItaliano = 2;

    cf::ProgramLauncher launcher;
    std::unique_ptr<cf::ui::TFTesseleFirmWare> main;
    TFSoftOptions *options = nullptr;
};

TEST_F(OptionsFromMain, LanguageChangesAtOnceCancelKeepsTheSetting)
{
    ASSERT_NE(options, nullptr);
    prompt.answerConfirm(true);
    whenModal([&] {
        EXPECT_EQ(options->L_L[kItaliano - 1]->text(), QStringLiteral("Italiano"));
        EXPECT_TRUE(options->I_L[kItaliano - 1]->isVisible());
        EXPECT_FALSE(options->I_L[kItaliano - 1]->pixmap().isNull());
        QTest::mouseClick(options->L_L[kItaliano - 1], Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(options->Language_In_Use, QStringLiteral("Italiano"));
        cf::test::saveShot(options, QStringLiteral("soft_options_italiano"));
        options->Btn_Cancel->click();
    });
    main->Btn_Click(main->Btn_Opz);

    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Do you want to change the Language from English to Italiano?")});
    EXPECT_EQ(prompt.lastKind(), cf::ScriptedPrompt::Kind::Confirm);
    // Every window follows at once.
    EXPECT_EQ(main->Btn_New->text(), QStringLiteral("Nuova Configurazione"));
    EXPECT_EQ(main->windows().newProject->windowTitle(), QStringLiteral("Crea Nuova Configurazione"));
    EXPECT_EQ(main->windows().openConf->windowTitle(), QStringLiteral("Apri Configurazione"));
    EXPECT_EQ(options->PageControl1->tabText(0), QStringLiteral("Lingua"));
    EXPECT_EQ(options->L_Sel_Lang->text(), QStringLiteral("Lingua Selezionata : Italiano"));
    // The setting and its file do not, and the timer is left alone.
    EXPECT_EQ(ctx.settings.language, QStringLiteral("English"));
    EXPECT_FALSE(exe.exists(QStringLiteral("Tessel.xml")));

    // Asked even for the language in use; No changes nothing.
    prompt.clear();
    whenModal([&] {
        EXPECT_EQ(options->Language_In_Use, QStringLiteral("English"));
        options->LangClick(1);
        EXPECT_EQ(options->Language_In_Use, QStringLiteral("English"));
        options->Btn_Cancel->click();
    });
    main->Btn_Click(main->Btn_Opz);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Cambiare la lingua da English a Deutsch?")});
    EXPECT_EQ(main->Btn_New->text(), QStringLiteral("Nuova Configurazione"));
}

TEST_F(OptionsFromMain, OkCommitsSavesAndSetsTheTimer)
{
    ctx.settings.enable_internet = ctx.settings.enable_update = true;
    main->Update_Timer_State();
    ASSERT_TRUE(main->updateTimer().isActive());

    prompt.answerConfirm(true);
    whenModal([&] {
        options->LangClick(kItaliano);
        options->CB_En_Con->click();
        options->CB_Soft_Set_Jump_Table->click();
        options->CB_DoubleClick_Auto_Size->click();
        QTest::keyClick(options, Qt::Key_Return);
    });
    main->Btn_Click(main->Btn_Opz);

    EXPECT_EQ(ctx.settings.language, QStringLiteral("Italiano"));
    EXPECT_FALSE(ctx.settings.enable_internet);
    EXPECT_TRUE(ctx.settings.enable_update);
    EXPECT_TRUE(ctx.settings.enable_jump_field_tables);
    EXPECT_TRUE(ctx.settings.Double_Click_Auto_Size);
    EXPECT_FALSE(main->updateTimer().isActive());
    const QByteArray saved = exe.read(QStringLiteral("Tessel.xml"));
    EXPECT_TRUE(saved.contains("<language>Italiano</language>")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("<enable_internet>0</enable_internet>"));
    EXPECT_TRUE(saved.contains("<enable_update>1</enable_update>"));

    // Both on again: the timer restarts with the first, one-minute period.
    whenModal([&] {
        options->CB_En_Con->click();
        options->Btn_OK->click();
    });
    main->Btn_Click(main->Btn_Opz);
    EXPECT_TRUE(main->updateTimer().isActive());
    EXPECT_EQ(main->updateTimer().interval(), cf::ui::TFTesseleFirmWare::kInitialTimerMs);

    // Escape is Cancel: nothing committed.
    whenModal([&] {
        options->CB_En_Con->click();
        QTest::keyClick(options, Qt::Key_Escape);
    });
    main->Btn_Click(main->Btn_Opz);
    EXPECT_TRUE(ctx.settings.enable_internet);
    EXPECT_TRUE(main->updateTimer().isActive());
}

} // namespace
