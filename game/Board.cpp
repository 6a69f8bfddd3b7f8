#include "game/Board.h"

#include "game/GameActions.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Rand.h"
#include "platform/Texts.h"

#include <algorithm>
#include <utility>

namespace {
constexpr const char* NoEntry = ContentFile::NoEntry;
constexpr const char* NoSound = ContentFile::NoSound;
} // namespace

Board::Board(GameActions& actions, platform::MessageBoxes& boxes, const platform::Profile& content,
             platform::Rand& rand, platform::Clock& clock)
    : actions_(actions), boxes_(boxes), content_(content), rand_(rand), clock_(clock)
{
}

void Board::NewGame()
{
    firstPaint_ = true;
    gameOver_ = false;
    animationShowing_ = false;
    selection_.clear();

    settings_ = LoadGameSettings(boxes_, animationDefault_);
    score_.NewGame({settings_.rows, settings_.columns, settings_.match, settings_.split != 0}, settings_.players);
    lastResult_ = {};
    actions_.ScoreChanged();
    const int available = CountAtLeastOne("Tiles", "TILE");
    FillTiles(ChoosePictures(available));
    Shuffle();
    LoadContent();
}

int Board::CountAtLeastOne(const std::string& section, const std::string& prefix) const
{
    return std::max(1, content_.CountEntries(section, prefix));
}

// Empty when the board takes pictures 1 … P in order; else the P picture
// numbers drawn at random, each different, out of the available ones.
std::vector<int> Board::ChoosePictures(int available)
{
    const int needed = settings_.pictures;
    if (needed > available)
        boxes_.Show(platform::Tr("Messages", "Missing images in INI file!"), platform::Tr("Messages", "INI File Error"),
                    platform::MB_ICONERROR | platform::MB_OK);
    if (needed >= available) return {};

    rand_.Seed(clock_.Seconds());
    std::vector<int> choices;
    while (static_cast<int>(choices.size()) < needed) {
        int r = rand_.Next() % available + 1;
        // Any earlier equal choice means a fresh draw, checked again from the first.
        for (std::size_t j = 0; j < choices.size();) {
            if (choices[j] == r) {
                r = rand_.Next() % available + 1;
                j = 0;
            } else {
                ++j;
            }
        }
        choices.push_back(r);
    }
    return choices;
}

void Board::FillTiles(const std::vector<int>& choices)
{
    const int p = settings_.pictures;
    for (int i = 0; i < settings_.count; ++i) {
        Tile& t = At(i);
        t.state = FaceDown;
        t.picture = choices.empty() ? i % p + 1 : choices[static_cast<std::size_t>(i % p)];
        t.quarter = settings_.split ? i / p : 0;
    }
}

void Board::Shuffle()
{
    const int count = settings_.count;
    rand_.Seed(clock_.Seconds());
    const int swaps = (rand_.Next() % count + 77) * count;
    for (int n = 0; n < swaps; ++n) {
        const int a = rand_.Next() % count;
        const int b = rand_.Next() % count;
        std::swap(At(a).picture, At(b).picture);
        if (settings_.split) std::swap(At(a).quarter, At(b).quarter);
    }
}

void Board::LoadContent()
{
    startSound_ = content_.Value("Other Sounds", "STARTSOUND", NoSound);
    finSound_ = content_.Value("Other Sounds", "FINSOUND", NoSound);
    byeSound_ = content_.Value("Other Sounds", "BYESOUND", NoSound);
    nopeCount_ = CountAtLeastOne("Nopesounds", "NOPE");
    yupCount_ = CountAtLeastOne("Yupsounds", "YUP");
    actions_.LoadCover(content_.Value("Cover Tiles", "NEWTILE", NoEntry));
    actions_.LoadMatchTile(content_.Value("Cover Tiles", "MATCHTILE", NoEntry));
    actions_.DesktopSize(desktopWidth_, desktopHeight_);
}

void Board::Paint(int clientWidth, int clientHeight)
{
    layout_ = BoardLayout::Compute(clientWidth, clientHeight, settings_.rows, settings_.columns);
    if (firstPaint_) {
        firstPaint_ = false;
        if (settings_.sound) actions_.PlaySound(startSound_, false);
        if (!layout_.Empty()) actions_.PaintAllCovers(layout_);
        return;
    }
    CheckGameOver();
    for (int i = 0; i < settings_.count; ++i) {
        switch (At(i).state) {
        case Matched: DrawMatchTile(i); break;
        case FaceUp: TurnUp(i); break;
        case FaceDown: DrawCover(i); break;
        }
    }
}

void Board::DrawMatchTile(int tile)
{
    if (!layout_.Empty()) actions_.DrawMatchTile(layout_.RectOf(tile));
}

void Board::DrawCover(int tile)
{
    if (!layout_.Empty()) actions_.DrawCover(layout_.RectOf(tile));
}

void Board::TurnUp(int tile)
{
    Tile& t = At(tile);
    t.state = FaceUp;
    if (!actions_.LoadFace(content_.TilePicturePath(t.picture))) {
        // A picture that cannot be read takes its tile out of play. It stays
        // in the attempt, which it can still complete: the game ends as after
        // any last set, or at the next paint when no click is left to make.
        t.state = Matched;
        DrawMatchTile(tile);
        return;
    }
    if (layout_.Empty()) return;
    if (settings_.split) actions_.DrawFaceQuarter(t.quarter, layout_.RectOf(tile));
    else actions_.DrawFace(layout_.RectOf(tile));
}

void Board::CoverAgain(int tile)
{
    if (At(tile).state == Matched) return;
    At(tile).state = FaceDown;
    DrawCover(tile);
}

void Board::CheckGameOver()
{
    if (animationShowing_ || gameOver_) return;
    for (int i = 0; i < settings_.count; ++i)
        if (At(i).state != Matched) return;
    gameOver_ = true;
    lastResult_ = score_.GameEnded();
    actions_.ScoreChanged();
    if (settings_.sound) actions_.PlaySound(finSound_, false);
}

void Board::RevealAll()
{
    score_.RevealUsed();
    for (int i = 0; i < settings_.count; ++i) TurnUp(i);
}

void Board::HideFaceUp()
{
    for (int i = 0; i < settings_.count; ++i)
        if (At(i).state == FaceUp) At(i).state = FaceDown;
}

void Board::Click(int x, int y)
{
    const int tile = layout_.TileAt(x, y);
    if (tile < 0 || tile >= settings_.count) return;
    if (std::find(selection_.begin(), selection_.end(), tile) != selection_.end()) return;
    if (At(tile).state == Matched) return;

    selection_.push_back(tile);
    score_.TileTurned();
    TurnUp(tile);
    if (selection_.size() == 1) {
        selectionPicture_ = At(tile).picture;
        return;
    }
    if (At(tile).picture != selectionPicture_) MissAttempt();
    else if (static_cast<int>(selection_.size()) >= settings_.match) CompleteSet();
}

void Board::CompleteSet()
{
    score_.AttemptEnded(true);
    actions_.ScoreChanged();
    for (int i : selection_) At(i).state = Matched;
    if (settings_.animation) {
        actions_.PlayMatchSound(settings_.sound != 0, yupCount_);
        actions_.PlayMatchAnimation(selectionPicture_);
    }
    CheckGameOver();
    if (!gameOver_ && !settings_.animation) actions_.PlayMatchSound(settings_.sound != 0, yupCount_);
    for (int i : selection_) DrawMatchTile(i);
    selection_.clear();
    if (gameOver_) AskPlayAgain();
}

void Board::MissAttempt()
{
    score_.AttemptEnded(false);
    actions_.ScoreChanged();
    actions_.PlayMissSound(settings_.sound != 0, nopeCount_);
    for (int i : selection_) CoverAgain(i);
    selection_.clear();
}

void Board::AskPlayAgain()
{
    if (boxes_.Show(platform::Tr("Messages", "Game Over.  Play Again?"), platform::Tr("Messages", "Game Over"),
                    platform::MB_YESNO) == platform::IDYES)
        actions_.PostRestart();
    else
        actions_.CloseGame();
}
