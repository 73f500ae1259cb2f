#include "TDemoForm.h"

#include <cstdio>
#include <sstream>

#include "TDemoViewHost.h"
#include "gui/TApplicationEvents.h"
#include "gui/TEdit.h"
#include "gui/TLayoutLoader.h"
#include "gui/TPanel.h"
#include "gui/graphics/TRegion.h"

namespace {

// Colours the e2e scripts look for on the screen.
const char* kLayout = R"(
object DemoForm: TDemoForm
  Left = 100
  Top = 80
  Width = 640
  Height = 480
  Caption = '星帆 demo'
  Color = clWhite
  OnResize = FormResize
  object palCaption: TPanel
    Left = 0
    Top = 0
    Width = 640
    Height = 30
    Align = alTop
    BevelOuter = bvNone
    Color = $00C86400
    OnMouseDown = palCaptionMouseDown
    OnDblClick = palCaptionDblClick
  end
  object palToggle: TPanel
    Left = 20
    Top = 50
    Width = 120
    Height = 60
    BevelOuter = bvNone
    Caption = '点我'
    Color = clGreen
    OnClick = palToggleClick
    OnDblClick = palToggleDblClick
    OnMouseUp = palToggleMouseUp
  end
  object palAsk: TPanel
    Left = 160
    Top = 50
    Width = 120
    Height = 60
    BevelOuter = bvNone
    Caption = '提问'
    Color = clYellow
    OnClick = palAskClick
  end
  object palMax: TPanel
    Left = 300
    Top = 50
    Width = 120
    Height = 60
    BevelOuter = bvNone
    Caption = '最大化'
    Color = clPurple
    OnClick = palMaxClick
  end
  object edtText: TEdit
    Left = 20
    Top = 130
    Width = 300
    Height = 24
    TabOrder = 0
  end
  object palView: TDemoViewHost
    Left = 20
    Top = 180
    Width = 200
    Height = 120
  end
  object palGrip: TPanel
    Left = 624
    Top = 464
    Width = 16
    Height = 16
    BevelOuter = bvNone
    Color = clGray
    OnMouseDown = palGripMouseDown
  end
end
)";

constexpr int kRoundCorner = 13;

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonRect(const TRect& r) {
    std::ostringstream s;
    s << "[" << r.Left << ", " << r.Top << ", " << r.Width() << ", " << r.Height() << "]";
    return s.str();
}

} // namespace

const TClassInfo& TDemoForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDemoForm>("TDemoForm", &TForm::StaticClass()).Build();
    return info;
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    Method("palCaptionMouseDown", &TDemoForm::palCaptionMouseDown);
    Method("palCaptionDblClick", &TDemoForm::palCaptionDblClick);
    Method("palGripMouseDown", &TDemoForm::palGripMouseDown);
    Method("palToggleClick", &TDemoForm::palToggleClick);
    Method("palToggleDblClick", &TDemoForm::palToggleDblClick);
    Method("palToggleMouseUp", &TDemoForm::palToggleMouseUp);
    Method("palAskClick", &TDemoForm::palAskClick);
    Method("palMaxClick", &TDemoForm::palMaxClick);
    Method("FormResize", &TDemoForm::FormResize);
    Field("palCaption", palCaption);
    Field("palToggle", palToggle);
    Field("palAsk", palAsk);
    Field("palMax", palMax);
    Field("palGrip", palGrip);
    Field("edtText", edtText);
    Field("palView", palView);
    TLayoutLoader::LoadText(this, kLayout, "Demo.lay");
    // The skinned frame's way: no window-manager caption, our own shape.
    SetCaptionBits(false);
    FPopup = new TPopupWindow(this);
    FPopup->SetColor(RGB(255, 128, 0));
    FEvents = new TApplicationEvents(this);
    FEvents->OnMessage = [this](TMsg& msg, bool& handled) { WatchMessage(msg, handled); };
    OnShow = [this](TObject*) { ApplyRoundCorners(); };
}

void TDemoForm::WatchMessage(TMsg& msg, bool&) {
    if (msg.message == WM_MOUSEWHEEL) FWheel += static_cast<int16_t>((msg.wParam >> 16) & 0xFFFF);
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        FLastKey = static_cast<int>(msg.wParam);
        FLastKeyExtended = (msg.lParam & KF_EXTENDED_BIT) != 0;
    }
}

// Rounded top corners, square bottom ones, redone at every size.
void TDemoForm::ApplyRoundCorners() {
    int w = Width();
    int h = Height();
    int r = kRoundCorner;
    TRegion region = TRegion::RoundRect(0, 0, w + 1, h + 1, r, r);
    region = region.Union(TRegion(TRect(0, h - 2 * r, 2 * r, h)));
    region = region.Union(TRegion(TRect(w - 2 * r, h - 2 * r, w, h)));
    Application->Host().SetWindowRegion(HostWindow(), &region);
}

void TDemoForm::FormResize(TObject*) {
    if (palGrip) palGrip->SetBounds(Width() - 16, Height() - 16, 16, 16);
    if (Visible()) ApplyRoundCorners();
}

void TDemoForm::palCaptionMouseDown(TObject*, TMouseButton button, TShiftState shift, int, int) {
    if (button != TMouseButton::mbLeft || (shift & ssDouble)) return;
    if (WindowState() == TWindowState::wsMaximized) return;
    SetCaptureControl(nullptr);
    Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TDemoForm::palCaptionDblClick(TObject*) {
    ++FCaptionDoubleClicks;
    palMaxClick(this);
}

void TDemoForm::palGripMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
    if (button != TMouseButton::mbLeft) return;
    SetCaptureControl(nullptr);
    Perform(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
}

void TDemoForm::palToggleClick(TObject*) {
    ++FClicks;
    palToggle->SetColor(palToggle->Color() == clGreen ? clRed : clGreen);
}

void TDemoForm::palToggleDblClick(TObject*) {
    ++FDoubleClicks;
}

void TDemoForm::palToggleMouseUp(TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button != TMouseButton::mbRight) return;
    ++FPopups;
    TPoint screen = palToggle->ClientToScreen({x, y});
    FPopup->Popup(TRect::FromSize(screen.X, screen.Y, 100, 80));
}

void TDemoForm::palAskClick(TObject*) {
    ++FAsked;
    FAnswer = Application->MessageBox("你好, 星帆", "提示", MB_YESNO | MB_ICONQUESTION);
}

void TDemoForm::palMaxClick(TObject*) {
    SetWindowState(WindowState() == TWindowState::wsMaximized ? TWindowState::wsNormal
                                                              : TWindowState::wsMaximized);
}

std::string TDemoForm::StateJson() const {
    TWinControl* focused = ActiveControl();
    THost& host = Application->Host();
    auto* self = const_cast<TDemoForm*>(this);
    std::ostringstream s;
    s << "{\n";
    s << "  \"seq\": " << FSeq << ",\n";
    s << "  \"caption\": " << JsonString(Caption()) << ",\n";
    s << "  \"bounds\": " << JsonRect(BoundsRect()) << ",\n";
    s << "  \"hostBounds\": " << JsonRect(host.WindowBounds(self->HostWindow())) << ",\n";
    s << "  \"workArea\": " << JsonRect(host.WorkArea()) << ",\n";
    s << "  \"windowState\": " << static_cast<int>(WindowState()) << ",\n";
    s << "  \"active\": " << (Active() ? "true" : "false") << ",\n";
    s << "  \"focused\": " << JsonString(focused ? focused->Name() : "") << ",\n";
    s << "  \"edit\": " << JsonString(edtText ? edtText->Text() : "") << ",\n";
    s << "  \"clicks\": " << FClicks << ",\n";
    s << "  \"doubleClicks\": " << FDoubleClicks << ",\n";
    s << "  \"captionDoubleClicks\": " << FCaptionDoubleClicks << ",\n";
    s << "  \"toggleColor\": " << (palToggle ? palToggle->Color() : 0) << ",\n";
    s << "  \"wheel\": " << FWheel << ",\n";
    s << "  \"lastKey\": " << FLastKey << ",\n";
    s << "  \"lastKeyExtended\": " << (FLastKeyExtended ? "true" : "false") << ",\n";
    s << "  \"asked\": " << FAsked << ",\n";
    s << "  \"answer\": " << FAnswer << ",\n";
    s << "  \"popups\": " << FPopups << ",\n";
    s << "  \"popupOpen\": " << (FPopup->IsOpen() ? "true" : "false") << ",\n";
    s << "  \"popupCloseReason\": " << static_cast<int>(FPopup->CloseReason()) << "\n";
    s << "}\n";
    return s.str();
}

// Written beside and renamed, so a reader never sees half a file.
void TDemoForm::WriteState(const std::string& fileName) {
    ++FSeq;
    std::string temp = fileName + ".tmp";
    if (FILE* f = std::fopen(temp.c_str(), "w")) {
        std::string json = StateJson();
        std::fwrite(json.data(), 1, json.size(), f);
        std::fclose(f);
        std::rename(temp.c_str(), fileName.c_str());
    }
}
