#pragma once

/// @file
/// Button, a push button that names itself when clicked.

#include <corvane/CorvaneExport.h>

#include <QPushButton>

/// A push button that names itself when clicked, so one receiver can serve many buttons, and
/// that lets the mouse wheel pass to its parent while disabled. The property sheet's button rows
/// are Buttons; the theme selects them by the class name `Button`.
class CORVANE_WIDGETS_EXPORT Button : public QPushButton
{
    Q_OBJECT
public:
    /// A button showing `text`.
    explicit Button(QString const& text, QWidget* parent = nullptr);
    /// A button showing `icon` and `text`.
    Button(QIcon const& icon, QString const& text, QWidget* parent = nullptr);

Q_SIGNALS:
    /// Emitted on every QAbstractButton::clicked(), before buttonClicked(QObject*).
    void buttonClicked();
    /// Emitted on every QAbstractButton::clicked(), with this button.
    void buttonClicked(QObject* button);

protected Q_SLOTS:
    /// Emits both buttonClicked() signals; connected to QAbstractButton::clicked().
    void onButtonClicked();

protected:
    /// Leaves wheel events unhandled while disabled, so that they reach the parent.
    bool event(QEvent* e) override;

private:
    void init();
};
