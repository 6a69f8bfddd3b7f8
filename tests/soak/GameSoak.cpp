// Plays the real main window on Qt's offscreen platform with random but
// reproducible player actions: clicks on tiles and margins, every menu
// command and key, the dialogs opened and answered, match animations started
// and ended, restarts with every grid size and match mode, damaged pictures
// and animations swapped in. After every action the board's rules and the
// picture on the screen are checked, and over the run that the heap does not
// grow.
//
//   pairlet-soak [--actions N] [--seed S]
//
// On a failure it prints the seed, the action and the actions before it.
#include "game/CAnimWnd.h"
#include "game/CGameApp.h"
#include "game/CGameWnd.h"
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/CInstallCdDlg.h"
#include "shell/SettingsStore.h"
#include "resources/CommandIds.h"

#include "doubles/EventLoop.h"
#include "game/BoardRules.h"
#include "game/SmallGame.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <random>
#include <stdexcept>

namespace {

constexpr int Pictures = 36; // enough for every grid at Match 2

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Expect(bool holds, const std::string& what)
{
    if (!holds) throw Failure(what);
}

// The small blocks in use: pictures and stages, which come and go with grid
// sizes and dialogs, are mapped on their own (main() fixes the threshold
// that malloc would otherwise raise), so what is left is what a leak adds to.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

class Soak : private SmallGame {
public:
    explicit Soak(std::uint32_t seed) : random_(seed)
    {
        savedFolder_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.Path()));
        SetSettingsKey("Pairlet", CGameWnd::SettingsKey);
        WriteContent(Pictures);
        for (int p = 1; p <= Pictures; ++p) folder.Write("anim/" + PictureName(p) + ".flc", animation_);
        boxes.onShow = [this] { AnswerBox(); };
        clock.onPause = [this](int) { DuringPause(); };
        shellFiles.onRun = [this] { folder.Write("Add-ons/" + PictureName(1) + ".flc", BlockAnimation()); };
        StartGame();
    }
    ~Soak()
    {
        app_.reset();
        QDir::setCurrent(savedFolder_);
    }

    // Returns the number of the action that failed, or -1.
    long Run(long actions)
    {
        WarmUp();
        for (long n = 0; n < actions; ++n) {
            std::string done;
            try {
                done = Act();
                Remember(n, done);
                SettleEvents();
                if (Window().Closing()) Restart();
                Check();
                WatchHeap(n, actions);
            } catch (const Failure& f) {
                Report(n, f.what());
                return n;
            }
            sounds.calls.clear();
            boxes.shown.clear();
        }
        std::printf("heap in use: at least %.1f MB in the second quarter of the run, at least %.1f MB in the last\n",
                    double(heapEarly_) / 1048576.0, double(heapLate_) / 1048576.0);
        std::printf("%ld actions: %ld tile clicks, %ld sets completed, %ld animations, %ld games over, "
                    "%ld restarts of the program\n",
                    actions, clicks_, sets_, animations_, gamesOver_, programStarts_ - 1);
        return -1;
    }

private:
    void StartGame()
    {
        app_ = std::make_unique<CGameApp>();
        app_->InitInstance(Services());
        ++programStarts_;
        SettleEvents();
    }

    void Restart()
    {
        app_.reset();
        StartGame();
    }

    // What is made once, on first use, is made before the heap is watched:
    // a match animation and each dialog have run once.
    void WarmUp()
    {
        if (!GameBoard().Settings().animation) Window().OnCommand(ID_TOGGLE_ANIMATION);
        for (int n = 0; n < 2 * GameBoard().Settings().match; ++n) {
            QTest::mouseClick(Window().BoardWidget(), Qt::LeftButton, {}, Centre(UsefulTile(0)));
            SettleEvents();
        }
        About();
        GridSettings();
        InstallCd();
        SettleEvents();
        if (Window().Closing()) Restart();
    }

    CGameWnd& Window() { return *app_->MainWindow(); }
    const Board& GameBoard() { return Window().GameBoard(); }
    int Below(int n) { return int(random_() % std::uint32_t(n)); }

    // --- actions

    // Weighted so that games get finished between the restarts.
    std::string Act()
    {
        const int roll = Below(100);
        if (roll < 70) return ClickTile();
        if (roll < 73) return ClickMargin();
        if (roll < 87) return PressKey();
        if (roll < 91) return MenuCommand();
        if (roll < 93) return GridSettings();
        if (roll < 94) return About();
        if (roll < 95) return InstallCd();
        return SwapContent();
    }

    QPoint Centre(int tile) { return TileCentre(GameBoard().Layout(), tile); }

    std::string ClickTile()
    {
        if (GameBoard().Layout().Empty()) return "no board to click";
        // Mostly a tile that takes the game on: one of the selection's
        // picture, or any tile still in play.
        int tile = Below(GameBoard().Count());
        if (Below(4) != 0) tile = UsefulTile(tile);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                           Qt::BackButton};
        const Qt::MouseButton button = buttons[Below(5)];
        ++clicks_;
        const std::size_t before = MatchedCount();
        QTest::mouseClick(Window().BoardWidget(), button, {}, Centre(tile));
        if (MatchedCount() >= before + std::size_t(GameBoard().Settings().match)) ++sets_;
        return "click on tile " + std::to_string(tile) + " with button " + std::to_string(int(button));
    }

    int UsefulTile(int fallback)
    {
        const Board& board = GameBoard();
        const std::vector<int>& selection = board.Selection();
        const int start = Below(board.Count());
        for (int k = 0; k < board.Count(); ++k) {
            const int i = (start + k) % board.Count();
            const Tile& t = board.TileAtIndex(i);
            if (t.state == Matched || std::find(selection.begin(), selection.end(), i) != selection.end()) continue;
            if (selection.empty() || t.picture == board.SelectionPicture()) return i;
        }
        return fallback;
    }

    std::string ClickMargin()
    {
        QWidget* board = Window().BoardWidget();
        const QPoint at(Below(board->width() + 20) - 10, Below(board->height() + 20) - 10);
        QTest::mouseClick(board, Qt::LeftButton, {}, at);
        return "click at " + std::to_string(at.x()) + "," + std::to_string(at.y());
    }

    // Mostly the keys that play; now and then a command's key.
    std::string PressKey()
    {
        static const QKeyCombination play[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,   Qt::Key_Down,
                                               Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_X};
        static const QKeyCombination commands[] = {
            Qt::Key_H, Qt::Key_F2, Qt::ControlModifier | Qt::Key_R, Qt::ControlModifier | Qt::Key_A,
            Qt::ControlModifier | Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::Key_P};
        const QKeyCombination key = Below(5) != 0 ? play[Below(int(std::size(play)))]
                                                  : commands[Below(int(std::size(commands)))];
        QTest::keyClick(&Window(), key.key(), key.keyboardModifiers());
        return "key " + QKeySequence(key).toString().toStdString();
    }

    std::string MenuCommand()
    {
        emit Window().OptionsMenu()->aboutToShow();
        const int ids[] = {ID_RESTART, ID_TOGGLE_ANIMATION, ID_TOGGLE_SOUND, ID_USE_CD_ANIM, ID_QUIT};
        const int id = ids[Below(Below(50) == 0 ? 5 : 4)]; // quitting is rare
        QAction* action = Window().CommandAction(id);
        if (!action) return "menu without command " + std::to_string(id);
        action->trigger();
        return "menu command " + std::to_string(id);
    }

    // Answers the dialog once it is up; one that never comes up fails.
    template <typename D> void WhenShown(std::function<void(D&)> act, int tries = 1000)
    {
        QTimer::singleShot(0, [this, act, tries] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (dialog) {
                act(*dialog);
                // What the answer left open (a copy without a disc), the player cancels.
                QTimer::singleShot(0, [open = QPointer<D>(dialog)] {
                    if (open && open->isVisible()) open->reject();
                });
                return;
            }
            if (tries > 0) return WhenShown<D>(act, tries - 1);
            dialogMissing_ = true;
        });
    }

    std::string GridSettings()
    {
        static const int sizes[] = {CGridDlg::IDC_4X4, CGridDlg::IDC_4X5, CGridDlg::IDC_5X6, CGridDlg::IDC_6X6,
                                    CGridDlg::IDC_6X7, CGridDlg::IDC_7X8, CGridDlg::IDC_8X8, CGridDlg::IDC_8X9};
        static const int matches[] = {CGridDlg::IDC_MATCH2, CGridDlg::IDC_MATCH3, CGridDlg::IDC_MATCH4,
                                      CGridDlg::IDC_MATCH4_CORNERS};
        const int size = sizes[Below(8)], match = matches[Below(4)];
        const bool ok = Below(5) != 0;
        WhenShown<CGridDlg>([=](CGridDlg& d) {
            d.Control(size)->click();
            d.Control(match)->click();
            d.Control(ok ? 1 : 2)->click();
        });
        Window().OnCommand(ID_GRID_SETTINGS);
        return "grid settings " + std::to_string(size) + " " + std::to_string(match) + (ok ? " OK" : " Cancel");
    }

    std::string About()
    {
        const int how = Below(3);
        WhenShown<CAboutDlg>([how](CAboutDlg& d) {
            if (how == 0) d.Button(CAboutDlg::IDOK)->click();
            else QTest::keyClick(&d, how == 1 ? Qt::Key_Escape : Qt::Key_Return);
        });
        Window().CommandAction(ID_ABOUT)->trigger();
        return "about box, closed " + std::to_string(how);
    }

    std::string InstallCd()
    {
        const bool disc = Below(2) == 0, copy = Below(2) == 0;
        volumes.volumes = {{"/", ""}};
        if (disc) volumes.volumes.push_back({"/media/cd/", "LUMARIS_1"});
        const std::string destination = folder / "Add-ons";
        WhenShown<CInstallCdDlg>([=](CInstallCdDlg& d) {
            auto* typed = static_cast<QLineEdit*>(d.Control(CInstallCdDlg::IDC_DESTINATION));
            typed->setText(QString::fromStdString(destination));
            static_cast<QPushButton*>(d.Control(copy ? CInstallCdDlg::IDC_COPY_FILES : CInstallCdDlg::IDCANCEL))
                ->click();
        });
        Window().CommandAction(ID_INSTALL_CD)->trigger();
        return std::string("install dialog") + (disc ? " with the disc" : " without a disc") +
               (copy ? ", copy" : ", cancel");
    }

    std::string SwapContent()
    {
        const int p = 1 + Below(Pictures);
        switch (Below(6)) {
        case 0: {
            // Cut short, emptied, or not a picture at all.
            std::string bytes = BmpBuilder::Solid(6, 4, 8, Bgr(PictureColour(p))).Bytes();
            const int how = Below(3);
            bytes = how == 0 ? bytes.substr(0, bytes.size() / 2) : how == 1 ? std::string() : std::string(200, 'x');
            folder.Write("bmp/" + PictureName(p) + ".bmp", bytes);
            return "picture " + std::to_string(p) + " damaged (" + std::to_string(how) + ")";
        }
        case 1:
        case 2: WritePicture(folder, p); return "picture " + std::to_string(p) + " restored";
        case 3: {
            std::string flc = animation_;
            flc.resize(std::size_t(Below(int(flc.size()))));
            folder.Write("anim/" + PictureName(p) + ".flc", flc);
            return "animation " + std::to_string(p) + " cut to " + std::to_string(flc.size()) + " bytes";
        }
        default:
            folder.Write("anim/" + PictureName(p) + ".flc", animation_);
            return "animation " + std::to_string(p) + " restored";
        }
    }

    // --- what the player does while the program waits

    void AnswerBox()
    {
        if (boxes.shown.back().caption != "Game Over") return;
        ++gamesOver_;
        boxes.answers.push_back(Below(10) == 0 ? platform::IDNO : platform::IDYES);
    }

    // Pauses come from a miss, the About box's animation and the match
    // animation; the last one is ended after a few passes, in one of the
    // ways a player ends it.
    void DuringPause()
    {
        CAnimWnd& animation = *Window().AnimationWindow();
        if (!animation.isVisible()) {
            animationPasses_ = 0;
            return;
        }
        if (animationPasses_++ == 0) {
            ++animations_;
            endAtPass_ = 1 + Below(6);
        }
        // A failure cannot be thrown through the event loop: it is noted,
        // the animation stopped, and the check after the action reports it.
        if (animationPasses_ >= 500) {
            animationStuck_ = true;
            Window().PostCommand(ID_STOP_ANIMATION);
            return;
        }
        if (animationPasses_ < endAtPass_) return;
        const QPoint at = QCursor::pos();
        switch (Below(4)) {
        case 0:
            QCoreApplication::postEvent(&animation, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
            break;
        case 1:
            QCoreApplication::postEvent(&animation, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), at,
                                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            break;
        case 2:
            QCursor::setPos(at + QPoint(60, 0));
            QCoreApplication::postEvent(&animation, new QMouseEvent(QEvent::MouseMove, QPointF(5, 5), QCursor::pos(),
                                                                    Qt::NoButton, Qt::NoButton, Qt::NoModifier));
            break;
        default: Window().PostCommand(ID_STOP_ANIMATION); break;
        }
    }

    // --- checks

    std::size_t MatchedCount()
    {
        std::size_t n = 0;
        for (int i = 0; i < GameBoard().Count(); ++i) n += GameBoard().TileAtIndex(i).state == Matched;
        return n;
    }

    void Check()
    {
        const Board& board = GameBoard();
        const GameSettings& s = board.Settings();
        Expect(s.count == s.rows * s.columns && s.count % s.match == 0, "the grid does not divide by the match");
        Expect(s.split == 0 || s.match == 4, "corners are split outside Match 4");
        const std::string broken = BrokenBoardRule(board);
        Expect(broken.empty(), broken);
        CheckScreen(board);
        Expect(!board.AnimationShowing() && !Window().AnimationWindow()->isVisible(), "an animation is still showing");
        Expect(QGuiApplication::overrideCursor() == nullptr, "the pointer stays hidden");
        Expect(!dialogMissing_, "a dialog did not come up");
        Expect(!animationStuck_, "a match animation did not end on input");
        Expect(ReadNumber("animation", 1) == s.animation && ReadNumber("sound", 1) == s.sound,
               "the stored switches differ from the game's");
    }

    // What the screen shows at each tile's centre follows its state; a
    // board with every tile matched is over.
    void CheckScreen(const Board& board)
    {
        const BoardLayout& layout = board.Layout();
        const QWidget& view = *Window().BoardWidget();
        if (layout.Empty() || !Window().Canvas().Fits(view.size(), view.devicePixelRatioF())) return;
        const QImage shown = Window().Canvas().Picture();
        for (int i = 0; i < board.Count(); ++i) {
            const Tile& t = board.TileAtIndex(i);
            const QRgb expected = t.state == Matched    ? MatchedColour
                                  : t.state == FaceDown ? CoverColour
                                                        : PictureColour(t.picture);
            const QPoint at = Centre(i);
            Expect((shown.pixel(at) & 0xFFFFFF) == (expected & 0xFFFFFF),
                   "tile " + std::to_string(i) + " in state " + std::to_string(int(t.state)) + " shows another colour");
        }
        // A board that ends in unreadable pictures ends without the question.
        Expect(MatchedCount() < std::size_t(board.Count()) || board.GameOver(),
               "every tile is matched and the end went unnoticed");
    }

    // The heap at its smallest in the second quarter of the run against its
    // smallest in the last quarter: what grows with every action shows there,
    // what a grid size or a dialog takes for a while does not.
    void WatchHeap(long n, long actions)
    {
        if (actions < 400) return;
        const std::size_t now = HeapInUse();
        if (n >= actions / 4 && n < actions / 2) heapEarly_ = heapEarly_ ? std::min(heapEarly_, now) : now;
        if (n >= actions * 3 / 4) heapLate_ = heapLate_ ? std::min(heapLate_, now) : now;
        if (n == actions - 1)
            Expect(heapLate_ < heapEarly_ + 512 * 1024,
                   "the heap grew from " + std::to_string(heapEarly_) + " to " + std::to_string(heapLate_) + " bytes");
    }

    void Remember(long n, const std::string& done)
    {
        recent_.push_back(std::to_string(n) + ": " + done);
        if (recent_.size() > 20) recent_.pop_front();
    }

    void Report(long n, const std::string& what)
    {
        std::fprintf(stderr, "FAILED after action %ld: %s\nthe last actions:\n", n, what.c_str());
        for (const std::string& line : recent_) std::fprintf(stderr, "  %s\n", line.c_str());
        const Board& board = GameBoard();
        std::fprintf(stderr, "board %dx%d, match %d%s, animation %d, sound %d, over %d; tiles (picture:state):",
                     board.Settings().rows, board.Settings().columns, board.Settings().match,
                     board.Settings().split ? " corners" : "", board.Settings().animation, board.Settings().sound,
                     int(board.GameOver()));
        for (int i = 0; i < board.Count(); ++i)
            std::fprintf(stderr, " %d:%d", board.TileAtIndex(i).picture, int(board.TileAtIndex(i).state));
        std::fprintf(stderr, "\n");
    }

    std::mt19937 random_;
    QString savedFolder_;
    const std::string animation_ = BlockAnimation();
    std::unique_ptr<CGameApp> app_;
    std::deque<std::string> recent_;
    int animationPasses_ = 0, endAtPass_ = 0;
    bool dialogMissing_ = false, animationStuck_ = false;
    long clicks_ = 0, sets_ = 0, animations_ = 0, gamesOver_ = 0, programStarts_ = 0;
    std::size_t heapEarly_ = 0, heapLate_ = 0;
};

// The offscreen platform notes every raise() of the animation window and
// every new main window.
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support")) return;
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietPlatform);
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long actions = 2000;
    std::uint32_t seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--actions" && i + 1 < argc) actions = std::stol(argv[++i]);
        else if (option == "--seed" && i + 1 < argc) seed = std::uint32_t(std::stoul(argv[++i]));
    }
    std::printf("soak: %ld actions, seed %u\n", actions, seed);
    std::fflush(stdout);
    const long failed = Soak(seed).Run(actions);
    if (failed < 0) return 0;
    std::fprintf(stderr, "soak failed with seed %u at action %ld: run again with --seed %u --actions %ld\n", seed,
                 failed, seed, failed + 1);
    return 1;
}
