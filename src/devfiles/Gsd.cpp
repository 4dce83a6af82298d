#include "devfiles/Gsd.h"

#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"

#include <QFileInfo>
#include <QStringList>

namespace cf {

namespace {

const char kProduct[] = "PROFIBUS Slave / SNMP Manager - Converter";

QString repeat(char c, int count)
{
    return QString(count, QLatin1Char(c));
}

QString boxLine(const QString &content)
{
    return QStringLiteral(";*") + content.leftJustified(82, QLatin1Char(' '), true) + QStringLiteral("*");
}

QString boxRule()
{
    return QStringLiteral(";* ") + repeat('=', 80) + QStringLiteral(" *");
}

void banner(QStringList &out, const char *title, int width)
{
    const QString rule = QStringLiteral(";") + repeat('=', width - 1);
    QString titleLine = QStringLiteral(";==== ") + QString::fromLatin1(title) + QLatin1Char(' ');
    titleLine += repeat('=', width - int(titleLine.size()));
    out << rule << titleLine << rule << QString();
}

void lines(QStringList &out, std::initializer_list<const char *> texts)
{
    for (const char *t : texts)
        out << QString::fromLatin1(t);
}

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

int moduleCount(int bytes)
{
    return bytes > 0 ? (bytes + 63) / 64 : 0;
}

// Full modules of 64 bytes, then one carrying the rest; k runs on across calls.
void modules(QStringList &out, int bytes, const char *kind, const char *identifier, int &k)
{
    const int count = moduleCount(bytes);
    for (int m = 1; m <= count; ++m, ++k) {
        const int size = m < count ? 64 : bytes - 64 * (count - 1);
        QString line = QStringLiteral("Module=\"%1  (PORT%2)    \" 0x%3,0x")
                           .arg(QLatin1String(kind))
                           .arg(k)
                           .arg(QLatin1String(identifier));
        if (m < count)
            line += QStringLiteral("3F,0x00,0x") + hex2(k);
        else
            line += hex2(size - 1) + QStringLiteral(",0x00,0x") + hex2(k);
        out << line << QString::number(k) << QStringLiteral("EndModule");
    }
}

} // namespace

GsdInput readGsdSizes(const QString &parGenPath, const LanguageTexts &texts)
{
    GsdInput result;
    if (!QFileInfo::exists(parGenPath)) {
        result.status = GsdInput::Status::MissingParGen;
        result.message = texts[1104];
        return result;
    }
    const xml::LoadResult loaded = xml::loadFile(parGenPath);
    if (!loaded.loaded()) {
        result.status = GsdInput::Status::Malformed;
        result.message = loaded.error;
        return result;
    }
    const QDomElement root = xml::rootElement(loaded.document);
    auto size = [&root](const QString &name) {
        const std::optional<QString> text = xml::plainText(xml::childElement(root, name));
        return text ? textToInt(*text, 0) : 0;
    };
    result.sizes.O = size(QStringLiteral("PROFIBUS_Slave_NB_IN"));
    result.sizes.I = size(QStringLiteral("PROFIBUS_Slave_NB_OUT"));
    if (auto error = gsdSizeError(result.sizes, texts)) {
        result.status = GsdInput::Status::Refused;
        result.message = *error;
    }
    return result;
}

std::optional<QString> gsdSizeError(const GsdSizes &sizes, const LanguageTexts &texts)
{
    // 492 and 493 are the PROFIBUS Slave dialog's own messages for these two elements.
    const struct { int value; int text; } checks[] = {{sizes.O, 492}, {sizes.I, 493}};
    for (const auto &c : checks)
        if (c.value < 0 || c.value > kMaxProfibusBytes)
            return QStringLiteral("%1 (ParGen.xml holds %2); the GSD file was not written.")
                .arg(texts[c.text])
                .arg(c.value);
    return std::nullopt;
}

QString gsdFileName(const QString &chosen)
{
    const QString suffix = QStringLiteral(".gsd");
    const qsizetype at = chosen.toLower().indexOf(suffix);
    if (at >= 0 && at + suffix.size() == chosen.size())
        return chosen;
    return chosen + suffix;
}

QByteArray buildGsdText(const GsdSizes &sizes)
{
    const int I = sizes.I;
    const int O = sizes.O;
    const int M = moduleCount(I) + moduleCount(O);
    const QString product = QString::fromLatin1(kProduct);
    QStringList out;

    out << QStringLiteral(";");
    out << QStringLiteral(";") + repeat('*', 19) + QLatin1Char(' ') + product + QLatin1Char(' ') + repeat('*', 22);
    out << boxRule();
    out << boxLine(QString()) << boxLine(QStringLiteral(" Vendor:   Velmora s.r.l."));
    const QString indent(11, QLatin1Char(' '));
    for (const char *contact : {"Via dei Telai, 14", "27099 Borgo Velmora", "Provincia di Velmora - Italy",
                                "Tel. : +39 0382 555 0140", "FAX. : +39 0382 555 0141",
                                "eMail: support@velmora.example"})
        out << boxLine(indent + QString::fromLatin1(contact));
    out << boxLine(QString());
    out << boxRule();
    out << boxLine(QString()) << boxLine(QStringLiteral(" Function:       ") + product) << boxLine(QString())
        << boxLine(QString()) << boxLine(QStringLiteral(" Order Number : GW40213-A1")) << boxLine(QString())
        << boxLine(QString());
    out << QStringLiteral(";") + repeat('*', 84);
    out << QString() << QString() << QStringLiteral("#Profibus_DP") << QString() << QString();

    banner(out, "Prm-Text-Def-List", 85);
    lines(out, {"PrmText=1", "Text(0)=\"disable\"", "Text(1)=\"enable\"", "EndPrmText", "", "PrmText  = 2",
                "Text(0)  = \"clock up\"", "Text(1)  = \"clock down\"", "EndPrmText", "", "PrmText  = 3",
                "Text(1)  = \"10\"", "Text(2)  = \"20\"", "Text(3)  = \"30\"", "Text(4)  = \"40\"",
                "Text(5)  = \"50\"", "EndPrmText", "", ""});

    banner(out, "Ext-User-Prm-Data-Def-List", 86);
    lines(out, {"ExtUserPrmData=1 \"[SlotNumber]\"", "Unsigned8 0 0-32", "EndExtUserPrmData", "",
                "ExtUserPrmData=2 \"Diagnostic Alarm\"", "Bit(0) 0 0-1", "Prm_Text_Ref=1", "EndExtUserPrmData", "",
                "ExtUserPrmData=3 \"Process Alarm\"", "Bit(1) 0 0-1", "Prm_Text_Ref=1", "EndExtUserPrmData", "",
                "ExtUserPrmData=4 \"Counter mode\"", "Unsigned8 0 0-1", "Prm_Text_Ref=2", "EndExtUserPrmData", "",
                "ExtUserPrmData=5 \"Counter timebase (ms)\"", "Unsigned8 1 1-5", "Prm_Text_Ref=3",
                "EndExtUserPrmData", "", "ExtUserPrmData=6 \"Counter high-limit\"", "Unsigned16 65535 0-65535",
                "EndExtUserPrmData", "", "ExtUserPrmData=7 \"Counter low-limit\"", "Unsigned16 0 0-65535",
                "EndExtUserPrmData", "", ""});

    banner(out, "General DP Keywords", 86);
    lines(out, {"GSD_Revision = 5", "Vendor_Name = \"Velmora\"", "Model_Name = \"GW40213\"", "Revision = \"1.00\"",
                "Ident_Number = 0xC4A7", "Protocol_Ident = 0", "Station_Type = 0", "FMS_supp = 0",
                "Hardware_Release = \"V1.00\"", "Software_Release = \"V1.00\"", "Redundancy = 0",
                "Repeater_Ctrl_Sig = 2", "24V_Pins = 0", "", ""});

    banner(out, "Supported baudrates", 79);
    lines(out, {"9.6_supp = 1", "19.2_supp = 1", "45.45_supp = 1", "93.75_supp = 1", "187.5_supp = 1",
                "500_supp = 1", "1.5M_supp = 1", "3M_supp = 1", "6M_supp = 1", "12M_supp = 1", "",
                "MaxTsdr_9.6=15", "MaxTsdr_19.2=15", "MaxTsdr_45.45=15", "MaxTsdr_93.75=15", "MaxTsdr_187.5=15",
                "MaxTsdr_500=15", "MaxTsdr_1.5M=20", "MaxTsdr_3M=35", "MaxTsdr_6M=50", "MaxTsdr_12M=95", "", ""});

    banner(out, "Slave specific values", 79);
    lines(out, {"OrderNumber=\"GW40213\"", "Slave_Family = 9@Velmora@GW40213", "Implementation_Type = \"VPC3+\"",
                "Info_Text=\"Velmora: PROFIBUS Slave / SNMP Manager - Converter\"",
                "Bitmap_Device = \"DPV0_1N\"", "Bitmap_SF=\"DPV0_1S\"", "", "Freeze_Mode_supp=1",
                "Sync_Mode_supp=1", "Fail_Safe=1", "Auto_Baud_supp=1", "Set_Slave_Add_supp=0", "",
                "Min_Slave_Intervall=6", "", "Modular_Station=1"});
    out << QStringLiteral("Max_Module=") + QString::number(M);
    out << QStringLiteral("Modul_Offset=1");
    out << QStringLiteral("Max_Input_Len=") + QString::number(I);
    out << QStringLiteral("Max_Output_Len=") + QString::number(O);
    out << QStringLiteral("Max_Data_Len=") + QString::number(I + O);
    lines(out, {"Max_Diag_Data_Len=15", "", "WD_Base_1ms_supp = 1", "Publisher_supp = 1", ""});

    banner(out, "User-Prm-Data", 79);
    lines(out, {"Max_User_Prm_Data_Len = 12", "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00", ""});

    banner(out, "Modulstatus", 79);
    lines(out, {"Unit_Diag_Area = 24 - 25", "Value(1)= \"Slot 1: Module error\"", "Value(2)= \"Slot 1: Wrong module\"",
                "Value(3)= \"Slot 1: No module\"", "Unit_Diag_Area_End", "Unit_Diag_Area = 26 - 27",
                "Value(1)= \"Slot 2: Module error\"", "Value(2)= \"Slot 2: Wrong module\"",
                "Value(3)= \"Slot 2: No module\"", "Unit_Diag_Area_End", "", ""});

    banner(out, "Module-Definition-List", 79);
    int k = 1;
    modules(out, I, "DI", "42", k);
    modules(out, O, "DO", "82", k);
    out << QString() << QString() << QString() << QStringLiteral("SlotDefinition");
    for (int s = 1; s <= M; ++s)
        out << QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(s);
    out << QStringLiteral("EndSlotDefinition") << QString() << QString() << QString() << QString();

    QByteArray bytes;
    for (const QString &l : out) {
        bytes += l.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> Write_GSD_File(const QString &path, const GsdSizes &sizes, const LanguageTexts &texts)
{
    if (auto error = gsdSizeError(sizes, texts))
        return error;
    QString error;
    if (!replaceFile(path, buildGsdText(sizes), &error))
        return error;
    return std::nullopt;
}

} // namespace cf
