#include "velmir/ColorSwatch.h"

#include <commctrl.h>

namespace {

const UINT_PTR SwatchSubclassId = 1;

void fill(HDC dc, const RECT& rect, COLORREF color)
{
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void line(HDC dc, int fromX, int fromY, int toX, int toY)
{
    MoveToEx(dc, fromX, fromY, nullptr);
    LineTo(dc, toX, toY);
}

}  // namespace

ColorSwatch::~ColorSwatch()
{
    Detach();
}

void ColorSwatch::Attach(HWND control)
{
    Detach();
    control_ = control;
    SetWindowSubclass(control_, ControlProc, SwatchSubclassId, reinterpret_cast<DWORD_PTR>(this));
    InvalidateRect(control_, nullptr, TRUE);
}

void ColorSwatch::Detach()
{
    if (control_ == nullptr) return;
    RemoveWindowSubclass(control_, ControlProc, SwatchSubclassId);
    control_ = nullptr;
}

void ColorSwatch::Set(Mode mode, COLORREF color)
{
    mode_ = mode;
    color_ = color;
    if (control_ != nullptr) InvalidateRect(control_, nullptr, TRUE);
}

LRESULT CALLBACK ColorSwatch::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self)
{
    auto* swatch = reinterpret_cast<ColorSwatch*>(self);
    if (message == WM_NCDESTROY) swatch->Detach();
    LRESULT result = 0;
    if (swatch->OnMessage(message, wParam, result)) return result;
    return DefSubclassProc(control, message, wParam, lParam);
}

// Painting allocates nothing that could throw, so nothing leaves here.
bool ColorSwatch::OnMessage(UINT message, WPARAM wParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return true;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_ERASEBKGND:
        // Paint covers every pixel.
        result = 1;
        return true;
    default:
        return false;
    }
}

void ColorSwatch::OnPaint() const
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(control_, &paint);
    Paint(dc);
    EndPaint(control_, &paint);
}

void ColorSwatch::Paint(HDC dc) const
{
    RECT client;
    GetClientRect(control_, &client);
    fill(dc, client, RGB(0, 0, 0));
    RECT inside = client;
    InflateRect(&inside, -1, -1);
    if (mode_ == ShowsColor) {
        fill(dc, inside, color_);
        return;
    }
    fill(dc, inside, RGB(192, 192, 192));
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(BLACK_PEN));
    line(dc, client.left, client.top, client.right, client.bottom);
    line(dc, client.left, client.bottom - 1, client.right, client.top - 1);
    SelectObject(dc, previous);
}
