#pragma once

#include "FrameWatch.h"
#include "MainForm.h"
#include "TitleForm.h"
#include "platform/Forms.h"

namespace zunaka {

struct GameState;
class Platform;

// The game's two real windows behind the Forms interface, wired to the game's handlers.
class QtForms : public Forms {
public:
    QtForms(GameState& state, Platform& platform);

    void showMainForm() override;
    void hideMainForm() override { main_.hide(); }
    void unloadMainForm() override;
    void setKeyBoxVisible(bool visible) override;
    void setKeyBoxText(const std::string& text) override;
    std::string keyBoxText() const override;
    void focusKeyBox() override;
    void showTitleForm() override;
    void paintTitle(const QImage& picture, int width, int height) override;
    void setTitleTimerEnabled(bool enabled) override;
    void unloadTitleForm() override;
    int mainScaleWidth() const override;
    int mainScaleHeight() const override;
    void setMainClientSize(int width, int height) override;
    QMargins mainFrame() const override;
    void setFullScreen(bool on) override;
    void placeKeyBox(const QRect& rect) override;
    void blitToWindow(const QImage& source, const QRect& from, const QRect& to) override;
    void setMenuChecked(Menu menu, int index, bool checked) override;
    void setOkButton(bool visible, const QRect& rect) override;
    void setPageButton(PageButton button, bool visible, const QRect& rect) override;
    std::optional<std::string> askPlayer(const std::vector<std::string>& players, const std::string& current,
                                         bool mayAdd) override;

    MainForm& mainForm() { return main_; }
    TitleForm& titleForm() { return title_; }

private:
    void centre(QWidget& window);
    void frameChanged();

    GameState& state_;
    Platform& platform_;
    MainForm main_;
    TitleForm title_;
    FrameWatch frameWatch_{{&main_, &title_}, nullptr};
    bool mainUnloading_ = false;
    bool titleUnloading_ = false;
};

} // namespace zunaka
