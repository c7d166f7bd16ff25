#pragma once

namespace mnt4820 {

// The fixed texts that more than one procedure shows, each written once.
inline constexpr const char* SearchFailedMessage = "検索時にｴﾗｰがありました";
inline constexpr const char* UpdateFailedMessage = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";
inline constexpr const char* NoSuchDataMessage = "該当データがありません";
inline constexpr const char* SettingsReadFailedMessage = "INIﾌｧｲﾙ読込エラー";
inline constexpr const char* ConnectFailedMessage = "接続エラー";
inline constexpr const char* StylingFailedMessage = "項目設定エラー";

}  // namespace mnt4820
