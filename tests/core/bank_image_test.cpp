#include "TestSupport.h"
#include "app/Cli.h"
#include "image/USaveBincc.h"
#include "platform/FileReplace.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace cf;

namespace {

using Bytes = std::vector<int>;
// An attribute or element value; nullopt leaves it out of the file.
using Value = std::optional<QString>;
using Overrides = std::vector<std::pair<QString, Value>>;

QString str(const char *s) { return QString::fromUtf8(s); }

// The 30 elements as the Set Communication dialog writes its defaults.
Overrides defaultParGen()
{
    Overrides e;
    const auto four = [&e](const char *prefix, std::array<int, 4> v) {
        for (int i = 0; i < 4; ++i)
            e.emplace_back(str(prefix) + QString::number(i + 1), QString::number(v[i]));
    };
    four("SNMP_Manager_IP", {192, 168, 0, 10});
    four("SNMP_Manager_SM", {255, 255, 255, 0});
    four("SNMP_Manager_GAT", {192, 168, 0, 1});
    e.emplace_back(str("SNMP_Manager_EN_GAT"), str("0"));
    e.emplace_back(str("SNMP_Name_of_Station"), str("devicename1"));
    four("EtherNetIP_IP", {192, 168, 0, 5});
    four("EtherNetIP_SM", {255, 255, 255, 0});
    four("EtherNetIP_GAT", {192, 168, 0, 1});
    e.emplace_back(str("EtherNetIP_EN_GAT"), str("0"));
    e.emplace_back(str("EtherNetIP_PORT"), str("44818"));
    e.emplace_back(str("EtherNetIP_NB_Input"), str("496"));
    e.emplace_back(str("EtherNetIP_NB_Output"), str("496"));
    return e;
}

Overrides defaultRow()
{
    return {{str("Enable"), str("Y")},         {str("IP_Address"), str("10.0.0.1")},
            {str("Version"), str("1")},        {str("Community_String"), str("public")},
            {str("OID"), str("1.3.6.1.2.1.1.1.0")}, {str("Type"), str("String")},
            {str("Mode"), str("Get")},         {str("On_Change"), str("N")},
            {str("On_Command"), str("N")},     {str("On_Timer"), str("N")},
            {str("Time"), str("1000")},        {str("Position"), str("0")},
            {str("Number_Bytes"), str("1")},   {str("ConvertFrom"), str("None")},
            {str("Mnemonic"), str("text")}};
}

Overrides merged(Overrides base, const Overrides &changes)
{
    for (const auto &[name, value] : changes) {
        auto it = std::find_if(base.begin(), base.end(), [&](const auto &p) { return p.first == name; });
        if (it != base.end())
            it->second = value;
        else
            base.emplace_back(name, value);
    }
    return base;
}

QByteArray parGenXml(const Overrides &elements)
{
    QString xml = str("<Par_Gen>");
    for (const auto &[name, value] : elements) {
        if (value)
            xml += QStringLiteral("<%1>%2</%1>").arg(name, value->toHtmlEscaped());
    }
    xml += str("</Par_Gen><!--SW_VERSION = 1.000-->");
    return xml.toUtf8();
}

QString rowXml(const Overrides &attributes)
{
    QString xml = str("<row");
    for (const auto &[name, value] : attributes) {
        if (value)
            xml += QStringLiteral(" %1=\"%2\"").arg(name, value->toHtmlEscaped());
    }
    return xml + str("/>");
}

QByteArray snmpXml(const QStringList &rows)
{
    return (str("<SNMP_Agent_Access>") + rows.join(QString()) + str("</SNMP_Agent_Access><!--SW_VERSION = 1.000-->"))
        .toUtf8();
}

class BankImage : public ::testing::Test {
protected:
    void writeParGen(const Overrides &changes) { dir.write(str("ParGen.xml"), parGenXml(merged(defaultParGen(), changes))); }
    void writeRows(const QStringList &rows) { dir.write(str("SNMP_Manager.xml"), snmpXml(rows)); }
    void writeOneRow(const Overrides &changes) { writeRows({rowXml(merged(defaultRow(), changes))}); }
    void compileOk()
    {
        const auto error = compiler->Compile_Project(dir.path());
        ASSERT_FALSE(error.has_value()) << error->toStdString();
        ASSERT_EQ(compiler->imageLength(), std::uint32_t(bank::kImageSize));
        image = compiler->image();
    }
    const std::uint8_t *bytes() const { return reinterpret_cast<const std::uint8_t *>(image.constData()); }
    const std::uint8_t *block() const { return bytes() + bank::kTableSize; }
    const std::uint8_t *record(int n) const { return bytes() + n * bank::kRecordSize; }
    static Bytes slice(const std::uint8_t *p, int size) { return Bytes(p, p + size); }
    std::uint32_t storedChecksum() const
    {
        const std::uint8_t *c = block() + bank::kChecksumOffset;
        return c[0] | c[1] << 8 | c[2] << 16 | std::uint32_t(c[3]) << 24;
    }

    test::TempExeDir dir;
    std::unique_ptr<USaveBincc> compiler = std::make_unique<USaveBincc>();
    QByteArray image;
};

// Block offset -> bytes of every field the empty configuration sets; all other bytes are zero.
const std::vector<std::pair<int, Bytes>> kEmptyBlock = {
    {0, {0x48, 0xE8, 0x01, 0x00}},  {12, {0x80, 0x25, 0, 0}},     {16, {8, 0}},
    {40, {192, 168, 2, 205}},       {44, {255, 255, 255, 0}},     {48, {255, 255, 255, 255}},
    {52, {0x10, 0x27}},             {54, {0x11, 0x27}},           {56, {0x11, 0x27}},
    {60, {0x80, 0x25, 0, 0}},       {64, {8, 0}},                 {368, {0x00, 0x80, 0x05, 0x00}},
    {2044, {0xE7, 0x0C, 0x00, 0x00}},
};

TEST_F(BankImage, EmptyConfigurationHoldsOnlyTheFixedValues)
{
    compileOk();
    ASSERT_EQ(image.size(), bank::kImageSize);
    Bytes expected(bank::kBlockSize, 0);
    for (const auto &[offset, value] : kEmptyBlock)
        std::copy(value.begin(), value.end(), expected.begin() + offset);
    const Bytes actual = slice(block(), bank::kBlockSize);
    for (int i = 0; i < bank::kBlockSize; ++i)
        ASSERT_EQ(actual[i], expected[i]) << "block offset " << i;
    EXPECT_EQ(storedChecksum(), 3303u);
    EXPECT_EQ(slice(bytes(), bank::kTableSize), Bytes(bank::kTableSize, 0));
}

TEST_F(BankImage, DefaultParGenGivesItsChecksum)
{
    writeParGen({});
    compileOk();
    EXPECT_EQ(slice(block() + 2044, 4), (Bytes{0x35, 0x1B, 0x00, 0x00}));
    EXPECT_EQ(storedChecksum(), 6965u);
}

TEST_F(BankImage, ParGenWithOnlyTheRootTakesEachElementsDefault)
{
    dir.write(str("ParGen.xml"), "<Par_Gen/>");
    compileOk();
    EXPECT_EQ(slice(block() + 40, 12), (Bytes{192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(slice(block() + 80, 12), (Bytes{'d', 'e', 'v', 'i', 'c', 'e', 'n', 'a', 'm', 'e', '1', 0}));
    EXPECT_EQ(slice(block() + 304, 12), (Bytes{192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(slice(block() + 56, 2), (Bytes{0x12, 0xAF}));
    EXPECT_EQ(slice(block() + 116, 8), (Bytes{0xF0, 0x01, 0, 0, 0xF0, 0x01, 0, 0}));
}

struct ParGenCase {
    const char *name;
    Overrides changes;
    int offset; // parameter-block offset
    Bytes expected;
};

Bytes nameBytes(const char *text)
{
    Bytes b(16, 0);
    for (int i = 0; text[i]; ++i)
        b[i] = std::uint8_t(text[i]);
    return b;
}

TEST_F(BankImage, ParGenFieldsLandAtTheirOffsets)
{
    const Value none;
    const std::vector<ParGenCase> cases = {
        {"snmp gateway enabled", {{str("SNMP_Manager_EN_GAT"), str("1")}, {str("SNMP_Manager_GAT1"), str("10")},
          {str("SNMP_Manager_GAT2"), str("0")}, {str("SNMP_Manager_GAT3"), str("0")}, {str("SNMP_Manager_GAT4"), str("1")}},
         48, {0x0A, 0, 0, 0x01}},
        {"snmp gateway off", {{str("SNMP_Manager_EN_GAT"), str("0")}, {str("SNMP_Manager_GAT1"), str("10")}}, 48, {255, 255, 255, 255}},
        {"snmp gateway other text keeps it", {{str("SNMP_Manager_EN_GAT"), str("yes")}, {str("SNMP_Manager_GAT1"), str("10")}},
         48, {10, 168, 0, 1}},
        {"snmp gateway enable missing", {{str("SNMP_Manager_EN_GAT"), none}}, 48, {255, 255, 255, 255}},
        {"eip gateway enabled", {{str("EtherNetIP_EN_GAT"), str("1")}, {str("EtherNetIP_GAT1"), str("10")},
          {str("EtherNetIP_GAT4"), str("2")}}, 312, {10, 168, 0, 2}},
        {"eip gateway other text drops it", {{str("EtherNetIP_EN_GAT"), str("yes")}}, 312, {255, 255, 255, 255}},
        {"eip gateway off", {{str("EtherNetIP_EN_GAT"), str("0")}}, 312, {255, 255, 255, 255}},
        {"eip gateway enable missing", {{str("EtherNetIP_EN_GAT"), none}}, 312, {255, 255, 255, 255}},
        {"port 502 is ignored", {{str("EtherNetIP_PORT"), str("502")}}, 56, {0x12, 0xAF}},
        {"station ABC", {{str("SNMP_Name_of_Station"), str("ABC")}}, 80, nameBytes("ABC")},
        {"station empty", {{str("SNMP_Name_of_Station"), str("")}}, 80, nameBytes("")},
        {"station missing", {{str("SNMP_Name_of_Station"), none}}, 80, nameBytes("devicename1")},
        {"station of 15 kept whole", {{str("SNMP_Name_of_Station"), str("ABCDEFGHIJKLMNO")}}, 80, nameBytes("ABCDEFGHIJKLMNO")},
        {"station of 20 keeps 15 and the zero", {{str("SNMP_Name_of_Station"), str("ABCDEFGHIJKLMNOPQRST")}}, 80,
         nameBytes("ABCDEFGHIJKLMNO")},
        {"station takes the low byte", {{str("SNMP_Name_of_Station"), QString(QChar(0x0141))}}, 80, nameBytes("A")},
        {"empty address byte is its default", {{str("SNMP_Manager_IP4"), str("")}}, 40, {192, 168, 0, 10}},
        {"address bytes keep their low 8 bits", {{str("SNMP_Manager_IP1"), str("256")}, {str("SNMP_Manager_IP2"), str("-1")},
          {str("SNMP_Manager_IP3"), str("0x7F")}, {str("SNMP_Manager_IP4"), str("x")}}, 40, {0, 255, 127, 10}},
        {"eip address", {{str("EtherNetIP_IP4"), str("77")}, {str("EtherNetIP_SM4"), str("128")}}, 304,
         {192, 168, 0, 77, 255, 255, 255, 128}},
        {"input size 300", {{str("EtherNetIP_NB_Input"), str("300")}}, 116, {0x2C, 0x01, 0, 0}},
        {"output size not a number", {{str("EtherNetIP_NB_Output"), str("many")}}, 120, {0xF0, 0x01, 0, 0}},
        {"sizes keep all 32 bits", {{str("EtherNetIP_NB_Output"), str("-2")}}, 120, {0xFE, 0xFF, 0xFF, 0xFF}},
    };
    for (const ParGenCase &c : cases) {
        SCOPED_TRACE(c.name);
        writeParGen(c.changes);
        compileOk();
        EXPECT_EQ(slice(block() + c.offset, int(c.expected.size())), c.expected);
        EXPECT_EQ(storedChecksum(), bank::blockChecksum(block()));
    }
}

struct RowCase {
    const char *name;
    Overrides changes;
    int offset; // record offset
    Bytes expected;
};

TEST_F(BankImage, RowAttributesLandAtTheirRecordOffsets)
{
    const Value none;
    const QString oid96 = QString(str("1.")).repeated(48);
    const std::vector<RowCase> cases = {
        {"agent address", {{str("IP_Address"), str("192.168.1.125")}}, 120, {0x7D, 0x01, 0xA8, 0xC0}},
        {"agent address empty", {{str("IP_Address"), str("")}}, 120, {0, 0, 0, 0}},
        {"agent address missing", {{str("IP_Address"), none}}, 120, {0, 0, 0, 0}},
        {"agent address with a rejected part", {{str("IP_Address"), str("1.2.3")}}, 120, {3, 0, 2, 1}},
        {"flags v2 timer int", {{str("Version"), str("2")}, {str("On_Timer"), str("Y")}, {str("Type"), str("iNt")}}, 127, {0x2C}},
        {"flags v3", {{str("Version"), str("3")}}, 127, {0x40}},
        {"flags version not a number", {{str("Version"), str("two")}}, 127, {0x10}},
        {"flags version missing", {{str("Version"), none}}, 127, {0x10}},
        {"flags lower-case y", {{str("On_Change"), str("y")}}, 127, {0x11}},
        {"flags blank before Y", {{str("On_Change"), str(" Y")}}, 127, {0x10}},
        {"flags all triggers", {{str("On_Change"), str("Y")}, {str("On_Command"), str("Y")}, {str("On_Timer"), str("Y")},
          {str("Type"), str("INT")}}, 127, {0x1F}},
        {"flags command only", {{str("On_Command"), str("Y")}}, 127, {0x12}},
        {"mode Trap", {{str("Mode"), str("Trap")}}, 125, {2}},
        {"mode empty", {{str("Mode"), str("")}}, 125, {2}},
        {"mode missing", {{str("Mode"), none}}, 125, {2}},
        {"mode get", {{str("Mode"), str("get")}}, 125, {0}},
        {"mode Set", {{str("Mode"), str("Set")}}, 125, {1}},
        {"convert float * 100 with blanks", {{str("ConvertFrom"), str("  float * 100 ")}}, 124, {3}},
        {"convert FLOAT*100", {{str("ConvertFrom"), str("FLOAT*100")}}, 124, {0}},
        {"convert Float", {{str("ConvertFrom"), str("Float")}}, 124, {1}},
        {"convert FLOAT * 10", {{str("ConvertFrom"), str("FLOAT * 10")}}, 124, {2}},
        {"convert None", {{str("ConvertFrom"), str("None")}}, 124, {0}},
        {"convert missing", {{str("ConvertFrom"), none}}, 124, {0}},
        {"time empty", {{str("Time"), str("")}}, 4, {0xE8, 0x03, 0, 0}},
        {"time largest", {{str("Time"), str("100000000")}}, 4, {0x00, 0xE1, 0xF5, 0x05}},
        {"position keeps its low 16 bits", {{str("Position"), str("70000")}}, 0, {0x70, 0x11, 0, 0}},
        {"position 495", {{str("Position"), str("495")}}, 0, {0xEF, 0x01}},
        {"bytes missing", {{str("Number_Bytes"), none}}, 126, {1}},
        {"bytes not a number", {{str("Number_Bytes"), str("four")}}, 126, {1}},
        {"bytes 255", {{str("Number_Bytes"), str("255")}}, 126, {255}},
        {"bytes 0", {{str("Number_Bytes"), str("0")}}, 126, {0}},
        {"community of 7", {{str("Community_String"), str("Mireva7")}}, 8,
         {'M', 'i', 'r', 'e', 'v', 'a', '7', 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"community of 20 keeps 15", {{str("Community_String"), str("ABCDEFGHIJKLMNOPQRST")}}, 8,
         {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 0}},
        {"community missing", {{str("Community_String"), none}}, 8, Bytes(16, 0)},
        {"oid of 96 fills its field", {{str("OID"), oid96}}, 118, {'1', '.'}},
        {"oid then zeros", {{str("OID"), str("1.3")}}, 24, {'1', '.', '3', 0, 0}},
    };
    for (const RowCase &c : cases) {
        SCOPED_TRACE(c.name);
        writeOneRow(c.changes);
        compileOk();
        EXPECT_EQ(compiler->requestCount(), 1u);
        EXPECT_EQ(slice(record(0) + c.offset, int(c.expected.size())), c.expected);
        EXPECT_EQ(slice(record(0) + 2, 2), (Bytes{0, 0}));
    }
}

TEST_F(BankImage, OnlyEnabledRowsBecomeRecordsInFileOrder)
{
    const struct {
        const char *name;
        Value enable;
        bool enabled;
    } cases[] = {
        {"Y", str("Y"), true},       {"lower y with blanks", str(" y "), true}, {"N", str("N"), false},
        {"empty", str(""), false},   {"missing counts as enabled", Value(), true}, {"Yes", str("Yes"), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeRows({rowXml(merged(defaultRow(), {{str("Position"), str("1")}})),
                   rowXml(merged(defaultRow(), {{str("Enable"), c.enable}, {str("Position"), str("2")}})),
                   rowXml(merged(defaultRow(), {{str("Position"), str("3")}}))});
        compileOk();
        const int count = c.enabled ? 3 : 2;
        EXPECT_EQ(compiler->requestCount(), std::uint32_t(count));
        EXPECT_EQ(slice(block() + 364, 4), (Bytes{count, 0, 0, 0}));
        EXPECT_EQ(record(0)[0], 1);
        EXPECT_EQ(record(count - 1)[0], 3);
        EXPECT_EQ(slice(record(count), bank::kRecordSize), Bytes(bank::kRecordSize, 0));
    }
}

TEST_F(BankImage, CommentsBetweenRowsAreNotRows)
{
    dir.write(str("SNMP_Manager.xml"),
              snmpXml({str("<!-- note -->"), rowXml(defaultRow()), str("<!-- note -->")}));
    compileOk();
    EXPECT_EQ(compiler->requestCount(), 1u);
}

TEST_F(BankImage, FiveHundredTwelveRowsFillTheTable)
{
    QStringList rows;
    for (int i = 0; i < 512; ++i)
        rows << rowXml(merged(defaultRow(), {{str("Position"), QString::number(i)}}));
    // Disabled rows beyond the limit do not count against it.
    for (int i = 0; i < 10; ++i)
        rows << rowXml(merged(defaultRow(), {{str("Enable"), str("N")}}));
    writeRows(rows);
    compileOk();
    EXPECT_EQ(image.size(), bank::kImageSize);
    EXPECT_EQ(compiler->requestCount(), 512u);
    EXPECT_EQ(slice(block() + 364, 4), (Bytes{0x00, 0x02, 0, 0}));
    EXPECT_EQ(slice(record(511), 2), (Bytes{0xFF, 0x01}));
    EXPECT_EQ(record(511)[bank::kRecFlags], bank::kVersion1);
}

TEST_F(BankImage, RequestsLeaveTheChecksumAlone)
{
    writeParGen({});
    writeOneRow({});
    compileOk();
    const std::uint32_t before = storedChecksum();
    // Only the count of records is in the block.
    writeOneRow({{str("IP_Address"), str("192.168.1.125")}, {str("OID"), str("1.3.6.1.4.1.9.9.9")}});
    compileOk();
    EXPECT_EQ(storedChecksum(), before);
}

TEST_F(BankImage, EachCompileStartsFromScratch)
{
    writeParGen({{str("SNMP_Name_of_Station"), str("ABCDEFGHIJKLMNO")}});
    writeRows({rowXml(defaultRow()), rowXml(defaultRow())});
    compileOk();
    ASSERT_EQ(compiler->requestCount(), 2u);
    QFile::remove(dir.file(str("ParGen.xml")));
    writeRows({rowXml(merged(defaultRow(), {{str("Community_String"), str("ab")}}))});
    compileOk();
    EXPECT_EQ(storedChecksum(), 3303u + 1); // the empty configuration plus a count of 1
    EXPECT_EQ(slice(record(0) + 8, 16), (Bytes{'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(slice(record(1), bank::kRecordSize), Bytes(bank::kRecordSize, 0));
}

TEST_F(BankImage, MalformedFilesStopTheCompileWithTheParsersMessage)
{
    for (const char *file : {"ParGen.xml", "SNMP_Manager.xml"}) {
        SCOPED_TRACE(file);
        test::TempExeDir project;
        project.write(str(file), "<Par_Gen><SNMP_Manager_IP1>1</Par_Gen>");
        const auto error = compiler->Compile_Project(project.path());
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->contains(str(file))) << error->toStdString();
        EXPECT_TRUE(error->contains(str("line 1"))) << error->toStdString();
        EXPECT_EQ(compiler->imageLength(), 0u);
        QString writeError;
        EXPECT_FALSE(compiler->Save_Bank(USaveBincc::bankPath(project.path()), &writeError));
        EXPECT_FALSE(QFileInfo::exists(USaveBincc::bankPath(project.path())));
    }
}

TEST_F(BankImage, ARequestFileBrokenAfterARefusedRowReportsTheParser)
{
    // The rows are read as a stream; the broken end must still win over a row refused before it.
    test::TempExeDir project;
    project.write(str("SNMP_Manager.xml"),
                  "<SNMP_Agent_Access><row Enable=\"Y\" Number_Bytes=\"999\"/><row></SNMP_Agent_Access>");
    const auto error = compiler->Compile_Project(project.path());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(str("line 1, column"))) << error->toStdString();
    EXPECT_FALSE(error->contains(str("999"))) << error->toStdString();
}

TEST_F(BankImage, ValuesTheImageCannotCarryAreRefused)
{
    QStringList tooMany;
    for (int i = 0; i < 513; ++i)
        tooMany << rowXml(defaultRow());
    const QString oid97 = QString(str("1.")).repeated(48) + str("1");
    const struct {
        const char *name;
        QStringList rows;
        QStringList mustContain;
    } cases[] = {
        {"oid of 97", {rowXml(defaultRow()), rowXml(merged(defaultRow(), {{str("OID"), oid97}}))},
         {str("row 2"), str("97"), oid97}},
        {"bytes 256", {rowXml(merged(defaultRow(), {{str("Number_Bytes"), str("256")}}))}, {str("row 1"), str("256")}},
        {"bytes 1024", {rowXml(merged(defaultRow(), {{str("Number_Bytes"), str("1024")}}))}, {str("row 1"), str("1024")}},
        {"bytes -1", {rowXml(merged(defaultRow(), {{str("Number_Bytes"), str("-1")}}))}, {str("row 1"), str("-1")}},
        {"513 enabled rows", tooMany, {str("row 513"), str("512")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeRows(c.rows);
        const auto error = compiler->Compile_Project(dir.path());
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->contains(str("SNMP_Manager.xml")));
        for (const QString &part : c.mustContain)
            EXPECT_TRUE(error->contains(part)) << error->toStdString();
        EXPECT_EQ(compiler->imageLength(), 0u);
    }
    // A disabled row is not sent, so its values are not examined.
    writeRows({rowXml(merged(defaultRow(), {{str("Enable"), str("N")}, {str("Number_Bytes"), str("1024")},
                                            {str("OID"), oid97}}))});
    compileOk();
    EXPECT_EQ(compiler->requestCount(), 0u);
}

TEST_F(BankImage, SaveBankWritesTheWholeImageAndCreatesBin)
{
    writeParGen({});
    compileOk();
    QString error;
    const QString path = USaveBincc::bankPath(dir.path());
    ASSERT_TRUE(compiler->Save_Bank(path, &error)) << error.toStdString();
    const QByteArray written = test::readFile(path);
    EXPECT_EQ(written, image);
    EXPECT_EQ(written.size(), bank::kImageSize);
}

// configurator-cli compile and dump, run in-process.
class ImageCli : public BankImage {
protected:
    int run(const QStringList &args)
    {
        last = test::runCli(args);
        return last.code;
    }
    QString out() const { return last.out; }
    QString err() const { return last.err; }

    test::CliRun last;
};

TEST_F(ImageCli, CompileWritesBinBankByDefault)
{
    writeParGen({});
    ASSERT_EQ(run({str("compile"), dir.path()}), 0) << err().toStdString();
    const QByteArray written = test::readFile(USaveBincc::bankPath(dir.path()));
    ASSERT_EQ(written.size(), bank::kImageSize);
    EXPECT_EQ(written.mid(bank::kTableSize + 2044), QByteArray("\x35\x1B\x00\x00", 4));
    EXPECT_TRUE(out().contains(str("checksum 6965"))) << out().toStdString();
}

TEST_F(ImageCli, CompileToAChosenFile)
{
    const QString target = dir.file(str("out/image.bin"));
    ASSERT_EQ(run({str("compile"), dir.path(), str("-o"), target}), 0) << err().toStdString();
    EXPECT_EQ(test::readFile(target).mid(bank::kTableSize + 2044), QByteArray("\xE7\x0C\x00\x00", 4));
    EXPECT_FALSE(QFileInfo::exists(USaveBincc::bankPath(dir.path())));
}

TEST_F(ImageCli, CompileFailuresExitOneAndLeaveTheFile)
{
    const QString target = dir.file(str("bank.bin"));
    const struct {
        const char *name;
        const char *file;
        QByteArray content;
        const char *message;
    } cases[] = {
        {"malformed ParGen", "ParGen.xml", "<Par_Gen><a></Par_Gen>", "ParGen.xml"},
        {"refused row", "SNMP_Manager.xml", snmpXml({rowXml(merged(defaultRow(), {{str("Number_Bytes"), str("300")}}))}),
         "row 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempExeDir project;
        project.write(str(c.file), c.content);
        test::writeFile(target, "old");
        EXPECT_EQ(run({str("compile"), project.path(), str("-o"), target}), 1);
        EXPECT_TRUE(err().contains(str(c.message))) << err().toStdString();
        EXPECT_EQ(test::readFile(target), QByteArray("old"));
    }
}

TEST_F(ImageCli, BadUsageExitsTwo)
{
    const QList<QStringList> cases = {
        {str("compile")},
        {str("compile"), dir.path(), str("-o")},
        {str("compile"), dir.path(), str("extra")},
        {str("compile"), dir.file(str("no-such-folder"))},
        {str("dump")},
        {str("dump"), str("a"), str("b")},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        EXPECT_EQ(run(args), 2);
        EXPECT_FALSE(err().isEmpty());
    }
}

TEST_F(ImageCli, DumpListsEveryField)
{
    writeParGen({{str("SNMP_Name_of_Station"), str("ABC")}, {str("EtherNetIP_NB_Input"), str("300")},
                 {str("EtherNetIP_EN_GAT"), str("1")}});
    writeRows({rowXml(merged(defaultRow(), {{str("Enable"), str("N")}})),
               rowXml(merged(defaultRow(), {{str("IP_Address"), str("192.168.1.125")}, {str("Version"), str("2")},
                                            {str("On_Timer"), str("Y")}, {str("Type"), str("Int")},
                                            {str("Mode"), str("Set")}, {str("ConvertFrom"), str("FLOAT * 10")},
                                            {str("Time"), str("2500")}, {str("Position"), str("17")},
                                            {str("Number_Bytes"), str("4")}, {str("Community_String"), str("Tolvane")},
                                            {str("OID"), str("1.3.6.1.2.1.1.5.0")}}))});
    ASSERT_EQ(run({str("compile"), dir.path()}), 0);
    ASSERT_EQ(run({str("dump"), USaveBincc::bankPath(dir.path())}), 0) << err().toStdString();
    const QString listing = out();
    for (const char *expected :
         {"Fixed_0:               125000", "SNMP_Manager_IP:       192.168.0.10", "SNMP_Manager_GAT:      255.255.255.255",
          "EtherNetIP_PORT:       44818", "SNMP_Name_of_Station:  \"ABC\"", "EtherNetIP_NB_Input:   300",
          "EtherNetIP_GAT:        192.168.0.1", "Bank_Address:          360448", "Checksum:", "Requests in use: 1",
          "Position:     17", "Time:         2500 ms", "Community:    \"Tolvane\"", "OID:          \"1.3.6.1.2.1.1.5.0\"",
          "Agent:        192.168.1.125", "Mode:         1 SET", "Conversion:   2 FLOAT * 10", "Number_Bytes: 4",
          "Flags:        0x2c On_Timer|INT|Version_2"}) {
        EXPECT_TRUE(listing.contains(str(expected))) << expected << "\n" << listing.toStdString();
    }
    EXPECT_FALSE(listing.contains(str("Record 1 ")));
}

TEST_F(ImageCli, DumpRefusesAWrongSizeOrChecksum)
{
    ASSERT_EQ(run({str("compile"), dir.path()}), 0);
    const QString path = USaveBincc::bankPath(dir.path());
    QByteArray bank = test::readFile(path);

    test::writeFile(path, bank.left(bank::kImageSize - 1));
    EXPECT_EQ(run({str("dump"), path}), 1);
    EXPECT_TRUE(err().contains(str("67583"))) << err().toStdString();

    bank[bank::kTableSize + 80] = 'X';
    test::writeFile(path, bank);
    EXPECT_EQ(run({str("dump"), path}), 1);
    EXPECT_TRUE(err().contains(str("stored 3303, computed 3391"))) << err().toStdString();

    EXPECT_EQ(run({str("dump"), dir.file(str("missing.bin"))}), 1);
}

} // namespace
