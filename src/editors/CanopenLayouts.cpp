#include "editors/CanopenTables.h"

namespace cf {

namespace {

using Editor = CanopenColumn::Editor;

CanopenColumn rowNumber(int header)
{
    return CanopenColumn{header, 40, -1, Editor::PlainText, {}, {}};
}

CanopenColumn column(int header, int width, int hint, const char *attribute,
                     Editor editor = Editor::PlainText)
{
    return CanopenColumn{header, width, hint, editor, {}, QString::fromLatin1(attribute)};
}

// Address_B<first> ... Address_B<last>, headers and hints running on from the given indices.
void addByteColumns(QList<CanopenColumn> &columns, int count, int header, int hint, int width)
{
    for (int k = 1; k <= count; ++k)
        columns.append(CanopenColumn{header + k - 1, width, hint + k - 1, Editor::PlainText, {},
                                     QStringLiteral("Address_B%1").arg(k)});
}

CanopenTableLayout sdoServerTable(bool write)
{
    const int header = write ? 717 : 708;
    const int hint = write ? 740 : 732;
    CanopenTableLayout t;
    t.pageName = write ? QStringLiteral("TS_SDO_Write") : QStringLiteral("TS_SDO_Read");
    t.gridName = write ? QStringLiteral("sgb") : QStringLiteral("sga");
    t.pageText = write ? 707 : 706;
    t.section = write ? QStringLiteral("SDO_Write") : QStringLiteral("SDO_Read");
    t.ruleRows = 500;
    t.columns = {rowNumber(header), column(header + 1, 65, hint, "Index"),
                 column(header + 2, 61, hint + 1, "SubIndex"),
                 column(header + 3, 55, hint + 2, "NByte")};
    addByteColumns(t.columns, 4, header + 4, hint + 3, 80);
    t.columns.append(column(header + 8, 225, hint + 7, "Mnemonic"));
    return t;
}

CanopenTableLayout sdoClientTable(bool write)
{
    const int header = write ? 821 : 810;
    const int hint = write ? 849 : 839;
    CanopenTableLayout t;
    t.pageName = write ? QStringLiteral("TS_SDO_Write") : QStringLiteral("TS_SDO_Read");
    t.gridName = write ? QStringLiteral("sgb") : QStringLiteral("sga");
    t.pageText = write ? 809 : 808;
    t.section = write ? QStringLiteral("SDO_Write") : QStringLiteral("SDO_Read");
    t.ruleRows = 256;
    t.columns = {rowNumber(header), column(header + 1, 60, hint, "Device_ID"),
                 column(header + 2, 55, hint + 1, "Index"),
                 column(header + 3, 60, hint + 2, "SubIndex"),
                 column(header + 4, 45, hint + 3, "NByte"),
                 column(header + 5, 60, hint + 4, "Poll_Time")};
    int next = 6;
    if (write) {
        t.columns.append(column(header + next, 68, hint + next - 1, "On_Change", Editor::CheckBox));
        ++next;
    }
    addByteColumns(t.columns, 4, header + next, hint + next - 1, 70);
    next += 4;
    t.columns.append(column(header + next, write ? 95 : 163, hint + next - 1, "Mnemonic"));
    return t;
}

CanopenTableLayout pdoTable(bool transmit)
{
    const int header = transmit ? 923 : 910;
    const int hint = transmit ? 955 : 943;
    CanopenTableLayout t;
    t.pageName = transmit ? QStringLiteral("TS_Transmit_PDO") : QStringLiteral("TS_Receive_PDO");
    t.gridName = transmit ? QStringLiteral("sgb") : QStringLiteral("sga");
    t.pageText = transmit ? 909 : 908;
    t.section = transmit ? QStringLiteral("Transmit_PDO") : QStringLiteral("Receive_PDO");
    t.ruleRows = 30;
    t.columns = {rowNumber(header), column(header + 1, 65, hint, "COB-ID"),
                 column(header + 2, 65, hint + 1, "Dimension")};
    addByteColumns(t.columns, 8, header + 3, hint + 2, 45);
    if (transmit) {
        t.columns.append(column(header + 11, 65, hint + 10, "Send_Time"));
        t.columns.append(column(header + 12, 68, hint + 11, "On_Change", Editor::CheckBox));
        t.columns.append(column(header + 13, 105, hint + 12, "Mnemonic"));
    } else {
        t.columns.append(column(header + 11, 65, hint + 10, "TimeOut"));
        t.columns.append(column(header + 12, 168, hint + 11, "Mnemonic"));
    }
    return t;
}

CanopenDialogTexts dialogTexts(int base, int copyRow, int pasteRow, int hints, int confirm,
                               int errorRow)
{
    CanopenDialogTexts t;
    t.caption = base;
    t.description = base + 1;
    t.ok = base + 2;
    t.cancel = base + 3;
    t.deleteRow = base + 4;
    t.insertRow = base + 5;
    t.copyRow = copyRow;
    t.pasteRow = pasteRow;
    t.okHint = hints;
    t.cancelHint = hints + 1;
    t.deleteRowHint = hints + 2;
    t.insertRowHint = hints + 3;
    t.copyRowHint = hints + 4;
    t.pasteRowHint = hints + 5;
    t.deleteConfirm = confirm;
    t.errorRow = errorRow;
    return t;
}

CanopenLayout makeSdoServer()
{
    CanopenLayout l;
    l.file = CanopenFile::SdoServer;
    l.fileName = QStringLiteral("SDO_Server_CANopen.xml");
    l.rootName = QStringLiteral("DeviceNet_Master_to_SDO_CANopen");
    l.tables = {sdoServerTable(false), sdoServerTable(true)};
    l.sharedCopyFlag = true;
    l.copyFlagNames = {QStringLiteral("Do_Copy"), QStringLiteral("Do_Copy")};
    l.texts = dialogTexts(700, 766, 767, 726, 765, 748);
    return l;
}

CanopenLayout makeSdoClient()
{
    CanopenLayout l;
    l.file = CanopenFile::SdoClient;
    l.fileName = QStringLiteral("SDO_Client_CANopen.xml");
    l.rootName = QStringLiteral("DeviceNet_Master_to_SDO_CANopen");
    l.tables = {sdoClientTable(false), sdoClientTable(true)};
    l.copyFlagNames = {QStringLiteral("Do_Copy_Read"), QStringLiteral("Do_Copy_Write")};
    l.texts = dialogTexts(800, 806, 807, 833, 879, 860);
    return l;
}

CanopenLayout makePdo()
{
    CanopenLayout l;
    l.file = CanopenFile::Pdo;
    l.fileName = QStringLiteral("PDO_CANopen.xml");
    l.rootName = QStringLiteral("DeviceNet_Master_to_PDO");
    l.tables = {pdoTable(false), pdoTable(true)};
    l.copyFlagNames = {QStringLiteral("Do_Copy_Receive"), QStringLiteral("Do_Copy_Transmit")};
    l.texts = dialogTexts(900, 906, 907, 937, 991, 968);
    return l;
}

} // namespace

const CanopenLayout &canopenLayout(CanopenFile file)
{
    static const CanopenLayout server = makeSdoServer();
    static const CanopenLayout client = makeSdoClient();
    static const CanopenLayout pdo = makePdo();
    switch (file) {
    case CanopenFile::SdoServer:
        return server;
    case CanopenFile::SdoClient:
        return client;
    case CanopenFile::Pdo:
        break;
    }
    return pdo;
}

} // namespace cf
