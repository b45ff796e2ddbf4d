#pragma once

// The host side of a property sheet, for the sheet's tests and its fuzzer.

#include "propertysheet/DescriptionKeys.h"

#include <corvane/FileSource.h>
#include <corvane/PropertyListWidget.h>

#include <QColor>
#include <QDynamicPropertyChangeEvent>
#include <QSet>

#include <stdexcept>

using Write = QPair<QString, QVariant>;

// Hands out the list it was given. Bound properties are dynamic unless a case needs a static
// one, so that every write lands in `writes` exactly as the sheet sent it. Static ones: number,
// count, flag, color and sizeEnabled, of plain types; texture, whose setter throws on a name
// ending in "bad.png"; mood, which throws on "grumpy"; width, which stores "0" for a width that
// "widthValues" does not offer; shade, an enum.
class FakeHost : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(float number MEMBER m_number NOTIFY written)
    Q_PROPERTY(int count MEMBER m_count NOTIFY written)
    Q_PROPERTY(bool flag MEMBER m_flag NOTIFY written)
    Q_PROPERTY(QColor color MEMBER m_color NOTIFY written)
    Q_PROPERTY(bool sizeEnabled MEMBER m_sizeEnabled NOTIFY written)
    Q_PROPERTY(QString texture MEMBER m_texture WRITE setTexture)
    Q_PROPERTY(QString width MEMBER m_width WRITE setWidth)
    Q_PROPERTY(QVariant mood MEMBER m_mood WRITE setMood)
    Q_PROPERTY(Shade shade MEMBER m_shade NOTIFY written)
public:
    // Of a fixed type: the sheet and random hosts may write any number into it.
    enum Shade : int { Light, Dim = 2, Dark = 4 };
    Q_ENUM(Shade)
    static constexpr const char* ShadeKeys[] = { "Light", "Dim", "Dark" };

    // What a record may bind to: static and dynamic properties, one no host has, none, a slot.
    static constexpr const char* Props[] = { "number", "count", "flag", "color", "texture", "width",
        "mood", "shade", "dyn0", "dyn1", "missing", "", "reset" };

    explicit FakeHost(PropertyDescriptionList list = {})
        : m_list(std::move(list))
    {
        connect(this, &FakeHost::written, this, &FakeHost::countLateWrite);
    }
    ~FakeHost() override { dead.insert(this); }
    PropertyDescriptionList propertyList() override { return ++listCalls, m_list; }
    // Sets properties as the host's own state, not as writes of the sheet.
    void preset(QVariantMap const& values)
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            setProperty(it.key().toLatin1(), it.value());
        writes.clear();
    }
    void setTexture(QString const& v)
    {
        if (v.endsWith(QLatin1String("bad.png")))
            throw std::runtime_error("texture refused");
        logWrite(QStringLiteral("texture"), m_texture = v);
    }
    void setWidth(QString const& v)
    {
        logWrite(QStringLiteral("width"), v);
        m_width = property("widthValues").toMap().contains(v) ? v : QStringLiteral("0");
    }
    void setMood(QVariant const& v)
    {
        if (v == QVariant(QStringLiteral("grumpy")))
            throw std::runtime_error("mood refused");
        logWrite(QStringLiteral("mood"), m_mood = v);
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::DynamicPropertyChange) {
            const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName();
            logWrite(QString::fromLatin1(name), property(name));
        }
        return QObject::event(e);
    }

    // Destroyed hosts are known by address, so that a write that still reaches one counts.
    static inline QSet<const void*> dead;
    static inline int lateWrites = 0;

Q_SIGNALS:
    void written();

public Q_SLOTS:
    void reset() { ++resets; }

public:
    PropertyDescriptionList m_list;
    QList<Write> writes; // of dynamic properties, texture, width and mood, in order
    int listCalls = 0, resets = 0, m_count = 0;
    float m_number = 0;
    bool m_flag = false, m_sizeEnabled = false;
    QColor m_color;
    QString m_texture, m_width = QStringLiteral("Normal");
    QVariant m_mood = 0;
    Shade m_shade = Dim;

private:
    void countLateWrite() { lateWrites += dead.contains(this); }
    void logWrite(QString const& name, QVariant const& value)
    {
        countLateWrite();
        writes << Write(name, value);
    }
};

// Gives every file row a source over `files`, and remembers the modes it was asked for.
struct FakeHelper : IPropertyListHelper
{
    struct Files : IFileSource
    {
        explicit Files(QStringList list)
            : files(std::move(list))
        { }
        QStringList getFileList(QWidget*) override { return files; }
        bool browseFile(QWidget*, QString&) override { return false; }
        bool isFileAccepted(QString const&) override { return true; }
        QStringList files;
    };
    IFileSource* fileSource(QString const& mode) override
    {
        return modes << mode, new Files(files);
    }

    QStringList modes;
    QStringList files { QStringLiteral("/tmp/a.png"), QStringLiteral("/tmp/b.png"),
        QStringLiteral("/tmp/bad.png") };
};
