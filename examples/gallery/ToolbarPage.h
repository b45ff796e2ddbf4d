#pragma once

#include <QWidget>

class ImageViewer;
class QActionGroup;
class QLabel;

// A toolbar of exclusive tools with a tooltips menu, above two image viewers: a transparent
// picture on the checkered background and the same picture on the plain one.
class ToolbarPage : public QWidget
{
    Q_OBJECT
public:
    explicit ToolbarPage(QWidget* parent = nullptr);

private:
    QActionGroup* m_tools;
    QLabel* m_status;
};
