#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVector>

class PropertyListWidget;
class QWidget;

// Makes a sheet follow its objects. Each bound row watches its property and the property's
// "Enabled" and "Values" companions: on every object, a static one through its NOTIFY signal, a
// dynamic one through QEvent::DynamicPropertyChange. A change marks the rows bound to it, and the
// sheet refreshes the marked rows once, at the next turn of the event loop, however many changes
// arrived in between.
class LiveRefresh : public QObject
{
    Q_OBJECT
public:
    explicit LiveRefresh(PropertyListWidget* sheet);
    ~LiveRefresh() override;

    // Watches the sheet's objects as they are bound now, and no others.
    void watch();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private Q_SLOTS:
    void onNotify();

private:
    void unwatch();
    void mark(QSet<QWidget*> const& rows);
    void refresh();

    PropertyListWidget* m_sheet;
    QVector<QPointer<QObject>> m_watched;
    // The rows bound to each watched name, and to each NOTIFY signal of an object.
    QHash<QByteArray, QSet<QWidget*>> m_byName;
    QHash<QPair<QObject*, int>, QSet<QWidget*>> m_bySignal;
    QSet<QWidget*> m_marked;
};
