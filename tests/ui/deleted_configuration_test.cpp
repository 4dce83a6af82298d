// The configuration folder disappears while an editor is open; OK then must say so, keep the
// entries, and save them once the folder is back.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "editors/CanopenTables.h"
#include "editors/RuleTableModel.h"
#include "editors/SnmpManagerTable.h"
#include "editors/ui/CanopenDialog.h"
#include "editors/ui/ParGenDialog.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

namespace {

QString str(const char *s) { return QString::fromUtf8(s); }

struct Editor {
    const char *name;
    std::function<QString(const cf::AppContext &)> file;
    // Creates the dialog, shows it with an edit made; returns it with its OK button.
    std::function<std::pair<std::unique_ptr<QDialog>, cf::ui::PictureButton *>(cf::AppContext &)> open;
    QByteArray savedMark; // what the saved file holds because of the edit
};

template <typename Dialog>
std::unique_ptr<Dialog> shown(cf::AppContext &context)
{
    auto dialog = std::make_unique<Dialog>(context);
    EXPECT_TRUE(dialog->FormShow());
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
}

// A CANopen dialog on the valid fixture, its first Mnemonic changed.
template <typename Dialog>
Editor canopen(const char *name, cf::CanopenFile file)
{
    return {name,
            [file](const cf::AppContext &c) {
                return QDir(c.project.directory).filePath(cf::canopenLayout(file).fileName);
            },
            [file](cf::AppContext &c) {
                const QString fileName = cf::canopenLayout(file).fileName;
                cf::test::writeFile(QDir(c.project.directory).filePath(fileName),
                                    cf::test::readFile(cf::test::fixture(str("canopen/valid/") + fileName)));
                auto d = shown<Dialog>(c);
                d->table(0).setCell(1, d->layout().tables[0].dataColumns(), str("kept"));
                auto *ok = d->Btn_OK;
                return std::pair<std::unique_ptr<QDialog>, cf::ui::PictureButton *>(std::move(d), ok);
            },
            "\"kept\""};
}

const Editor kEditors[] = {
    {"network parameters", [](const cf::AppContext &c) { return c.files.parGen; },
     [](cf::AppContext &c) {
         auto d = shown<cf::ui::TFParGen>(c);
         d->E_SNMP_Manager_Name_Station->setText(str("kept"));
         auto *ok = d->Btn_OK;
         return std::pair<std::unique_ptr<QDialog>, cf::ui::PictureButton *>(std::move(d), ok);
     },
     "kept"},
    {"SNMP requests", [](const cf::AppContext &c) { return c.files.snmpManager; },
     [](cf::AppContext &c) {
         auto d = shown<cf::ui::TFSNMPManagerAccess>(c);
         d->table().setCell(1, cf::snmp::ColEnable, str("N"));
         d->table().setCell(1, cf::snmp::ColIpAddress, str("127.0.0.1"));
         auto *ok = d->Btn_OK;
         return std::pair<std::unique_ptr<QDialog>, cf::ui::PictureButton *>(std::move(d), ok);
     },
     "127.0.0.1"},
    canopen<cf::ui::TFSet_SDO_Server_Access>("SDO server", cf::CanopenFile::SdoServer),
    canopen<cf::ui::TFSet_SDO_Client_Access>("SDO client", cf::CanopenFile::SdoClient),
    canopen<cf::ui::TFSet_PDO_Access>("PDO", cf::CanopenFile::Pdo),
};

TEST(DeletedConfiguration, OkSaysWhichFileAndKeepsTheEntries)
{
    for (const Editor &e : kEditors) {
        SCOPED_TRACE(e.name);
        cf::test::TempExeDir exe;
        cf::ScriptedPrompt prompt;
        cf::AppContext context(exe.path(), prompt);
        exe.makeDir(str("PROJECTS/Plant/bin"));
        context.openProject(str("Plant"));
        auto [dialog, ok] = e.open(context);
        const QString folder = exe.file(str("PROJECTS/Plant"));

        ASSERT_TRUE(QDir(folder).removeRecursively());
        QTest::mouseClick(ok, Qt::LeftButton);
        ASSERT_EQ(prompt.shown().size(), 1);
        EXPECT_EQ(prompt.lastKind(), cf::ScriptedPrompt::Kind::GeneralError);
        EXPECT_TRUE(prompt.lastText().contains(QDir::toNativeSeparators(e.file(context))))
            << prompt.lastText().toStdString();
        EXPECT_TRUE(dialog->isVisible()) << "the dialog closed and took the entries with it";
        EXPECT_FALSE(QDir(folder).exists()) << "a deleted configuration came back by itself";

        // The folder is back: the same entries are saved.
        ASSERT_TRUE(QDir().mkpath(folder));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(prompt.shown().size(), 1);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(cf::test::readFile(e.file(context)).contains(e.savedMark));
    }
}

} // namespace
