#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

// A horizontal rule whose height and line come entirely from the style sheet.
class CORVANE_WIDGETS_EXPORT SeparatorLine : public QFrame
{
    Q_OBJECT
public:
    explicit SeparatorLine(QWidget* parent = nullptr, char const* name = nullptr);
};
