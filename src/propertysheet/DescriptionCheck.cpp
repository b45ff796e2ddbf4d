#include "propertysheet/DescriptionCheck.h"

#include "propertysheet/DescriptionKeys.h"

#include <QMetaType>

#include <algorithm>
#include <iterator>

Q_LOGGING_CATEGORY(lcSheet, "corvane.sheet", QtWarningMsg)

namespace DescriptionCheck {

bool isIntegerType(int type)
{
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

namespace {

bool isInteger(QVariant const& value)
{
    return isIntegerType(value.userType());
}

bool isNumber(QVariant const& value)
{
    const int type = value.userType();
    return isInteger(value) || type == QMetaType::Float || type == QMetaType::Double;
}

bool isText(QVariant const& value)
{
    return value.userType() == QMetaType::QString;
}

bool areEntries(QVariant const& value)
{
    switch (value.userType()) {
    case QMetaType::QStringList:
        return true;
    case QMetaType::QVariantList: {
        const QVariantList items = value.toList();
        return std::all_of(items.cbegin(), items.cend(), isText);
    }
    case QMetaType::QVariantMap: {
        const QVariantMap items = value.toMap();
        return std::all_of(items.cbegin(), items.cend(), isNumber);
    }
    default:
        return false;
    }
}

} // namespace

bool kindOf(QString const& key, Kind* kind)
{
    static const std::pair<QLatin1String, Kind> kinds[] = { { PropertyKey::Type, Kind::Text },
        { PropertyKey::Label, Kind::Text }, { PropertyKey::Prop, Kind::Text },
        { PropertyKey::MinValue, Kind::Number }, { PropertyKey::MaxValue, Kind::Number },
        { PropertyKey::Precision, Kind::Number }, { PropertyKey::Flags, Kind::Integer },
        { PropertyKey::IsEditable, Kind::Boolean }, { PropertyKey::Order, Kind::Integer },
        { PropertyKey::Mode, Kind::Text }, { PropertyKey::Value, Kind::TextOrInteger },
        { PropertyKey::ObjectId, Kind::Text }, { PropertyKey::Values, Kind::Entries },
        { PropertyKey::ToolTip, Kind::Text }, { PropertyKey::Default, Kind::Value },
        { PropertyKey::Percent, Kind::Boolean }, { PropertyKey::Padding, Kind::Integer } };
    const auto it = std::find_if(
        std::begin(kinds), std::end(kinds), [&key](auto const& k) { return key == k.first; });
    if (it == std::end(kinds))
        return false;
    *kind = it->second;
    return true;
}

bool fits(Kind kind, QVariant const& value)
{
    switch (kind) {
    case Kind::Text:
        return isText(value);
    case Kind::Integer:
        return isInteger(value);
    case Kind::Number:
        return isNumber(value);
    case Kind::Boolean:
        return value.userType() == QMetaType::Bool;
    case Kind::TextOrInteger:
        return isText(value) || isInteger(value);
    case Kind::Entries:
        return areEntries(value);
    case Kind::Value:
        return value.isValid();
    }
    return false;
}

QString expected(Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return QStringLiteral("a string");
    case Kind::Integer:
        return QStringLiteral("an integer");
    case Kind::Number:
        return QStringLiteral("a number");
    case Kind::Boolean:
        return QStringLiteral("true or false");
    case Kind::TextOrInteger:
        return QStringLiteral("a string or an integer");
    case Kind::Entries:
        return QStringLiteral("a list of strings or an object of numbers");
    case Kind::Value:
        return QStringLiteral("a value");
    }
    return QString();
}

QStringList problems(PropertyDescription const& record)
{
    QStringList found;
    const QString type = record.value(PropertyKey::Type).toString();
    if (std::none_of(std::begin(RowType::All), std::end(RowType::All),
            [&type](QLatin1String known) { return type == known; }))
        found << QStringLiteral("unknown type \"%1\"").arg(type);
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        Kind kind;
        if (!kindOf(it.key(), &kind))
            found << QStringLiteral("unknown key \"%1\"").arg(it.key());
        else if (!fits(kind, it.value()))
            found << QStringLiteral("\"%1\" should be %2, not %3")
                         .arg(it.key(), expected(kind),
                             QLatin1String(it.value().isValid() ? it.value().typeName() : "none"));
    }
    return found;
}

void report(PropertyDescription const& record, int index, QObject const* host)
{
    if (!lcSheet().isDebugEnabled())
        return;
    const QStringList found = problems(record);
    if (found.isEmpty())
        return;
    qCDebug(lcSheet).noquote() << QStringLiteral("PropertyListWidget: record %1 of %2: %3")
                                      .arg(index)
                                      .arg(QLatin1String(host ? host->metaObject()->className()
                                                              : "no object"),
                                          found.join(QStringLiteral("; ")));
}

} // namespace DescriptionCheck
