#pragma once

#include <string>

namespace platform {

// Message-box style bits and result ids keep their classic values: callers
// combine them exactly as the game's texts and flows are written.
enum MessageBoxStyle : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};

enum MessageBoxResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

// A modal message box owned by the application's main window.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

} // namespace platform
