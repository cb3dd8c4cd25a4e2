#include "settings/SettingsMessages.h"

const char szNoConfigFile[2][50] = {"Not exsit configuration files to this machine!", "该机器配置文件不存在!"};
const char szVoltCodeUnknown[2][50] = {"!", "!"};
