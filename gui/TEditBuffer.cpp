#include "gui/TEditBuffer.h"

#include <algorithm>

void TEditBuffer::SetText(std::u16string text) {
    FText = std::move(text);
    FCaret = FAnchor = 0;
}

std::u16string TEditBuffer::SelectedText() const {
    return FText.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

int TEditBuffer::SnapToBoundary(int pos) const {
    pos = std::clamp(pos, 0, Length());
    if (pos > 0 && pos < Length() && IsLowSurrogate(FText[static_cast<size_t>(pos)]) &&
        IsHighSurrogate(FText[static_cast<size_t>(pos - 1)]))
        --pos;
    return pos;
}

int TEditBuffer::PrevBoundary(int pos) const {
    pos = SnapToBoundary(pos);
    if (pos == 0) return 0;
    return SnapToBoundary(pos - 1);
}

int TEditBuffer::NextBoundary(int pos) const {
    pos = SnapToBoundary(pos);
    if (pos >= Length()) return Length();
    if (IsHighSurrogate(FText[static_cast<size_t>(pos)]) && pos + 1 < Length() &&
        IsLowSurrogate(FText[static_cast<size_t>(pos + 1)]))
        return pos + 2;
    return pos + 1;
}

void TEditBuffer::SetCaret(int pos, bool extend) {
    FCaret = SnapToBoundary(pos);
    if (!extend) FAnchor = FCaret;
}

void TEditBuffer::Select(int start, int length) {
    start = SnapToBoundary(start);
    int end = SnapToBoundary(start + std::max(length, 0));
    if (end < start + length && end < Length()) end = NextBoundary(end);
    FAnchor = start;
    FCaret = std::min(end, Length());
}

bool TEditBuffer::Insert(std::u16string_view text, int maxLength) {
    const int start = SelStart();
    const int removed = SelLength();
    size_t take = text.size();
    if (maxLength > 0) {
        const int room = std::max(0, maxLength - (Length() - removed));
        take = std::min(take, static_cast<size_t>(room));
        if (take > 0 && take < text.size() && IsHighSurrogate(text[take - 1]) &&
            IsLowSurrogate(text[take]))
            --take;
    }
    if (removed == 0 && take == 0) return false;
    FText.replace(static_cast<size_t>(start), static_cast<size_t>(removed), text.substr(0, take));
    FCaret = FAnchor = start + static_cast<int>(take);
    return true;
}

bool TEditBuffer::DeleteBackward() {
    if (!HasSelection()) {
        if (FCaret == 0) return false;
        FAnchor = FCaret;
        FCaret = PrevBoundary(FCaret);
    }
    return Insert(u"");
}

bool TEditBuffer::DeleteForward() {
    if (!HasSelection()) {
        if (FCaret >= Length()) return false;
        FAnchor = FCaret;
        FCaret = NextBoundary(FCaret);
    }
    return Insert(u"");
}

// 0 blank, 1 punctuation, 2 letters and digits, 3 ideographs (each its own
// word, as the platform's word breaking treats Chinese text).
int TEditBuffer::CharClass(int pos) const {
    char16_t c = FText[static_cast<size_t>(pos)];
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x3000) return 0;
    if (c >= 0x2E80) return 3;
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
        c == u'_' || c >= 0x80)
        return 2;
    return 1;
}

int TEditBuffer::WordRight(int pos) const {
    pos = SnapToBoundary(pos);
    if (pos >= Length()) return Length();
    const int cls = CharClass(pos);
    if (cls == 3)
        pos = NextBoundary(pos);
    else
        while (pos < Length() && CharClass(pos) == cls && cls != 0)
            pos = NextBoundary(pos);
    while (pos < Length() && CharClass(pos) == 0)
        pos = NextBoundary(pos);
    return pos;
}

int TEditBuffer::WordLeft(int pos) const {
    pos = SnapToBoundary(pos);
    while (pos > 0 && CharClass(PrevBoundary(pos)) == 0)
        pos = PrevBoundary(pos);
    if (pos == 0) return 0;
    const int cls = CharClass(PrevBoundary(pos));
    if (cls == 3) return PrevBoundary(pos);
    while (pos > 0 && CharClass(PrevBoundary(pos)) == cls)
        pos = PrevBoundary(pos);
    return pos;
}

void TEditBuffer::WordAt(int pos, int& start, int& end) const {
    pos = SnapToBoundary(pos);
    start = end = pos;
    if (Length() == 0) return;
    if (pos >= Length()) pos = PrevBoundary(Length());
    const int cls = CharClass(pos);
    start = pos;
    end = NextBoundary(pos);
    if (cls == 3) return;
    while (start > 0 && CharClass(PrevBoundary(start)) == cls)
        start = PrevBoundary(start);
    while (end < Length() && CharClass(end) == cls)
        end = NextBoundary(end);
}
