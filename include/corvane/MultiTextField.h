#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

#include <memory>

class QTextEdit;
class TitledRow;

// A titled multi-line plain-text row. Return inserts a line break; leaving the editor commits the
// text through editingFinished(QString).
class CORVANE_WIDGETS_EXPORT MultiTextField : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    MultiTextField(
        QString const& title, QString const& text, bool two_lines, QWidget* parent = nullptr);
    ~MultiTextField() override;

    void setTitle(QString const& title);
    // Replaces the whole text as plain text; the field emits nothing.
    void setText(QString const& text);

    // Mixed: the field stands for several texts that differ. It is empty and shows "Mixed" as
    // placeholder and accessible description; until the user types, leaving it emits no
    // editingFinished(). Typing and setText() end the state.
    void setMixed(bool mixed);
    bool isMixed() const;

    QString getStyleType() const;
    bool isTwoLines() const;
    void forceStyles(QString const& styleType);

    void createWidgets(QString const& title, QString const& text, bool two_lines);

Q_SIGNALS:
    void editingFinished(QString const& text);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private Q_SLOTS:
    void onEditingFinished();

private:
    std::unique_ptr<TitledRow> m_row;
    QTextEdit* m_edit = nullptr;
};
