#include "devfiles/Eds.h"
#include "platform/FileReplace.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QDateTime kAt(QDate(2016, 3, 7), QTime(15, 45));

struct Pdo {
    const char *cobId;     // nullptr: attribute left out
    const char *dimension; // nullptr: attribute left out
};

struct SdoRow {
    const char *index;
    const char *subIndex;
    const char *nByte;
};

QByteArray pdoRows(const QList<Pdo> &rows)
{
    QByteArray out;
    for (const Pdo &p : rows) {
        out += "<row";
        if (p.cobId)
            out += QByteArray(" COB-ID=\"") + p.cobId + "\"";
        if (p.dimension)
            out += QByteArray(" Dimension=\"") + p.dimension + "\"";
        out += " Mnemonic=\"\"/>";
    }
    return out;
}

QByteArray sdoRows(const QList<SdoRow> &rows)
{
    QByteArray out;
    for (const SdoRow &r : rows) {
        out += "<row";
        if (r.index)
            out += QByteArray(" Index=\"") + r.index + "\"";
        if (r.subIndex)
            out += QByteArray(" SubIndex=\"") + r.subIndex + "\"";
        if (r.nByte)
            out += QByteArray(" NByte=\"") + r.nByte + "\"";
        out += "/>";
    }
    return out;
}

class EdsWriterTest : public ::testing::Test {
protected:
    void writePdo(const QList<Pdo> &receive, const QList<Pdo> &transmit)
    {
        dir.write(QStringLiteral("PDO_CANopen.xml"),
                  "<DeviceNet_Master_to_PDO><!--SW_VERSION = 1.000--><Receive_PDO>" + pdoRows(receive)
                      + "</Receive_PDO><Transmit_PDO>" + pdoRows(transmit) + "</Transmit_PDO></DeviceNet_Master_to_PDO>");
    }
    void writeSdo(const QList<SdoRow> &read, const QList<SdoRow> &write)
    {
        dir.write(QStringLiteral("SDO_Server_CANopen.xml"),
                  "<DeviceNet_Master_to_SDO_CANopen><SDO_Read>" + sdoRows(read) + "</SDO_Read><SDO_Write>"
                      + sdoRows(write) + "</SDO_Write></DeviceNet_Master_to_SDO_CANopen>");
    }
    // Writes the EDS and returns its lines (CR LF checked and stripped).
    QStringList build()
    {
        const auto error = cf::Write_EDS_File(dir.path(), out(), kAt);
        EXPECT_FALSE(error) << error.value_or(QString()).toStdString();
        const QByteArray bytes = dir.read(QStringLiteral("out.eds"));
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends with CR LF";
        QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }
    QString out() const { return dir.file(QStringLiteral("out.eds")); }

    cf::test::TempExeDir dir;
};

// The key lines of a section, up to the next empty line or section.
QStringList section(const QStringList &lines, const QString &name)
{
    const qsizetype at = lines.indexOf(QLatin1Char('[') + name + QLatin1Char(']'));
    if (at < 0)
        return {QStringLiteral("<no section %1>").arg(name)};
    QStringList keys;
    for (qsizetype i = at + 1; i < lines.size() && !lines[i].isEmpty() && !lines[i].startsWith(QLatin1Char('['));
         ++i)
        keys.append(lines[i]);
    return keys;
}

QStringList sectionNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &l : lines)
        if (l.startsWith(QLatin1Char('[')))
            names.append(l);
    return names;
}

TEST_F(EdsWriterTest, SmallConfigurationMatchesTheExpectedFileLineByLine)
{
    for (const char *name : {"PDO_CANopen.xml", "SDO_Server_CANopen.xml"})
        dir.write(QString::fromLatin1(name),
                  cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/eds_small/") + QString::fromLatin1(name))));
    const QStringList lines = build();
    const QStringList expected = QString::fromLatin1(cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_small.eds"))))
                                     .split(QStringLiteral("\r\n"));
    ASSERT_GT(expected.size(), 100);
    for (qsizetype i = 0; i < std::min(lines.size(), expected.size() - 1); ++i)
        ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(lines.size(), expected.size() - 1);
    EXPECT_EQ(dir.read(QStringLiteral("out.eds")),
              cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_small.eds"))));
}

TEST_F(EdsWriterTest, EmptyConfigurationListsOnlyTheFixedObjects)
{
    const QStringList lines = build();
    EXPECT_EQ(section(lines, QStringLiteral("OptionalObjects")),
              QStringList({QStringLiteral("SupportedObjects=8"), QStringLiteral("1=0x1005"), QStringLiteral("2=0x1006"),
                           QStringLiteral("3=0x1008"), QStringLiteral("4=0x1014"), QStringLiteral("5=0x1016"),
                           QStringLiteral("6=0x1017"), QStringLiteral("7=0x1029"), QStringLiteral("8=0x1280")}));
    EXPECT_EQ(section(lines, QStringLiteral("ManufacturerObjects")), QStringList{QStringLiteral("SupportedObjects=0")});
    EXPECT_EQ(section(lines, QStringLiteral("DeviceInfo")).mid(20),
              QStringList({QStringLiteral("NrOfRXPDO=0"), QStringLiteral("NrOfTXPDO=0")}));
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines.mid(lines.size() - 7),
              QStringList({QStringLiteral("[1280sub3]"), QStringLiteral("ParameterName=Node ID of the SDO Server"),
                           QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0005"),
                           QStringLiteral("AccessType=rw"), QStringLiteral("PDOMapping=0"), QString()}));
}

TEST_F(EdsWriterTest, TwoReceiveAndOneTransmitPdo)
{
    writePdo({{"0x201", "8"}, {"0x301", "2"}}, {{"0x181", "4"}});
    const QStringList lines = build();
    const QStringList optional = section(lines, QStringLiteral("OptionalObjects"));
    EXPECT_EQ(optional.first(), QStringLiteral("SupportedObjects=17"));
    EXPECT_EQ(optional.mid(9),
              QStringList({QStringLiteral("9=0x1400"), QStringLiteral("10=0x1401"), QStringLiteral("11=0x1600"),
                           QStringLiteral("12=0x1601"), QStringLiteral("13=0x1800"), QStringLiteral("14=0x1A00"),
                           QStringLiteral("15=0x7000"), QStringLiteral("16=0x7001"), QStringLiteral("17=0x7050")}));
    EXPECT_EQ(section(lines, QStringLiteral("DeviceInfo")).mid(20),
              QStringList({QStringLiteral("NrOfRXPDO=2"), QStringLiteral("NrOfTXPDO=1")}));
    EXPECT_TRUE(section(lines, QStringLiteral("1400sub1")).contains(QStringLiteral("DefaultValue=0x00000201")));
    EXPECT_TRUE(section(lines, QStringLiteral("1401sub1")).contains(QStringLiteral("DefaultValue=0x00000301")));
    EXPECT_EQ(section(lines, QStringLiteral("1401")).at(1), QStringLiteral("ParameterName=Receive PDO Communication Parameter 2"));
    EXPECT_EQ(section(lines, QStringLiteral("1600")).first(), QStringLiteral("SubNumber=9"));
    EXPECT_EQ(section(lines, QStringLiteral("1600")).at(1), QStringLiteral("ParameterName=Receive PDO Mapping Parameter"));
    EXPECT_TRUE(section(lines, QStringLiteral("1600sub8")).contains(QStringLiteral("DefaultValue=0x70000808")));
    EXPECT_EQ(section(lines, QStringLiteral("1601")).first(), QStringLiteral("SubNumber=3"));
    EXPECT_TRUE(section(lines, QStringLiteral("1601sub2")).contains(QStringLiteral("DefaultValue=0x70010208")));
    EXPECT_EQ(section(lines, QStringLiteral("1A00")).at(1), QStringLiteral("ParameterName=Transmit PDO Mapping Parameter 1"));
    EXPECT_TRUE(section(lines, QStringLiteral("1A00sub4")).contains(QStringLiteral("DefaultValue=0x70500408")));
    EXPECT_EQ(section(lines, QStringLiteral("7001sub2")).first(), QStringLiteral("ParameterName=c2"));
    EXPECT_EQ(section(lines, QStringLiteral("7001sub2")).at(3), QStringLiteral("AccessType=rww"));
    EXPECT_EQ(section(lines, QStringLiteral("7050sub0")).at(3), QStringLiteral("AccessType=rw"));
    EXPECT_EQ(section(lines, QStringLiteral("7050sub1")),
              QStringList({QStringLiteral("ParameterName=l1"), QStringLiteral("ObjectType=0x07"),
                           QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=rwr"),
                           QStringLiteral("DefaultValue=0x00"), QStringLiteral("PDOMapping=1")}));
    const qsizetype at = lines.indexOf(QStringLiteral("[1280sub3]"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(lines.at(at + 5), QStringLiteral("PDOMapping=0"));
    EXPECT_EQ(lines.at(at + 6), QStringLiteral("[1400]")) << "no empty line before the first generated object";
    // Items run over their whole list before the next begins.
    const QStringList headers = sectionNames(lines).filter(QRegularExpression(QStringLiteral("^\\[[0-9A-F]{4}\\]$")));
    EXPECT_EQ(headers.mid(headers.indexOf(QStringLiteral("[1400]"))),
              QStringList({QStringLiteral("[1400]"), QStringLiteral("[1401]"), QStringLiteral("[1600]"),
                           QStringLiteral("[1601]"), QStringLiteral("[1800]"), QStringLiteral("[1A00]"),
                           QStringLiteral("[7000]"), QStringLiteral("[7001]"), QStringLiteral("[7050]")}));
}

TEST_F(EdsWriterTest, MissingDimensionCountsEightBytesAndMissingCobIdGivesZero)
{
    writePdo({{"0x201", nullptr}, {nullptr, "1"}, {"junk", "junk"}}, {});
    const QStringList lines = build();
    EXPECT_EQ(section(lines, QStringLiteral("1600")).first(), QStringLiteral("SubNumber=9"));
    EXPECT_TRUE(section(lines, QStringLiteral("1401sub1")).contains(QStringLiteral("DefaultValue=0x00000000")));
    EXPECT_EQ(section(lines, QStringLiteral("1601")).first(), QStringLiteral("SubNumber=2"));
    EXPECT_TRUE(section(lines, QStringLiteral("1402sub1")).contains(QStringLiteral("DefaultValue=0x00000000")));
    EXPECT_EQ(section(lines, QStringLiteral("1602")).first(), QStringLiteral("SubNumber=9"));
}

TEST_F(EdsWriterTest, ThirtyPdosUseEveryNamePrefix)
{
    QList<Pdo> thirty;
    for (int i = 0; i < 30; ++i)
        thirty.append(Pdo{"0x200", "1"});
    writePdo(thirty, thirty);
    const QStringList lines = build();
    const struct { const char *sectionName; const char *name; } cases[] = {
        {"7009sub1", "i1"}, {"7008sub1", "k1"}, {"700Asub1", "aa1"}, {"7013sub1", "al1"}, {"701Dsub1", "av1"},
        {"7059sub1", "u1"}, {"705Asub1", "ca1"}, {"7063sub1", "cl1"}, {"706Dsub1", "cv1"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sectionName);
        EXPECT_EQ(section(lines, QString::fromLatin1(c.sectionName)).first(),
                  QStringLiteral("ParameterName=") + QString::fromLatin1(c.name));
    }
    EXPECT_EQ(section(lines, QStringLiteral("OptionalObjects")).first(), QStringLiteral("SupportedObjects=188"));
    EXPECT_EQ(section(lines, QStringLiteral("1A1D")).at(1), QStringLiteral("ParameterName=Transmit PDO Mapping Parameter 30"));
}

struct SdoCase {
    const char *name;
    QList<SdoRow> read;
    QList<SdoRow> write;
    // Section names, "[2000]" onwards, and chosen key lines of them.
    QStringList sections;
    QList<QPair<QString, QString>> keys;
};

TEST_F(EdsWriterTest, ApplicationObjectsFromTheSdoTable)
{
    const SdoCase cases[] = {
        {"sub-indices 1 and 2 get a generated sub 0",
         {{"0x2000", "1", "1"}, {"0x2000", "2", "2"}},
         {},
         {QStringLiteral("[2000]"), QStringLiteral("[2000sub0]"), QStringLiteral("[2000sub1]"), QStringLiteral("[2000sub2]")},
         {{QStringLiteral("2000"), QStringLiteral("SubNumber=3")},
          {QStringLiteral("2000sub0"), QStringLiteral("DefaultValue=0x02")},
          {QStringLiteral("2000sub0"), QStringLiteral("ParameterName=Largest Sub-Index supported")},
          {QStringLiteral("2000sub0"), QStringLiteral("ObjectType=0x7")}}},
        {"sub-index 0 present: no generated sub 0",
         {{"0x2000", "0", "1"}, {"0x2000", "1", "1"}, {"0x2000", "2", "1"}},
         {},
         {QStringLiteral("[2000]"), QStringLiteral("[2000sub0]"), QStringLiteral("[2000sub1]"), QStringLiteral("[2000sub2]")},
         {{QStringLiteral("2000"), QStringLiteral("SubNumber=3")},
          {QStringLiteral("2000sub0"), QStringLiteral("ParameterName=Application Variable")}}},
        {"sub-indices are sorted and named in hexadecimal",
         {{"0x3000", "12", "1"}, {"0x3000", "10", "1"}},
         {},
         {QStringLiteral("[3000]"), QStringLiteral("[3000sub0]"), QStringLiteral("[3000subA]"), QStringLiteral("[3000subC]")},
         {{QStringLiteral("3000sub0"), QStringLiteral("DefaultValue=0x0C")}}},
        {"the same index in both lists is one object",
         {{"0x2100", "3", "1"}},
         {{"0x2100", "1", "2"}, {"0x2200", "1", "1"}},
         {QStringLiteral("[2100]"), QStringLiteral("[2100sub0]"), QStringLiteral("[2100sub1]"), QStringLiteral("[2100sub3]"),
          QStringLiteral("[2200]"), QStringLiteral("[2200sub0]"), QStringLiteral("[2200sub1]")},
         {{QStringLiteral("2100"), QStringLiteral("SubNumber=3")},
          {QStringLiteral("2100sub1"), QStringLiteral("AccessType=rw")},
          {QStringLiteral("2100sub1"), QStringLiteral("DataType=0x0006")},
          {QStringLiteral("2100sub1"), QStringLiteral("HighLimit=0xFFFF")},
          {QStringLiteral("2100sub3"), QStringLiteral("AccessType=ro")},
          {QStringLiteral("2100sub3"), QStringLiteral("DataType=0x0005")},
          {QStringLiteral("2100sub3"), QStringLiteral("HighLimit=0xFF")}}},
        {"3- and 4-byte objects are UNSIGNED32",
         {{"0x2000", "1", "4"}, {"0x2000", "2", "3"}},
         {},
         {QStringLiteral("[2000]"), QStringLiteral("[2000sub0]"), QStringLiteral("[2000sub1]"), QStringLiteral("[2000sub2]")},
         {{QStringLiteral("2000sub1"), QStringLiteral("DataType=0x0007")},
          {QStringLiteral("2000sub1"), QStringLiteral("LowLimit=0x00000000")},
          {QStringLiteral("2000sub1"), QStringLiteral("HighLimit=0xFFFFFFFF")},
          {QStringLiteral("2000sub1"), QStringLiteral("DefaultValue=0x00000000")},
          {QStringLiteral("2000sub2"), QStringLiteral("DataType=0x0007")},
          {QStringLiteral("2000sub2"), QStringLiteral("HighLimit=0xFFFFFFFF")}}},
        {"index, sub-index and size keep their low bits",
         {{"0x12000", "0x101", "0x102"}},
         {},
         {QStringLiteral("[2000]"), QStringLiteral("[2000sub0]"), QStringLiteral("[2000sub1]")},
         {{QStringLiteral("2000sub1"), QStringLiteral("DataType=0x0006")}}},
    };
    for (const SdoCase &c : cases) {
        SCOPED_TRACE(c.name);
        writeSdo(c.read, c.write);
        const QStringList lines = build();
        const QStringList names = sectionNames(lines);
        const qsizetype first = names.indexOf(c.sections.first());
        ASSERT_GE(first, 0);
        EXPECT_EQ(names.mid(first), c.sections);
        for (const auto &[sectionName, key] : c.keys)
            EXPECT_TRUE(section(lines, sectionName).contains(key)) << sectionName.toStdString() << ": " << key.toStdString();
        EXPECT_EQ(lines.mid(lines.size() - 2), QStringList({QString(), QString()})) << "ends with two empty lines";
    }
}

TEST_F(EdsWriterTest, ManufacturerObjectsListIndicesInFirstAppearanceOrder)
{
    writeSdo({{"0x2200", "1", "1"}, {"0x2000", "1", "1"}, {"0x2200", "2", "1"}}, {{"0x2100", "1", "1"}, {"0x2000", "2", "2"}});
    const QStringList lines = build();
    EXPECT_EQ(section(lines, QStringLiteral("ManufacturerObjects")),
              QStringList({QStringLiteral("SupportedObjects=3"), QStringLiteral("1=0x2200"), QStringLiteral("2=0x2000"),
                           QStringLiteral("3=0x2100")}));
    EXPECT_EQ(section(lines, QStringLiteral("2200")).first(), QStringLiteral("SubNumber=3"));
}

TEST_F(EdsWriterTest, ASubIndexListedTwiceGivesTwoSectionsInFileOrder)
{
    writeSdo({{"0x2000", "1", "1"}}, {{"0x2000", "1", "2"}});
    const QStringList lines = build();
    EXPECT_EQ(section(lines, QStringLiteral("2000")).first(), QStringLiteral("SubNumber=3"));
    const qsizetype first = lines.indexOf(QStringLiteral("[2000sub1]"));
    const qsizetype second = lines.indexOf(QStringLiteral("[2000sub1]"), first + 1);
    ASSERT_GT(second, first);
    EXPECT_EQ(lines.at(first + 3), QStringLiteral("DataType=0x0005"));
    EXPECT_EQ(lines.at(second + 3), QStringLiteral("DataType=0x0006"));
}

TEST(EdsTimeText, TwelveHourClock)
{
    const struct { int h, m; const char *text; } cases[] = {
        {0, 7, "12:07AM"}, {1, 0, "01:00AM"}, {9, 5, "09:05AM"}, {11, 59, "11:59AM"}, {12, 0, "12:00PM"},
        {12, 30, "12:30PM"}, {13, 1, "01:01PM"}, {15, 45, "03:45PM"}, {23, 59, "11:59PM"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cf::edsTimeText(QTime(c.h, c.m)), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(cf::edsDateText(QDate(2016, 3, 7)), QStringLiteral("03-07-2016"));
    EXPECT_EQ(cf::edsDateText(QDate(2026, 12, 10)), QStringLiteral("12-10-2026"));
}

struct Refusal {
    const char *name;
    const char *pdoFile; // nullptr: none
    const char *sdoFile; // nullptr: none
    const char *inMessage;
};

TEST_F(EdsWriterTest, RefusedConfigurationsWriteNothing)
{
    QList<Pdo> many;
    for (int i = 0; i < 31; ++i)
        many.append(Pdo{"0x200", "1"});
    const QByteArray thirtyOne = pdoRows(many);
    const QByteArray rx31 = "<R><Receive_PDO>" + thirtyOne + "</Receive_PDO><Transmit_PDO/></R>";
    const QByteArray tx31 = "<R><Receive_PDO/><Transmit_PDO>" + thirtyOne + "</Transmit_PDO></R>";
    const Refusal cases[] = {
        {"31 receive PDOs", rx31.constData(), nullptr, "Receive_PDO holds 31 PDOs"},
        {"31 transmit PDOs", tx31.constData(), nullptr, "Transmit_PDO holds 31 PDOs"},
        {"Dimension 0", "<R><Receive_PDO><row COB-ID=\"1\" Dimension=\"0\"/></Receive_PDO><Transmit_PDO/></R>", nullptr,
         "Dimension 0"},
        {"Dimension 9", "<R><Receive_PDO/><Transmit_PDO><row Dimension=\"9\"/></Transmit_PDO></R>", nullptr,
         "Dimension 9"},
        {"malformed PDO file", "<R><Receive_PDO>", nullptr, "PDO_CANopen.xml: line"},
        {"no Receive_PDO", "<R><Transmit_PDO/></R>", nullptr, "Receive_PDO is missing"},
        {"no Transmit_PDO", "<R><Receive_PDO/></R>", nullptr, "Transmit_PDO is missing"},
        {"malformed SDO file", nullptr, "<R><SDO_Read></R>", "SDO_Server_CANopen.xml: line"},
        {"no SDO_Read", nullptr, "<R><SDO_Write/></R>", "SDO_Read is missing"},
        {"no SDO_Write", nullptr, "<R><SDO_Read/></R>", "SDO_Write is missing"},
        {"missing Index", nullptr, "<R><SDO_Read><row SubIndex=\"1\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>",
         "row 1 of SDO_Read: the attribute Index"},
        {"SubIndex not an integer", nullptr,
         "<R><SDO_Read/><SDO_Write><row Index=\"1\" SubIndex=\"1\" NByte=\"1\"/>"
         "<row Index=\"1\" SubIndex=\"one\" NByte=\"1\"/></SDO_Write></R>",
         "row 2 of SDO_Write: the attribute SubIndex"},
        {"empty NByte", nullptr, "<R><SDO_Read><row Index=\"1\" SubIndex=\"1\" NByte=\"\"/></SDO_Read><SDO_Write/></R>",
         "the attribute NByte"},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        for (const char *name : {"PDO_CANopen.xml", "SDO_Server_CANopen.xml"})
            QFile::remove(dir.file(QString::fromLatin1(name)));
        if (c.pdoFile)
            dir.write(QStringLiteral("PDO_CANopen.xml"), c.pdoFile);
        if (c.sdoFile)
            dir.write(QStringLiteral("SDO_Server_CANopen.xml"), c.sdoFile);
        dir.write(QStringLiteral("out.eds"), "previous");
        const auto error = cf::Write_EDS_File(dir.path(), out(), kAt);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->contains(QString::fromLatin1(c.inMessage))) << error->toStdString();
        EXPECT_EQ(dir.read(QStringLiteral("out.eds")), QByteArray("previous"));
    }
}

} // namespace
