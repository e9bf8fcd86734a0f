#pragma once
// The internal functions a hotkey entry can run instead of a program: the number its FuncNo holds
// and the name the hotkey entry dialog offers, in the order of FunctionList. What each one does is
// resident/internal_functions.cpp.
#include <cstdint>
#include <string_view>

namespace zarv {

// FuncNo values of the internal functions, beside kFuncProgram (0) and kFuncUrl (255). They are
// stored in the data files: never renumber one.
enum InternalFunction : std::uint8_t {
    kFuncShutdownDialog = 1,
    kFuncRestart = 2,
    kFuncShutDown = 3,
    kFuncMapNetworkDrive = 4,
    kFuncDisconnectNetworkDrive = 5,
    kFuncScreenSaver = 6,
    kFuncControlPanel = 7,
    kFuncTransparentIconTexts = 8,
    kFuncDateAndTime = 9,
    kFuncLauncherMenu = 250,
    kFuncTrayMenu = 251,
    kFuncHotkeyEditor = 252,
    kFuncCommandEditor = 253,
    kFuncCommandBar = 254,
};

struct InternalFunctionRow {
    InternalFunction Number;
    std::string_view Name;  // UTF-8
};

inline constexpr InternalFunctionRow kInternalFunctions[] = {
    {kFuncShutdownDialog, "Windowsの終了ダイアログ表示"},
    {kFuncRestart, "再起動"},
    {kFuncShutDown, "シャットダウン"},
    {kFuncMapNetworkDrive, "ネットワークドライブ割り当て"},
    {kFuncDisconnectNetworkDrive, "ネットワークドライブ解除"},
    {kFuncScreenSaver, "スクリーンセーバー起動"},
    {kFuncControlPanel, "コントロールパネルを開く"},
    {kFuncTransparentIconTexts, "アイコン文字列背景の透明化"},
    {kFuncDateAndTime, "日時の表示"},
    {kFuncLauncherMenu, "リスト表示"},
    {kFuncTrayMenu, "メニュー表示"},
    {kFuncHotkeyEditor, "ホットキーの設定"},
    {kFuncCommandEditor, "コマンドの設定"},
    {kFuncCommandBar, "コマンド入力"},
};

}  // namespace zarv
