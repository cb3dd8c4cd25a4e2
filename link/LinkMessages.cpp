#include "link/LinkMessages.h"

const char szRecConfigError[2][50] = {"Receive Config Error!", "接收的配置文件错误!"};
const char szConfigOverTime[2][50] = {"Over Time!", "接收超时!"};
const char szConfigTableError[2][50] = {"failing configure!", "配置失败!"};
