#pragma once

#include <corvane/CorvaneExport.h>

#include <QCheckBox>

// Visual rank of a check box; the style sheet reads it through the box's style_type.
enum eOrder : int {
    ePrimary = 0,
    ePrimaryLight = 1,
    eSecondary = 2,
};

class CORVANE_WIDGETS_EXPORT CheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    CheckBox(QString const& text, eOrder order, QWidget* parent = nullptr);

    QString getStyleType() const;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    eOrder m_order;
};
