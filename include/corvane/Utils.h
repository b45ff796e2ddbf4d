#pragma once

/// @file
/// Window placement helpers.

#include <corvane/CorvaneExport.h>

#include <QRect>

class QWidget;

/// Returns rect unchanged when a large enough part of it lies on one screen, otherwise rect moved
/// to the centre of the primary screen; for restoring a saved window geometry. The library itself
/// never calls it.
CORVANE_WIDGETS_EXPORT QRect AdjustWindowRectToScreens(QRect rect);

/// Restores a minimised window, activates it and asks for attention until it is active.
CORVANE_WIDGETS_EXPORT void ActivateWindow(QWidget* window);
