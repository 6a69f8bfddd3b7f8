#include "game/CGameWnd.h"

#include "game/BoardAccessible.h"
#include "platform/QtTexts.h"
#include "platform/Texts.h"

#include <algorithm>

#include "game/BoardView.h"
#include "game/CAnimWnd.h"
#include "game/MatchAnimation.h"
#include "engine/core/mObject.h"
#include "platform/MessageBoxes.h"
#include "platform/Profile.h"
#include "resources/AboutAnimation.h"
#include "resources/MainMenu.h"
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QAccessible>
#include <QTimer>
#include <QLabel>
#include <QScreen>

namespace {
constexpr std::size_t CdFolderLength = 261;
constexpr int PointerStart = 20;

QRect DesktopRect()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}
// The game's time stands while something covers the board.
class TimeStands {
public:
    explicit TimeStands(ScoreKeeper& score) : score_(score) { score_.Pause(); }
    ~TimeStands() { score_.Resume(); }
    TimeStands(const TimeStands&) = delete;
    TimeStands& operator=(const TimeStands&) = delete;

private:
    ScoreKeeper& score_;
};
} // namespace

CGameWnd::CGameWnd(const GameServices& services)
    : services_(services),
      boxes_(
          services.boxes, [this] { board_.Score().Pause(); },
          [this] {
              board_.Score().Resume();
              InvalidateBoard();
          }),
      board_(*this, boxes_, services.content, services.rand, services.clock),
      sounds_(services.sounds, services.paths, board_.Content(), services.rand, services.clock),
      desktop_(DesktopRect())
{
    setWindowTitle("Pairlet");
    setGeometry(desktop_);
    view_ = new BoardView(*this);
    setCentralWidget(view_);
    CreateMenus();
    CreateScoreLine();
    SetSettingsKey("Pairlet", SettingsKey);
    CreateHotkeys();
    animWnd_ = std::make_unique<CAnimWnd>(desktop_);
    // The engine tells the player of its failures from now on.
    mObject::SetReporter(&boxes_);
    AdjustWinIni();
    const bool chosen = ReadNumber("animation", -1) >= 0;
    board_.SetAnimationDefault(!chosen && services.reducesMotion && services.reducesMotion() ? 0 : 1);
    board_.NewGame();
    CheckColourDepth();
    QCursor::setPos(PointerStart, PointerStart);
}

CGameWnd::~CGameWnd()
{
    mObject::SetReporter(nullptr);
}

void CGameWnd::CoverTheScreen()
{
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(desktop_.size() - frame);
    move(desktop_.topLeft());
}

QWidget* CGameWnd::BoardWidget() const
{
    return view_;
}

void CGameWnd::CreateMenus()
{
    for (const MenuPopup& popup : MainMenu) {
        QMenu* menu = menuBar()->addMenu(QCoreApplication::translate("Menu", popup.title));
        for (int i = 0; i < popup.count; ++i) {
            const MenuItem& item = popup.items[i];
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            AddCommand(*menu, item);
            if (item.id != ID_TOGGLE_SOUND) continue;
            menu->addSeparator();
            for (const MenuItem& added : ScoreItems) AddCommand(*menu, added);
        }
        if (popup.items[0].id != ID_ABOUT) {
            options_ = menu;
            connect(menu, &QMenu::aboutToShow, this, [this] { PrepareOptionsMenu(); });
        }
    }
}

void CGameWnd::AddCommand(QMenu& menu, const MenuItem& item)
{
    QAction* action = menu.addAction(QCoreApplication::translate("Menu", item.text));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_[id] = action;
}

void CGameWnd::CreateScoreLine()
{
    scoreLine_ = new QLabel(menuBar());
    scoreLine_->setContentsMargins(12, 0, 12, 0);
    // The menu bar sizes its corner once: as wide as the longest line gets.
    scoreLine_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    int widest = 0;
    for (const std::string& longest : ScoreKeeper::WidestLines())
        widest = std::max(widest, scoreLine_->fontMetrics().horizontalAdvance(QString::fromStdString(longest)));
    scoreLine_->setMinimumWidth(widest + 24);
    menuBar()->setCornerWidget(scoreLine_, Qt::TopRightCorner);
    auto* tick = new QTimer(this);
    connect(tick, &QTimer::timeout, this, [this] { ScoreChanged(); });
    tick->start(1000);
}

void CGameWnd::ScoreChanged()
{
    if (!scoreLine_) return;
    const QString line = QString::fromStdString(board_.Score().Line(board_.LastResult()));
    const bool ended = board_.Score().Ended();
    if (ended && !endTold_) BoardAccessible::Announce(*view_, platform::QTr("Board", "Game over. %1").arg(line));
    endTold_ = ended;
    if (line == scoreLine_->text()) return;
    scoreLine_->setText(line);
    // A screen reader reads the line by its name.
    scoreLine_->setAccessibleName(line);
    QAccessibleEvent changed(scoreLine_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void CGameWnd::ToggleTwoPlayers()
{
    // A game's players cannot change midway: a new game is dealt at once.
    const bool two = ReadNumber("players", 1) != 2;
    WriteNumber("players", two ? 2 : 1);
    board_.NewGame();
    InvalidateBoard();
}

void CGameWnd::ClearBests()
{
    if (boxes_.Show(platform::Tr("Messages", "Forget the best results of every board?"),
                    platform::Tr("Messages", "Clear Best Results"),
                    platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
        return;
    board_.Score().ClearBests();
    ScoreChanged();
}

void CGameWnd::CreateHotkeys()
{
    for (const Hotkey& key : Hotkeys) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence::fromString(QString::fromUtf8(key.key), QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = key.command;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
        hotkeys_.push_back(action);
    }
}

void CGameWnd::keyPressEvent(QKeyEvent* event)
{
    const QKeySequence typed(event->keyCombination());
    for (QAction* hotkey : hotkeys_)
        if (hotkey->shortcut() == typed) return hotkey->trigger();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)
        if (BoardKey(event->key())) return;
    QMainWindow::keyPressEvent(event);
}

int CGameWnd::KeyboardTile() const
{
    if (!keyboardUsed_ || board_.Layout().Empty()) return -1;
    return keyboardTile_ < board_.Count() ? keyboardTile_ : 0;
}

bool CGameWnd::BoardKey(int key)
{
    const BoardLayout& layout = board_.Layout();
    if (layout.Empty()) return false;
    const int at = std::max(KeyboardTile(), 0);
    int row = at / layout.columns, column = at % layout.columns;
    switch (key) {
    case Qt::Key_Left: column = (column + layout.columns - 1) % layout.columns; break;
    case Qt::Key_Right: column = (column + 1) % layout.columns; break;
    case Qt::Key_Up: row = (row + layout.rows - 1) % layout.rows; break;
    case Qt::Key_Down: row = (row + 1) % layout.rows; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: TurnTile(at); return true;
    default: return false;
    }
    PointAt(row * layout.columns + column);
    return true;
}

void CGameWnd::TurnTile(int tile)
{
    PointAt(tile);
    const TileRect r = board_.Layout().RectOf(tile);
    ButtonDown(r.x + r.width / 2, r.y + r.height / 2);
}

void CGameWnd::PointAt(int tile)
{
    const auto area = [this](int t) {
        const TileRect r = board_.Layout().RectOf(t);
        return QRect(r.x, r.y, r.width, r.height);
    };
    if (keyboardUsed_) view_->update(area(keyboardTile_));
    keyboardUsed_ = true;
    keyboardTile_ = tile;
    view_->update(area(tile));
    BoardAccessible::Update(*view_);
}

// Kept for the animation driver of old: its switch must not stay at "zip".
void CGameWnd::AdjustWinIni()
{
    const char* section = "AAPLAY Animation";
    if (services_.systemProfile.GetString(section, "Int2fSwitch", "zip") == "zip")
        services_.systemProfile.WriteString(section, "Int2fSwitch", "yes");
}

void CGameWnd::CheckColourDepth()
{
    int depth = services_.screenDepth;
    if (depth == 0 && QGuiApplication::primaryScreen()) depth = QGuiApplication::primaryScreen()->depth();
    const int colours = depth > 0 && depth <= 8 ? 1 << depth : 0;
    if (colours != 256 && colours != 16) return;
    boxes_.Show(platform::Tr("Messages", "This program requires a minimum of 32K\ndesktop colors to function optimally."),
                platform::Arg(platform::Tr("Messages", "%1 Color Desktop Detected"), {std::to_string(colours)}),
                platform::MB_ICONEXCLAMATION | platform::MB_OK);
}

QAction* CGameWnd::CommandAction(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CGameWnd::PrepareOptionsMenu()
{
    const GameSettings& s = board_.Settings();
    for (auto [id, on] : {std::pair{int(ID_TOGGLE_ANIMATION), s.animation}, {int(ID_TOGGLE_SOUND), s.sound},
                          {int(ID_TWO_PLAYERS), int(ReadNumber("players", 1) == 2)}}) {
        actions_[id]->setCheckable(true);
        actions_[id]->setChecked(on != 0);
    }
    if (ReadString("cd_anim_dir", CdFolderLength, "").empty()) return;
    QAction* useCd = CommandAction(ID_USE_CD_ANIM);
    if (!useCd) {
        useCd = new QAction(QCoreApplication::translate("Menu", UseCdAnimItem.text), options_);
        options_->insertAction(actions_[ID_INSTALL_CD], useCd);
        connect(useCd, &QAction::triggered, this, [this] { OnCommand(ID_USE_CD_ANIM); });
        actions_[ID_USE_CD_ANIM] = useCd;
    }
    useCd->setCheckable(true);
    useCd->setChecked(ReadNumber("use_cd_anim", 0) != 0);
}

void CGameWnd::OnCommand(int id)
{
    switch (id) {
    case ID_RESTART:
        if (board_.AnimationShowing()) StopAnimation();
        board_.NewGame();
        InvalidateBoard();
        break;
    case ID_TOGGLE_ANIMATION:
    case ID_TOGGLE_SOUND:
    case ID_USE_CD_ANIM:
        ToggleSetting(id);
        break;
    case ID_CD_ANIM_INSTALLED:
        board_.SetAnimation(1);
        board_.SetUseCdAnim(1);
        WriteNumber("use_cd_anim", 1);
        WriteNumber("animation", 1);
        break;
    case ID_GRID_SETTINGS:
    case ID_ABOUT:
    case ID_INSTALL_CD: RunDialog(id); break;
    case ID_TWO_PLAYERS: ToggleTwoPlayers(); break;
    case ID_CLEAR_BESTS: ClearBests(); break;
    case ID_QUIT: close(); break;
    case ID_REVEAL_ALL: board_.RevealAll(); break;
    case ID_HIDE_FACE_UP:
        board_.HideFaceUp();
        InvalidateBoard();
        break;
    case ID_STOP_ANIMATION: StopAnimation(); break;
    default: break;
    }
}

void CGameWnd::ToggleSetting(int id)
{
    const GameSettings& s = board_.Settings();
    if (id == ID_TOGGLE_ANIMATION) {
        board_.SetAnimation(s.animation ? 0 : 1);
        WriteNumber("animation", s.animation);
    } else if (id == ID_TOGGLE_SOUND) {
        board_.SetSound(s.sound ? 0 : 1);
        WriteNumber("sound", s.sound);
    } else {
        board_.SetUseCdAnim(s.useCdAnim ? 0 : 1);
        WriteNumber("use_cd_anim", s.useCdAnim);
        if (s.useCdAnim) {
            board_.SetAnimation(1);
            WriteNumber("animation", 1);
        }
    }
}

void CGameWnd::RunDialog(int id)
{
    const TimeStands dialog(board_.Score());
    if (id == ID_GRID_SETTINGS) RunGridSettings();
    else if (id == ID_ABOUT) RunAbout();
    else RunInstallCd();
}

void CGameWnd::RunGridSettings()
{
    CGridDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    board_.NewGame();
    InvalidateBoard();
}

void CGameWnd::RunAbout()
{
    CAboutDlg dialog(this, services_.clock, services_.launcher, AboutAnimationData, AboutAnimationDataSize);
    dialog.exec();
}

void CGameWnd::RunInstallCd()
{
    CInstallCdDlg dialog(this,
                         {boxes_, services_.volumes, services_.folderBrowser, services_.shellFiles,
                          [this](int id) { PostCommand(id); }},
                         installMemory_);
    dialog.exec();
}

void CGameWnd::PostCommand(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { OnCommand(id); }, Qt::QueuedConnection);
}

void CGameWnd::ButtonDown(int x, int y)
{
    PaintBoard();
    board_.Click(x, y);
}

void CGameWnd::StopAnimation()
{
    board_.SetAnimationShowing(false);
    animWnd_->hide();
    CAnimWnd::ShowPointer();
}

void CGameWnd::InvalidateBoard()
{
    boardInvalid_ = true;
    // Painted from the event loop, not inside a paint event: loading a
    // picture may show a message box.
    if (paintQueued_) return;
    paintQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { PaintBoard(); }, Qt::QueuedConnection);
}

void CGameWnd::PaintBoard()
{
    paintQueued_ = false;
    if (closing_) return;
    const QSize size = view_->size();
    const qreal ratio = view_->devicePixelRatioF();
    if (!boardInvalid_ && canvas_.Fits(size, ratio)) return;
    boardInvalid_ = false;
    canvas_.Resize(size.width(), size.height(), ratio);
    canvas_.Redraw([this, size] { board_.Paint(size.width(), size.height()); });
    view_->update();
}

void CGameWnd::Changed(const QRect& area)
{
    if (!area.isEmpty()) view_->update(area);
    BoardAccessible::Update(*view_);
}

void CGameWnd::closeEvent(QCloseEvent* event)
{
    CloseSteps();
    animWnd_->hide();
    event->accept();
}

void CGameWnd::CloseSteps()
{
    if (closing_) return;
    closing_ = true;
    // The goodbye is heard to its end before the window goes.
    if (board_.Settings().sound) sounds_.Play(board_.ByeSound(), true);
    StopAnimation();
}

bool CGameWnd::LoadFace(const std::string& path)
{
    return LoadDib(path, face_, boxes_, services_.paths);
}

bool CGameWnd::LoadCover(const std::string& path)
{
    return LoadDib(path, cover_, boxes_, services_.paths);
}

bool CGameWnd::LoadMatchTile(const std::string& path)
{
    return LoadDib(path, matchTile_, boxes_, services_.paths);
}

void CGameWnd::DrawFace(const TileRect& rect)
{
    Changed(canvas_.DrawDib(rect, face_));
}

void CGameWnd::DrawFaceQuarter(int quarter, const TileRect& rect)
{
    Changed(canvas_.DrawDibQuarter(quarter, rect, face_));
}

void CGameWnd::DrawCover(const TileRect& rect)
{
    Changed(canvas_.DrawDib(rect, cover_));
}

void CGameWnd::DrawMatchTile(const TileRect& rect)
{
    Changed(canvas_.DrawDib(rect, matchTile_));
}

void CGameWnd::PaintAllCovers(const BoardLayout& layout)
{
    Changed(canvas_.PaintAllCovers(layout, cover_));
}

void CGameWnd::PlaySound(const std::string& name, bool wait)
{
    sounds_.Play(name, wait);
}

void CGameWnd::PlayMissSound(bool soundOn, int nopeCount)
{
    // The wrongly turned faces must be on screen for the whole pause.
    view_->repaint();
    BoardAccessible::Announce(*view_, platform::QTr("Board", "Not a match"));
    sounds_.PlayMissSound(soundOn, nopeCount);
}

void CGameWnd::PlayMatchSound(bool soundOn, int yupCount)
{
    const std::string picture = board_.Content().TileName(board_.SelectionPicture());
    BoardAccessible::Announce(*view_, platform::QTr("Board", "Set complete: %1").arg(QString::fromStdString(picture)));
    sounds_.PlayMatchSound(soundOn, yupCount);
}

void CGameWnd::PlayMatchAnimation(int picture)
{
    if (!board_.Settings().animation) return;
    animWnd_->show();
    animWnd_->raise();
    animWnd_->activateWindow();
    const bool fromCd = board_.Settings().useCdAnim != 0;
    const std::string prefix = fromCd ? ReadString("cd_anim_dir", CdFolderLength, "") : "anim\\";
    const std::string path = board_.Content().AnimationPath(picture, prefix);
    auto animation = std::make_unique<MatchAnimation>(*animWnd_, animWnd_->width(), animWnd_->height(),
                                                      services_.clock, services_.rand, services_.paths);
    if (!animation->Load(path, fromCd, board_.DesktopWidth(), board_.DesktopHeight())) {
        animation.reset();
        animWnd_->hide();
        boxes_.Show(platform::Arg(platform::Tr("Messages", "Error loading animation file: %1"), {path}),
                    platform::Tr("Messages", "File Error"), platform::MB_ICONEXCLAMATION);
        return;
    }
    CAnimWnd::HidePointer();
    board_.SetAnimationShowing(true);
    const TimeStands animating(board_.Score());
    const int boundsWidth = desktop_.width(), boundsHeight = desktop_.height();
    const int reportsBefore = boxes_.Count();
    animWnd_->AnimationLoop(services_.clock, [&] {
        if (!fromCd) animation->MoveAll(boundsWidth, boundsHeight);
        animation->Tick();
        // A report ends it: a damaged animation would report again and
        // again, and the player could not get back to the game.
        return boxes_.Count() == reportsBefore;
    });
    board_.SetAnimationShowing(false);
    CAnimWnd::ShowPointer();
    animWnd_->hide();
    // Uncovered, the board is painted again (and checked for the end).
    InvalidateBoard();
    animWnd_->HandOnHeldInput();
}

void CGameWnd::PostRestart()
{
    PostCommand(ID_RESTART);
}

void CGameWnd::CloseGame()
{
    close();
}

void CGameWnd::DesktopSize(int& width, int& height)
{
    width = desktop_.right() + 1;
    height = desktop_.bottom() + 1;
}
