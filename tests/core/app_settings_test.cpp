#include "app/AppSettings.h"
#include "TestSupport.h"
#include "platform/FileReplace.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using cf::AppSettings;

QByteArray tessel(const QByteArray &internet, const QByteArray &root = "Conf_Settings")
{
    return "<" + root + "><lastproj><projectname>Alpha</projectname></lastproj>"
           "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
           "<lastlang><language>Italiano</language></lastlang>" + internet + "</" + root + ">";
}

struct ReadCase {
    const char *name;
    QByteArray xml;
    AppSettings expected;
};

AppSettings with(std::function<void(AppSettings &)> change)
{
    AppSettings s;
    s.projectname = QStringLiteral("Alpha");
    s.ipaddress = QStringLiteral("10.0.0.7");
    s.language = QStringLiteral("Italiano");
    change(s);
    return s;
}

TEST(AppSettings, ReadsSixIndependentGroups)
{
    const QByteArray allFlags = "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                                "<enable_jump_field_tables>1</enable_jump_field_tables>"
                                "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>";
    const ReadCase cases[] = {
        {"all flags on", tessel(allFlags), with([](AppSettings &s) {
             s.enable_internet = s.enable_update = s.enable_jump_field_tables = s.Double_Click_Auto_Size = true;
         })},
        {"no lastinternet", tessel(""), with([](AppSettings &) {})},
        {"internet without update", tessel("<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update></lastinternet>"),
         with([](AppSettings &s) { s.enable_internet = true; })},
        {"true and blank-1 are false", tessel("<lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
                                              "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>"),
         with([](AppSettings &s) { s.Double_Click_Auto_Size = true; })},
        {"other root name", tessel(allFlags, "Whatever"), with([](AppSettings &s) {
             s.enable_internet = s.enable_update = s.enable_jump_field_tables = s.Double_Click_Auto_Size = true;
         })},
        {"extra elements ignored", tessel("<extra>1</extra>"), with([](AppSettings &) {})},
        {"declaration and comment before the root", "<?xml version=\"1.0\"?><!-- c -->" + tessel(""), with([](AppSettings &) {})},
        {"empty ipaddress stays empty",
         "<C><lastipadd><ipaddress/></lastipadd></C>",
         [] { AppSettings s; s.ipaddress.clear(); return s; }()},
        {"missing groups take defaults", "<C><lastlang><language>Deutsch</language></lastlang></C>",
         [] { AppSettings s; s.language = QStringLiteral("Deutsch"); return s; }()},
        {"element that is not plain text", "<C><lastproj><projectname><b/></projectname></lastproj></C>", AppSettings()},
        {"not well-formed", "<C><lastproj>", AppSettings()},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        cf::test::TempExeDir exe;
        exe.write(QStringLiteral("Tessel.xml"), c.xml);
        EXPECT_EQ(AppSettings::readFile(exe.file(QStringLiteral("Tessel.xml"))), c.expected);
    }
}

TEST(AppSettings, WritesTheFixedOrderWithoutDeclaration)
{
    AppSettings s;
    s.projectname = QStringLiteral("Caf\u00e9 & <1>");
    s.enable_update = true;
    s.Double_Click_Auto_Size = true;
    EXPECT_EQ(s.toXml(),
              QByteArray("<Conf_Settings><lastproj><projectname>Caf\xC3\xA9 &amp; &lt;1></projectname></lastproj>"
                         "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                         "<lastlang><language>English</language></lastlang>"
                         "<lastinternet><enable_internet>0</enable_internet><enable_update>1</enable_update>"
                         "<enable_jump_field_tables>0</enable_jump_field_tables>"
                         "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>"));
    cf::test::TempExeDir exe;
    QString error;
    ASSERT_TRUE(s.writeFile(exe.file(QStringLiteral("Tessel.xml")), &error)) << error.toStdString();
    EXPECT_EQ(AppSettings::readFile(exe.file(QStringLiteral("Tessel.xml"))), s);
}

} // namespace
