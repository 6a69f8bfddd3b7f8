#pragma once

#include <QIcon>

class QPainter;

// The program's icon: a small card back with a question mark, drawn here so
// that no picture file is needed.
QIcon AppIcon();
// Paints the icon into a square of the given side at the painter's origin
// (for the icon files the desktop needs, made at build time).
void PaintAppIcon(QPainter& painter, qreal size);
