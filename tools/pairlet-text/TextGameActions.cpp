#include "TextGameActions.h"

#include "game/ContentFile.h"
#include "platform/Clock.h"

namespace {
constexpr std::uint32_t MissPauseMs = 400;
}

void TextGameActions::PlaySound(const std::string& name, bool wait)
{
    std::fprintf(out_, "  (sound %s%s)\n", name.c_str(), wait ? ", to its end" : "");
}

void TextGameActions::PlayMissSound(bool soundOn, int nopeCount)
{
    if (showBoard) showBoard();
    if (soundOn) std::fprintf(out_, "  (miss sound, one of %d)\n", nopeCount);
    std::fprintf(out_, "  No match.\n");
    std::fflush(out_);
    clock_.Sleep(MissPauseMs); // the faces stay in view before they are covered
}

void TextGameActions::PlayMatchSound(bool soundOn, int yupCount)
{
    if (soundOn) std::fprintf(out_, "  (match sound, one of %d)\n", yupCount);
}

void TextGameActions::PlayMatchAnimation(int picture)
{
    if (showBoard) showBoard();
    std::fprintf(out_, "  *** %s! ***\n", content_.TileName(picture).c_str());
}

void TextGameActions::DesktopSize(int& width, int& height)
{
    width = 80;
    height = 25;
}
