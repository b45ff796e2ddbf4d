#pragma once

// What the controls tell assistive technologies, through Qt's QAccessible interfaces, beyond what
// Qt's own interfaces for their inner widgets say.

#include <QAccessibleWidget>

class QAbstractButton;
class QLabel;
class ThumbnailsListItem;

namespace corvane::accessibility {

// Each subsystem installs the factory of its interfaces once, when its first control is built.
// By then QApplication has installed Qt's factory, and factories installed later are asked
// first, so that ours also describe the Qt widgets inside our controls.
void installControls();
void installNumeric();
void installPropertySheet();
void installThumbnails();
void installToolbar();

// Tells of a thumbnails entry that was just selected or deselected, before it takes the focus.
void entrySelected(ThumbnailsListItem* entry);
// Tells of a thumbnails entry whose caption, and so its name, changed.
void entryRenamed(ThumbnailsListItem* entry);

// A library text in the user's language (translation context "Corvane"). Texts handed over are
// marked with QT_TRANSLATE_NOOP("Corvane", ...).
QString translated(char const* text);

// A control's text as it is read: "&Open" is "Open", "&&" is "&".
QString withoutMnemonic(QString text);

// Names `part`, an inner widget of `control`, after `title`'s text, or after the fixed `text`,
// and describes it with the control's tooltip: an inner editor on its own is only an "edit". The
// tooltip and the language are followed; refreshNames() takes a changed title.
void nameByTitle(QWidget* control, QWidget* part, QLabel* title);
void nameByText(QWidget* control, QWidget* part, char const* text);
void refreshNames(QWidget* control);

// A push button: pressed, checkable and checked states, and the press (and toggle) action, which
// clicks it unless a subclass has it do something else.
class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(QWidget* button);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(QString const& action) override;

protected:
    QAbstractButton* button() const;
    virtual void press();
};

} // namespace corvane::accessibility
