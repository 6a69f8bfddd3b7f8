// The program in German and French: its menus, score line, dialogs, boxes
// and the engine's reports in the desktop's language, and every dialog's
// texts whole in their longer words.
#include "game/CGameApp.h"
#include "game/CGameWnd.h"
#include "game/GameSettings.h"
#include "platform/QtTexts.h"
#include "platform/Texts.h"
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/CInstallCdDlg.h"

#include "SmallGame.h"
#include "doubles/EngineReports.h"
#include "doubles/EventLoop.h"
#include "resources/AboutAnimation.h"
#include "shell/SettingsStore.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

struct Language {
    const char* locale;
    const char* options;     // the first menu's title
    const char* scoreStart;  // the score line of a new game
    const char* gridTitle;
    const char* fileReport;  // the engine's report of a file it cannot open
    const char* indivisible; // the game's box for a grid Match 3 cannot fill
    const char* noButton;    // Qt's own translation, installed alongside
    std::vector<std::string> sets; // 0, 1 and 2 sets, in the language's plural forms
};

const Language Languages[] = {
    {"de_DE", "&Optionen", "Züge: 0   Zeit: 0:00   Bestleistung: noch keine", "Spielfeld einstellen",
     "Fehler beim Öffnen der Datei:x.flc",
     "Die Zahl der Kärtchen muss durch 3 teilbar sein, wenn je 3 zusammengehören.  "
     "Das Spielfeld bekommt wieder seine Standardgröße.",
     "&Nein", {"0 Treffer", "1 Treffer", "2 Treffer"}},
    {"fr_FR", "&Options", "Coups\u00a0: 0   Temps\u00a0: 0:00   Record\u00a0: aucun pour l’instant",
     "Réglages de la grille", "Erreur d’ouverture du fichier:x.flc",
     "Le nombre de tuiles doit être divisible par 3 pour des séries de 3.  La grille reprend sa taille par défaut.",
     "&Non", {"0 série", "1 série", "2 séries"}},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.locale; }

// The texts a dialog cuts short: a button's wider than the button, a label's
// larger than its box.
std::vector<std::string> CutTexts(const QWidget& dialog)
{
    std::vector<std::string> cut;
    for (const QWidget* w : dialog.findChildren<QWidget*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const auto* label = qobject_cast<const QLabel*>(w);
        bool fits = true;
        if (button) fits = button->sizeHint().width() <= button->width();
        else if (label && label->wordWrap()) fits = label->heightForWidth(label->width()) <= label->height();
        else if (label) fits = label->sizeHint().width() <= label->width();
        if (!fits) cut.push_back((button ? button->text() : label->text()).toStdString());
    }
    return cut;
}

class TranslationsTest : public ::testing::TestWithParam<Language>, public SmallGame {
public:
    void SetUp() override
    {
        savedFolder = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.Path()));
        SetSettingsKey("Pairlet", CGameWnd::SettingsKey);
        QLocale::setDefault(QLocale(GetParam().locale));
        platform::InstallTranslations(*QCoreApplication::instance());
    }
    void TearDown() override
    {
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        platform::SetTranslator(nullptr);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QDir::setCurrent(savedFolder);
    }
    QString savedFolder;
};

TEST_P(TranslationsTest, TheGameSpeaksTheDesktopsLanguage)
{
    const Language& language = GetParam();
    WriteContent(8);
    CGameApp app;
    CGameWnd& window = app.InitInstance(Services());
    SettleEvents();
    EXPECT_EQ(language.options, window.menuBar()->actions().at(0)->text().toStdString());
    EXPECT_EQ(0u, window.ScoreLine()->text().toStdString().rfind(language.scoreStart, 0))
        << window.ScoreLine()->text().toStdString();

    // The code without Qt speaks it too: the game's rules and the engine.
    boxes.shown.clear();
    WriteNumber("rows", 4);
    WriteNumber("columns", 5);
    WriteNumber("match", 3);
    LoadGameSettings(boxes);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(language.indivisible, boxes.shown[0].text);
    struct Reporter : mObject {};
    EngineReports reports;
    Reporter().Error(CLASS_mImageFlic, ERR_FILE_OPEN, "x.flc");
    EXPECT_EQ(std::vector<std::string>{language.fileReport}, reports.Texts());
    EXPECT_EQ(language.noButton, QCoreApplication::translate("QPlatformTheme", "&No").toStdString());
    const std::vector<std::string> sets = {platform::TrCount("Score", "%n set(s)", nullptr, 0),
                                           platform::TrCount("Score", "%n set(s)", nullptr, 1),
                                           platform::TrCount("Score", "%n set(s)", nullptr, 2)};
    EXPECT_EQ(language.sets, sets);
}

// Without a translation the English source stands, its counts and
// placeholders filled in.
TEST(TextsTest, EnglishIsTheSourceWithItsCountsAndPlaceholders)
{
    EXPECT_EQ("0 sets, 1 set, 2 sets", platform::TrCount("Score", "%n set(s)", nullptr, 0) + ", " +
                                           platform::TrCount("Score", "%n set(s)", nullptr, 1) + ", " +
                                           platform::TrCount("Score", "%n set(s)", nullptr, 2));
    EXPECT_EQ("Player 2 wins, 7 to 1 (%4)", platform::Arg(platform::Tr("Score", "Player %1 wins, %2 to %3 (%4)"),
                                                              {"2", "7", "1"}));
}

TEST_P(TranslationsTest, EveryDialogShowsItsTextsWhole)
{
    CGridDlg grid(nullptr);
    EXPECT_EQ(GetParam().gridTitle, grid.windowTitle().toStdString());
    EXPECT_EQ(std::vector<std::string>{}, CutTexts(grid));

    EngineReports reports;
    CAboutDlg about(nullptr, clock, launcher, AboutAnimationData, AboutAnimationDataSize);
    EXPECT_EQ(std::vector<std::string>{}, CutTexts(about));

    volumes.volumes = {{"/", ""}, {"/media/cd/", "LUMARIS_1"}};
    CInstallCdDlg::Memory memory;
    CInstallCdDlg installer(nullptr, CInstallCdDlg::Services{boxes, volumes, folderBrowser, shellFiles, [](int) {}},
                            memory);
    EXPECT_EQ(std::vector<std::string>{}, CutTexts(installer));
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationsTest, ::testing::ValuesIn(Languages),
                         [](const ::testing::TestParamInfo<Language>& l) { return std::string(l.param.locale); });

} // namespace
