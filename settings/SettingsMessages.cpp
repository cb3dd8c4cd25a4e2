#include "settings/SettingsMessages.h"

const char szNoConfigFile[2][50] = {"Not exsit configuration files to this machine!", "该机器配置文件不存在!"};
const char szVoltCodeUnknown[2][50] = {"!", "!"};
const char szVoltCodeNote[2][100] = {"CH%d: volts/div code %lld is not in this model's list; shown as %s.",
                                      "CH%d：伏/格代码 %lld 不在本机型的列表中，按 %s 显示。"};
