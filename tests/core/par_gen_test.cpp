#include <gtest/gtest.h>

#include "TestSupport.h"
#include "editors/ParGen.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"

#include <QSaveFile>
#include <functional>

namespace {

using cf::ParGenData;
using cf::ParGenItem;
using cf::ParGenLoad;

std::string s(const QString &text)
{
    return text.toStdString();
}

// The bytes written for a configuration left at its defaults.
const QByteArray kDefaultFile =
    "<Par_Gen><SNMP_Manager_IP1>192</SNMP_Manager_IP1><SNMP_Manager_IP2>168</SNMP_Manager_IP2>"
    "<SNMP_Manager_IP3>0</SNMP_Manager_IP3><SNMP_Manager_IP4>10</SNMP_Manager_IP4>"
    "<SNMP_Manager_SM1>255</SNMP_Manager_SM1><SNMP_Manager_SM2>255</SNMP_Manager_SM2>"
    "<SNMP_Manager_SM3>255</SNMP_Manager_SM3><SNMP_Manager_SM4>0</SNMP_Manager_SM4>"
    "<SNMP_Manager_GAT1>192</SNMP_Manager_GAT1><SNMP_Manager_GAT2>168</SNMP_Manager_GAT2>"
    "<SNMP_Manager_GAT3>0</SNMP_Manager_GAT3><SNMP_Manager_GAT4>1</SNMP_Manager_GAT4>"
    "<SNMP_Manager_EN_GAT>0</SNMP_Manager_EN_GAT><SNMP_Name_of_Station>devicename1</SNMP_Name_of_Station>"
    "<EtherNetIP_IP1>192</EtherNetIP_IP1><EtherNetIP_IP2>168</EtherNetIP_IP2>"
    "<EtherNetIP_IP3>0</EtherNetIP_IP3><EtherNetIP_IP4>5</EtherNetIP_IP4>"
    "<EtherNetIP_SM1>255</EtherNetIP_SM1><EtherNetIP_SM2>255</EtherNetIP_SM2>"
    "<EtherNetIP_SM3>255</EtherNetIP_SM3><EtherNetIP_SM4>0</EtherNetIP_SM4>"
    "<EtherNetIP_GAT1>192</EtherNetIP_GAT1><EtherNetIP_GAT2>168</EtherNetIP_GAT2>"
    "<EtherNetIP_GAT3>0</EtherNetIP_GAT3><EtherNetIP_GAT4>1</EtherNetIP_GAT4>"
    "<EtherNetIP_EN_GAT>0</EtherNetIP_EN_GAT><EtherNetIP_PORT>44818</EtherNetIP_PORT>"
    "<EtherNetIP_NB_Input>496</EtherNetIP_NB_Input><EtherNetIP_NB_Output>496</EtherNetIP_NB_Output>"
    "</Par_Gen><!--SW_VERSION = 1.000-->\n";

TEST(ParGenWriter, DefaultsGiveTheExactFile)
{
    EXPECT_EQ(cf::parGenBytes(ParGenData()).toStdString(), kDefaultFile.toStdString());
}

TEST(ParGenWriter, WhatIsWrittenReadsBackToTheSameBytes)
{
    struct Case {
        const char *name;
        std::function<void(ParGenData &)> edit;
    };
    const Case cases[] = {
        {"defaults", [](ParGenData &) {}},
        {"non-ASCII station name", [](ParGenData &d) { d[ParGenItem::SNMP_Name_of_Station] = QString::fromUtf16(u"Zürich-Ωμέγα€"); }},
        {"markup characters", [](ParGenData &d) { d[ParGenItem::SNMP_Name_of_Station] = QStringLiteral("a<b>&\"c'd]]>"); }},
        {"blanks only", [](ParGenData &d) { d[ParGenItem::SNMP_Name_of_Station] = QStringLiteral("   "); }},
        {"blanks around", [](ParGenData &d) { d[ParGenItem::SNMP_Name_of_Station] = QStringLiteral("  x  "); }},
        {"empty name and byte", [](ParGenData &d) {
             d[ParGenItem::SNMP_Name_of_Station].clear();
             d[ParGenItem::EtherNetIP_IP2].clear();
         }},
        {"unchecked leading zeros and gateway 300", [](ParGenData &d) {
             d[ParGenItem::SNMP_Manager_IP1] = QStringLiteral("010");
             d[ParGenItem::SNMP_Manager_GAT3] = QStringLiteral("300");
             d.setFlag(ParGenItem::EtherNetIP_EN_GAT, true);
         }},
        {"name longer than 15", [](ParGenData &d) { d[ParGenItem::SNMP_Name_of_Station] = QStringLiteral("a-very-long-station-name"); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ParGenData data;
        c.edit(data);
        cf::test::TempExeDir dir;
        const QString path = dir.file(QStringLiteral("ParGen.xml"));
        QString error;
        ASSERT_TRUE(cf::saveParGen(path, data, &error)) << s(error);
        const QByteArray first = cf::test::readFile(path);

        const ParGenLoad loaded = cf::loadParGen(path);
        ASSERT_EQ(loaded.status, ParGenLoad::Status::Loaded) << s(loaded.error);
        EXPECT_TRUE(loaded.data == data);
        EXPECT_EQ(s(loaded.data[ParGenItem::SNMP_Name_of_Station]), s(data[ParGenItem::SNMP_Name_of_Station]));

        ASSERT_TRUE(cf::saveParGen(path, loaded.data, &error)) << s(error);
        EXPECT_EQ(cf::test::readFile(path).toStdString(), first.toStdString());
    }
}

TEST(ParGenWriter, NonAsciiIsStoredAsUtf8)
{
    ParGenData data;
    data[ParGenItem::SNMP_Name_of_Station] = QString::fromUtf16(u"Köln");
    EXPECT_NE(cf::parGenBytes(data).indexOf("<SNMP_Name_of_Station>K\xc3\xb6ln</SNMP_Name_of_Station>"), -1);
}

TEST(ParGenReader, MissingFileGivesDefaults)
{
    cf::test::TempExeDir dir;
    const ParGenLoad loaded = cf::loadParGen(dir.file(QStringLiteral("ParGen.xml")));
    EXPECT_EQ(loaded.status, ParGenLoad::Status::Missing);
    EXPECT_TRUE(loaded.data == ParGenData());
    EXPECT_EQ(s(loaded.data[ParGenItem::SNMP_Manager_IP4]), "10");
    EXPECT_EQ(s(loaded.data[ParGenItem::EtherNetIP_IP4]), "5");
    EXPECT_FALSE(loaded.data.flag(ParGenItem::SNMP_Manager_EN_GAT));
    EXPECT_FALSE(loaded.data.flag(ParGenItem::EtherNetIP_EN_GAT));
}

TEST(ParGenReader, EachElementOnItsOwn)
{
    struct Case {
        const char *name;
        QByteArray body; // children of the root
        ParGenItem item;
        const char *expected;
    };
    const Case cases[] = {
        {"missing element", "<SNMP_Manager_IP1>7</SNMP_Manager_IP1>", ParGenItem::SNMP_Manager_IP2, "168"},
        {"present element", "<SNMP_Manager_IP1>7</SNMP_Manager_IP1>", ParGenItem::SNMP_Manager_IP1, "7"},
        {"empty element", "<EtherNetIP_NB_Input/>", ParGenItem::EtherNetIP_NB_Input, ""},
        {"element with children", "<SNMP_Name_of_Station><x>1</x></SNMP_Name_of_Station>",
         ParGenItem::SNMP_Name_of_Station, "devicename1"},
        {"one bad element leaves the next", "<EtherNetIP_IP1><x/></EtherNetIP_IP1><EtherNetIP_IP2>9</EtherNetIP_IP2>",
         ParGenItem::EtherNetIP_IP2, "9"},
        {"yes does not tick", "<SNMP_Manager_EN_GAT>yes</SNMP_Manager_EN_GAT>", ParGenItem::SNMP_Manager_EN_GAT, "0"},
        {" 1 does not tick", "<EtherNetIP_EN_GAT> 1</EtherNetIP_EN_GAT>", ParGenItem::EtherNetIP_EN_GAT, "0"},
        {"1 ticks", "<EtherNetIP_EN_GAT>1</EtherNetIP_EN_GAT>", ParGenItem::EtherNetIP_EN_GAT, "1"},
        {"stored port is never shown", "<EtherNetIP_PORT>502</EtherNetIP_PORT>", ParGenItem::EtherNetIP_PORT, "44818"},
        {"empty port is never shown", "<EtherNetIP_PORT/>", ParGenItem::EtherNetIP_PORT, "44818"},
        {"CDATA text", "<SNMP_Name_of_Station><![CDATA[a<b]]></SNMP_Name_of_Station>",
         ParGenItem::SNMP_Name_of_Station, "a<b"},
        {"nothing normalised", "<SNMP_Manager_SM1>0255</SNMP_Manager_SM1>", ParGenItem::SNMP_Manager_SM1, "0255"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ParGenLoad loaded = cf::parseParGen("<Par_Gen>" + c.body + "</Par_Gen>", QStringLiteral("ParGen.xml"));
        ASSERT_EQ(loaded.status, ParGenLoad::Status::Loaded);
        EXPECT_EQ(s(loaded.data[c.item]), c.expected);
    }
}

TEST(ParGenReader, RootIsTheFirstElementWhateverItsName)
{
    const ParGenLoad loaded = cf::parseParGen(
        "<?xml version=\"1.0\"?><!--x--><Other><EtherNetIP_IP4>77</EtherNetIP_IP4></Other>",
        QStringLiteral("ParGen.xml"));
    ASSERT_EQ(loaded.status, ParGenLoad::Status::Loaded);
    EXPECT_EQ(s(loaded.data[ParGenItem::EtherNetIP_IP4]), "77");
}

TEST(ParGenReader, MalformedFileFailsWithLineAndColumn)
{
    cf::test::TempExeDir dir;
    const QString path = dir.file(QStringLiteral("ParGen.xml"));
    cf::test::writeFile(path, "<Par_Gen>\n<SNMP_Manager_IP1>1</SNMP_Manager_IP2>");
    const ParGenLoad loaded = cf::loadParGen(path);
    EXPECT_TRUE(loaded.failed());
    EXPECT_NE(loaded.error.indexOf(path), -1) << s(loaded.error);
    EXPECT_NE(loaded.error.indexOf(QStringLiteral("line 2")), -1) << s(loaded.error);
}

TEST(ParGenValidation, FirstFailingFieldGivesItsMessage)
{
    const cf::LanguageTexts texts;
    struct Case {
        const char *name;
        std::function<void(ParGenData &)> edit;
        int message; // -1: passes
        const char *suffix;
    };
    const auto set = [](ParGenItem item, const char *text) {
        return [item, text](ParGenData &d) { d[item] = QString::fromLatin1(text); };
    };
    const Case cases[] = {
        {"defaults pass", [](ParGenData &) {}, -1, ""},
        {"gateway 300, box unticked", set(ParGenItem::SNMP_Manager_GAT3, "300"), -1, ""},
        {"gateway 300, box ticked", [](ParGenData &d) {
             d[ParGenItem::SNMP_Manager_GAT3] = QStringLiteral("300");
             d.setFlag(ParGenItem::SNMP_Manager_EN_GAT, true);
         }, 454, ""},
        {"EtherNet/IP gateway 300, box unticked", set(ParGenItem::EtherNetIP_GAT1, "300"), -1, ""},
        {"EtherNet/IP gateway 300, box ticked", [](ParGenData &d) {
             d[ParGenItem::EtherNetIP_GAT1] = QStringLiteral("300");
             d.setFlag(ParGenItem::EtherNetIP_EN_GAT, true);
         }, 544, ""},
        {"497 input bytes", set(ParGenItem::EtherNetIP_NB_Input, "497"), 549, "496"},
        {"0 input bytes", set(ParGenItem::EtherNetIP_NB_Input, "0"), -1, ""},
        {"496 output bytes", set(ParGenItem::EtherNetIP_NB_Output, "496"), -1, ""},
        {"-1 output bytes", set(ParGenItem::EtherNetIP_NB_Output, "-1"), 550, "496"},
        {"empty output size", set(ParGenItem::EtherNetIP_NB_Output, ""), 550, "496"},
        {"empty IP byte", set(ParGenItem::SNMP_Manager_IP2, ""), 445, ""},
        {"256 in EtherNet/IP IP4", set(ParGenItem::EtherNetIP_IP4, "256"), 539, ""},
        {"letters in a mask byte", set(ParGenItem::SNMP_Manager_SM4, "2a"), 451, ""},
        {"EtherNet/IP mask", set(ParGenItem::EtherNetIP_SM2, "999"), 541, ""},
        {"hexadecimal converts", set(ParGenItem::SNMP_Manager_IP1, "$FF"), -1, ""},
        {"blank before digits converts", set(ParGenItem::SNMP_Manager_IP1, " 12"), -1, ""},
        {"port other than 44818", set(ParGenItem::EtherNetIP_PORT, "502"), 548, ""},
        {"non-contiguous mask passes", set(ParGenItem::EtherNetIP_SM3, "7"), -1, ""},
        {"name not validated", set(ParGenItem::SNMP_Name_of_Station, "!!! way more than fifteen"), -1, ""},
        {"first failure wins", [](ParGenData &d) {
             d[ParGenItem::EtherNetIP_NB_Input] = QStringLiteral("999");
             d[ParGenItem::EtherNetIP_IP1] = QStringLiteral("999");
             d[ParGenItem::SNMP_Manager_SM3] = QStringLiteral("999");
         }, 450, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ParGenData data;
        c.edit(data);
        const std::optional<QString> error = cf::Controllo_Dati(data, texts);
        if (c.message < 0) {
            EXPECT_FALSE(error.has_value()) << s(error.value_or(QString()));
        } else {
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(s(*error), s(texts[c.message] + QString::fromLatin1(c.suffix)));
        }
    }
}

TEST(ParGenValidation, SizeMessagesEndWithTheLimit)
{
    const cf::LanguageTexts texts;
    ParGenData data;
    data[ParGenItem::EtherNetIP_NB_Input] = QStringLiteral("497");
    EXPECT_EQ(s(cf::Controllo_Dati(data, texts).value_or(QString())),
              "Error EtherNet/IP!! Number Byte Input must be between 0 and 496");
    data[ParGenItem::EtherNetIP_NB_Input] = QStringLiteral("1");
    data[ParGenItem::EtherNetIP_NB_Output] = QStringLiteral("x");
    EXPECT_EQ(s(cf::Controllo_Dati(data, texts).value_or(QString())),
              "Error EtherNet/IP!! Number Byte Output must be between 0 and 496");
}

TEST(ParGenSizes, InputAndOutputAreSeenFromTheManagerSide)
{
    struct Case {
        const char *input;
        const char *output;
        int nbIn;
        int nbOut;
    };
    const Case cases[] = {
        {"496", "496", 496, 496},
        {"10", "20", 20, 10},
        {"", "abc", 496, 496},
        {"0", "0", 0, 0},
        {"0x10", "600", 600, 16},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        ParGenData data;
        data[ParGenItem::EtherNetIP_NB_Input] = QString::fromLatin1(c.input);
        data[ParGenItem::EtherNetIP_NB_Output] = QString::fromLatin1(c.output);
        const cf::EtherNetIpSizes sizes = cf::etherNetIpSizes(data);
        EXPECT_EQ(sizes.app_NB_IN, c.nbIn);
        EXPECT_EQ(sizes.app_NB_OUT, c.nbOut);
    }
}

} // namespace
