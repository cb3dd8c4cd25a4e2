#pragma once
// Numbers of the window messages and commands of the link, and the texts of
// the configuration exchange (English row 0, Chinese row 1, UTF-8).

inline constexpr int kMsgWaveformSheetUpdate = 1126;
inline constexpr int kMsgSettingsChanged = 1128;
inline constexpr int kMsgDataTableUpdate = 1130;
inline constexpr int kMsgMeasurementUpdate = 1131;
inline constexpr int kMsgScreenReady = 1132;
inline constexpr int kMsgPowerSpectrumUpdate = 1135;
inline constexpr int kMsgArithmeticUpdate = 1136;
inline constexpr int kMsgBusAnalysisUpdate = 1156;

inline constexpr int kCmdIdConnect = 32806;
inline constexpr int kCmdIdDisconnect = 32807;

extern const char szRecConfigError[2][50];   // "Receive Config Error!"
extern const char szConfigOverTime[2][50];   // "Over Time!"
extern const char szConfigTableError[2][50]; // "failing configure!"
