#include "editors/TextValidators.h"

#include "app/TextToInt.h"

#include <QStringList>

namespace cf {

bool Split_IP_Address(const QString &text, std::array<int, 4> &bytes)
{
    if (text.isEmpty())
        return true;
    bool invalid = false;
    QString rest = text;
    for (int position = 0; position < 4; ++position) {
        const qsizetype dot = rest.indexOf(u'.');
        const QString part = position == 3 ? rest : (dot >= 0 ? rest.left(dot) : QString());
        const int value = textToInt(part, -1);
        if (value >= 0 && value <= 255) {
            bytes[position] = value;
        } else {
            bytes[position] = 0;
            invalid = true;
        }
        if (dot >= 0)
            rest = rest.mid(dot + 1);
    }
    return invalid;
}

int Check_OID_String(const QString &text)
{
    if (text.isEmpty())
        return kOidEmpty;
    if (text.size() > kOidMaxLength)
        return 1;
    for (QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.')
            return 2;
    }
    if (text.startsWith(u'.'))
        return 3;
    if (text.endsWith(u'.'))
        return 4;
    if (text.contains(QStringLiteral("..")))
        return 5;
    for (const QString &arc : text.split(u'.')) {
        const int value = textToInt(arc.trimmed(), -1);
        if (value < 0 || value > 65535)
            return 6;
    }
    return 0;
}

} // namespace cf
