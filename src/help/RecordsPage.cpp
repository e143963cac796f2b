#include "RecordsPage.h"

#include "RecordsDrawing.h"
#include "help/HelpPage.h"
#include "platform/Platform.h"
#include "screen/Canvas.h"
#include "screen/Composition.h"

namespace zunaka {

namespace {

// Where the page's own buttons stand on the 640 x 480 page; the window shows them scaled with it.
const QRect kEraseButton(16, 440, 150, 30);
const QRect kPlayerButton(450, 6, 174, 30);

// A rectangle of the page in the client area's coordinates, which the page is shown scaled to.
QRect onClient(const Forms& forms, const QRect& onPage)
{
    const double x = double(forms.mainScaleWidth()) / kCanvasWidth;
    const double y = double(forms.mainScaleHeight()) / kCanvasHeight;
    return QRect(qRound(onPage.x() * x), qRound(onPage.y() * y), qRound(onPage.width() * x),
                 qRound(onPage.height() * y));
}

// The reads of the page: once when it opens, and again after one of its buttons changed the records.
RecordsView readRecords(Platform& p)
{
    RecordStore& store = p.records();
    RecordsView view;
    view.player = store.currentPlayer();
    view.canSave = store.canSave();
    const std::optional<std::vector<GameRecord>> games = store.playerGames(view.player);
    view.readable = games.has_value();
    if (games)
        view.summary = summarise(*games);
    view.keys = store.keyStats(view.player);
    return view;
}

void showAgain(GameState& s, Platform& p)
{
    s.recordsView = readRecords(p);
    drawRecordsPage(s, p);
}

} // namespace

void subRecordsClick(GameState& s, Platform& p)
{
    if (s.gPlaying)
        return;
    p.forms().setKeyBoxVisible(false);
    s.helpPageOpen = false;
    s.recordsPageOpen = true;
    showAgain(s, p);
}

void drawRecordsPage(GameState& s, Platform& p)
{
    placeRecordsButtons(s, p);
    paintRecordsPage(s.AllPicture, s.recordsView, decodePicture(s.gKeyImage));
    refreshScreen(s, p);
}

void placeRecordsButtons(GameState& s, Platform& p)
{
    Forms& forms = p.forms();
    placeOkButton(p);
    forms.setPageButton(PageButton::Player, true, onClient(forms, kPlayerButton));
    // Nothing to erase: no button to erase it with.
    forms.setPageButton(PageButton::EraseRecords, s.recordsView.summary.latest.has_value(),
                        onClient(forms, kEraseButton));
}

void hideRecordsPage(GameState& s, Platform& p)
{
    s.recordsPageOpen = false;
    p.forms().setPageButton(PageButton::EraseRecords, false);
    p.forms().setPageButton(PageButton::Player, false);
}

void eraseRecordsClick(GameState& s, Platform& p)
{
    if (s.gPlaying || !s.recordsPageOpen)
        return;
    const std::string player = p.records().currentPlayer();
    if (!p.askYesNo(player + " の きろくを ぜんぶ けしますか？"))
        return;
    p.records().deleteGames(player);
    showAgain(s, p);
}

void playerClick(GameState& s, Platform& p)
{
    if (s.gPlaying || !s.recordsPageOpen)
        return;
    RecordStore& store = p.records();
    const std::vector<std::string> players = store.players();
    const std::string current = store.currentPlayer();
    const std::optional<std::string> chosen = p.forms().askPlayer(players, current, players.size() < kMaxPlayers);
    if (!chosen || *chosen == current)
        return;
    store.choosePlayer(*chosen);
    showAgain(s, p);
}

} // namespace zunaka
