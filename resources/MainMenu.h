#pragma once

#include "resources/CommandIds.h"

// The menu "MAINMENU" and the accelerator table "HOTKEYS". The texts keep
// their runs of blanks; a separator is id 0 with empty text.
struct MenuItem {
    int id;
    const char* text;
};

struct MenuPopup {
    const char* title;
    const MenuItem* items;
    int count;
};

inline constexpr MenuItem OptionsItems[] = {
    {ID_RESTART, "&Restart Pairlet   Ctrl+R, F2"},
    {ID_GRID_SETTINGS, "&Grid Settings"},
    {0, ""},
    {ID_TOGGLE_ANIMATION, "Enable &Animation    Ctrl+A"},
    {ID_TOGGLE_SOUND, "Enable &Sound          Ctrl+S"},
    {0, ""},
    {ID_INSTALL_CD, "Install Animation CD"},
    {0, ""},
    {ID_QUIT, "Quit Pairlet"},
};

inline constexpr MenuItem AboutItems[] = {
    {ID_ABOUT, "&About Pairlet"},
};

inline constexpr MenuPopup MainMenu[] = {
    {"&Options", OptionsItems, int(sizeof OptionsItems / sizeof OptionsItems[0])},
    {"&About", AboutItems, int(sizeof AboutItems / sizeof AboutItems[0])},
};

// Inserted before "Install Animation CD" once animations are installed.
inline constexpr MenuItem UseCdAnimItem = {ID_USE_CD_ANIM, "Use Installed CD Animation"};

// The game's own additions to the Options menu, after "Enable Sound".
inline constexpr MenuItem ScoreItems[] = {
    {ID_TWO_PLAYERS, "Two &Players            Ctrl+T"},
    {ID_CLEAR_BESTS, "Clear &Best Results..."},
};

// Keys in the portable text form of key sequences.
struct Hotkey {
    const char* key;
    int command;
};

inline constexpr Hotkey Hotkeys[] = {
    {"Ctrl+A", ID_TOGGLE_ANIMATION},
    {"H", ID_HIDE_FACE_UP},
    {"Ctrl+Shift+Alt+P", ID_REVEAL_ALL},
    {"Ctrl+R", ID_RESTART},
    {"Ctrl+S", ID_TOGGLE_SOUND},
    {"Ctrl+T", ID_TWO_PLAYERS},
    {"F2", ID_RESTART},
};
