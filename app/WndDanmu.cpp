#include "app/WndDanmu.h"

CWndDanmu::CWndDanmu()
{
    InitWinParam(u"danmu.xml");
}
