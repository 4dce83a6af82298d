// Inputs meant to break the readers end in a clear message or the usual default.
#include "FileFaults.h"
#include "HostileInputs.h"
#include "TestSupport.h"

#include "app/AppContext.h"
#include "app/Workspace.h"
#include "editors/ParGen.h"
#include "lang/LanguageTexts.h"
#include "platform/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

using cf::test::HostileInput;

QString str(const char *s) { return QString::fromUtf8(s); }

class HostileInputs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        for (const HostileInput &input : cf::test::writeHostileInputs(s_dir->path()))
            s_inputs.emplace(input.name, input);
    }
    static void TearDownTestSuite()
    {
        s_inputs.clear();
        s_dir.reset();
    }
    static const HostileInput &input(const char *name)
    {
        const auto it = s_inputs.find(str(name));
        if (it == s_inputs.end())
            throw std::runtime_error(std::string("no hostile input ") + name);
        return it->second;
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
    static std::map<QString, HostileInput> s_inputs;
};
std::unique_ptr<QTemporaryDir> HostileInputs::s_dir;
std::map<QString, HostileInput> HostileInputs::s_inputs;

TEST_F(HostileInputs, LanguageFilesLoadWhatTheyCanAndKeepTheTable)
{
    const struct {
        const char *input;
        QString text1;
        QString text2;
    } cases[] = {
        {"language-10MB", str("text 1"), str("text 2")},
        {"language-1MB-line", QString(1024 * 1024, u'x'), str("two")},
        // The odd last byte is no character and is dropped.
        {"language-utf16-odd-length", str("one"), str("two")},
        {"language-nul-bytes", QString::fromUtf16(u"o\0ne", 4), str("two")},
        {"language-invalid-utf8", QString::fromUtf16(u"o\uFFFD\uFFFDne"), QString::fromUtf16(u"two\uFFFD\uFFFD")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        cf::LanguageTexts texts;
        ASSERT_TRUE(texts.Load_Lang_File(input(c.input).path));
        EXPECT_EQ(texts.size(), cf::kTextCount);
        EXPECT_EQ(texts[1], c.text1);
        EXPECT_EQ(texts[2], c.text2);
        EXPECT_EQ(texts[0], cf::LanguageTexts()[0]) << "a text the file does not name keeps its default";
    }
}

TEST_F(HostileInputs, ConfigurationsEndInAMessageOrTheUsualResult)
{
    const struct {
        const char *input;
        const char *command;
        int code;
        const char *says;
    } cases[] = {
        {"snmp-100000-rows", "check", 0, "SNMP_Manager.xml: OK"},
        {"snmp-100000-rows", "compile", 1, "row 513: more than 512 enabled requests"},
        {"pdo-100000-rows", "check", 1, "PDO_CANopen.xml: Error row 1!!"},
        {"pdo-100000-rows", "eds", 1, "Receive_PDO holds 100000 PDOs, but an EDS file describes at most 30"},
        {"sdo-server-100000-rows", "check", 1, "SDO_Server_CANopen.xml: Error row 1!!"},
        {"sdo-server-100000-rows", "eds", 0, ""},
        {"snmp-undeclared-prefix", "check", 0, "SNMP_Manager.xml: OK"},
        {"snmp-undeclared-prefix", "compile", 0, "1 requests"},
        {"snmp-1MB-line", "check", 1, "Error row 1"},
        {"snmp-1MB-line", "compile", 1, "the OID has 1048576 characters; the image holds 96"},
        {"pargen-nested-10000", "check", 0, "ParGen.xml: OK"},
        {"pargen-nested-10000", "compile", 0, "67584 bytes, 0 requests"},
        {"snmp-nested-10000", "check", 0, "SNMP_Manager.xml: OK"},
        // Only the outer element is a row; what is nested in it is passed over.
        {"snmp-nested-10000", "compile", 0, "67584 bytes, 1 requests"},
        {"pdo-nested-10000", "check", 0, "PDO_CANopen.xml: OK"},
        {"pdo-nested-10000", "eds", 1, "the element Receive_PDO is missing"},
        {"pargen-billion-laughs", "check", 2, "entity expansion limit"},
        {"pargen-billion-laughs", "compile", 1, "entity expansion limit"},
        {"pargen-billion-laughs", "gsd", 1, "entity expansion limit"},
        {"snmp-billion-laughs", "check", 2, "entity expansion limit"},
        {"snmp-billion-laughs", "compile", 1, "entity expansion limit"},
        {"pargen-nul-bytes", "check", 2, "line 1, column 25"},
        {"pargen-nul-bytes", "compile", 1, "the file holds NUL bytes, which XML does not allow"},
        {"snmp-invalid-utf8", "check", 2, "incorrectly encoded"},
        {"snmp-invalid-utf8", "compile", 1, "incorrectly encoded"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.command);
        QTemporaryDir out;
        const QString folder = input(c.input).path;
        QStringList args{str(c.command), folder};
        if (str(c.command) == u"compile")
            args << str("-o") << QDir(out.path()).filePath(str("bank.bin"));
        else if (str(c.command) != u"check")
            args << QDir(out.path()).filePath(str("out.") + str(c.command));
        const cf::test::CliRun run = cf::test::runCli(args);
        EXPECT_EQ(run.code, c.code) << run.out.toStdString() << run.err.toStdString();
        EXPECT_TRUE((run.out + run.err).contains(str(c.says))) << run.out.toStdString() << run.err.toStdString();
    }
}

// Permissions bind the tests even as root; folders come back writable for clean-up.
class FileSystemTraps : public ::testing::Test {
protected:
    cf::test::TempExeDir dir;
};

TEST_F(FileSystemTraps, ReadOnlyConfigurationsAreReadButNotOverwritten)
{
    cf::test::ObeyPermissions obey;
    ASSERT_TRUE(obey.active());
    dir.makeDir(str("Plant/bin"));
    const cf::ParGenData original;
    dir.write(str("Plant/ParGen.xml"), cf::parGenBytes(original));
    const QString parGen = dir.file(str("Plant/ParGen.xml"));

    const struct {
        const char *name;
        bool fileReadOnly;
        bool folderReadOnly;
    } cases[] = {
        {"read-only file", true, false},
        {"read-only folder", false, true},
        {"both", true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<cf::test::ScopedMode> fileMode, folderMode, binMode;
        if (c.fileReadOnly)
            fileMode.emplace(parGen, 0444);
        if (c.folderReadOnly) {
            folderMode.emplace(dir.file(str("Plant")), 0555);
            binMode.emplace(dir.file(str("Plant/bin")), 0555);
        }
        // Reading works as before.
        const cf::ParGenLoad load = cf::loadParGen(parGen);
        ASSERT_EQ(load.status, cf::ParGenLoad::Status::Loaded) << load.error.toStdString();
        EXPECT_EQ(cf::test::runCli({str("check"), dir.file(str("Plant"))}).code, 0);
        // Writing is refused in words naming the file, and the file stays.
        cf::ParGenData changed = load.data;
        changed[cf::ParGenItem::SNMP_Manager_IP1] = str("10");
        QString error;
        EXPECT_FALSE(cf::saveParGen(parGen, changed, &error));
        EXPECT_TRUE(error.contains(parGen)) << error.toStdString();
        EXPECT_EQ(dir.read(str("Plant/ParGen.xml")), cf::parGenBytes(original));
        if (c.folderReadOnly) {
            const cf::test::CliRun run = cf::test::runCli({str("compile"), dir.file(str("Plant"))});
            EXPECT_EQ(run.code, 1);
            EXPECT_TRUE(run.err.contains(dir.file(str("Plant/bin/bank.bin")))) << run.err.toStdString();
        }
    }
}

TEST_F(FileSystemTraps, ProjectsFolderThatLoopsListsNothingAndRefusesNew)
{
    cf::ScriptedPrompt prompt;
    cf::AppContext context(dir.path(), prompt);
    const QString projects = context.projectsDir();
    const struct {
        const char *name;
        std::function<void()> arrange;
        QStringList listed;
    } cases[] = {
        {"PROJECTS links to itself", [&] { QFile::link(projects, projects); }, {}},
        {"an entry links to itself",
         [&] {
             QDir().mkpath(projects + str("/Plant"));
             QFile::link(projects + str("/Loop"), projects + str("/Loop"));
         },
         {str("Plant")}},
        {"an entry links back to PROJECTS",
         [&] {
             QDir().mkpath(projects);
             QFile::link(projects, projects + str("/Back"));
         },
         {str("Back")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(projects).removeRecursively();
        QFile::remove(projects);
        c.arrange();
        QStringList listed = cf::Load_Existing_Configuration(projects);
        listed.sort();
        EXPECT_EQ(listed, c.listed);
    }
    // A configuration cannot be made inside a loop, and saying so does not hang.
    QDir(projects).removeRecursively();
    QFile::remove(projects);
    QFile::link(projects, projects);
    const auto refusal = cf::createConfiguration(context, str("New"));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_FALSE(context.project.isOpen());
    // A folder given to the command line that loops is no folder.
    const cf::test::CliRun run = cf::test::runCli({str("check"), projects});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(str("not a folder"))) << run.err.toStdString();
}

} // namespace
