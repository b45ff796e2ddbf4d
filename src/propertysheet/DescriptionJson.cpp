#include <corvane/DescriptionJson.h>

#include "propertysheet/DescriptionJsonReader.h"
#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/JsonNumbers.h"

#include <QStringList>

namespace {

QString quoted(QString const& text)
{
    QString out = QStringLiteral("\"");
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair
            = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\') + c;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\t");
        } else if (c.unicode() < 0x20 || (c.isSurrogate() && !pair)) {
            // Control characters, and surrogates without their other half, which UTF-8 cannot
            // carry.
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
            if (pair)
                out += text.at(++i);
        }
    }
    return out + QLatin1Char('"');
}

QString json(QVariant const& value);

template<class Map> QString object(Map const& map)
{
    QStringList members;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        members << quoted(it.key()) + QStringLiteral(": ") + json(it.value());
    members.sort(); // a hash has no order of its own
    return QLatin1Char('{') + members.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString json(QVariant const& value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("null");
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        return QString::number(value.toULongLong());
    case QMetaType::Float:
        return JsonNumbers::floatText(value.toFloat());
    case QMetaType::Double:
        return JsonNumbers::doubleText(value.toDouble());
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        QStringList items;
        for (const QVariant& item : value.toList())
            items << json(item);
        return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case QMetaType::QVariantMap:
        return object(value.toMap());
    case QMetaType::QVariantHash:
        return object(value.toHash());
    default:
        return value.canConvert<QString>() ? quoted(value.toString()) : QStringLiteral("null");
    }
}

} // namespace

QString DescriptionJsonError::toString() const
{
    if (!isError())
        return QString();
    const QString where = QStringLiteral("line %1, column %2").arg(line).arg(column);
    if (key.isEmpty())
        return QStringLiteral("%1: %2").arg(where, message);
    return QStringLiteral("%1, key \"%2\": %3").arg(where, key, message);
}

namespace corvane {

QByteArray descriptionsToJson(PropertyDescriptionList const& list)
{
    QStringList records;
    for (const PropertyDescription& record : list) {
        // The type first, for the reader's eye; the rest in the map's order.
        QStringList members;
        const auto type = record.constFind(PropertyKey::Type);
        if (type != record.cend())
            members << quoted(type.key()) + QStringLiteral(": ") + json(*type);
        for (auto it = record.cbegin(); it != record.cend(); ++it) {
            if (it != type)
                members << quoted(it.key()) + QStringLiteral(": ") + json(it.value());
        }
        records << QStringLiteral("  {") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    if (records.isEmpty())
        return "[]\n";
    return (QStringLiteral("[\n") + records.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n"))
        .toUtf8();
}

PropertyDescriptionList descriptionsFromJson(QByteArray const& json, DescriptionJsonError* error)
{
    return DescriptionJsonReader(json).read(error);
}

} // namespace corvane
