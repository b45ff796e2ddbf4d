#pragma once

#include <corvane/CorvaneExport.h>

#include <QLabel>

// The word-wrapping label used for every title in the library.
class CORVANE_WIDGETS_EXPORT Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QString const& text, QWidget* parent = nullptr);
};
