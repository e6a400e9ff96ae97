#pragma once
// The hover button of the OnScreen Helper chooser: while hot or pressed its background is a
// light-grey outlined box, with rounded corners when asked; it draws no border of its own.
#include "editor/HoverButton.h"

class CRoundedHoverButton : public CHoverButton {
public:
    int SetRounded(bool rounded, bool repaint = true);
    bool IsRounded() const { return rounded_; }

protected:
    void PaintBackground(HDC dc, const RECT& rect) override;
    void PaintBorder(HDC, const RECT&) override {}

private:
    bool rounded_ = false;
};
