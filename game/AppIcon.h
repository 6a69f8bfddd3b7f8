#pragma once

#include <QIcon>

// The program's icon: a small card back with a question mark, drawn here so
// that no picture file is needed.
QIcon AppIcon();
