#include "tests/common/TestSkin.h"

#include "ui/UIlib.h"
#include "ui/testing/Simulate.h"

using namespace DuiLib;

void UseSkin(const std::string& folder, const char16_t* zip)
{
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    CPaintManagerUI::SetResourcePath(CDuiString(std::u16string(folder.begin(), folder.end())));
    CPaintManagerUI::SetResourceZip(zip, *zip != u'\0');
}

void UseProgramSkin()
{
    UseSkin(ORVEL_APP_DIR "/skin", u"skin.zip");
    simulate::SetTrayAvailable(true); // tests without a tray host say so afterwards
}
