// Drawing of the skinned controls. Every routine paints into a memory bitmap
// first, so a control never shows half-drawn.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>

#include "resources/skin_engine/skin_engine_win.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"
#include "runtime/handles_win.h"

namespace {

// A skin's lengths are given at 96 DPI; a window draws them at its own.
struct Scale {
  int dpi;
  int operator()(int length) const { return ScaleForDpi(length, dpi); }
};

Scale ScaleOf(HWND window) { return {WindowDpi(window)}; }

COLORREF Mix(COLORREF a, COLORREF b, int part, int whole) {
  auto channel = [&](int shift) {
    int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((x + (y - x) * part / whole) & 0xFF) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Vertical gradient, one line per pixel row.
void FillGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  int height = rect.bottom - rect.top;
  for (int y = 0; y < height; ++y) {
    RECT line = {rect.left, rect.top + y, rect.right, rect.top + y + 1};
    FillColour(dc, line, Mix(top, bottom, y, height > 1 ? height - 1 : 1));
  }
}

// A region over rect with corners of the given radius; the region's right and
// bottom edges lie one pixel out, so that its outline covers rect's own.
GdiObject RoundRegion(const RECT& rect, int radius) {
  return OwnGdiObject(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, radius * 2, radius * 2));
}

// An outline of region in colour, `width` pixels thick, inside the region.
void FrameRegion(HDC dc, HRGN region, COLORREF colour, int width) {
  GdiObject brush = OwnGdiObject(CreateSolidBrush(colour));
  FrameRgn(dc, region, static_cast<HBRUSH>(brush.get()), width, width);
}

// An outline of rect in colour, `width` pixels thick, inside rect.
void FrameRectangle(HDC dc, RECT rect, COLORREF colour, int width) {
  GdiObject brush = OwnGdiObject(CreateSolidBrush(colour));
  for (int i = 0; i < width; ++i, InflateRect(&rect, -1, -1)) FrameRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

// A shape filled with a gradient and outlined `line` pixels thick; radius 0
// gives a rectangle.
void DrawShape(HDC dc, const RECT& rect, int radius, COLORREF top, COLORREF bottom, COLORREF border, int line) {
  GdiObject region = RoundRegion(rect, radius);
  auto shape = static_cast<HRGN>(region.get());
  if (radius == 0) SetRectRgn(shape, rect.left, rect.top, rect.right, rect.bottom);
  SelectClipRgn(dc, shape);
  FillGradient(dc, rect, top, bottom);
  SelectClipRgn(dc, nullptr);
  FrameRegion(dc, shape, border, line);
}

void DottedFrame(HDC dc, const RECT& rect, COLORREF colour) {
  GdiObject pen = OwnGdiObject(CreatePen(PS_DOT, 1, colour));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

std::wstring TextOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// A memory canvas the size of the window's client area, copied to dc at the end.
// The bitmap is declared after the DC, so it is deleted first, once CloseCanvas
// has selected it out.
struct Canvas {
  HDC target = nullptr;
  MemoryDc dc = OwnMemoryDc(nullptr);
  GdiObject bitmap = OwnGdiObject(nullptr);
  HGDIOBJ oldBitmap = nullptr;
  HGDIOBJ oldFont = nullptr;
  RECT rect = {};
};

Canvas OpenCanvas(HWND window, HDC target) {
  Canvas canvas;
  canvas.target = target;
  GetClientRect(window, &canvas.rect);
  canvas.dc = OwnMemoryDc(CreateCompatibleDC(target));
  canvas.bitmap = OwnGdiObject(CreateCompatibleBitmap(target, canvas.rect.right > 0 ? canvas.rect.right : 1,
                                                      canvas.rect.bottom > 0 ? canvas.rect.bottom : 1));
  canvas.oldBitmap = SelectObject(canvas.dc.get(), canvas.bitmap.get());
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  canvas.oldFont = SelectObject(canvas.dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  return canvas;
}

// Copies the canvas to its target and selects the bitmap and font out; the
// canvas's owners then delete the bitmap and the DC.
void CloseCanvas(Canvas& canvas) {
  HDC dc = canvas.dc.get();
  BitBlt(canvas.target, 0, 0, canvas.rect.right, canvas.rect.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, canvas.oldFont);
  SelectObject(dc, canvas.oldBitmap);
}

// A window's outer rectangle and its client area, both measured from the
// window's top-left corner, as its window DC sees them.
struct WindowRects {
  RECT outer;
  RECT client;
};

WindowRects RectsOf(HWND window) {
  WindowRects rects = {};
  GetWindowRect(window, &rects.outer);
  GetClientRect(window, &rects.client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rects.client), 2);
  OffsetRect(&rects.client, -rects.outer.left, -rects.outer.top);
  OffsetRect(&rects.outer, -rects.outer.left, -rects.outer.top);
  return rects;
}

// Text centred both ways, wrapping onto further lines when it does not fit.
void DrawCentredText(HDC dc, const std::wstring& text, RECT box, UINT align) {
  RECT measure = box;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, align | DT_WORDBREAK | DT_CALCRECT);
  int height = measure.bottom - measure.top;
  box.top += (box.bottom - box.top - height) / 2;
  box.bottom = box.top + height;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, align | DT_WORDBREAK);
}

}  // namespace

COLORREF Colour(SkinColour role) { return engine.skin.colours[role]; }

COLORREF SurfaceColour(HWND container) {
  return FindWindowExW(container, nullptr, WC_TABCONTROLW, nullptr) ? Colour(kPage) : Colour(kWindow);
}

HBRUSH SurfaceBrush(HWND container) {
  return FindWindowExW(container, nullptr, WC_TABCONTROLW, nullptr) ? engine.pageBrush : engine.windowBrush;
}

void PaintPushButton(HWND button, HDC target, bool hot) {
  Canvas canvas = OpenCanvas(button, target);
  HDC dc = canvas.dc.get();
  RECT rect = canvas.rect;
  LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  bool pressed = (state & BST_PUSHED) != 0;
  bool enabled = IsWindowEnabled(button) != FALSE;
  bool focused = GetFocus() == button;
  Scale scale = ScaleOf(button);
  int line = scale(1), radius = scale(engine.skin.metrics.buttonRadius);

  FillColour(dc, rect, SurfaceColour(GetParent(button)));
  COLORREF top = Colour(kButtonFace), bottom = Colour(kButtonFace2), text = Colour(kButtonText);
  if (pressed)
    top = Colour(kButtonPressed), bottom = Colour(kButtonPressed2), text = Colour(kButtonPressedText);
  else if (hot && enabled)
    top = Colour(kButtonHot), bottom = Colour(kButtonHot2), text = Colour(kButtonHotText);
  if (!enabled) text = Colour(kDisabledText);
  RECT shape = {rect.left, rect.top, rect.right - 1, rect.bottom - 1};
  DrawShape(dc, shape, radius, top, bottom, focused ? Colour(kFocus) : Colour(kButtonBorder), line);
  if (focused) {
    RECT inner = {shape.left + line, shape.top + line, shape.right - line, shape.bottom - line};
    GdiObject region = RoundRegion(inner, radius);
    FrameRegion(dc, static_cast<HRGN>(region.get()), Mix(Colour(kFocus), top, 1, 2), line);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  int marginX = scale(kButtonTextMarginX), marginY = scale(kButtonTextMarginY);
  RECT box = {rect.left + marginX, rect.top + marginY, rect.right - marginX, rect.bottom - marginY};
  if (pressed) OffsetRect(&box, line, line);
  DrawCentredText(dc, TextOf(button), box, DT_CENTER | DT_NOPREFIX);
  CloseCanvas(canvas);
}

void PaintCheckButton(HWND button, HDC target, bool hot) {
  Canvas canvas = OpenCanvas(button, target);
  HDC dc = canvas.dc.get();
  RECT rect = canvas.rect;
  LONG style = GetWindowLongW(button, GWL_STYLE);
  LONG type = style & BS_TYPEMASK;
  bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  bool pressed = (state & BST_PUSHED) != 0;
  bool enabled = IsWindowEnabled(button) != FALSE;
  Scale scale = ScaleOf(button);
  int line = scale(1);

  FillColour(dc, rect, SurfaceColour(GetParent(button)));
  int side = scale(kCheckBoxSide);
  int left = rect.left + scale(kCheckBoxLeft);
  RECT box = {left, (rect.bottom - side) / 2, left + side, (rect.bottom - side) / 2 + side};
  COLORREF fill = pressed ? Mix(Colour(kCheckBox), Colour(kCheckMark), 1, 4) : Colour(kCheckBox);
  COLORREF border = (hot && enabled) || GetFocus() == button ? Colour(kFocus) : Colour(kCheckBorder);
  int radius = radio ? side / 2 + 1 : scale(engine.skin.metrics.checkRadius);
  DrawShape(dc, box, radius, fill, fill, border, line);

  COLORREF mark = enabled ? Colour(kCheckMark) : Colour(kDisabledText);
  LRESULT check = state & (BST_CHECKED | BST_INDETERMINATE);
  if (check == BST_CHECKED && !radio) {
    GdiObject pen = OwnGdiObject(CreatePen(PS_SOLID, scale(2), mark));
    HGDIOBJ old = SelectObject(dc, pen.get());
    POINT tick[] = {{box.left + scale(3), box.top + scale(6)},
                    {box.left + scale(5), box.top + scale(9)},
                    {box.left + scale(10), box.top + scale(3)}};
    Polyline(dc, tick, static_cast<int>(std::size(tick)));
    SelectObject(dc, old);
  } else if (check == BST_CHECKED) {
    GdiObject dot = OwnGdiObject(CreateSolidBrush(mark));
    HGDIOBJ oldBrush = SelectObject(dc, dot.get());
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, box.left + scale(3), box.top + scale(3), box.right - scale(2), box.bottom - scale(2));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  } else if (check == BST_INDETERMINATE) {
    RECT square = {box.left + scale(3), box.top + scale(3), box.right - scale(3), box.bottom - scale(3)};
    FillColour(dc, square, mark);
  }

  std::wstring text = TextOf(button);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? Colour(kPageText) : Colour(kDisabledText));
  RECT label = {box.right + scale(kCheckBoxGap), rect.top, rect.right, rect.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (GetFocus() == button) {
    RECT measure = label;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    int height = measure.bottom - measure.top;
    RECT ring = {label.left - scale(2), (rect.bottom - height) / 2 - line, measure.right + scale(2),
                 (rect.bottom + height) / 2 + line};
    DottedFrame(dc, ring, Colour(kFocus));
  }
  CloseCanvas(canvas);
}

void PaintTabs(HWND tabs, HDC target, int hotItem) {
  Canvas canvas = OpenCanvas(tabs, target);
  HDC dc = canvas.dc.get();
  RECT rect = canvas.rect;
  FillColour(dc, rect, Colour(kWindow));

  int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  int selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  RECT first = {0, 0, 0, 0};
  if (count > 0) SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  RECT body = {rect.left, count > 0 ? first.bottom : rect.top, rect.right, rect.bottom};
  Scale scale = ScaleOf(tabs);
  int line = scale(1);
  DrawShape(dc, {body.left, body.top, body.right - 1, body.bottom - 1}, 0, Colour(kPage), Colour(kPage),
            Colour(kTabBorder), line);

  int radius = scale(engine.skin.metrics.tabRadius);
  SetBkMode(dc, TRANSPARENT);
  for (int pass = 0; pass < 2; ++pass) {  // the selected tab last, over its neighbours
    for (int i = 0; i < count; ++i) {
      if ((i == selected) != (pass == 1)) continue;
      RECT item;
      SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      COLORREF fill = i == selected ? Colour(kTabSelected) : i == hotItem ? Colour(kTabHot) : Colour(kTab);
      RECT shape = item;
      if (i == selected)
        InflateRect(&shape, scale(2), 0), shape.top -= scale(2);
      else
        shape.top += line;
      // Rounded at the top only: the shape runs past the body's edge, which is then redrawn.
      RECT tall = {shape.left, shape.top, shape.right - 1, shape.bottom + radius};
      DrawShape(dc, tall, radius, fill, fill, Colour(kTabBorder), line);
      RECT seam = {shape.left, body.top, shape.right, body.top + radius + line};
      if (i == selected) {
        FillColour(dc, {shape.left + line, body.top, shape.right - 1 - line, seam.bottom}, Colour(kPage));
      } else {
        FillColour(dc, seam, Colour(kPage));
        FillColour(dc, {seam.left, body.top, seam.right, body.top + line}, Colour(kTabBorder));
      }

      wchar_t caption[128] = {};
      TCITEMW info = {};
      info.mask = TCIF_TEXT;
      info.pszText = caption;
      info.cchTextMax = static_cast<int>(std::size(caption)) - 1;
      SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
      SetTextColor(dc, i == selected ? Colour(kTabSelectedText) : Colour(kTabText));
      RECT label = {shape.left, shape.top, shape.right, body.top};
      DrawTextW(dc, caption, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      if (i == selected && GetFocus() == tabs) {
        RECT ring = {label.left + scale(3), label.top + scale(3), label.right - scale(4), label.bottom - scale(2)};
        DottedFrame(dc, ring, Colour(kFocus));
      }
    }
  }
  CloseCanvas(canvas);
}

// The two-pixel client edge of an edit box: the border colour outside, the
// box's own colour inside; the focus colour while it has the focus.
void PaintEditFrame(HWND edit) {
  WindowRects rects = RectsOf(edit);
  if (EqualRect(&rects.outer, &rects.client)) return;
  HDC dc = GetWindowDC(edit);
  ExcludeClipRect(dc, rects.client.left, rects.client.top, rects.client.right, rects.client.bottom);
  FillColour(dc, rects.outer, IsWindowEnabled(edit) ? Colour(kEdit) : Colour(kPage));
  FrameRectangle(dc, rects.outer, GetFocus() == edit ? Colour(kEditFocusBorder) : Colour(kEditBorder),
                 ScaleOf(edit)(1));
  ReleaseDC(edit, dc);
}

namespace {

struct CaptionColours {
  COLORREF top;
  COLORREF bottom;
  COLORREF text;
};

// An inactive window's caption fades half-way to the window colour.
CaptionColours CaptionColoursOf(bool active) {
  CaptionColours colours = {Colour(kCaption), Colour(kCaption2), Colour(kCaptionText)};
  if (!active) {
    colours.top = Mix(colours.top, Colour(kWindow), 1, 2);
    colours.bottom = Mix(colours.bottom, Colour(kWindow), 1, 2);
    colours.text = Mix(colours.text, colours.top, 1, 3);  // towards the faded top
  }
  return colours;
}

// The frame colour all round, the caption's gradient, and the frame colour
// again between the caption and the client area.
void DrawCaptionBackground(HDC dc, const WindowRects& rects, const RECT& caption, const CaptionColours& colours) {
  FillColour(dc, rects.outer, Colour(kFrame));
  FillGradient(dc, caption, colours.top, colours.bottom);
  RECT seam = {caption.left, caption.bottom, caption.right, rects.client.top};
  FillColour(dc, seam, Colour(kFrame));
}

// The small icon, for windows with a system menu. Returns where the title begins.
int DrawCaptionIcon(HDC dc, HWND window, LONG style, const RECT& caption, Scale scale) {
  int height = caption.bottom - caption.top;
  int x = caption.left + scale(4);
  int size = SystemMetricForDpi(SM_CXSMICON, scale.dpi);
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (icon && (style & WS_SYSMENU)) {
    DrawIconEx(dc, x, caption.top + (height - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
    x += size + scale(4);
  }
  return x;
}

// The close and minimize glyphs where the system hit-tests those buttons; the
// maximize button's place stays empty. Returns where the title must end.
int DrawCaptionButtons(HDC dc, LONG style, const RECT& caption, COLORREF colour, Scale scale) {
  int height = caption.bottom - caption.top;
  int button = SystemMetricForDpi(SM_CXSIZE, scale.dpi);
  int glyph = height / 4;
  int right = caption.right;
  GdiObject pen = OwnGdiObject(CreatePen(PS_SOLID, scale(2), colour));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  if (style & WS_SYSMENU) {
    int cx = right - button / 2 - scale(1), cy = caption.top + height / 2;
    POINT a[] = {{cx - glyph, cy - glyph}, {cx + glyph, cy + glyph}};
    POINT b[] = {{cx - glyph, cy + glyph}, {cx + glyph, cy - glyph}};
    Polyline(dc, a, 2);
    Polyline(dc, b, 2);
    right -= button;
    if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
      if (style & WS_MINIMIZEBOX) {
        int mx = right - button - button / 2;
        POINT m[] = {{mx - glyph, cy + glyph}, {mx + glyph, cy + glyph}};
        Polyline(dc, m, 2);
      }
      right -= 2 * button;
    }
  }
  SelectObject(dc, oldPen);
  return right;
}

// The title in the system's caption font, cut short with an ellipsis.
void DrawCaptionTitle(HDC dc, HWND window, RECT label, COLORREF colour, Scale scale) {
  LOGFONTW captionFont = {};
  GdiObject font =
      OwnGdiObject(CaptionFontForDpi(scale.dpi, captionFont) ? CreateFontIndirectW(&captionFont) : nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
  std::wstring title = TextOf(window);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &label,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
}

// The frame is drawn in a memory bitmap the size of the window, then copied
// to the window DC around the client area, so it never shows half-drawn.
void DrawFrame(HWND window, HDC target, LONG style, const WindowRects& rects, const RECT& caption, Scale scale) {
  MemoryDc memory = OwnMemoryDc(CreateCompatibleDC(target));
  GdiObject bitmap = OwnGdiObject(CreateCompatibleBitmap(target, rects.outer.right, rects.outer.bottom));
  HDC dc = memory.get();
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap.get());
  CaptionColours colours = CaptionColoursOf(GetPropW(window, kInactiveProperty) == nullptr);
  DrawCaptionBackground(dc, rects, caption, colours);
  int left = DrawCaptionIcon(dc, window, style, caption, scale);
  int right = DrawCaptionButtons(dc, style, caption, colours.text, scale);
  DrawCaptionTitle(dc, window, {left, caption.top, right - scale(4), caption.bottom}, colours.text, scale);
  const RECT& client = rects.client;
  ExcludeClipRect(target, client.left, client.top, client.right, client.bottom);
  BitBlt(target, 0, 0, rects.outer.right, rects.outer.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
}

}  // namespace

// The frame and caption of a top-level window: caption in a gradient, icon,
// title, and the minimize and close buttons where the system hit-tests them.
void PaintCaption(HWND window) {
  LONG style = GetWindowLongW(window, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION || IsIconic(window)) return;
  WindowRects rects = RectsOf(window);
  int border = rects.client.left;
  Scale scale = ScaleOf(window);
  RECT caption = {border, border, rects.outer.right - border, border + SystemMetricForDpi(SM_CYCAPTION, scale.dpi) - 1};
  if (caption.bottom > rects.client.top || caption.right <= caption.left) return;
  HDC target = GetWindowDC(window);
  DrawFrame(window, target, style, rects, caption, scale);
  ReleaseDC(window, target);
}
