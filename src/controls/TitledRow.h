#pragma once

#include <QBoxLayout>

class Label;
class QWidget;

// The layout the text fields share: their title beside the editor, or above it in two lines,
// 5 pixels apart. Installs the layout on `owner`, adds the title and returns the layout for the
// editor.
QBoxLayout* makeTitledRow(QWidget* owner, QString const& title, bool twoLines, Label** label);
