#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

#include <memory>

class QLineEdit;
class TitledRow;

// A titled single-line text row. editingFinished(QString) reports every Return and every time
// the editor loses focus, whether or not the text changed.
class CORVANE_WIDGETS_EXPORT TextField : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
    Q_PROPERTY(bool two_lines READ isTwoLines)
public:
    explicit TextField(QWidget* parent = nullptr);
    TextField(QString const& text, bool two_lines, QWidget* parent = nullptr);
    TextField(QString const& title, QString const& text, bool two_lines, QWidget* parent = nullptr);
    ~TextField() override;

    void setTitle(QString const& title);
    // Emits textChanged() when the text differs, never editingFinished().
    void setText(QString const& text);
    QString text() const;
    void selectAll();

    // Mixed: the field stands for several texts that differ. It is empty and shows "Mixed" as
    // placeholder and accessible description; until the user types, Return and leaving it emit
    // no editingFinished(). Typing and setText() end the state. Turning it on or off emits
    // nothing; a field that never turns it on behaves as before.
    void setMixed(bool mixed);
    bool isMixed() const;

    QString getStyleType() const;
    bool isTwoLines() const;
    void forceStyles(QString const& styleType);

    void createWidgets(QString const& title, QString const& text, bool two_lines);

Q_SIGNALS:
    void textChanged(QString const& text);
    void editingFinished(QString const& text);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private Q_SLOTS:
    void onEditingFinished();

private:
    std::unique_ptr<TitledRow> m_row;
    QLineEdit* m_edit = nullptr;
};
