#include "Harness.h"
#include "PlayedGame.h"
#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "shell/View.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zunaka {
namespace {

using test::played;

// "player | latest game | erase button | reads": what the page would show. What the page draws of the games
// is the records reference picture.
std::string describe(const test::Harness& h)
{
    const RecordsView& view = h.s.recordsView;
    std::string out = view.player + (view.readable ? "" : " unreadable") + (view.canSave ? "" : " unsaved") + " |";
    if (view.summary.latest)
        out += " " + view.summary.latest->started;
    const auto erase = h.p.fakeForms.pageButtons.find(PageButton::EraseRecords);
    out += erase != h.p.fakeForms.pageButtons.end() && erase->second.first ? " | erase" : " | -";
    return out + " | " + std::to_string(h.p.recordStore.reads);
}

TEST(RecordsPage, ShowsTheCurrentPlayersGamesAndChangesOnlyThem)
{
    using Act = std::function<void(test::Harness&)>;
    const auto save = [](std::vector<GameRecord> games) {
        return Act([games](test::Harness& h) { h.p.recordStore.saved = games; });
    };
    const struct Row {
        const char* what;
        Act before;  // before the page opens
        Act after;   // with the page open
        std::string expected;
    } rows[] = {
        {"read when opened, not when drawn again", save({played(3, 30, 0)}),
         [](test::Harness& h) { fullScreenClick(h.s, h.p); }, "みんな | #30/0 | erase | 1"},
        {"erasing takes the current player's games alone",
         save({played(1, 20, 0), played(1, 21, 0, true, "たろう")}),
         [](test::Harness& h) {
             h.p.answers = {false, true};
             eraseRecordsClick(h.s, h.p);
             EXPECT_EQ(h.p.recordStore.saved.size(), 2u) << "いいえ erases nothing";
             eraseRecordsClick(h.s, h.p);
             EXPECT_EQ(h.p.recordStore.saved, std::vector{played(1, 21, 0, true, "たろう")});
         },
         "みんな | | - | 2"},
        {"another player chosen", save({played(1, 20, 0), played(1, 21, 0, true, "たろう")}),
         [](test::Harness& h) {
             h.p.recordStore.names.push_back("たろう");
             h.p.fakeForms.playerAnswers = {std::nullopt, "たろう"};
             playerClick(h.s, h.p);
             playerClick(h.s, h.p);
         },
         "たろう | #21/0 | erase | 2"},
        {"eight names at most",
         [](test::Harness& h) {
             for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "8"})
                 h.p.recordStore.choosePlayer(name);
             EXPECT_EQ(h.p.recordStore.names.size(), kMaxPlayers);
             h.p.recordStore.choosePlayer("7");
         },
         [](test::Harness& h) {
             h.p.fakeForms.playerAnswers = {"9"};
             playerClick(h.s, h.p);
             EXPECT_EQ(h.p.fakeForms.playerDialogsMayAdd, std::vector{false});
         },
         "7 | | - | 2"},
        {"a store that cannot be read or written",
         [](test::Harness& h) { h.p.recordStore.unreadable = h.p.recordStore.refuses = true; }, {},
         "みんな unreadable unsaved | | - | 1"},
    };
    for (const Row& row : rows) {
        test::Harness h;
        h.setUp();
        if (row.before)
            row.before(h);
        subRecordsClick(h.s, h.p);
        if (row.after)
            row.after(h);
        EXPECT_EQ(describe(h), row.expected) << row.what;
    }
}

} // namespace
} // namespace zunaka
