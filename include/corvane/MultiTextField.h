#pragma once

/// @file
/// MultiTextField, a titled multi-line text row.

#include <corvane/CorvaneExport.h>

#include <QFrame>

#include <memory>

class QTextEdit;
class TitledRow;

/// A titled multi-line plain-text row. Return inserts a line break, Tab moves the focus on;
/// leaving the editor commits the text through editingFinished(QString). The property sheet's
/// `multitext` rows are MultiTextFields.
///
/// Theming: class `MultiTextField`, `style_type` "transp" unless forceStyles() changed it,
/// `two_lines`; the editor, a QTextEdit, is named "edit".
class CORVANE_WIDGETS_EXPORT MultiTextField : public QFrame
{
    Q_OBJECT
    /// The look for the style sheet: "transp" unless forceStyles() changed it.
    Q_PROPERTY(QString style_type READ getStyleType)
    /// True for the title above the editor, false for the title beside it.
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    /// A row titled `title` holding `text`, the title above the editor with `two_lines`.
    MultiTextField(
        QString const& title, QString const& text, bool two_lines, QWidget* parent = nullptr);
    ~MultiTextField() override;

    /// The text of the title.
    void setTitle(QString const& title);
    /// Replaces the whole text as plain text; the field emits nothing.
    void setText(QString const& text);

    /// Mixed: the field stands for several texts that differ. It is empty and shows "Mixed" as
    /// placeholder and accessible description; until the user types, leaving it emits no
    /// editingFinished(). Typing and setText() end the state.
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
    /// The editor lost the focus, with its plain text, changed or not; not while mixed.
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
    QTextEdit* m_edit = nullptr;
};
