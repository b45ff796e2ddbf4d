#pragma once

#include <corvane/PropertyEdit.h>

#include <QHash>
#include <QObject>
#include <QPointer>

class PropertyListWidget;

// Reports the writes a sheet makes for user edits through its propertyEdited() signal, when a
// host listens: it reads what every object holds before a write, keeps that from the first step
// of a drag or slider movement until the movement ends, and reports button invocations. Writes
// made while the sheet refreshes are no edits, nor are those a write sets off inside another
// (a combo refilled by the sheet's own handling signals again).
class EditReporter : public QObject
{
    Q_OBJECT
public:
    explicit EditReporter(PropertyListWidget* sheet);

    // One write for a user edit of `row`, from before the write to its report.
    class Write
    {
    public:
        Write(
            EditReporter* reporter, QObject* row, PropertyEdit::Phase phase = PropertyEdit::Final);
        ~Write();
        Write(Write const&) = delete;
        Write& operator=(Write const&) = delete;

        // The write is done: `value` was taken by `took`.
        void done(QVariant const& value, QObjectList const& took);

    private:
        // The host may destroy the sheet, and the reporter with it, inside the write.
        QPointer<EditReporter> m_reporter;
        QObject* m_row;
        PropertyEdit::Phase m_phase;
        bool m_reported;
        PropertyEdit m_before;
    };

public Q_SLOTS:
    // A number row's drag or slider movement ended.
    void onMovementFinished();
    // A button row was clicked; its slot has run.
    void onButtonClicked();

private:
    // A movement under way: what the objects held before its first step, the last value an
    // object took, and the objects that took any step.
    struct Movement
    {
        PropertyEdit edit;
        QObjectList took;
    };

    bool listened() const;
    // The record of `row` with every bound object and, for a write, the value each holds now.
    PropertyEdit before(QObject* row, PropertyEdit::Kind kind) const;
    void report(PropertyEdit edit, QObjectList const& took);

    PropertyListWidget* m_sheet;
    QHash<QObject*, Movement> m_movements;
    int m_writes = 0;
};
