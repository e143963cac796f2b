#pragma once

#include <QObject>

namespace zunaka {

struct GameState;
class Platform;

// Watches the key box `Text1` and raises its two handlers: the key press before the line edit inserts
// the character, the key release after. Nothing is swallowed: the line edit still handles every key.
class KeyBoxFilter : public QObject {
public:
    KeyBoxFilter(GameState& state, Platform& platform, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GameState& state_;
    Platform& platform_;
};

} // namespace zunaka
