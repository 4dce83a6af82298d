#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace cf {

// One PDO of the configuration's PDO table.
struct PdoEntry {
    quint32 cobId = 0;
    int dimension = 8;
};

struct SDO_Sub_Type {
    quint8 Sub = 0;
    quint8 Quantity = 0;
    bool Readonly = false;
    QString Mnemonic;
};

struct SDO_Index {
    quint16 Index = 0;
    QList<SDO_Sub_Type> Sub_Indexs;
};

// What the EDS is built from, collected afresh on every run.
struct EdsInput {
    QList<PdoEntry> receive;
    QList<PdoEntry> transmit;
    QList<SDO_Index> sdo;
};

// Room per direction: the PDO editor's tables and the name tables both hold 30.
constexpr int kMaxPdosPerDirection = 30;

// Reads PDO_CANopen.xml and SDO_Server_CANopen.xml of the configuration folder. Missing files
// give empty lists; a file that cannot be read as expected gives the message to show.
std::optional<QString> readEdsInput(const QString &projectDir, EdsInput *input);

// "03:45PM"; midnight and noon are "12:..AM" and "12:..PM".
QString edsTimeText(const QTime &time);
// "03-07-2016" (month-day-year).
QString edsDateText(const QDate &date);

// The whole EDS text, CR LF after every line.
QByteArray buildEdsText(const EdsInput &input, const QDateTime &at);

// Builds the EDS of the configuration in projectDir and replaces `path` with it, stamped
// with `at`. Returns the message to show when nothing could be written.
std::optional<QString> Write_EDS_File(const QString &projectDir, const QString &path, const QDateTime &at);

} // namespace cf
