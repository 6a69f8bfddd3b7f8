#pragma once

#include "platform/Texts.h"
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
    {ID_RESTART, platform::TrNoop("Menu", "&Restart Pairlet   Ctrl+R, F2")},
    {ID_GRID_SETTINGS, platform::TrNoop("Menu", "&Grid Settings")},
    {0, ""},
    {ID_TOGGLE_ANIMATION, platform::TrNoop("Menu", "Enable &Animation    Ctrl+A")},
    {ID_TOGGLE_SOUND, platform::TrNoop("Menu", "Enable &Sound          Ctrl+S")},
    {0, ""},
    {ID_INSTALL_CD, platform::TrNoop("Menu", "Install Animation CD")},
    {0, ""},
    {ID_QUIT, platform::TrNoop("Menu", "Quit Pairlet")},
};

inline constexpr MenuItem AboutItems[] = {
    {ID_ABOUT, platform::TrNoop("Menu", "&About Pairlet")},
};

inline constexpr MenuPopup MainMenu[] = {
    {platform::TrNoop("Menu", "&Options"), OptionsItems, int(sizeof OptionsItems / sizeof OptionsItems[0])},
    {platform::TrNoop("Menu", "&About"), AboutItems, int(sizeof AboutItems / sizeof AboutItems[0])},
};

// Inserted before "Install Animation CD" once animations are installed.
inline constexpr MenuItem UseCdAnimItem = {ID_USE_CD_ANIM, platform::TrNoop("Menu", "Use Installed CD Animation")};

// The game's own additions to the Options menu, after "Enable Sound".
inline constexpr MenuItem ScoreItems[] = {
    {ID_TWO_PLAYERS, platform::TrNoop("Menu", "Two &Players            Ctrl+T")},
    {ID_CLEAR_BESTS, platform::TrNoop("Menu", "Clear &Best Results...")},
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
