// Every file the program writes: a save that fails part-way or meets a read-only folder or
// file leaves the previous file byte for byte (or no file) and says which file it could not write.
#include "FileFaults.h"
#include "TestSupport.h"

#include "app/AppSettings.h"
#include "app/Paths.h"
#include "devfiles/Eds.h"
#include "devfiles/Gsd.h"
#include "editors/CanopenTables.h"
#include "editors/ParGen.h"
#include "editors/SnmpManagerTable.h"
#include "image/USaveBincc.h"
#include "lang/LanguageTexts.h"
#include "update/UpdateJob.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <functional>
#include <optional>

namespace {

using cf::test::TempExeDir;
using Outcome = std::optional<QString>; // the message shown, nullopt when written

QString str(const char *s) { return QString::fromUtf8(s); }

Outcome fromBool(bool written, const QString &error) { return written ? Outcome() : Outcome(error); }

struct Writer {
    const char *name;
    const char *file; // relative to the folder the writer works in
    std::function<Outcome(const TempExeDir &)> write;
};

Outcome saveCanopen(const TempExeDir &dir, cf::CanopenFile file)
{
    const cf::CanopenTables tables(file);
    QString error;
    const QString path = dir.file(cf::canopenLayout(file).fileName);
    return fromBool(cf::Save_Canopen_File(path, tables, &error), error);
}

const Writer kWriters[] = {
    {"settings", "Tessel.xml",
     [](const TempExeDir &dir) {
         QString error;
         return fromBool(cf::AppSettings().writeFile(dir.file(str("Tessel.xml")), &error), error);
     }},
    {"network parameters", "ParGen.xml",
     [](const TempExeDir &dir) {
         QString error;
         return fromBool(cf::saveParGen(dir.file(str("ParGen.xml")), cf::ParGenData(), &error), error);
     }},
    {"SNMP requests", "SNMP_Manager.xml",
     [](const TempExeDir &dir) {
         const auto table = cf::snmp::makeTable();
         cf::snmp::resetTable(*table);
         table->setCell(1, cf::snmp::ColIpAddress, str("127.0.0.1"));
         QString error;
         return fromBool(cf::snmp::saveFile(dir.file(str("SNMP_Manager.xml")), *table, &error), error);
     }},
    {"SDO server", "SDO_Server_CANopen.xml",
     [](const TempExeDir &dir) { return saveCanopen(dir, cf::CanopenFile::SdoServer); }},
    {"SDO client", "SDO_Client_CANopen.xml",
     [](const TempExeDir &dir) { return saveCanopen(dir, cf::CanopenFile::SdoClient); }},
    {"PDO", "PDO_CANopen.xml", [](const TempExeDir &dir) { return saveCanopen(dir, cf::CanopenFile::Pdo); }},
    {"configuration image", "bin/bank.bin",
     [](const TempExeDir &dir) {
         cf::USaveBincc compiler;
         if (auto error = compiler.Compile_Project(dir.path()))
             return Outcome(str("compile refused: ") + *error);
         QString error;
         return fromBool(compiler.Save_Bank(cf::USaveBincc::bankPath(dir.path()), &error), error);
     }},
    {"update job", "Ethernet_Update.xml",
     [](const TempExeDir &dir) {
         const auto job = cf::makeUpdateJob(dir.path(), dir.path(), str("127.0.0.1"), 0, false);
         QString error;
         return fromBool(cf::Compile_XML_Parameter(dir.path(), job, &error), error);
     }},
    {"EDS", "out.eds",
     [](const TempExeDir &dir) {
         return cf::Write_EDS_File(dir.path(), dir.file(str("out.eds")),
                                   QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
     }},
    {"GSD", "out.gsd",
     [](const TempExeDir &dir) {
         return cf::Write_GSD_File(dir.file(str("out.gsd")), cf::GsdSizes{10, 20}, cf::LanguageTexts());
     }},
};

enum class Fault { PartWay, ReadOnlyFolder, ReadOnlyFile };

class CrashSafeSave : public ::testing::Test {
protected:
    // Runs the writer with the fault in place and checks what it leaves.
    void expectUntouched(const Writer &w, Fault fault, const std::optional<QByteArray> &previous)
    {
        TempExeDir dir;
        const QString relative = str(w.file);
        const QString path = dir.file(relative);
        const QString folder = QFileInfo(path).absolutePath();
        QDir().mkpath(folder);
        if (previous)
            dir.write(relative, *previous);

        Outcome outcome;
        if (fault == Fault::PartWay) {
            cf::test::PartWayReplacer failing;
            cf::test::ScopedReplacer installed(&failing);
            outcome = w.write(dir);
        } else {
            cf::test::ObeyPermissions obey;
            ASSERT_TRUE(obey.active()) << "permissions cannot be made to bind here";
            const bool wholeFolder = fault == Fault::ReadOnlyFolder;
            cf::test::ScopedMode readOnly(wholeFolder ? folder : path, wholeFolder ? 0555 : 0444);
            outcome = w.write(dir);
        }

        ASSERT_TRUE(outcome.has_value()) << "the save was reported as done";
        EXPECT_TRUE(outcome->contains(QDir::toNativeSeparators(path))) << outcome->toStdString();
        if (previous)
            EXPECT_EQ(dir.read(relative), *previous);
        else
            EXPECT_FALSE(dir.exists(relative));
        // No temporary file is left beside it.
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, previous ? QStringList{QFileInfo(path).fileName()} : QStringList{})
            << left.join(u' ').toStdString();
    }
};

TEST_F(CrashSafeSave, AFailedSaveKeepsThePreviousFileAndNamesIt)
{
    const struct {
        const char *name;
        Fault fault;
        std::optional<QByteArray> previous;
    } cases[] = {
        {"part-way, previous file", Fault::PartWay, QByteArray("previous contents\r\n\0 kept", 26)},
        {"part-way, no file yet", Fault::PartWay, std::nullopt},
        {"read-only folder, previous file", Fault::ReadOnlyFolder, QByteArray("previous contents")},
        {"read-only folder, no file yet", Fault::ReadOnlyFolder, std::nullopt},
        // Replacing by rename would pass over the file's own protection.
        {"read-only file", Fault::ReadOnlyFile, QByteArray("previous contents")},
    };
    for (const Writer &w : kWriters) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(w.name) + ": " + c.name);
            expectUntouched(w, c.fault, c.previous);
        }
    }
}

TEST_F(CrashSafeSave, EveryWriterSucceedsWithoutAFault)
{
    // The fault cases above mean nothing unless the same call writes when nothing fails.
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        TempExeDir dir;
        QDir().mkpath(QFileInfo(dir.file(str(w.file))).absolutePath());
        dir.write(str(w.file), "previous");
        const Outcome outcome = w.write(dir);
        EXPECT_FALSE(outcome.has_value()) << outcome.value_or(QString()).toStdString();
        EXPECT_NE(dir.read(str(w.file)), QByteArray("previous"));
    }
}

} // namespace
