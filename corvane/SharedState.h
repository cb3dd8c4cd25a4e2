// Corvane shared state: the one instance of every variable that the program's
// windows, documents and link threads share.
//
// Ownership and locking:
// - Flags polled across threads are std::atomic<int32_t>; they are written
//   whole and polled, nothing else protects them.
// - The receive buffers, the sample buffers, g_pSysParamBuffer and g_wfmParam
//   are touched only while g_csLock is held.
// - Numbers carry their static initial values; there is no start-up call.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// ---------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------

// The parameters of one acquisition, as the instrument reports them (the
// settings decode keeps g_wfmParam current) and as the ".wfm" file stores them.
// Fields are in the order the file and the windows rely on; strings are
// std::string because the archive writes them as counted byte strings, which
// round-trip any length. Values whose binding to an instrument setting is the
// settings decode's choice are marked "free for the decode": data windows only
// carry them through files.
// Everything starts at zero except the probe factors, which start at 1.
struct tagWaveformParam {
    int32_t nCH1Show = 0;            // CH1 trace shown (0/1)
    int32_t nCH2Show = 0;            // CH2 trace shown (0/1)
    int32_t nMathShow = 0;           // math trace shown (0/1)
    int16_t nCH1Pos = 0;             // CH1 vertical position, sample counts (25 per division)
    int16_t nCH2Pos = 0;             // CH2 vertical position, sample counts
    int16_t nMathPos = 0;            // math vertical position, sample counts
    int32_t nCH1Invert = 0;          // CH1 inverted (0/1)
    int32_t nCH2Invert = 0;          // CH2 inverted (0/1)
    int64_t llCH1Offset = 0;         // CH1 offset in µV (free for the decode)
    int64_t llCH2Offset = 0;         // CH2 offset in µV (free for the decode)
    int64_t llCH1VoltBase = 0;       // CH1 volts per division, µV, probe included
    int64_t llCH2VoltBase = 0;       // CH2 volts per division, µV, probe included
    std::string strCH1VoltBase;      // CH1 volts-per-division text ("20.0 mv")
    std::string strCH2VoltBase;      // CH2 volts-per-division text
    int32_t nHorizPos = 0;           // horizontal (trigger x) position
    int32_t nHorizWinState = 0;      // main/window view (free for the decode; kept in files)
    float fMeasureTimeBase = 0.0f;   // time per division in ns, used by the measurement window
    std::string strTimeBase;         // time-base text (kept in files)
    int32_t nFFTRefLevel = 0;        // FFT reference level, dB
    int32_t nFFTSource = 0;          // FFT source: 0 CH1, 1 CH2
    int32_t nFFTWindow = 0;          // FFT window: instrument index 0, 1, 2
    int32_t nFFTFactor = 0;          // FFT zoom (free for the decode; kept in files)
    int32_t nFFTDbBase = 0;          // FFT decibels per division
    std::string strFFTDbBase;        // its text (kept in files)
    float fFFTFreqBase = 0.0f;       // FFT frequency per division in Hz (CalcFqBase, which is in mHz, ÷ 1000)
    std::string strFFTFreqBase;      // its text (kept in files)
    float fTableTimeBase = 0.0f;     // time per division in ns, used by the data table
    int32_t nWinTimeBase = 0;        // window time base (free for the decode)
    int16_t nTrigLevel = 0;          // trigger level, sample counts
    int16_t nTrigAux[6] = {};        // further trigger levels (free for the decode)
    int32_t nCH1VoltIndex = 0;       // CH1 volts-per-division index, 0-based; 11 = use llCH1VoltBase
    int32_t nCH2VoltIndex = 0;       // CH2 volts-per-division index, likewise
    int32_t nTimeBaseIndex = 0;      // index into the instrument's time-base table
    int32_t nHorizScaleIndex = 0;    // horizontal scale code of the views (CalcTimeBase index - 1)
    int32_t nMathOperation = 0;      // 0 CH1+CH2, 1 CH1-CH2, 2 CH2-CH1, 3 FFT
    int32_t nAcquireMode = 0;        // (free for the decode)
    int32_t nDisplayFormat = 0;      // 0 and 2 Y-T, 1 X-Y
    int32_t nCH1Probe = 1;           // CH1 probe factor (1, 10, 100, 1000)
    int32_t nCH2Probe = 1;           // CH2 probe factor
    int32_t nCH1Coupling = 0;        // (free for the decode; kept in files)
    int32_t nCH2Coupling = 0;        // (free for the decode; kept in files)
    int32_t nCH1ScaleOverride = 0;   // non-zero: CH1 scale index becomes 11
    int32_t nCH2ScaleOverride = 0;   // non-zero: CH2 scale index becomes 11
    std::string strState;            // acquisition state text: "Scan", "STOP", "Ready", "Astop", "Armed", ...
    int32_t nTrigState = 0;          // (free for the decode)
    int32_t nModel = 0;              // model number, index into g_Machinetype
    std::string strModelName;        // instrument model name
};

// Slots of tagMeasureValue::value.
enum MEASURE_SLOT : int32_t {
    MES_FREQUENCY = 0,
    MES_POS_PULSE_WIDTH = 1,
    MES_NEG_PULSE_WIDTH = 2,
    MES_RISE_TIME = 3,
    MES_FALL_TIME = 4,
    MES_POS_DUTY = 5,       // ratio
    MES_NEG_DUTY = 6,       // ratio
    MES_OVERSHOOT = 7,      // ratio
    MES_PRESHOOT = 8,       // ratio
    MES_VPP = 9,
    MES_VAMP = 10,
    MES_VTOP = 11,
    MES_VBASE = 12,
    MES_VMIN = 13,
    MES_VMAX = 14,
    MES_VAVG = 15,
    MES_VRMS = 16,
    MES_PERIOD = 17,
    MES_VTOP_TIME = 18,
    MES_VBASE_TIME = 19,
    MES_RISE_WIDTH = 20,
    MES_FALL_WIDTH = 21,
    MES_CMEAN = 22,
    MES_VCRMS = 23,
    MES_SLEW_RATE = 24,
    MES_SLOT_COUNT = 25
};

// The 25 measurement results of the last acquisition (voltages in µV, times
// in ns, frequency in Hz, duties and overshoots as ratios).
struct tagMeasureValue {
    float value[MES_SLOT_COUNT] = {};
};

// One acquisition record: 8 bytes per sample (time or frequency, value).
struct tagAcquireData {
    float fX;
    float fY;
};
static_assert(sizeof(tagAcquireData) == 8, "acquisition record is 8 bytes");

// A menu of the instrument and an item in it.
struct MenuCmd {
    int32_t menu;
    int32_t item;
};

// The two display modes of the instrument screen mirror.
enum LCD_MODE : int32_t {
    LCD_MODE_NORMAL = 0,
    LCD_MODE_ENLARGED = 1
};

// ---------------------------------------------------------------------------
// Language and names
// ---------------------------------------------------------------------------

extern uint32_t g_nLanguage;             // 0 English, 1 Chinese; set once at start-up

inline constexpr int kMachineTypeCount = 12;
extern const char* const g_Machinetype[kMachineTypeCount];  // model names by model number
extern const char szAppName[];           // "Quorvex"
extern const char szPrintHeader[];       // header line of printouts

// ---------------------------------------------------------------------------
// Link, transfer and configuration state
// ---------------------------------------------------------------------------

extern std::atomic<int32_t> g_bSend;          // 1: the send thread may write the next command
extern std::atomic<int32_t> g_bRespose;       // set on each valid answer frame
extern std::atomic<int32_t> g_bRunThreadR;    // the receive thread runs; the link is up
extern std::atomic<int32_t> g_bTransfering;   // a transfer from the instrument is in progress
extern std::atomic<int32_t> g_WaveTransOver;  // the last waveform transfer is complete
extern std::atomic<int32_t> g_OverRecConfig;  // reception of a configuration file has ended
extern std::atomic<int32_t> g_RecConfigRight; // the configuration file arrived correctly
extern std::atomic<int32_t> g_ConfigCheck;    // running byte sum (mod 256) of the configuration text
extern std::atomic<int32_t> g_bVKTable;       // the key table has been read
extern std::atomic<int32_t> g_ReadWfm;        // the instrument answered a read-mode request
extern std::atomic<int32_t> g_CT;             // the next waveform-kind answer is a reply to a lock/unlock
extern std::atomic<int32_t> g_updateNum;      // number of running data views
extern std::string g_ConfigName;              // "/protocol.inf"
extern std::string g_VKConfigName;            // "/keyprotocol.inf"
extern std::atomic<int32_t> g_ConfignameLen;  // byte length of the name being requested

// ---------------------------------------------------------------------------
// Buffers (guarded by g_csLock)
// ---------------------------------------------------------------------------

inline constexpr int kConfigBufferSize = 10240;
inline constexpr int kSysParamBufferSize = 128;
inline constexpr int kMenuParamBufferSize = 240;
inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 480;
inline constexpr int kScreenBufferSize = kScreenWidth * kScreenHeight;

extern char ADBufferConfig[kConfigBufferSize];              // configuration text being received
extern unsigned char ADBufferSysParam[kSysParamBufferSize]; // raw system parameters of a status frame
extern unsigned char ADBufferMenuParam[kMenuParamBufferSize]; // raw menu state (menu × 6 + item)
extern unsigned char ADBufferUI[kScreenBufferSize];         // instrument screen, one palette index per pixel

extern unsigned char* g_pSysParamBuffer;   // program's copy of the system parameter block (heap)
extern int32_t g_SysParamLen;              // its length in bytes

// Sample buffers, one byte per sample; null until the wave memory commits them.
extern unsigned char* ADBufferCH1;
extern unsigned char* ADBufferCH2;
extern unsigned char* ADBufferMath;

// ---------------------------------------------------------------------------
// Waveform and acquisition state
// ---------------------------------------------------------------------------

extern int32_t waveDataLen;        // samples per trace the views use (3200)
extern int32_t WaveDots;           // samples per horizontal division (200)
extern int32_t g_DepthSize;        // committed store depth in samples (0)
extern int32_t g_AcquireItemNum;   // rows of the tabular data view (0)
extern tagWaveformParam g_wfmParam;
extern int32_t g_wfmShow[3];       // CH1, CH2, math traces shown (all 1)
extern int32_t g_OldPosY[3];       // CH1, CH2, math positions at the last decode
extern int32_t g_CH1DexY;          // movement of each trace since then
extern int32_t g_CH2DexY;
extern int32_t g_MthDexY;
extern float g_GridNum;            // horizontal divisions one record spans (16.0 or 19.2)
extern tagMeasureValue g_mesValue;

// ---------------------------------------------------------------------------
// Windows and view geometry
// ---------------------------------------------------------------------------

// Opaque handles of the main frame, the left pane and the virtual front panel;
// the program stores its window objects here to post events to them.
extern void* g_hMainWnd;
extern void* g_hLeftWnd;
extern void* g_hVtBoardWnd;

extern int32_t wndWidth;           // logical window extent of the waveform views (3200)
extern int32_t wndHeight;          // (1600)
extern int32_t GraticuleWidth;     // graticule size in the same units (3200)
extern int32_t GraticuleHeight;    // (1600)
extern int32_t vwOrgX;             // viewport origin, device pixels (30)
extern int32_t vwOrgY;             // (30)
extern int32_t vwBaseWidth;        // viewport extent per zoom step, device pixels (100)
extern int32_t vwBaseHeight;       // (80)
extern LCD_MODE g_nLCDMode;        // screen mirror mode (1)
extern int32_t g_nSchema;          // class schema of the last waveform sheet file read

// ---------------------------------------------------------------------------
// Activity flags
// ---------------------------------------------------------------------------

extern std::atomic<int32_t> g_bFileProcess;   // a file is being read or written
extern std::atomic<int32_t> g_bPrintProcess;  // printing is under way
extern std::atomic<int32_t> g_bPreview;       // print preview is open
extern std::atomic<int32_t> g_openFileFlag;   // a setup file is open
extern std::string g_openFileName;            // its path

// ---------------------------------------------------------------------------
// The program-wide lock and the menu records
// ---------------------------------------------------------------------------

extern std::recursive_mutex g_csLock;

extern const MenuCmd Null_Menu;   // (-1, -1): no menu
extern MenuCmd cmdItem;           // where a menu-state answer lands (0, 0)
