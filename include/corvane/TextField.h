#pragma once

/// @file
/// TextField, a titled single-line text row.

#include <corvane/CorvaneExport.h>

#include <QFrame>

#include <memory>

class QLineEdit;
class TitledRow;

/// A titled single-line text row. editingFinished(QString) reports every Return and every time
/// the editor loses focus, whether or not the text changed; opening the editor's own context
/// menu is not leaving it. The property sheet's `text` rows are TextFields.
///
/// Theming: class `TextField`, `style_type` "transp" unless forceStyles() changed it,
/// `two_lines`; the editor, a QLineEdit, is named "edit".
class CORVANE_WIDGETS_EXPORT TextField : public QFrame
{
    Q_OBJECT
    /// The look for the style sheet: "transp" unless forceStyles() changed it.
    Q_PROPERTY(QString style_type READ getStyleType)
    /// True for the title above the editor, false for the title beside it.
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    /// An empty field with an empty title beside it.
    explicit TextField(QWidget* parent = nullptr);
    /// A field holding `text`, with an empty title.
    TextField(QString const& text, bool two_lines, QWidget* parent = nullptr);
    /// A field titled `title` holding `text`, the title above the editor with `two_lines`.
    TextField(QString const& title, QString const& text, bool two_lines, QWidget* parent = nullptr);
    ~TextField() override;

    /// The text of the title.
    void setTitle(QString const& title);
    /// Emits textChanged() when the text differs, never editingFinished().
    void setText(QString const& text);
    /// The editor's text.
    QString text() const;
    /// Selects the editor's whole text.
    void selectAll();

    /// Mixed: the field stands for several texts that differ. It is empty and shows "Mixed" as
    /// placeholder and accessible description; until the user types, Return and leaving it emit
    /// no editingFinished(). Typing and setText() end the state. Turning it on or off emits
    /// nothing; a field that never turns it on behaves as before.
    void setMixed(bool mixed);
    /// Whether the field is in the mixed state.
    bool isMixed() const;

    /// The `style_type` property.
    QString getStyleType() const;
    /// The `two_lines` property.
    bool isTwoLines() const;
    /// Sets `style_type` and applies the theme again.
    void forceStyles(QString const& styleType);

    /// Builds the title and the editor; the constructor calls it, later calls change nothing.
    void createWidgets(QString const& title, QString const& text, bool two_lines);

Q_SIGNALS:
    /// The editor's text changed, by typing or by setText().
    void textChanged(QString const& text);
    /// Return, or the editor lost the focus, with the text, changed or not; not while mixed.
    void editingFinished(QString const& text);

protected:
    /// Keeps the theme current once the field is polished.
    bool event(QEvent* e) override;
    /// Watches the editor for the focus loss that commits.
    bool eventFilter(QObject* obj, QEvent* e) override;

private Q_SLOTS:
    void onEditingFinished();

private:
    std::unique_ptr<TitledRow> m_row;
    QLineEdit* m_edit = nullptr;
};
