#pragma once

/// @file
/// SeparatorLine, a horizontal rule.

#include <corvane/CorvaneExport.h>

#include <QFrame>

/// A horizontal rule whose height and line come entirely from the style sheet. The property
/// sheet's `line` rows are SeparatorLines.
///
/// Theming: class `SeparatorLine`, and the object name given to the constructor.
class CORVANE_WIDGETS_EXPORT SeparatorLine : public QFrame
{
    Q_OBJECT
public:
    /// A rule named `name` (Latin-1) for the style sheet, when given.
    explicit SeparatorLine(QWidget* parent = nullptr, char const* name = nullptr);
};
