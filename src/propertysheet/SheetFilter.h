#pragma once

#include <corvane/PropertyListBuilder.h>

#include <QHash>
#include <QPointer>
#include <QVector>

class PropsPanel;
class QWidget;

// Which rows of a sheet show while the user looks for some: the rows whose label or bound
// property contains a text, ignoring case, and the panels that keep at least one of them. Only
// what the filter itself hid is shown again; a row the host hid stays hidden.
class SheetFilter
{
public:
    QString text() const { return m_text; }
    void apply(QString const& text, QVector<PropsPanel*> const& panels,
        QHash<QWidget*, PropertyDescription> const& rows);

    static bool matches(PropertyDescription const& record, QString const& text);

private:
    bool hiddenByHost(QWidget* w) const;
    void setFilteredOut(QWidget* w, bool out);

    QString m_text;
    QVector<QPointer<QWidget>> m_hidden;
};
