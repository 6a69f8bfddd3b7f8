#pragma once

// Command ids of the main window. They keep their numbers: other parts of
// the program post them and the menu and accelerator tables name them.
enum CommandId : int {
    ID_REVEAL_ALL = 30001,
    ID_GRID_SETTINGS = 30002,
    ID_TOGGLE_ANIMATION = 30004,
    ID_TOGGLE_SOUND = 30005,
    ID_RESTART = 30007,
    ID_HIDE_FACE_UP = 30008,
    ID_ABOUT = 30009,
    ID_QUIT = 40013,
    ID_INSTALL_CD = 40014,
    ID_USE_CD_ANIM = 40015,
    ID_CD_ANIM_INSTALLED = 40016,
    ID_STOP_ANIMATION = 1124,
    ID_TWO_PLAYERS = 40100,
    ID_CLEAR_BESTS = 40101,
};
