#pragma once

#include "controls/MixedState.h"

#include <QPointer>
#include <QString>

class Label;
class QBoxLayout;
class QWidget;

// What the text fields share: their title beside the editor, or above it in two lines, 5 pixels
// apart; the look they name through style_type; and the watch they keep on their editor, which
// ends with them, before the editor is torn down (its focus-out then is no edit).
class TitledRow
{
public:
    // Installs the layout on `row` and adds the title.
    TitledRow(QWidget* row, QString const& title, bool twoLines);
    ~TitledRow();

    // Names `editor` "edit", adds it below or beside the title and makes the row its event
    // filter.
    void addEditor(QWidget* editor);

    void setTitle(QString const& title);
    QString styleType() const { return m_styleType; }
    bool isTwoLines() const { return m_twoLines; }
    // Stores the look and applies the host's style sheet to the row again.
    void forceStyles(QString const& styleType);
    // Marks the editor as standing for several texts, or no longer; the field empties it.
    // Returns false when nothing changed.
    bool setMixed(bool mixed) { return m_mixed.set(mixed, m_editor, m_editor); }
    bool isMixed() const { return m_mixed.isOn(); }

private:
    QWidget* m_row;
    QBoxLayout* m_layout;
    Label* m_label;
    QPointer<QWidget> m_editor;
    QString m_styleType;
    bool m_twoLines;
    MixedState m_mixed;
};
