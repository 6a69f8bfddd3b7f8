#pragma once

namespace platform {
class MessageBoxes;
}

// The player's choices as one game uses them, read from the settings store
// with their defaults and corrected into their ranges.
struct GameSettings {
    int animation = 1;
    int sound = 1;
    int useCdAnim = 0;
    int rows = 6;
    int columns = 6;
    int match = 2;
    int split = 0;
    int players = 1; // two take turns at one screen
    int count = 36;    // rows × columns
    int pictures = 18; // distinct pictures: count ÷ match

    static constexpr int MinRows = 4, MaxRows = 8, DefaultRows = 6;
    static constexpr int MinColumns = 4, MaxColumns = 9, DefaultColumns = 6;
    static constexpr int MinMatch = 2, MaxMatch = 4, DefaultMatch = 2;
};

// Reads every setting anew. A grid whose tile count the match number does not
// divide becomes 6 × 6, is stored so, and the player is told through boxes.
// The animation switch takes animationDefault while the player has not set it.
GameSettings LoadGameSettings(platform::MessageBoxes& boxes, int animationDefault = 1);
