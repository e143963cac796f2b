#include "FakePlatform.h"

#include "moji/MojiTable.h"
#include "platform/Blit.h"
#include "platform/Pictures.h"

#include <QBuffer>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace zunaka {

void FakeForms::showMainForm()
{
    mainVisible = true;
}

void FakeForms::hideMainForm()
{
    mainVisible = false;
}

void FakeForms::unloadMainForm()
{
    if (mainUnloading_ || mainUnloaded)
        return;
    mainUnloading_ = true;
    if (onMainQueryUnload)
        onMainQueryUnload();
    if (onMainUnload)
        onMainUnload();
    mainVisible = false;
    mainUnloaded = true;
}

void FakeForms::paintTitle(const QImage&, int width, int height)
{
    titlePaintSize = QSize(width, height);
}

void FakeForms::unloadTitleForm()
{
    if (titleUnloading_ || titleUnloaded)
        return;
    titleUnloading_ = true;
    if (onTitleUnload)
        onTitleUnload();
    titleVisible = false;
    titleUnloaded = true;
}

// The visible surface starts as the window background, as the real one does.
QImage FakeForms::whiteWindow(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void FakeForms::setMainClientSize(int width, int height)
{
    window = whiteWindow(width, height);
}

void FakeForms::setFullScreen(bool on)
{
    if (on == fullScreen)
        return;
    fullScreen = on;
    if (on)
        windowedClient = window.size();
    const QSize client = on ? QSize(640, 480) : windowedClient;
    window = whiteWindow(client.width(), client.height());
}

void FakeForms::blitToWindow(const QImage& source, const QRect& from, const QRect& to)
{
    stretchBlt(window, to, source, from);
    windowBlits.push_back({from, to});
}

void FakeForms::setPageButton(PageButton button, bool visible, const QRect& rect)
{
    auto& [shown, at] = pageButtons[button];
    shown = visible;
    if (!rect.isEmpty())
        at = rect;
}

std::optional<std::string> FakeForms::askPlayer(const std::vector<std::string>&, const std::string&, bool mayAdd)
{
    playerDialogsMayAdd.push_back(mayAdd);
    if (playerAnswers.empty())
        throw WaitsForever();
    std::optional<std::string> answer = playerAnswers.front();
    playerAnswers.pop_front();
    return answer;
}

void FakeForms::setOkButton(bool visible, const QRect& rect)
{
    okButtonVisible = visible;
    if (!rect.isEmpty())
        okButtonRect = rect;
}

bool RecordingMusic::load(const std::string& path)
{
    log.push_back("load " + path);
    return !loadFails;
}

bool MemoryRecordStore::save(const GameRecord& record)
{
    if (refuses)
        return false;
    saved.push_back(record);
    return true;
}

std::optional<std::vector<GameRecord>> MemoryRecordStore::playerGames(const std::string& name)
{
    ++reads;
    if (unreadable)
        return std::nullopt;
    std::vector<GameRecord> games;
    for (const GameRecord& game : saved) {
        if (game.player == name)
            games.push_back(game);
    }
    return games;
}

bool MemoryRecordStore::choosePlayer(const std::string& name)
{
    const bool known = std::find(names.begin(), names.end(), name) != names.end();
    if (name.empty() || (!known && names.size() >= kMaxPlayers))
        return false;
    if (!known)
        names.push_back(name);
    player = name;
    return !refuses;
}

bool MemoryRecordStore::deleteGames(const std::string& name)
{
    if (refuses)
        return false;
    std::erase_if(saved, [&name](const GameRecord& game) { return game.player == name; });
    return true;
}

bool FakePlatform::askYesNo(const std::string& text)
{
    questions.push_back(text);
    if (answers.empty())
        throw WaitsForever();
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

KeyStats MemoryRecordStore::keyStats(const std::string& player)
{
    if (refuses)
        return {};
    std::vector<GameRecord> games;
    std::copy_if(saved.begin(), saved.end(), std::back_inserter(games),
                 [&player](const GameRecord& game) { return game.player == player; });
    return keyStatsOf(games);
}

int MemoryRecordStore::lastLesson(const std::string& player)
{
    const auto last = std::find_if(saved.rbegin(), saved.rend(), [&player](const GameRecord& game) {
        return game.player == player && game.lesson >= 1 && game.lesson <= kLessonCount;
    });
    return refuses || last == saved.rend() ? 0 : last->lesson;
}

float FakePlatform::rnd()
{
    if (queuedRandom.empty())
        return rng_.next();
    const float r = queuedRandom.front();
    queuedRandom.pop_front();
    return r;
}

int FakePlatform::mciSendString(std::string_view command)
{
    mediaCommands.emplace_back(command);
    mediaTicks.push_back(now);
    if (mediaBreaks)
        throw std::runtime_error("media layer failed");
    mediaResults.push_back(media_.send(command));
    return mediaResults.back();
}

void FakePlatform::sndPlaySound(const std::string& path, unsigned flags)
{
    const bool playing = effectEverPlayed_ && elapsed(now, effectStart_) < effectLengthMs;
    if (playing && (flags & kSndNoStop) != 0) {
        soundsDropped.push_back(path);
        return;
    }
    soundsPlayed.push_back(path);
    effectStart_ = now;
    effectEverPlayed_ = true;
}

QImage FakePlatform::loadPicture(const std::string& path, const PictureUse& use)
{
    if (picturesFromDisk) {
        QImage image = decodePicture(path, use);
        picturesLoaded.push_back(path);
        return image;
    }
    const auto found = pictures.find(path);
    if (found == pictures.end())
        throw std::runtime_error("cannot load " + path);
    picturesLoaded.push_back(path);
    return found->second;
}

PictureFile FakePlatform::loadPictureFile(const std::string& path, const PictureUse& use)
{
    if (picturesFromDisk) {
        PictureFile file = readPicture(path, use);
        picturesLoaded.push_back(path);
        return file;
    }
    // The picture served, as a file that decodes to it again.
    PictureFile file{{}, use};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::WriteOnly);
    loadPicture(path, use).save(&buffer, "PNG");
    return file;
}

void FakePlatform::schedule(Tick at, std::function<void()> handler)
{
    events_.push_back({at, std::move(handler)});
}

bool FakePlatform::runDue()
{
    // Events run in the order of their times; a handler may schedule more.
    bool ran = false;
    for (;;) {
        auto due = std::min_element(events_.begin(), events_.end(), [this](const auto& a, const auto& b) {
            return elapsed(a.at, now) < elapsed(b.at, now);
        });
        if (due == events_.end() || elapsed(now, due->at) < 0)
            return ran;
        auto handler = std::move(due->handler);
        events_.erase(due);
        handler();
        ran = true;
    }
}

void FakePlatform::doEvents()
{
    ++doEventsCount;
    runDue();
}

void FakePlatform::waitForEvents(std::int32_t timeoutMs)
{
    if (runDue())
        return;
    std::int32_t step = timeoutMs;
    for (const auto& event : events_) {
        const std::int32_t until = std::max<std::int32_t>(0, elapsed(event.at, now));
        if (step < 0 || until < step)
            step = until;
    }
    if (step < 0)
        throw WaitsForever();
    // Real time passes in every wait: a loop that keeps asking for a zero wait before its deadline must
    // reach the deadline, not spin on a stopped clock.
    advance(std::max<std::int32_t>(step, 1));
    runDue();
}

} // namespace zunaka
