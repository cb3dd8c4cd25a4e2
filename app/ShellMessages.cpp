#include "app/ShellMessages.h"

const char szRunOscillograph[2][50] = {"Please Run the  Oscillograph!", "请运行示波器！"};
const char szMemoryReserveFail[] = "内存分配失败";
