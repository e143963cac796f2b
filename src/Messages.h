#pragma once

namespace zunaka {

// The program's name: window captions and message-box captions.
inline constexpr const char* kAppTitle = "ずなかタイピング";

// The three messages that end the program.
inline constexpr const char* kAlreadyRunning = "このアプリケーションはすでに開かれています。";
inline constexpr const char* kPictureLoadError = "画像データ読み込みエラー";
inline constexpr const char* kSoundLoadError = "サウンドデータ読み込みエラー";

} // namespace zunaka
