#pragma once

// Everything the program's windows use of the user-interface library.

#include "ui/Container.h"
#include "ui/Control.h"
#include "ui/Controls.h"
#include "ui/DialogBuilder.h"
#include "ui/DuiString.h"
#include "ui/List.h"
#include "ui/Notify.h"
#include "ui/PaintManager.h"
#include "ui/TextArea.h"
#include "ui/Win32.h"
#include "ui/WindowWnd.h"
