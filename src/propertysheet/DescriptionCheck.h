#pragma once

// What the values of a description record should be, for the reader of JSON descriptions and for
// the sheet's debug messages about records it cannot use as written.

#include <corvane/CorvaneExport.h>
#include <corvane/PropertyListBuilder.h>

#include <QLoggingCategory>

// "corvane.sheet": the property sheet's messages about the descriptions it is given. Debug
// messages are off unless enabled, e.g. QT_LOGGING_RULES="corvane.sheet.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcSheet)

namespace DescriptionCheck {

// The values a key of the format accepts.
enum class Kind {
    Text, // a string
    Integer, // an integer
    Number, // an integer or a real
    Boolean,
    TextOrInteger, // "w_value": text of text rows, an int of line and label rows
    Entries, // a list of strings, or a map of texts to numbers
    Value, // any value but none
};

// Integers of every width and sign, by QMetaType id.
bool isIntegerType(int type);

// The kind of a key of the format; false for any other key.
CORVANE_AUTOTEST_EXPORT bool kindOf(QString const& key, Kind* kind);
bool fits(Kind kind, QVariant const& value);
// "a string", "an integer", ...
QString expected(Kind kind);

// What a record gets wrong, one sentence each: an unknown type, keys outside the format, values
// of the wrong type. Empty for a sound record.
QStringList problems(PropertyDescription const& record);

// One debug message for a record with problems, naming the record's index and the host's class.
void report(PropertyDescription const& record, int index, QObject const* host);

} // namespace DescriptionCheck
