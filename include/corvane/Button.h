#pragma once

#include <corvane/CorvaneExport.h>

#include <QPushButton>

// A push button that names itself when clicked, so one receiver can serve many buttons, and
// that lets the mouse wheel pass to its parent while disabled.
class CORVANE_WIDGETS_EXPORT Button : public QPushButton
{
    Q_OBJECT
public:
    explicit Button(QString const& text, QWidget* parent = nullptr);
    Button(QIcon const& icon, QString const& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void buttonClicked();
    void buttonClicked(QObject* button);

protected Q_SLOTS:
    void onButtonClicked();

protected:
    bool event(QEvent* e) override;

private:
    void init();
};
