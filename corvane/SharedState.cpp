// The single definitions of the shared state declared in SharedState.h.
#include "corvane/SharedState.h"

uint32_t g_nLanguage = 0;

// Model names by model number: short codes of this program's own choosing.
const char* const g_Machinetype[kMachineTypeCount] = {
    "QX1022", "QX1042", "QX1062", "QX1102", "QX1202", "QX2022",
    "QX2042", "QX2062", "QX2102", "QX2202", "QX5062", "QX5102",
};
const char szAppName[] = "Quorvex";
const char szPrintHeader[] = "Palsun-Quorvex";

std::atomic<int32_t> g_bSend{1};
std::atomic<int32_t> g_bRespose{0};
std::atomic<int32_t> g_bRunThreadR{0};
std::atomic<int32_t> g_bTransfering{0};
std::atomic<int32_t> g_WaveTransOver{1};
std::atomic<int32_t> g_OverRecConfig{0};
std::atomic<int32_t> g_RecConfigRight{0};
std::atomic<int32_t> g_ConfigCheck{0};
std::atomic<int32_t> g_bVKTable{0};
std::atomic<int32_t> g_ReadWfm{0};
std::atomic<int32_t> g_CT{0};
std::atomic<int32_t> g_updateNum{0};
std::string g_ConfigName = "/protocol.inf";
std::string g_VKConfigName = "/keyprotocol.inf";
std::atomic<int32_t> g_ConfignameLen{13};

char ADBufferConfig[kConfigBufferSize] = {};
unsigned char ADBufferSysParam[kSysParamBufferSize] = {};
unsigned char ADBufferMenuParam[kMenuParamBufferSize] = {};
unsigned char ADBufferUI[kScreenBufferSize] = {};

unsigned char* g_pSysParamBuffer = nullptr;
int32_t g_SysParamLen = 0;

unsigned char* ADBufferCH1 = nullptr;
unsigned char* ADBufferCH2 = nullptr;
unsigned char* ADBufferMath = nullptr;

int32_t waveDataLen = 3200;
int32_t WaveDots = 200;
int32_t g_DepthSize = 0;
int32_t g_AcquireItemNum = 0;
tagWaveformParam g_wfmParam;
int32_t g_wfmShow[3] = {1, 1, 1};
int32_t g_OldPosY[3] = {0, 0, 0};
int32_t g_CH1DexY = 0;
int32_t g_CH2DexY = 0;
int32_t g_MthDexY = 0;
float g_GridNum = 16.0f;
tagMeasureValue g_mesValue;

void* g_hMainWnd = nullptr;
void* g_hLeftWnd = nullptr;
void* g_hVtBoardWnd = nullptr;

int32_t wndWidth = 3200;
int32_t wndHeight = 1600;
int32_t GraticuleWidth = 3200;
int32_t GraticuleHeight = 1600;
int32_t vwOrgX = 30;
int32_t vwOrgY = 30;
int32_t vwBaseWidth = 100;
int32_t vwBaseHeight = 80;
LCD_MODE g_nLCDMode = LCD_MODE_ENLARGED;
int32_t g_nSchema = 0;

std::atomic<int32_t> g_bFileProcess{0};
std::atomic<int32_t> g_bPrintProcess{0};
std::atomic<int32_t> g_bPreview{0};
std::atomic<int32_t> g_openFileFlag{0};
std::string g_openFileName;

std::recursive_mutex g_csLock;

const MenuCmd Null_Menu = {-1, -1};
MenuCmd cmdItem = {0, 0};
