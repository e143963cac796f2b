#pragma once

namespace zunaka {

// Sound effect flags: asynchronous, silence for a file that cannot be played, and no new effect while
// one is still playing. Apart from Platform.h so that the sound module builds without Qt.
constexpr unsigned kSndAsync = 1;
constexpr unsigned kSndNoDefault = 2;
constexpr unsigned kSndNoStop = 16;
constexpr unsigned kSndEffectFlags = kSndAsync | kSndNoDefault | kSndNoStop;

} // namespace zunaka
