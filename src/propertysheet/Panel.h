#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

class QVBoxLayout;

// A titled group of rows in a property sheet. It never collapses or scrolls.
class CORVANE_AUTOTEST_EXPORT PropsPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PropsPanel(QString const& title, QWidget* parent = nullptr);

    void addWidget(QWidget* w);

private:
    QVBoxLayout* m_layout;
};
