#pragma once

#include <QString>
#include <QVariant>

class QWidget;

// The state of a control that stands for several objects which disagree on its value: it shows
// no value, and "Mixed" in its place, as placeholder text where the editor has one and as the
// accessible description that screen readers announce. Leaving the state gives the editor back
// the placeholder and description it had.
class MixedState
{
public:
    // The word shown for a mixed value, translatable in the "Corvane" context.
    static QString text();

    bool isOn() const { return m_on; }
    // Marks `described` (the part a screen reader reads) and `placeholderOwner` (a line, text or
    // combo editor; may be null) as mixed or not. Returns false when nothing changed.
    bool set(bool on, QWidget* described, QWidget* placeholderOwner = nullptr);

private:
    bool m_on = false;
    QString m_description;
    QVariant m_placeholder;
};
