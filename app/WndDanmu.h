#pragma once

#include "app/WindowImplBaseNew.h"

// The danmaku window: the room's messages and the online count.
class CWndDanmu : public WindowImplBaseNew {
public:
    CWndDanmu();
};
