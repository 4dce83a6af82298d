#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/Paths.h"
#include "app/Workspace.h"
#include "platform/ScriptedPrompt.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

namespace {

using cf::test::TempExeDir;

TEST(ConfigurationName, UnsafeNamesAreRefusedEverythingElseKept)
{
    struct Case {
        QString name;
        bool safe;
    };
    const Case cases[] = {
        {QStringLiteral("../x"), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("."), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("/abs"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral("..\\x"), false},
        {QStringLiteral("a<b"), false},
        {QStringLiteral("a>b"), false},
        {QStringLiteral("C:x"), false},
        {QStringLiteral("a\"b"), false},
        {QStringLiteral("a|b"), false},
        {QStringLiteral("a?b"), false},
        {QStringLiteral("a*b"), false},
        {QStringLiteral("tab\there"), false},
        {QStringLiteral("line\nbreak"), false},
        {QString(QChar(0x01)), false},
        {QString(QChar(0x7F)), false},
        {QStringLiteral("Plant 7"), true},
        {QStringLiteral(" padded "), true},
        {QStringLiteral("..."), true},
        {QStringLiteral(".hidden"), true},
        {QStringLiteral("a.b"), true},
        {QStringLiteral("Ölpumpe_ß"), true},
        {QStringLiteral("con"), true},
        {QStringLiteral("a;b#%&'()[]{}+=,"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(cf::isSafeConfigurationName(c.name), c.safe);
    }
}

class NewConfiguration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctx.createFolders();
        exe.makeDir(QStringLiteral("PROJECTS/Alpha"));
        exe.write(QStringLiteral("PROJECTS/Plain file"), "x");
        ctx.openProject(QStringLiteral("Alpha"));
    }

    TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::AppContext ctx{exe.path(), prompt};
};

TEST_F(NewConfiguration, RefusalsInTheirOrderChangeNothing)
{
    struct Case {
        QString name;
        int text;
    };
    const Case cases[] = {
        {QString(), 107},
        {QStringLiteral("Alpha"), 106},
        {QStringLiteral("."), 105},
        {QStringLiteral(".."), 105},
        {QStringLiteral("../Escaped"), 105},
        {QStringLiteral("Alpha/bin"), 105},
        {QStringLiteral("a:b"), 105},
        {QStringLiteral("what?"), 105},
        // Not a folder, so not "already exists", but the file system refuses it.
        {QStringLiteral("Plain file"), 105},
    };
    const QStringList before = QDir(exe.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const std::optional<QString> refusal = cf::createConfiguration(ctx, c.name);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->toStdString(), ctx.texts[c.text].toStdString());
        EXPECT_EQ(ctx.project.name.toStdString(), "Alpha");
        EXPECT_TRUE(ctx.project.isOpen());
    }
    EXPECT_EQ(QDir(exe.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_FALSE(exe.exists(QStringLiteral("Escaped")));
    EXPECT_FALSE(exe.exists(QStringLiteral("PROJECTS/Alpha/bin")));
}

TEST_F(NewConfiguration, NameUsedAsTypedWithAnEmptyBinAndNothingElse)
{
    const QString name = QStringLiteral(" Alpha ");
    ASSERT_FALSE(cf::createConfiguration(ctx, name).has_value());

    const QString dir = cf::joinPath(ctx.projectsDir(), name);
    EXPECT_EQ(ctx.project.name, name);
    EXPECT_EQ(ctx.project.directory, dir);
    EXPECT_EQ(ctx.files.parGen, cf::joinPath(dir, QStringLiteral("ParGen.xml")));
    EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("bin")});
    EXPECT_TRUE(QDir(cf::joinPath(dir, QStringLiteral("bin"))).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    // The configuration open before is untouched on disk.
    EXPECT_TRUE(exe.exists(QStringLiteral("PROJECTS/Alpha")));
}

TEST(NewConfigurationWithoutProjects, MissingProjectsFolderIsRefused)
{
    TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::AppContext ctx(exe.path(), prompt);
    const std::optional<QString> refusal = cf::createConfiguration(ctx, QStringLiteral("First"));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(*refusal, ctx.texts[105]);
    EXPECT_FALSE(exe.exists(QStringLiteral("PROJECTS")));
    EXPECT_FALSE(ctx.project.isOpen());
}

TEST(ExistingConfigurations, FoldersOnlyInDirectoryOrderWithoutHiddenOnes)
{
    TempExeDir exe;
    for (const char *dir : {"zeta", "Alpha", "beta", "Mid dle", ".hidden"})
        exe.makeDir(QStringLiteral("PROJECTS/") + QString::fromLatin1(dir));
    exe.write(QStringLiteral("PROJECTS/ParGen.xml"), "<a/>");
    exe.write(QStringLiteral("PROJECTS/notes"), "x");
    const QString projects = exe.file(QStringLiteral("PROJECTS"));

    QStringList expected;
    for (const auto &entry : std::filesystem::directory_iterator(projects.toStdString())) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (entry.is_directory() && !name.startsWith(u'.'))
            expected.append(name);
    }
    ASSERT_EQ(expected.size(), 4);
    EXPECT_EQ(cf::Load_Existing_Configuration(projects), expected);
    EXPECT_TRUE(cf::Load_Existing_Configuration(exe.file(QStringLiteral("missing"))).isEmpty());
}

TEST(ExistingConfigurations, SearchAndPreselectionIgnoreCase)
{
    const QStringList names = {QStringLiteral("zeta"), QStringLiteral("ALPHA"), QStringLiteral("alpha"),
                               QStringLiteral("Beta")};
    struct Case {
        QStringList list;
        QString open;
        int found;
        int preselected;
    };
    const Case cases[] = {
        {names, QStringLiteral("Alpha"), 1, 1},
        {names, QStringLiteral("alpha"), 1, 1},
        {names, QStringLiteral("BETA"), 3, 3},
        {names, QStringLiteral("Gamma"), -1, 0},
        {names, QString(), -1, 0},
        {names, QStringLiteral("alph"), -1, 0},
        {{}, QStringLiteral("Alpha"), -1, -1},
        {{}, QString(), -1, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.open.toStdString() + " in " + c.list.join(u',').toStdString());
        EXPECT_EQ(cf::Search_Open_Conf(c.list, c.open), c.found);
        EXPECT_EQ(cf::preselectedConfiguration(c.list, c.open), c.preselected);
    }
}

} // namespace
