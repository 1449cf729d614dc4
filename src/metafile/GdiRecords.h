#pragma once

// Record types and GDI codes of enhanced (EMF) and plain (WMF) metafiles,
// as the metafile writer emits them and the player reads them.

#include <cstdint>

namespace orv::gdi {

// Enhanced metafile record types.
namespace emr {
constexpr uint32_t Header = 1;
constexpr uint32_t PolyBezier = 2;
constexpr uint32_t Polygon = 3;
constexpr uint32_t Polyline = 4;
constexpr uint32_t PolyBezierTo = 5;
constexpr uint32_t PolylineTo = 6;
constexpr uint32_t PolyPolyline = 7;
constexpr uint32_t PolyPolygon = 8;
constexpr uint32_t SetWindowExtEx = 9;
constexpr uint32_t SetWindowOrgEx = 10;
constexpr uint32_t SetViewportExtEx = 11;
constexpr uint32_t SetViewportOrgEx = 12;
constexpr uint32_t Eof = 14;
constexpr uint32_t SetPixelV = 15;
constexpr uint32_t SetMapMode = 17;
constexpr uint32_t SetBkMode = 18;
constexpr uint32_t SetPolyFillMode = 19;
constexpr uint32_t SetStretchBltMode = 21;
constexpr uint32_t SetTextAlign = 22;
constexpr uint32_t SetTextColor = 24;
constexpr uint32_t SetBkColor = 25;
constexpr uint32_t MoveToEx = 27;
constexpr uint32_t ExcludeClipRect = 29;
constexpr uint32_t IntersectClipRect = 30;
constexpr uint32_t SaveDC = 33;
constexpr uint32_t RestoreDC = 34;
constexpr uint32_t SetWorldTransform = 35;
constexpr uint32_t ModifyWorldTransform = 36;
constexpr uint32_t SelectObject = 37;
constexpr uint32_t CreatePen = 38;
constexpr uint32_t CreateBrushIndirect = 39;
constexpr uint32_t DeleteObject = 40;
constexpr uint32_t Ellipse = 42;
constexpr uint32_t Rectangle = 43;
constexpr uint32_t RoundRect = 44;
constexpr uint32_t Arc = 45;
constexpr uint32_t Chord = 46;
constexpr uint32_t Pie = 47;
constexpr uint32_t LineTo = 54;
constexpr uint32_t ArcTo = 55;
constexpr uint32_t SetArcDirection = 57;
constexpr uint32_t SetMiterLimit = 58;
constexpr uint32_t BeginPath = 59;
constexpr uint32_t EndPath = 60;
constexpr uint32_t CloseFigure = 61;
constexpr uint32_t FillPath = 62;
constexpr uint32_t StrokeAndFillPath = 63;
constexpr uint32_t StrokePath = 64;
constexpr uint32_t AbortPath = 68;
constexpr uint32_t SelectClipPath = 67;
constexpr uint32_t ExtSelectClipRgn = 75;
constexpr uint32_t BitBlt = 76;
constexpr uint32_t StretchBlt = 77;
constexpr uint32_t StretchDIBits = 81;
constexpr uint32_t ExtCreateFontIndirectW = 82;
constexpr uint32_t ExtTextOutA = 83;
constexpr uint32_t ExtTextOutW = 84;
constexpr uint32_t PolyBezier16 = 85;
constexpr uint32_t Polygon16 = 86;
constexpr uint32_t Polyline16 = 87;
constexpr uint32_t PolyBezierTo16 = 88;
constexpr uint32_t PolylineTo16 = 89;
constexpr uint32_t PolyPolyline16 = 90;
constexpr uint32_t PolyPolygon16 = 91;
constexpr uint32_t CreateDIBPatternBrushPt = 94;
constexpr uint32_t ExtCreatePen = 95;
constexpr uint32_t AlphaBlend = 114;
} // namespace emr

// Plain metafile record functions.
namespace wmr {
constexpr uint16_t Eof = 0x0000;
constexpr uint16_t SaveDC = 0x001E;
constexpr uint16_t RealizePalette = 0x0035;
constexpr uint16_t CreatePalette = 0x00F7;
constexpr uint16_t SetBkMode = 0x0102;
constexpr uint16_t SetMapMode = 0x0103;
constexpr uint16_t SetPolyFillMode = 0x0106;
constexpr uint16_t RestoreDC = 0x0127;
constexpr uint16_t SelectObject = 0x012D;
constexpr uint16_t SetTextAlign = 0x012E;
constexpr uint16_t DibCreatePatternBrush = 0x0142;
constexpr uint16_t DeleteObject = 0x01F0;
constexpr uint16_t CreatePatternBrush = 0x01F9;
constexpr uint16_t SetBkColor = 0x0201;
constexpr uint16_t SetTextColor = 0x0209;
constexpr uint16_t SetWindowOrg = 0x020B;
constexpr uint16_t SetWindowExt = 0x020C;
constexpr uint16_t SetViewportOrg = 0x020D;
constexpr uint16_t SetViewportExt = 0x020E;
constexpr uint16_t LineTo = 0x0213;
constexpr uint16_t MoveTo = 0x0214;
constexpr uint16_t CreatePenIndirect = 0x02FA;
constexpr uint16_t CreateFontIndirect = 0x02FB;
constexpr uint16_t CreateBrushIndirect = 0x02FC;
constexpr uint16_t Polygon = 0x0324;
constexpr uint16_t Polyline = 0x0325;
constexpr uint16_t ExcludeClipRect = 0x0415;
constexpr uint16_t IntersectClipRect = 0x0416;
constexpr uint16_t Ellipse = 0x0418;
constexpr uint16_t Rectangle = 0x041B;
constexpr uint16_t SetPixel = 0x041F;
constexpr uint16_t TextOut = 0x0521;
constexpr uint16_t PolyPolygon = 0x0538;
constexpr uint16_t RoundRect = 0x061C;
constexpr uint16_t CreateRegion = 0x06FF;
constexpr uint16_t Arc = 0x0817;
constexpr uint16_t Pie = 0x081A;
constexpr uint16_t Chord = 0x0830;
constexpr uint16_t BitBlt = 0x0922;
constexpr uint16_t DibBitBlt = 0x0940;
constexpr uint16_t ExtTextOut = 0x0A32;
constexpr uint16_t StretchBlt = 0x0B23;
constexpr uint16_t DibStretchBlt = 0x0B41;
constexpr uint16_t StretchDib = 0x0F43;
} // namespace wmr

constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

// Stock objects are selected by these handles in enhanced metafiles.
constexpr uint32_t kStockObject = 0x80000000;
enum StockObject : uint32_t {
    WhiteBrush = 0,
    LightGrayBrush = 1,
    GrayBrush = 2,
    DarkGrayBrush = 3,
    BlackBrush = 4,
    NullBrush = 5,
    WhitePen = 6,
    BlackPen = 7,
    NullPen = 8,
    SystemFont = 13,
    DeviceDefaultFont = 14,
    DefaultGuiFont = 17,
};

enum MapMode : uint32_t {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

// Pen styles, end caps and joins.
constexpr uint32_t PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
                   PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_STYLE_MASK = 0xF;
constexpr uint32_t PS_ENDCAP_ROUND = 0, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200, PS_ENDCAP_MASK = 0xF00;
constexpr uint32_t PS_JOIN_ROUND = 0, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000;
constexpr uint32_t PS_GEOMETRIC = 0x10000;

// Brush styles and hatches.
constexpr uint32_t BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2, BS_PATTERN = 3, BS_DIBPATTERN = 5, BS_DIBPATTERNPT = 6;
constexpr uint32_t HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
                   HS_DIAGCROSS = 5;

constexpr uint32_t TRANSPARENT = 1, OPAQUE = 2;
constexpr uint32_t ALTERNATE = 1, WINDING = 2;

// Text alignment.
constexpr uint32_t TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_HORZ_MASK = 6;
constexpr uint32_t TA_TOP = 0, TA_BOTTOM = 8, TA_BASELINE = 24, TA_VERT_MASK = 24;
constexpr uint32_t ETO_OPAQUE = 2, ETO_CLIPPED = 4, ETO_PDY = 0x2000;

constexpr uint32_t GM_ADVANCED = 2;
constexpr uint32_t MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;
constexpr uint32_t RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;

constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t DIB_RGB_COLORS = 0;
constexpr uint32_t AC_SRC_ALPHA = 1;

constexpr uint32_t FW_NORMAL = 400, FW_BOLD = 700;
constexpr uint8_t DEFAULT_CHARSET = 1;

} // namespace orv::gdi
