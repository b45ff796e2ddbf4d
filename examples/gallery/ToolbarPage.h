#pragma once

#include <QWidget>

class ImageViewer;
class QActionGroup;
class QLabel;
class Toolbar;

// A toolbar of exclusive tools with a tooltips menu, above two image viewers: a transparent
// picture on the checkered background and the same picture on the plain one.
class ToolbarPage : public QWidget
{
    Q_OBJECT
public:
    explicit ToolbarPage(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Draws the tool icons in a colour that shows on the theme's background.
    void paintIcons();

    QActionGroup* m_tools;
    QLabel* m_status;
    Toolbar* m_toolbar = nullptr;
    QColor m_iconColor;
};
