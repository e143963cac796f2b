#include "MainMenus.h"

#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "holes/HoleModel.h"
#include "shell/Game.h"
#include "shell/Menus.h"
#include "shell/Shutdown.h"
#include "shell/View.h"

#include <QMenuBar>
#include <QProxyStyle>

#include <array>
#include <functional>

namespace zunaka {

namespace {

// Captions of the choice menus' items, one for each of menuValues, in its order.
constexpr std::array kLessonCaptions{"レッスン１", "レッスン２", "レッスン３", "レッスン４",
                                     "レッスン５", "レッスン６", "にがてなキー"};
constexpr std::array kSpeedCaptions{"はやい", "ややはやい", "おそい"};
constexpr std::array kMojiCountCaptions{"３０", "５０", "７０"};
static_assert(kLessonCaptions.size() == menuValues::kLesson.size());
static_assert(kSpeedCaptions.size() == menuValues::kSpeed.size());
static_assert(kMojiCountCaptions.size() == menuValues::kMojiCount.size());

// A tap of Alt puts the menu bar in keyboard mode (arrows move, Return chooses), as desktop programs do;
// Qt's Fusion style, the usual one on Linux, leaves that off.
class AltNavigationStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The shortcuts work while the main window is active, never from the title window.
void addCommand(QMenu& menu, const QString& caption, QKeyCombination key, std::function<void()> handler)
{
    QAction* action = menu.addAction(caption, std::move(handler));
    action->setShortcut(QKeySequence(key));
    action->setShortcutContext(Qt::WindowShortcut);
}

} // namespace

QAction* MainMenus::addCheckable(QMenu& menu, Menu which, const QString& caption, std::function<void()> handler)
{
    QAction* action = menu.addAction(caption);
    action->setCheckable(true);
    // Qt flips the mark of a checkable item before it reports the choice: flip it back, and let the
    // handler set the marks the game's state calls for.
    QObject::connect(action, &QAction::triggered, &menu, [action, handler = std::move(handler)](bool checked) {
        action->setChecked(!checked);
        handler();
    });
    items_[which].push_back(action);
    return action;
}

MainMenus::MainMenus(QMenuBar& bar, GameState& s, Platform& p)
{
    auto* style = new AltNavigationStyle;
    style->setParent(&bar);
    bar.setStyle(style);

    QMenu* file = bar.addMenu(QStringLiteral("ファイル"));
    addCommand(*file, QStringLiteral("スタート"), Qt::CTRL | Qt::Key_G, [&s, &p] { startClick(s, p); });
    file->addSeparator();
    addCommand(*file, QStringLiteral("ストップ"), Qt::CTRL | Qt::Key_S, [&s, &p] { stopClick(s, p); });
    file->addSeparator();
    addCommand(*file, QStringLiteral("おわり"), Qt::CTRL | Qt::Key_Q, [&s, &p] { quitClick(s, p); });

    const auto addChoices = [&](const QString& title, Menu which, const auto& captions, const auto& values,
                                int initial, void (*click)(GameState&, Platform&, int)) {
        QMenu* menu = bar.addMenu(title);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            QAction* action = addCheckable(*menu, which, QString::fromUtf8(captions[i]),
                                           [&s, &p, click, index] { click(s, p, index); });
            action->setChecked(values[i] == initial);
        }
    };
    addChoices(QStringLiteral("レッスン"), Menu::Lesson, kLessonCaptions, menuValues::kLesson, defaults::kLesson,
               lessonCheckClick);
    addChoices(QStringLiteral("スピード"), Menu::Speed, kSpeedCaptions, menuValues::kSpeed, defaults::kSpeed,
               speedCheckClick);
    addChoices(QStringLiteral("文字数"), Menu::MojiCount, kMojiCountCaptions, menuValues::kMojiCount,
               defaults::kMojiTotal, mojiCountClick);

    // The music starts switched on, so its item starts without a mark.
    addCheckable(*bar.addMenu(QStringLiteral("BGM")), Menu::Bgm, QStringLiteral("BGM停止"),
                 [&s, &p] { bgmStopClick(s, p); });
    QAction* fullScreen = addCheckable(*bar.addMenu(QStringLiteral("がめん")), Menu::Screen,
                                       QStringLiteral("ぜんがめん"), [&s, &p] { fullScreenClick(s, p); });
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen->setShortcutContext(Qt::WindowShortcut);
    leaveFullScreen_ = new QAction(&bar);
    leaveFullScreen_->setShortcut(QKeySequence(Qt::Key_Escape));
    leaveFullScreen_->setShortcutContext(Qt::WindowShortcut);
    leaveFullScreen_->setEnabled(false);
    QObject::connect(leaveFullScreen_, &QAction::triggered, &bar, [&s, &p] { zunaka::leaveFullScreen(s, p); });
    QMenu* help = bar.addMenu(QStringLiteral("つかいかた"));
    help->addAction(QStringLiteral("つかいかた"), [&s, &p] { subHelpClick(s, p); });
    QMenu* records = bar.addMenu(QStringLiteral("きろく"));
    records->addAction(QStringLiteral("きろく"), [&s, &p] { subRecordsClick(s, p); });
    // A menu opens as a window of its own, which takes no font from the bar.
    for (QAction* title : bar.actions())
        title->menu()->setFont(bar.font());
}

QAction* MainMenus::item(Menu menu, int index) const
{
    return items_.at(menu).at(static_cast<std::size_t>(index - 1));
}

} // namespace zunaka
