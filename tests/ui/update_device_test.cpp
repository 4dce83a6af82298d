#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "platform/IcmpEcho.h"
#include "platform/Launcher.h"
#include "platform/ScriptedPrompt.h"
#include "update/UpdateJob.h"
#include "update/ui/Boot.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

QByteArray validBank()
{
    QByteArray image(67584, '\0');
    image[65536] = char(0x48);
    image[65537] = char(0xE8);
    image[65538] = char(0x01);
    quint32 sum = 0;
    for (int i = 65536; i < 65536 + 2044; ++i)
        sum += quint8(image[i]);
    for (int i = 0; i < 4; ++i)
        image[65536 + 2044 + i] = char((sum >> (8 * i)) & 0xFF);
    return image;
}

// The whole road in the window program: Update Device on 127.0.0.1 with the real echo
// client and the stand-in updater beside the program.
TEST(UpdateDevice, FromTheMainWindowToTheUpdaterLog)
{
    {
        cf::IcmpEcho probe;
        const cf::EchoOutcome o = probe.echo(QStringLiteral("127.0.0.1"), {});
        if (o.status == cf::EchoOutcome::Status::Failed)
            GTEST_SKIP() << "no ICMP socket can be opened here: " << o.error.toStdString();
    }
    cf::test::TempExeDir exe;
    ASSERT_TRUE(QFile::copy(cf::updaterPath(QStringLiteral(CF_BIN_DIR)), cf::updaterPath(exe.path())));
    exe.write(QStringLiteral("MASTER/Sim40210.sim"), "firmware stand-in\n");
    // Update Device compiles the configuration again; until then an image is in place.
    exe.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), validBank());

    cf::ScriptedPrompt prompt;
    cf::ProgramLauncher launcher;
    cf::AppContext ctx(exe.path(), prompt);
    cf::ui::TFTesseleFirmWare main(ctx, launcher);
    cf::ui::createDialogs(main.windows(), ctx);
    ctx.openProject(QStringLiteral("Plant"));
    main.Set_Files();
    ctx.settings.ipaddress = QStringLiteral("127.0.0.1");
    main.show();

    cf::ui::TFBoot *boot = main.windows().boot;
    ASSERT_NE(boot, nullptr);
    bool clicked = false;
    std::function<void()> drive = [&] {
        if (!boot->isVisible()) {
            QTimer::singleShot(10, drive);
            return;
        }
        EXPECT_EQ(boot->Form_Type, 1);
        EXPECT_EQ(boot->E_IP1->text(), QStringLiteral("127"));
        QTest::mouseClick(boot->Btn_Update, Qt::LeftButton);
        clicked = true;
        boot->reject();
    };
    QTimer::singleShot(0, drive);
    QTest::mouseClick(main.Btn_CreateBin, Qt::LeftButton);

    ASSERT_TRUE(clicked);
    EXPECT_TRUE(prompt.shown().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_TRUE(exe.exists(QStringLiteral("Ethernet_Update.xml")));
    const QString log = QString::fromUtf8(exe.read(QStringLiteral("Ethernet_Update.log")));
    const QString bank = cf::configurationImagePath(ctx.project.directory);
    EXPECT_TRUE(log.contains(QStringLiteral("file %1, 67584 bytes, start address 0x58000, bank type 2").arg(bank)))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("nothing sent"))) << log.toStdString();
    main.hide();
}

} // namespace
