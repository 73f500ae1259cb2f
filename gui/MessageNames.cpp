#include "gui/MessageNames.h"

#include <array>
#include <utility>

#include "gui/Messages.h"

namespace {

#define XF_MSG(name)                                                                               \
    std::pair<uint32_t, const char*> {                                                             \
        name, #name                                                                                \
    }
constexpr std::array KNames = {
    XF_MSG(WM_NULL),
    XF_MSG(WM_CREATE),
    XF_MSG(WM_DESTROY),
    XF_MSG(WM_MOVE),
    XF_MSG(WM_SIZE),
    XF_MSG(WM_ACTIVATE),
    XF_MSG(WM_SETFOCUS),
    XF_MSG(WM_KILLFOCUS),
    XF_MSG(WM_ENABLE),
    XF_MSG(WM_SETTEXT),
    XF_MSG(WM_PAINT),
    XF_MSG(WM_CLOSE),
    XF_MSG(WM_QUIT),
    XF_MSG(WM_ERASEBKGND),
    XF_MSG(WM_SHOWWINDOW),
    XF_MSG(WM_SETCURSOR),
    XF_MSG(WM_MOUSEACTIVATE),
    XF_MSG(WM_GETMINMAXINFO),
    XF_MSG(WM_MEASUREITEM),
    XF_MSG(WM_DRAWITEM),
    XF_MSG(WM_WINDOWPOSCHANGED),
    XF_MSG(WM_NCCALCSIZE),
    XF_MSG(WM_NCHITTEST),
    XF_MSG(WM_NCPAINT),
    XF_MSG(WM_NCACTIVATE),
    XF_MSG(WM_NCMOUSEMOVE),
    XF_MSG(WM_NCLBUTTONDOWN),
    XF_MSG(WM_NCLBUTTONUP),
    XF_MSG(WM_NCLBUTTONDBLCLK),
    XF_MSG(WM_NCRBUTTONDOWN),
    XF_MSG(WM_NCRBUTTONUP),
    XF_MSG(WM_KEYDOWN),
    XF_MSG(WM_KEYUP),
    XF_MSG(WM_CHAR),
    XF_MSG(WM_DEADCHAR),
    XF_MSG(WM_SYSKEYDOWN),
    XF_MSG(WM_SYSKEYUP),
    XF_MSG(WM_SYSCHAR),
    XF_MSG(WM_SYSDEADCHAR),
    XF_MSG(WM_IME_CHAR),
    XF_MSG(WM_IME_COMPOSITION),
    XF_MSG(WM_COMMAND),
    XF_MSG(WM_SYSCOMMAND),
    XF_MSG(WM_TIMER),
    XF_MSG(WM_HSCROLL),
    XF_MSG(WM_VSCROLL),
    XF_MSG(WM_INITMENUPOPUP),
    XF_MSG(WM_MENUSELECT),
    XF_MSG(WM_MENUCHAR),
    XF_MSG(WM_ENTERIDLE),
    XF_MSG(WM_MOUSEMOVE),
    XF_MSG(WM_LBUTTONDOWN),
    XF_MSG(WM_LBUTTONUP),
    XF_MSG(WM_LBUTTONDBLCLK),
    XF_MSG(WM_RBUTTONDOWN),
    XF_MSG(WM_RBUTTONUP),
    XF_MSG(WM_RBUTTONDBLCLK),
    XF_MSG(WM_MBUTTONDOWN),
    XF_MSG(WM_MBUTTONUP),
    XF_MSG(WM_MBUTTONDBLCLK),
    XF_MSG(WM_MOUSEWHEEL),
    XF_MSG(WM_ENTERMENULOOP),
    XF_MSG(WM_EXITMENULOOP),
    XF_MSG(WM_CAPTURECHANGED),
    XF_MSG(WM_MOUSELEAVE),
    XF_MSG(WM_CUT),
    XF_MSG(WM_COPY),
    XF_MSG(WM_PASTE),
    XF_MSG(WM_USER),
    XF_MSG(CM_ACTIVATE),
    XF_MSG(CM_DIALOGCHAR),
    XF_MSG(CM_DIALOGKEY),
    XF_MSG(CM_ENABLEDCHANGED),
    XF_MSG(CM_COLORCHANGED),
    XF_MSG(CM_FONTCHANGED),
    XF_MSG(CM_PARENTFONTCHANGED),
    XF_MSG(CM_PARENTCOLORCHANGED),
    XF_MSG(CM_TEXTCHANGED),
    XF_MSG(CM_MOUSEENTER),
    XF_MSG(CM_MOUSELEAVE),
    XF_MSG(CM_VISIBLECHANGED),
    XF_MSG(CM_SHOWINGCHANGED),
    XF_MSG(CM_ENTER),
    XF_MSG(CM_EXIT),
    XF_MSG(CM_CONTROLLISTCHANGE),
    XF_MSG(CM_RELEASE),
    XF_MSG(CM_SHOWCONTROL),
    XF_MSG(CM_INVOKE),
};
#undef XF_MSG

} // namespace

const char* MessageName(uint32_t msg) {
    for (const auto& [number, name] : KNames)
        if (number == msg) return name;
    return nullptr;
}
