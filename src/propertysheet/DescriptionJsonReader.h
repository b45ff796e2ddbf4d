#pragma once

#include <corvane/DescriptionJson.h>

#include <QVariant>

// Reads description JSON: an array of objects, one record each. QJsonDocument would do, were it
// not that it reads 1 and 1.0 alike and reports errors by byte offset; this reader keeps ints and
// reals apart, checks the keys of the format for their types, and says where it stopped by line
// and column.
class DescriptionJsonReader
{
public:
    explicit DescriptionJsonReader(QByteArray const& json);

    // The list, or an empty one and the error.
    PropertyDescriptionList read(DescriptionJsonError* error);

private:
    bool readList(PropertyDescriptionList& list);
    bool readRecord(PropertyDescription& record);
    bool readValue(QVariant& value, int depth);
    bool readArray(QVariant& value, int depth);
    bool readObject(QVariantMap& map, int depth);
    bool readString(QString& text);
    bool readNumber(QVariant& value);
    bool readWord(QVariant& value);
    bool readCodePoint(QString& text);
    bool readEscape(QString& text);

    void skipSpace();
    bool atEnd() const { return m_at == m_end; }
    char peek() const { return atEnd() ? '\0' : *m_at; }
    bool take(char c);
    // Records the error at `at` (the current position when null) and returns false.
    bool fail(QString const& message, const char* at = nullptr);
    // "unexpected end of input" at the end, else "expected <what>".
    bool failExpecting(QLatin1String what);

    const char* m_begin;
    const char* m_at;
    const char* m_end;
    QString m_key;
    DescriptionJsonError m_error;
};
