#pragma once

#include <QPixmap>

// The small picture on both sides of the About box's greeting: a red heart
// on one of the game's cards.
QPixmap ThanksIcon(int size);
