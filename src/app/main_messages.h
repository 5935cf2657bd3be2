#pragma once
// Messages, timers and control ids of the main window.
#include <windows.h>

constexpr UINT kMsgRefresh = 0x81FC;
constexpr UINT kMsgFirstOpen = 0x81FE;
constexpr UINT kMsgOpenHandedOver = 0x81FF;
constexpr UINT kMsgDefaultViewerPrompt = 0x8200;
constexpr UINT kMsgQuickIndexChanged = 0x8201;
constexpr UINT kMsgSetDefaultViewer = 0x8202;
constexpr UINT kMsgRunCommand = 0x8203;
constexpr UINT kMsgFeedbackEnded = 0x8204;
constexpr UINT kMsgSaveEnded = 0x8205;
constexpr UINT kMsgLockScreenSettings = 0x8206;
constexpr UINT kMsgTitleSize = 0x5220;

constexpr UINT_PTR kTimerQuitWatchdog = 4096;
constexpr UINT_PTR kTimerStartTray = 4097;
constexpr UINT_PTR kTimerLaunchEvent = 4098;

constexpr int kImageViewId = 101;
constexpr int kToolbarId = 102;
constexpr int kLogoId = 103;
constexpr int kMenubarId = 103;
constexpr int kCloseButtonId = 1023;
constexpr int kIconAreaId = 1024;
constexpr int kTitleTextId = 1025;
constexpr int kMaxButtonId = 1026;
constexpr int kMinButtonId = 1027;
constexpr int kFullScreenButtonId = 1029;

extern const wchar_t kQuitBroadcastMessage[];
