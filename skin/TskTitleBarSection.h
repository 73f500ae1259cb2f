#pragma once
// One picture of a skinned title bar. The bar draws its first three
// sections by position (left, right, stretched middle); width, alignment
// and stretching are kept for the layouts that store them.
#include <functional>
#include <memory>

#include "gui/TComponent.h"

class TPicture;

enum class TskTitleBarAlign { skLeft, skRight, skClient };
const TEnumTable& TitleBarAlignNames();

class TskTitleBarSection : public TObject {
    XF_CLASS(TskTitleBarSection)
public:
    // `changed` runs after every change; `canBeClient` answers whether this
    // section may take the client alignment (only one section may).
    TskTitleBarSection(std::function<void()> changed, std::function<bool(const TskTitleBarSection*)> canBeClient);
    ~TskTitleBarSection() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TskTitleBarAlign Align() const { return FAlign; }
    // A second client section is refused with a message box.
    void SetAlign(TskTitleBarAlign align);
    TPicture& Picture() const { return *FPicture; }
    void SetPicture(const TPicture& picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);

private:
    void Changed();

    std::function<void()> FChanged;
    std::function<bool(const TskTitleBarSection*)> FCanBeClient;
    bool FAutoSize = false;
    int FWidth = 10;
    TskTitleBarAlign FAlign = TskTitleBarAlign::skLeft;
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
};
