#include <gtest/gtest.h>

#include "Screenshot.h"
#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ProductIdentity.h"
#include "app/Workspace.h"
#include "app/ui/About.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NewProject.h"
#include "app/ui/OpenConf.h"
#include "app/ui/PictureButton.h"
#include "platform/Launcher.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

using cf::test::TempExeDir;

class Workspace : public ::testing::Test {
protected:
    void SetUp() override { ctx.createFolders(); }
    void makeProject(const QString &name) { exe.makeDir(QStringLiteral("PROJECTS/") + name); }

    TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::AppContext ctx{exe.path(), prompt};
};

TEST_F(Workspace, NewProjectEnterCreatesEscapeCancels)
{
    makeProject(QStringLiteral("Alpha"));
    cf::ui::TFNew_Project dialog(ctx);
    EXPECT_EQ(dialog.size(), QSize(331, 162));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create New Configuration"));

    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(dialog.E_New_Proj->text().isEmpty());

    // Empty, then an existing name: refused, the dialog stays with the entry.
    QTest::keyClick(dialog.E_New_Proj, Qt::Key_Return);
    QTest::keyClicks(dialog.E_New_Proj, QStringLiteral("Alpha"));
    QTest::keyClick(dialog.E_New_Proj, Qt::Key_Enter);
    EXPECT_EQ(prompt.texts(), (QStringList{QStringLiteral("Error! Name Project is not valid"),
                                            QStringLiteral("Error! Name project is not valid because directory already exists")}));
    EXPECT_EQ(prompt.lastKind(), cf::ScriptedPrompt::Kind::Error);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.E_New_Proj->text(), QStringLiteral("Alpha"));
    cf::test::saveShot(&dialog, QStringLiteral("new_project"));

    QTest::keyClicks(dialog.E_New_Proj, QStringLiteral(" 2"));
    QTest::keyClick(dialog.E_New_Proj, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ctx.project.name, QStringLiteral("Alpha 2"));
    EXPECT_TRUE(exe.exists(QStringLiteral("PROJECTS/Alpha 2/bin")));

    // Shown again: an empty field; Escape cancels and changes nothing.
    dialog.show();
    EXPECT_TRUE(dialog.E_New_Proj->text().isEmpty());
    QTest::keyClicks(dialog.E_New_Proj, QStringLiteral("Beta"));
    QTest::keyClick(dialog.E_New_Proj, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(exe.exists(QStringLiteral("PROJECTS/Beta")));
    EXPECT_EQ(ctx.project.name, QStringLiteral("Alpha 2"));
}

TEST_F(Workspace, OpenPreselectsTheOpenConfigurationIgnoringCase)
{
    for (const char *name : {"zeta", "ALPHA", "Beta"})
        makeProject(QString::fromLatin1(name));
    exe.write(QStringLiteral("PROJECTS/loose.xml"), "<a/>");
    makeProject(QStringLiteral(".hidden"));
    const QStringList listed = cf::Load_Existing_Configuration(ctx.projectsDir());
    ASSERT_EQ(listed.size(), 3);

    cf::ui::TFOpenConf dialog(ctx);
    struct Case {
        const char *name;
        bool open;
        QString preselected;
    };
    const Case cases[] = {
        {"Alpha", true, QStringLiteral("ALPHA")},
        {"beta", true, QStringLiteral("Beta")},
        {"", false, listed[0]},
        {"Gamma", true, listed[0]},
        // A remembered name whose folder was missing at start-up counts as none open.
        {"Beta", false, listed[0]},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << (c.open ? " open" : " not open"));
        ctx.project.name = QString::fromLatin1(c.name);
        ctx.project.directory = c.open ? ctx.projectDir(ctx.project.name) : QString();
        dialog.show();
        QStringList shown;
        for (int i = 0; i < dialog.ListBox1->count(); ++i)
            shown.append(dialog.ListBox1->item(i)->text());
        EXPECT_EQ(shown, listed);
        ASSERT_NE(dialog.ListBox1->currentItem(), nullptr);
        EXPECT_EQ(dialog.ListBox1->currentItem()->text(), c.preselected);
        EXPECT_TRUE(dialog.ListBox1->currentItem()->isSelected());
        EXPECT_EQ(dialog.Name_Conf, c.preselected);
        dialog.hide();
    }
}

TEST_F(Workspace, OpenListClickEnterAndResize)
{
    makeProject(QStringLiteral("One"));
    makeProject(QStringLiteral("Two"));
    cf::ui::TFOpenConf dialog(ctx);
    EXPECT_EQ(dialog.size(), QSize(377, 351));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    cf::test::saveShot(&dialog, QStringLiteral("open_conf"));

    const int other = dialog.Name_Conf == QStringLiteral("One") ? 1 : 0;
    QListWidgetItem *item = dialog.ListBox1->item(other);
    QTest::mouseClick(dialog.ListBox1->viewport(), Qt::LeftButton, {},
                      dialog.ListBox1->visualItemRect(item).center());
    EXPECT_EQ(dialog.Name_Conf, item->text());
    // A click that leaves nothing selected keeps the choice.
    dialog.ListBox1->clearSelection();
    EXPECT_EQ(dialog.Name_Conf, item->text());

    // The list grows with the window, the buttons keep to the right edge.
    const QSize listBefore = dialog.ListBox1->size();
    dialog.resize(520, 460);
    QApplication::processEvents();
    EXPECT_EQ(dialog.ListBox1->width() - listBefore.width(), 520 - 377);
    EXPECT_EQ(dialog.ListBox1->height() - listBefore.height(), 460 - 351);
    const QPoint cancelRight = dialog.Btn_Cancel->mapTo(&dialog, QPoint(dialog.Btn_Cancel->width(), 0));
    EXPECT_EQ(cancelRight.x(), 520 - 16);
    EXPECT_LT(dialog.Btn_OK->mapTo(&dialog, QPoint()).x(), dialog.Btn_Cancel->mapTo(&dialog, QPoint()).x());

    dialog.ListBox1->setFocus();
    QTest::keyClick(dialog.ListBox1, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    dialog.show();
    QTest::keyClick(dialog.ListBox1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(Workspace, OpenWithNoFoldersHasNothingSelected)
{
    exe.write(QStringLiteral("PROJECTS/only a file"), "x");
    cf::ui::TFOpenConf dialog(ctx);
    dialog.Name_Conf = QStringLiteral("stale");
    dialog.show();
    EXPECT_EQ(dialog.ListBox1->count(), 0);
    EXPECT_TRUE(dialog.ListBox1->selectedItems().isEmpty());
    EXPECT_TRUE(dialog.Name_Conf.isEmpty());
}

class MainWorkspace : public Workspace {
protected:
    void SetUp() override
    {
        Workspace::SetUp();
        makeProject(QStringLiteral("Alpha"));
        main = std::make_unique<cf::ui::TFTesseleFirmWare>(ctx, launcher);
        cf::ui::createDialogs(main->windows(), ctx);
    }
    // Runs act once the modal dialog is up.
    static void whenModal(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }

    cf::ProgramLauncher launcher;
    std::unique_ptr<cf::ui::TFTesseleFirmWare> main;
};

TEST_F(MainWorkspace, NewThenOpenFromTheMainWindow)
{
    cf::ui::AppWindows &w = main->windows();
    ASSERT_NE(w.newProject, nullptr);
    ASSERT_NE(w.openConf, nullptr);
    EXPECT_EQ(w.newProject->parentWidget(), main.get());

    whenModal([&] {
        QTest::keyClicks(w.newProject->E_New_Proj, QStringLiteral("Plant"));
        w.newProject->Btn_OK->click();
    });
    main->Btn_Click(main->Btn_New);
    EXPECT_EQ(main->L_Name_Conf->text(), ctx.texts[11]);
    EXPECT_EQ(main->L_Name_Conf_L2->text(), QStringLiteral("Plant"));
    EXPECT_EQ(ctx.files.parGen, exe.file(QStringLiteral("PROJECTS/Plant/ParGen.xml")));

    // Cancel changes nothing.
    whenModal([&] { w.openConf->Btn_Cancel->click(); });
    main->Btn_Click(main->Btn_Open);
    EXPECT_EQ(ctx.project.name, QStringLiteral("Plant"));

    whenModal([&] {
        EXPECT_EQ(w.openConf->Name_Conf, QStringLiteral("Plant"));
        w.openConf->ListBox1->setCurrentItem(
            w.openConf->ListBox1->findItems(QStringLiteral("Alpha"), Qt::MatchExactly).value(0));
        w.openConf->Btn_OK->click();
    });
    main->Btn_Click(main->Btn_Open);
    EXPECT_EQ(ctx.project.name, QStringLiteral("Alpha"));
    EXPECT_TRUE(ctx.project.isOpen());
    EXPECT_EQ(main->L_Name_Conf_L2->text(), QStringLiteral("Alpha"));
}

TEST_F(MainWorkspace, OpenOnAnEmptyListLeavesNoneOpen)
{
    ctx.openProject(QStringLiteral("Alpha"));
    ASSERT_TRUE(ctx.project.isOpen());
    QDir(ctx.projectDir(QStringLiteral("Alpha"))).removeRecursively();

    whenModal([&] { main->windows().openConf->Btn_OK->click(); });
    main->Btn_Click(main->Btn_Open);
    EXPECT_FALSE(ctx.project.isOpen());
    EXPECT_TRUE(ctx.project.name.isEmpty());
    EXPECT_EQ(main->L_Name_Conf->text(), ctx.texts[9]);
    EXPECT_EQ(main->L_Name_Conf_L2->text(), ctx.texts[10]);
    prompt.clear();
    main->Btn_Click(main->Btn_Prm_Gen);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Error! Project not Valid")});
}

TEST_F(MainWorkspace, AboutShowsFixedTextsAndTheLanguageFileVersion)
{
    cf::ui::TFAbout *about = main->windows().about;
    ASSERT_NE(about, nullptr);
    QString opened;
    about->setBrowser([&](const QString &url) { opened = url; });

    struct Case {
        const char *name;
        QByteArray languageFile;
        QString version;
    };
    const Case cases[] = {
        {"no file", {}, QStringLiteral("NO VER.")},
        {"no version line", "STR1 = Schritt 1\r\n", QStringLiteral("NO VER.")},
        {"version 2.1", "//VERSION 2.1\r\nSTR1 = Schritt 1\r\nSTR15 = Neu\r\n", QStringLiteral("2.1")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.languageFile.isEmpty())
            exe.write(QStringLiteral("LANGUAGE/Deutsch.lng"), c.languageFile);
        ctx.settings.language = c.languageFile.isEmpty() ? QStringLiteral("English") : QStringLiteral("Deutsch");
        ctx.texts.Load_Language(ctx.exeDir(), ctx.settings);
        main->Change_Language();

        whenModal([&] {
            EXPECT_EQ(about->Label7->text(), c.version);
            if (c.version == QStringLiteral("2.1"))
                cf::test::saveShot(about, QStringLiteral("about"));
            about->LbButton1->click();
        });
        main->Btn_Click(main->Btn_Info);
        EXPECT_EQ(about->result(), QDialog::Accepted);

        const struct {
            QLabel *label;
            QString text;
        } fixed[] = {
            {about->Label1, QStringLiteral("Software Tessel ")},
            {about->Label2, cf::ProductIdentity::description()},
            {about->Label6, QStringLiteral("Software Code : ")},
            {about->Label9, cf::ProductIdentity::productCode()},
            {about->Label3, QStringLiteral("Version :")},
            {about->Label10, cf::ProductIdentity::programVersion()},
            {about->Label8, QStringLiteral("Document Code :")},
            {about->Label12, cf::ProductIdentity::manualCode()},
            {about->Label5, QStringLiteral("Language Ver :")},
        };
        for (const auto &f : fixed) {
            EXPECT_EQ(f.label->text(), f.text) << f.label->objectName().toStdString();
            EXPECT_LE(f.label->geometry().right(), cf::ui::TFAbout::kWidth);
        }
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About..."));
        EXPECT_EQ(about->size(), QSize(435, 162));
    }
    // The main window did follow the language.
    EXPECT_EQ(main->Btn_New->text(), QStringLiteral("Neu"));

    for (QLabel *link : {about->Label4, about->Image2}) {
        opened.clear();
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_EQ(opened, cf::ui::homePageUrl()) << link->objectName().toStdString();
    }
    EXPECT_EQ(cf::ui::homePageUrl(), QStringLiteral("http://") + cf::ProductIdentity::webHost()
                                         + QStringLiteral("/HOME/default.asp?frompg=CF40210"));
    EXPECT_LE(about->Label4->geometry().right(), cf::ui::TFAbout::kWidth);
}

TEST_F(MainWorkspace, EscapeClosesAbout)
{
    cf::ui::TFAbout *about = main->windows().about;
    about->show();
    QApplication::setActiveWindow(about);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
}

} // namespace
