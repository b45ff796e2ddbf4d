#include "propertysheet/DescriptionJsonReader.h"

#include "propertysheet/DescriptionCheck.h"
#include "propertysheet/JsonNumbers.h"

#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

// Deep enough for any description; shallow enough that malicious input cannot exhaust the stack.
constexpr int MaxDepth = 64;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Values of the words that JSON and JavaScript's number names allow.
struct Word
{
    QLatin1String text;
    QVariant value;
};

} // namespace

DescriptionJsonReader::DescriptionJsonReader(QByteArray const& json)
    : m_begin(json.constData())
    , m_at(json.constData())
    , m_end(json.constData() + json.size())
{
    if (json.startsWith("\xEF\xBB\xBF")) // a byte order mark
        m_at += 3;
}

PropertyDescriptionList DescriptionJsonReader::read(DescriptionJsonError* error)
{
    PropertyDescriptionList list;
    if (!readList(list))
        list.clear();
    if (error)
        *error = m_error;
    return list;
}

bool DescriptionJsonReader::fail(QString const& message, const char* at)
{
    at = at ? at : m_at;
    m_error.line = 1;
    const char* lineStart = m_begin;
    for (const char* p = m_begin; p < at; ++p) {
        if (*p == '\n')
            ++m_error.line, lineStart = p + 1;
    }
    m_error.column = 1;
    for (const char* p = lineStart; p < at; ++p)
        m_error.column += !isContinuation(static_cast<unsigned char>(*p));
    m_error.key = m_key;
    m_error.message = message;
    return false;
}

bool DescriptionJsonReader::failExpecting(QLatin1String what)
{
    return fail(
        atEnd() ? QStringLiteral("unexpected end of input") : QStringLiteral("expected ") + what);
}

void DescriptionJsonReader::skipSpace()
{
    while (!atEnd() && (*m_at == ' ' || *m_at == '\t' || *m_at == '\n' || *m_at == '\r'))
        ++m_at;
}

bool DescriptionJsonReader::take(char c)
{
    skipSpace();
    if (peek() != c || atEnd())
        return false;
    ++m_at;
    return true;
}

bool DescriptionJsonReader::readList(PropertyDescriptionList& list)
{
    if (!take('['))
        return failExpecting(QLatin1String("a list of records"));
    if (!take(']')) {
        do {
            PropertyDescription record;
            if (!readRecord(record))
                return false;
            list << record;
        } while (take(','));
        m_key.clear();
        if (!take(']'))
            return failExpecting(QLatin1String("',' or ']'"));
    }
    skipSpace();
    return atEnd() || fail(QStringLiteral("unexpected text after the list"));
}

bool DescriptionJsonReader::readRecord(PropertyDescription& record)
{
    m_key.clear();
    skipSpace();
    if (peek() != '{' || atEnd())
        return failExpecting(QLatin1String("a record"));
    return readObject(record, 1);
}

bool DescriptionJsonReader::readValue(QVariant& value, int depth)
{
    skipSpace();
    if (depth > MaxDepth)
        return fail(QStringLiteral("nesting too deep"));
    const char c = peek();
    if (atEnd())
        return failExpecting(QLatin1String("a value"));
    if (c == '"') {
        QString text;
        return readString(text) && (value = text, true);
    }
    if (c == '[')
        return readArray(value, depth);
    if (c == '{') {
        QVariantMap map;
        return readObject(map, depth) && (value = map, true);
    }
    if (c == '-' || isDigit(c)) {
        // "-Infinity" is a word, any other minus starts a number.
        if (c == '-' && m_end - m_at > 1 && m_at[1] == 'I')
            return readWord(value);
        return readNumber(value);
    }
    return readWord(value);
}

// An array of strings, the entries of a plain combo, reads as a QStringList; any other array as
// a QVariantList.
bool DescriptionJsonReader::readArray(QVariant& value, int depth)
{
    ++m_at;
    QVariantList items;
    bool allText = true;
    if (!take(']')) {
        do {
            QVariant item;
            if (!readValue(item, depth + 1))
                return false;
            allText = allText && item.userType() == QMetaType::QString;
            items << item;
        } while (take(','));
        if (!take(']'))
            return failExpecting(QLatin1String("',' or ']'"));
    }
    value = allText ? QVariant(QVariant(items).toStringList()) : QVariant(items);
    return true;
}

// At depth 1 the object is a record: its key names what an error is about, and the keys of the
// format must hold values of their types.
bool DescriptionJsonReader::readObject(QVariantMap& map, int depth)
{
    ++m_at;
    if (take('}'))
        return true;
    do {
        skipSpace();
        const char* keyAt = m_at;
        QString key;
        if (peek() != '"' || atEnd())
            return failExpecting(QLatin1String("a key"));
        if (!readString(key))
            return false;
        if (depth == 1)
            m_key = key;
        if (map.contains(key))
            return fail(QStringLiteral("duplicate key"), keyAt);
        if (!take(':'))
            return failExpecting(QLatin1String("':'"));
        skipSpace();
        const char* valueAt = m_at;
        QVariant value;
        if (!readValue(value, depth + 1))
            return false;
        DescriptionCheck::Kind kind;
        if (depth == 1 && DescriptionCheck::kindOf(key, &kind)
            && !DescriptionCheck::fits(kind, value))
            return fail(QStringLiteral("expected ") + DescriptionCheck::expected(kind), valueAt);
        map.insert(key, value);
    } while (take(','));
    if (!take('}'))
        return failExpecting(QLatin1String("',' or '}'"));
    return true;
}

bool DescriptionJsonReader::readString(QString& text)
{
    const char* start = m_at++;
    text.clear();
    while (!atEnd()) {
        const auto c = static_cast<unsigned char>(*m_at);
        if (c == '"') {
            ++m_at;
            return true;
        }
        if (c < 0x20)
            return fail(QStringLiteral("control character in string"));
        if (c == '\\' && m_end - m_at < 2)
            break;
        if (c == '\\') {
            if (!readEscape(text))
                return false;
        } else if (!readCodePoint(text)) {
            return false;
        }
    }
    return fail(QStringLiteral("unterminated string"), start);
}

bool DescriptionJsonReader::readCodePoint(QString& text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(m_at);
    const auto* end = reinterpret_cast<const unsigned char*>(m_end);
    if (p[0] < 0x80) {
        text += QLatin1Char(char(*m_at++));
        return true;
    }
    // Lengths and smallest second bytes (against overlong forms) and largest ones (against
    // surrogates and code points beyond U+10FFFF) of the sequences that lead bytes start.
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (p[0] >= 0xC2 && p[0] <= 0xDF)
        length = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF)
        length = 3, low = p[0] == 0xE0 ? 0xA0 : 0x80, high = p[0] == 0xED ? 0x9F : 0xBF;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4)
        length = 4, low = p[0] == 0xF0 ? 0x90 : 0x80, high = p[0] == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || end - p < length || p[1] < low || p[1] > high)
        return fail(QStringLiteral("invalid UTF-8"));
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(p[i]))
            return fail(QStringLiteral("invalid UTF-8"));
    }
    text += QString::fromUtf8(m_at, length);
    m_at += length;
    return true;
}

bool DescriptionJsonReader::readEscape(QString& text)
{
    const char* start = m_at;
    static const char simple[] = "\"\"\\\\//b\bf\fn\nr\rt\t";
    for (int i = 0; simple[i]; i += 2) {
        if (m_at[1] == simple[i]) {
            text += QLatin1Char(simple[i + 1]);
            m_at += 2;
            return true;
        }
    }
    bool ok = m_at[1] == 'u' && m_end - m_at >= 6;
    // Any UTF-16 code unit, a lone surrogate included: the writer escapes those so that texts
    // with them come back as they were.
    const ushort unit = ok ? QByteArray(m_at + 2, 4).toUShort(&ok, 16) : 0;
    if (!ok || !std::all_of(m_at + 2, m_at + 6, [](char c) { return std::isxdigit(uchar(c)); }))
        return fail(QStringLiteral("invalid escape"), start);
    text += QChar(unit);
    m_at += 6;
    return true;
}

bool DescriptionJsonReader::readNumber(QVariant& value)
{
    const char* start = m_at;
    const char* p = m_at;
    const auto digits = [&p, this] {
        const char* first = p;
        while (p < m_end && isDigit(*p))
            ++p;
        return p > first;
    };
    if (*p == '-')
        ++p;
    if (p < m_end && *p == '0')
        ++p;
    else if (!digits())
        return fail(QStringLiteral("invalid number"), start);
    bool real = false;
    if (p < m_end && *p == '.') {
        ++p, real = true;
        if (!digits())
            return fail(QStringLiteral("invalid number"), start);
    }
    if (p < m_end && (*p == 'e' || *p == 'E')) {
        ++p, real = true;
        if (p < m_end && (*p == '+' || *p == '-'))
            ++p;
        if (!digits())
            return fail(QStringLiteral("invalid number"), start);
    }
    if (p < m_end && (isDigit(*p) || *p == '.'))
        return fail(QStringLiteral("invalid number"), start);
    const QByteArray text(start, int(p - start));
    m_at = p;

    bool ok = false;
    if (!real) {
        const qlonglong integer = text.toLongLong(&ok);
        if (ok) {
            const bool small = integer >= std::numeric_limits<int>::min()
                && integer <= std::numeric_limits<int>::max();
            value = small ? QVariant(int(integer)) : QVariant(integer);
            return true;
        }
    }
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return fail(QStringLiteral("number out of range"), start);
    value
        = real && JsonNumbers::isFloatSpelling(number) ? QVariant(float(number)) : QVariant(number);
    return true;
}

bool DescriptionJsonReader::readWord(QVariant& value)
{
    const Word words[] = { { QLatin1String("true"), true }, { QLatin1String("false"), false },
        { QLatin1String("null"), QVariant() },
        { QLatin1String("NaN"), std::numeric_limits<float>::quiet_NaN() },
        { QLatin1String("Infinity"), std::numeric_limits<float>::infinity() },
        { QLatin1String("-Infinity"), -std::numeric_limits<float>::infinity() } };
    for (const Word& word : words) {
        const auto size = std::ptrdiff_t(word.text.size());
        if (m_end - m_at >= size && QLatin1String(m_at, int(size)) == word.text) {
            const char* after = m_at + size;
            // "nullx" and "true1" are no words.
            if (after < m_end && (std::isalnum(uchar(*after)) || *after == '_'))
                break;
            value = word.value;
            m_at = after;
            return true;
        }
    }
    return fail(QStringLiteral("expected a value"));
}
