// Texts of the two-language tables declared in MessageTables.h (UTF-8).
#include "corvane/MessageTables.h"

const char szTGCoup[2][50] = {"Control is inactive in this Trig type!", "此操作在该触发类型下无效!"};
const char szCloseWindow[2][50] = {"Continue to close this window?", "关闭当前窗口？"};
const char szSaveWorkSpace[2][50] = {"Save the changes to the Current WorkSpace?", "保存改动到当前工作空间？"};
const char szLanguageActive[2][100] = {"Please run the application again,then new language active!", "请重新运行应用程序，新的语言才能生效！"};
const char szConnectFirst[2][50] = {"Please Connect Oscillograph First!", "请首先连接示波器！"};
const char szCheckConnect[2][100] = {"Please check the oscillograph whether already connected!", "请检查示波器是否已经连接！"};
const char szOnLineFail[2][100] = {"On-line fail! Please open the oscillograph again, then connects!", "联机失败！请重启示波器，然后重新连接！"};
const char szDataTransFail[2][50] = {"Data transmission fail!", "数据传输失败！"};
const char szCommFail[2][50] = {"Communication fail!", "通讯失败！"};
const char szExportFileFail[2][50] = {"Export the file fail!", "导出文件失败!"};
const char szExceedFileNum[2][50] = {"Exceed maximum window numbers limit!", "超出最大窗口数目!"};
const char szCheckPrinters[2][100] = {"\tCan not find printer. Please check installed/default printers!", "无法找到匹配的打印机。请检查已安装或默认打印机!"};
const char szPrintErrors[2][100] = {"Printing error occured. Unable to find printer.", "发生打印错误。无法找到打印机。"};
const char szFindNoHelp[2][50] = {"Can not find help file.", "找不到帮助文件!"};
const char szState[2][50] = {"Control is inactive in current state!", "此操作在当前状态无效！"};
const char szXYMode[2][50] = {"Control is inactive in XY mode!", "此操作在XY模式无效！"};
const char szACAvg[2][50] = {"Control is inactive in this mode!", "此操作在这种模式下无效!"};
const char szFFTMode[2][50] = {"Control is inactive in FFT mode!", "此操作在FFT模式无效！"};
const char szScanMode[2][50] = {"Control is inactive in Scan mode!", "此操作在扫描模式无效！"};
const char szTGType[2][50] = {"Control is inactive in this Trig type", "此操作在该触发类型下无效！"};
const char szMathMode[2][50] = {"Control is inactive in this mode!", "此操作在该模式无效！"};
const char szACType[2][50] = {"Control is inactive in this Acquire Type", "此操作在该采集类型下无效！"};
const char szTgVideoSync[2][50] = {"Control is inactive in this Video Sync", "此操作在该视频同步下无效！"};
const char szACStoreDepth[2][50] = {"Control is inactive in this Store Depth", "此操作在该存储深度下无效！"};
const char szTGSrc[2][50] = {"Control is inactive in this Trig source", "此操作在该触发信源下无效！"};
const char szVKTableErr[2][100] = {"The Virtual Keyboard of configuration files  not exist!", "虚拟键盘配置文件不存在!"};
const char szNum[2][30] = {"NO.", "序号"};
const char szVolt[2][30] = {"Voltage", "电压"};
const char szTime[2][30] = {"Time", "时间"};
const char szFrq[2][30] = {"Frequency", "频率"};
const char szPower[2][30] = {"Power", "幅值"};
const char szFigure[2][50] = {"Figure", "图形"};
const char szType[2][50] = {"Type", "类型"};
const char szValue[2][50] = {"Value", "测量值"};
const char szInput[2][30] = {"Input", "输入"};
const char szConfig[2][30] = {"Config", "配置"};
const char szWindow[2][30] = {"Window", "窗口"};
const char szSignal[2][30] = {"Input Signal", "输入信号"};
const char szPwrSpectrum[2][30] = {"Power Spectrum", "能量频谱"};
const char szAmplitude[2][30] = {"Amplitude(v)", "幅度(v)"};
const char szMagnitude[2][30] = {"Magnitude(Db)", "大小(Db)"};
const char szSigFrq[2][30] = {"Frequency(Hz)", "频率(Hz)"};
const char szSigTime[2][30] = {"Time(s)", "时间(s)"};
const char szInputSignals[2][30] = {"Input Signals", "输入信号"};
const char szInputSignal1[2][30] = {"Input Signal 1", "输入信号1"};
const char szInputSignal2[2][30] = {"Input Signal 2", "输入信号2"};
const char szSignal1[2][30] = {"Signal1", "信号1"};
const char szSignal2[2][30] = {"Signal2", "信号2"};
const char szOperation[2][30] = {"Operation", "操作"};
const char szOutputSignal[2][30] = {"Output Signal", "输出信号"};

const std::string g_strMemoryErr[2] = {"over range for memory!", "超出存储范围!"};

const std::string szStatus[2][2] = {
    {"Status:Stop", "状态：停止"},
    {"Status:Run", "状态：运行"},
};

const std::string szStyle[2][kStyleSlots] = {
    {"Style:DOTS", "类型：点"},
    {"Style:VECTORS", "类型：矢量"},
};

const std::string szColor[2][kStyleSlots] = {
    {"Color:RGB", "颜色：彩色"},
    {"Color:B&W", "颜色：黑白"},
};

const std::string szAddrType[2][6] = {
    {"Broadcast Address", "Bits of Start", "CBUS Address", "Simple Address", "HS mode", "10-Bit"},
    {"广播呼叫地址", "开始字节", "CBUS地址", "普通地址", "HS模式", "10位寻址"},
};

const std::string szTabName[2][5] = {
    {"area of Valve Setup", "format of Data Choice", "Start condition Setup", "Stop condition Setup",
     "Decode Setup"},
    {"阀值区间设置", "数据格式选择", "开始条件设置", "结束条件设置", "总线解码设置"},
};

const std::string szBusResultType[2][4] = {
    {"binary", "octonary", "decimal", "hex"},
    {"二进制", "八进制", "十进制", "十六进制"},
};

const std::string szMthOperation[2][5] = {
    {"Add", "Subtract", "Multiply", "Divide", "RMS-Sum"},
    {"加法", "减法", "乘法", "除法", "均方根"},
};
