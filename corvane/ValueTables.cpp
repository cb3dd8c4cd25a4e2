// Choice tables and their counts. English rows first, Chinese rows after.
#include "corvane/ValueTables.h"

#include "corvane/MessageTables.h"

namespace value_tables_detail {
const std::string& Empty()
{
    static const std::string empty;
    return empty;
}

int LanguageRow()
{
    return LanguageIndex();
}
}  // namespace value_tables_detail

const int nVtParam[kVtRows] = {2, 2, 3, 11, 11, 11, 11, 4, 2};
const std::string strVtParam[2 * kVtRows][11] = {
    // English
    {"OFF", "ON"},
    {"FULL", "20MHZ"},
    {"DC", "AC", "GND"},
    {"2.0mV Bw", "5.0mV", "10.0mV", "20.0mV", "50.0mV", "100.0mV", "200.0mV", "500.0mV", "1.00V", "2.00V",
     "5.00V"},
    {"20.0mV Bw", "50.0mV", "100.0mV", "200.0mV", "500.0mV", "1.00V", "2.00V", "5.00V", "10.0V", "20.0V",
     "50.0V"},
    {"200.0mV Bw", "500.0mV", "1.00V", "2.00V", "5.00V", "10.0V", "20.0V", "50.0V", "100.0V", "200.0V",
     "500.0V"},
    {"2.00V Bw", "5.00V", "10.0V", "20.0V", "50.0V", "100.0V", "200.0V", "500.0V", "1.00kV", "2.00kV",
     "5.00kV"},
    {"1×", "10×", "100×", "1000×"},
    {"OFF", "ON"},
    // Chinese
    {"关闭", "开启"},
    {"关闭", "开20MHZ"},
    {"直流", "交流", "接地"},
    {"2.0mV Bw", "5.0mV", "10mV", "20mV", "50mV", "100mV", "200mV", "500mV", "1.00V", "2.00V", "5.00V"},
    {"20.0mV Bw", "50.0mV", "100mV", "200mV", "500mV", "1.00V", "2.00V", "5.00V", "10.0V", "20.0V", "50.0V"},
    {"200mV Bw", "500mV", "1.00V", "2.00V", "5.00V", "10.0V", "20.0V", "50.0V", "100V", "200V", "500V"},
    {"2.00V Bw", "5.00V", "10.0V", "20.0V", "50.0V", "100V", "200V", "500V", "1.00kV", "2.00kV", "5.00kV"},
    {"1×", "10×", "100×", "1000×"},
    {"关闭", "开启"},
};

const int nTgParam[kTgRows] = {2, 6, 5, 2, 5, 2, 2, 4, 5, 4, 2, 4, 4, 2, 3, 3, 5, 2};
const std::string strTgParam[2 * kTgRows][6] = {
    // English
    {"AUTO", "NORMAL"},
    {"EDGE", "VIDEO", "PULSE", "SLOPE", "OVERTIME", "SWAP"},
    {"DC", "AC", "NOISEREJ", "HFREJ", "LFREJ"},
    {"RISE", "FALL"},
    {"CH1", "CH2", "EXT", "EXT/5", "LINE"},
    {"NORMAL", "INVERT"},
    {"NTSC", "PAL"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"FIELD", "LINE", "LINENUM", "ODD", "EVEN"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"POSITIVE", "NEGATIVE"},
    {"EQUAL", "NOTEQUAL", "OUTSIDE", "INSIDE"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"RISE SET", "FALL SET"},
    {"V1", "V2", "V1,V2"},
    {"EQUAL", "OUTSIDE", "INSIDE"},
    {"Stop", "Auto", "Ready", "Trigd", "Scan"},
    {"CH1", "CH2"},
    // Chinese
    {"自动", "正常"},
    {"边沿", "视频", "脉冲", "斜率", "超时", "交替"},
    {"直流", "交流", "噪音抑制", "高频抑制", "低频抑制"},
    {"上升", "下降"},
    {"CH1", "CH2", "EXT", "EXT/5", "市电"},
    {"正常", "反相"},
    {"NTSC", "PAL"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"扫描线", "线数", "奇数场", "偶数场", "所有场"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"正", "负"},
    {"＝", "≠", ">", "<"},
    {"CH1", "CH2", "EXT", "EXT/5"},
    {"上升沿设置", "下降沿设置"},
    {"V1", "V2", "V1,V2"},
    {"＝", ">", "<"},
    {"Stop", "Auto", "Ready", "Trigd", "Scan"},
    {"CH1", "CH2"},
};

const int nMtParam[kMtRows] = {2, 4, 2, 3, 4};
const std::string strMtParam[2 * kMtRows][4] = {
    // English
    {"OFF", "ON"},
    {"CH1+CH2", "CH1-CH2", "CH2-CH1", "FFT"},
    {"CH1", "CH2"},
    {"Hanning", "Flattop", "Rectangular"},
    {"×1", "×2", "×5", "×10"},
    // Chinese
    {"关闭", "开启"},
    {"CH1+CH2", "CH1-CH2", "CH2-CH1", "FFT"},
    {"CH1", "CH2"},
    {"Hanning", "Flattop", "Rectangular"},
    {"×1", "×2", "×5", "×10"},
};

const int nAcParam[kAcRows] = {2, 3, 6, 2, 2, 5};
const std::string strAcParam[2 * kAcRows][6] = {
    // English
    {"Real Time", "Equal"},
    {"SAMPLE", "PEAKDETECT", "AVERAGE"},
    {"4", "8", "16", "32", "64", "128"},
    {"OFF", "ON"},
    {"RUNSTOP", "SEQUENCE"},
    {"4k", "20k", "40k", "512k", "1M"},
    // Chinese
    {"实时采集", "等效采集"},
    {"采样", "峰值", "平均值"},
    {"4", "8", "16", "32", "64", "128"},
    {"关闭", "开启"},
    {"运行/停止", "单次序列"},
    {"4k", "20k", "40k", "512k", "1M"},
};

#define QV_PERSISTENCE_ROW                                                                                 \
    {"AUTO", "0.1s", "0.2s", "0.3s", "0.4s", "0.5s", "0.6s", "0.7s", "0.8s", "0.9s", "1s", "2s", "3s", "4s", \
     "5s", "6s", "7s", "8s", "9s", "INF"}
#define QV_LEVEL_ROW {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}

const int nDsParam[kDsRows] = {2, 20, 2, 3, 16, 3, 16};
const std::string strDsParam[2 * kDsRows][20] = {
    // English
    {"YT", "XY"},
    QV_PERSISTENCE_ROW,
    {"VECTORS", "DOTS"},
    {"CH1", "CH2", "Math"},
    QV_LEVEL_ROW,
    {"Dashed", "Real line", "Close"},
    QV_LEVEL_ROW,
    // Chinese
    {"YT", "XY"},
    QV_PERSISTENCE_ROW,
    {"矢量", "点"},
    {"CH1", "CH2", "Math"},
    QV_LEVEL_ROW,
    {"虚线", "实线", "关闭"},
    QV_LEVEL_ROW,
};

#define QV_TIME_BASE_ROW                                                                                     \
    {"4.00ns", "8.00ns", "20.0ns", "40.0ns", "80ns",   "200ns",  "400ns",  "800ns", "2.00us", "4.00us", "8.0us", \
     "20.0us", "40.0us", "80us",   "200us",  "400us",  "800us",  "2.00ms", "4.00ms", "8.0ms", "20.0ms", "40.0ms", \
     "80ms",   "200ms",  "400ms",  "800ms",  "2.00s",  "4.00s",  "8.0s",   "20.0s", "40.0s"}

const int nHzParam[kHzRows] = {3, 31};
const std::string strHzParam[2 * kHzRows][31] = {
    {"MAIN", "WINDOW", "ZONE"},
    QV_TIME_BASE_ROW,
    {"主时基", "视窗设定", "视窗扩展"},
    QV_TIME_BASE_ROW,
};

#define QV_SAMPLE_RATE_ROW                                                                                  \
    {"5.00S/s",  "10.0S/s",  "25.0S/s",  "50.0S/s",  "100S/s",   "250S/s",   "500S/s",   "1.00kS/s",         \
     "2.50kS/s", "5.00kS/s", "10.0kS/s", "25.0kS/s", "50.0kS/s", "100kS/s",  "250kS/s",  "500kS/s",          \
     "1.00MS/s", "2.50MS/s", "5.00MS/s", "10.0MS/s", "25.0MS/s", "50.0MS/s", "100MS/s",  "250MS/s",          \
     "500MS/s",  "1.00GS/s", "2.50GS/s", "5.00GS/s", "10.0GS/s", "25.0GS/s", "50.0GS/s"}
#define QV_FREQUENCY_ROW                                                                                    \
    {"250mHz",  "500mHz",  "1.25Hz",  "2.50Hz",  "5.00Hz",  "12.5Hz",  "25.0Hz",  "50.0Hz",  "125Hz",        \
     "250Hz",   "500Hz",   "1.25kHz", "2.50kHz", "5.00kHz", "12.5kHz", "25.0kHz", "50.0kHz", "125kHz",       \
     "250kHz",  "500kHz",  "1.25MHz", "2.50MHz", "5.00MHz", "12.5MHz", "25.0MHz", "50.0MHz", "125MHz",       \
     "250MHz",  "500MHz",  "1.25GHz", "2.50GHz"}

const int nFqParam[kFqRows] = {31, 31};
const std::string strFqParam[2 * kFqRows][31] = {
    QV_SAMPLE_RATE_ROW,
    QV_FREQUENCY_ROW,
    QV_SAMPLE_RATE_ROW,
    QV_FREQUENCY_ROW,
};

#undef QV_PERSISTENCE_ROW
#undef QV_LEVEL_ROW
#undef QV_TIME_BASE_ROW
#undef QV_SAMPLE_RATE_ROW
#undef QV_FREQUENCY_ROW

const int nDbParam = 5;
const std::string strDbParam[5] = {"1.00 dB", "2.00 dB", "5.00 dB", "10.0 dB", "20.0 dB"};

const int nDisPerNum = 9;
const int nDisPerParam[9] = {0, 2, 4, 8, 10, 11, 13, 17, 19};
