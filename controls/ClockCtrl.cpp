#include "controls/ClockCtrl.h"

#include "controls/DrawAlignedText.h"
#include "controls/EllipseEdge.h"
#include "controls/KitDraw.h"
#include "framework/CDC.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

using clock_face::Shrunk;

namespace {

void Draw3dFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    CDC wrapper;
    wrapper.Attach(dc);
    wrapper.Draw3dRect(rect, topLeft, bottomRight);
    wrapper.Detach();
}

void DrawEdgeIn(HDC dc, const RECT& rect, BOOL sunken, BOOL diagonal, BOOL solid, BOOL shaded) {
    DrawEllipseEdge(dc, rect.left, rect.top, rect.right, rect.bottom, sunken, diagonal, solid, shaded);
}

int FieldOfSpin(UINT spinId) {
    switch (spinId) {
        case IDC_CLOCK_HOUR_SPIN: return clock_face::kHour;
        case IDC_CLOCK_MINUTE_SPIN: return clock_face::kMinute;
        default: return clock_face::kSecond;
    }
}

}  // namespace

BOOL CCaptureSpinButton::Create(const RECT& rect, UINT id, CWnd* parent, int lower, int upper, BOOL keepParent) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
    if (!CreateEx(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, rect, parent->m_hWnd, id)) return FALSE;
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
    if (keepParent) m_captureWindow = parent->m_hWnd;
    return TRUE;
}

LRESULT CCaptureSpinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_LBUTTONUP) return CSpinButtonCtrl::WindowProc(message, wParam, lParam);
    const LRESULT result = Default();
    if (m_captureWindow != nullptr && ::IsWindow(m_captureWindow)) ::SetCapture(m_captureWindow);
    return result;
}

// ---------------------------------------------------------------------------------------------

CCaptureSpinButton& CClockCtrl::GetSpin(UINT id) {
    switch (id) {
        case IDC_CLOCK_HOUR_SPIN: return m_hourSpin;
        case IDC_CLOCK_MINUTE_SPIN: return m_minuteSpin;
        default: return m_secondSpin;
    }
}

void CClockCtrl::SetSpinCaptureWindow(HWND window) {
    m_hourSpin.SetCaptureWindow(window);
    m_minuteSpin.SetCaptureWindow(window);
    m_secondSpin.SetCaptureWindow(window);
}

RECT CClockCtrl::GetDropDownRect() {
    m_layout = clock_face::MakeLayout(MeasureText(nullptr, "00"));
    return CalcDropDownRect(m_layout.Client.cx, m_layout.Client.cy);
}

BOOL CClockCtrl::Create(DWORD exStyle, DWORD style, const RECT& rect, UINT id, CWnd* owner, const char* fontName,
                        int pointSize) {
    if (!CCustomCmbDropDownWnd::Create(exStyle, style, rect, id, owner, fontName, pointSize)) return FALSE;
    const struct {
        CCaptureSpinButton* Spin;
        RECT Rect;
        UINT Id;
        int Upper;
    } spins[] = {
        {&m_hourSpin, m_layout.HourSpin, IDC_CLOCK_HOUR_SPIN, 23},
        {&m_minuteSpin, m_layout.MinuteSpin, IDC_CLOCK_MINUTE_SPIN, 59},
        {&m_secondSpin, m_layout.SecondSpin, IDC_CLOCK_SECOND_SPIN, 59},
    };
    for (const auto& spin : spins) {
        if (!spin.Spin->Create(spin.Rect, spin.Id, this, 0, spin.Upper, FALSE)) return FALSE;
        UDACCEL step{0, 1};
        spin.Spin->SendMessage(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
        if (m_dropDownMode) spin.Spin->SetCaptureWindow(m_owner);
    }
    const clock_face::Time stored = m_time;
    SetTime(stored.Hour, stored.Minute, stored.Second);
    return TRUE;
}

void CClockCtrl::NotifyOwner(int code) {
    PostToOwner(code, static_cast<LPARAM>((m_time.Hour << 16) | (m_time.Minute << 8) | m_time.Second));
}

void CClockCtrl::SetField(UINT spinId, int value) {
    CCaptureSpinButton& spin = GetSpin(spinId);
    const int field = FieldOfSpin(spinId);
    (field == clock_face::kHour ? m_time.Hour : field == clock_face::kMinute ? m_time.Minute : m_time.Second) = value;
    if (spin.m_hWnd != nullptr) spin.SetPos32(value);
}

void CClockCtrl::SetTime(int hour, int minute, int second) {
    hour = std::clamp(hour, 0, 23);
    minute = std::clamp(minute, 0, 59);
    second = std::clamp(second, 0, 59);
    int mask = 0;
    if (hour != m_time.Hour) mask |= clock_face::kHour;
    if (minute != m_time.Minute) mask |= clock_face::kMinute;
    if (second != m_time.Second) mask |= clock_face::kSecond;
    SetField(IDC_CLOCK_HOUR_SPIN, hour);
    SetField(IDC_CLOCK_MINUTE_SPIN, minute);
    SetField(IDC_CLOCK_SECOND_SPIN, second);
    DrawDigits(nullptr, mask);
}

CString CClockCtrl::GetTimeText() const {
    CString text;
    text.Format("%02d:%02d:%02d", m_time.Hour, m_time.Minute, m_time.Second);
    return text;
}

int CClockCtrl::StepField(UINT spinId, int position, int delta) {
    clock_face::Time time = m_time;
    const int field = FieldOfSpin(spinId);
    (field == clock_face::kHour ? time.Hour : field == clock_face::kMinute ? time.Minute : time.Second) = position;
    const int changed = clock_face::Step(time, field, delta);
    if ((changed & clock_face::kHour) != 0) SetField(IDC_CLOCK_HOUR_SPIN, time.Hour);
    if ((changed & clock_face::kMinute) != 0) SetField(IDC_CLOCK_MINUTE_SPIN, time.Minute);
    if ((changed & clock_face::kSecond) != 0) SetField(IDC_CLOCK_SECOND_SPIN, time.Second);
    return changed;
}

POINT CClockCtrl::PointOnCircle(int left, int top, int right, int bottom, int angle, BOOL inset, RECT* mark) {
    return clock_face::PointOnCircle({left, top, right, bottom}, angle, inset != FALSE, mark);
}

COLORREF CClockCtrl::GetMarkColor(BOOL inner) {
    const bool enabled = m_hWnd == nullptr || IsWindowEnabled();
    if (inner) return enabled ? RGB(0, 255, 255) : RGB(0, 128, 128);
    return enabled ? RGB(0, 0, 255) : RGB(0, 0, 128);
}

void CClockCtrl::PaintClock(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    FillWithColor(target, GetClientRect(), ::GetSysColor(COLOR_BTNFACE));
    DrawFace(target);
    DrawDigits(target, clock_face::kAllFields);
}

void CClockCtrl::DrawFace(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    const RECT face = m_layout.Face;
    const int width = face.right - face.left;
    const int height = face.bottom - face.top;
    HDC memory = ::CreateCompatibleDC(target);
    HBITMAP bitmap = ::CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, target, face.left, face.top, SRCCOPY);
    ::SetViewportOrgEx(memory, -face.left, -face.top, nullptr);

    DrawEdgeIn(memory, face, TRUE, FALSE, TRUE, TRUE);
    DrawEdgeIn(memory, Shrunk(face, 10), TRUE, TRUE, FALSE, TRUE);
    DrawEdgeIn(memory, Shrunk(face, 20), FALSE, FALSE, TRUE, TRUE);
    DrawMarks(face.left, face.top, face.right, face.bottom, memory, FALSE);
    DrawMarks(face.left, face.top, face.right, face.bottom, memory, TRUE);

    ::SetViewportOrgEx(memory, 0, 0, nullptr);
    ::BitBlt(target, face.left, face.top, width, height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

void CClockCtrl::DrawMarks(int left, int top, int right, int bottom, HDC dc, BOOL inner) {
    RECT ring{left, top, right, bottom};
    if (inner) ring = Shrunk(ring, 10);
    const COLORREF color = GetMarkColor(inner);
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    Selected penIn(dc, pen);
    Selected brushIn(dc, brush);
    for (int angle = 0; angle < 360; angle += 6) {
        RECT mark{};
        const POINT point = PointOnCircle(ring.left, ring.top, ring.right, ring.bottom, angle, TRUE, &mark);
        if (angle % 30 != 0) {
            ::SetPixelV(dc, point.x + 1, point.y + 1, ::GetSysColor(COLOR_BTNSHADOW));
            ::SetPixelV(dc, point.x, point.y, ::GetSysColor(COLOR_3DLIGHT));
            continue;
        }
        ::Ellipse(dc, mark.left, mark.top, mark.right, mark.bottom);
        DrawEdgeIn(dc, mark, inner ? FALSE : TRUE, FALSE, FALSE, FALSE);
    }
}

void CClockCtrl::DrawDigits(HDC dc, int mask) {
    if (m_hWnd == nullptr || mask == 0) return;
    DrawingDC target(m_hWnd, dc);
    const bool enabled = IsWindowEnabled() != FALSE;
    Selected font(target, m_font.m_hObject);
    ::SetTextColor(target, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    ::SetBkMode(target, TRANSPARENT);
    if (mask == clock_face::kAllFields) {
        for (const RECT& colon : {m_layout.FirstColon, m_layout.SecondColon}) {
            DrawAlignedText(target, ":", colon.left, colon.top, colon.right, colon.bottom, 1, -1,
                            DAT_HCENTER | DAT_VCENTER);
        }
    }
    const struct {
        int Field;
        const RECT& Box;
        int Value;
    } fields[] = {
        {clock_face::kHour, m_layout.HourBox, m_time.Hour},
        {clock_face::kMinute, m_layout.MinuteBox, m_time.Minute},
        {clock_face::kSecond, m_layout.SecondBox, m_time.Second},
    };
    bool drawn = false;
    for (const auto& field : fields) {
        if ((mask & field.Field) == 0) continue;
        FillWithColor(target, field.Box, ::GetSysColor(enabled ? COLOR_3DLIGHT : COLOR_BTNFACE));
        Draw3dFrame(target, field.Box, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        char text[8];
        std::snprintf(text, sizeof text, "%02d", field.Value);
        DrawAlignedText(target, text, field.Box.left, field.Box.top, field.Box.right, field.Box.bottom, 0, 0,
                        DAT_HCENTER | DAT_VCENTER);
        drawn = true;
    }
    if (drawn) DrawHands(target);
}

void CClockCtrl::DrawHands(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    const RECT face = m_layout.Face;
    DrawEdgeIn(target, Shrunk(face, 20), FALSE, FALSE, TRUE, TRUE);

    const POINT centre{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    auto around = [&](int by) { return RECT{centre.x - by, centre.y - by, centre.x + by, centre.y + by}; };
    auto on = [&](const RECT& rect, int angle) { return clock_face::PointOnCircle(rect, angle, false); };

    const int minuteAngle = m_time.Minute * 6;
    const RECT minuteBase = around(5);
    const POINT minuteHand[4] = {on(minuteBase, minuteAngle + 180), on(minuteBase, minuteAngle + 270),
                                 on(Shrunk(face, 22), minuteAngle), on(minuteBase, minuteAngle + 90)};
    const int offset = clock_face::HourHandOffset(m_time.Minute);
    const RECT hourBase = around(6);
    const POINT hourHand[4] = {on(hourBase, offset + ((m_time.Hour + 6) % 12) * 30),
                               on(hourBase, offset + ((m_time.Hour + 9) % 12) * 30),
                               on(Shrunk(face, 37), offset + (m_time.Hour % 12) * 30),
                               on(hourBase, offset + ((m_time.Hour + 3) % 12) * 30)};

    const struct {
        const POINT* Points;
        COLORREF Color;
    } hands[] = {{hourHand, GetMarkColor(TRUE)}, {minuteHand, GetMarkColor(FALSE)}};
    for (const auto& hand : hands) {
        CRgn region;
        region.Attach(::CreatePolygonRgn(hand.Points, 4, WINDING));
        CBrush brush(hand.Color);
        ::FillRgn(target, region, brush);
        CPen pen(PS_SOLID, 1, hand.Color);
        Selected penIn(target, pen);
        DrawLine(target, centre.x, centre.y, hand.Points[2].x, hand.Points[2].y);
    }

    const POINT tip = on(Shrunk(face, 23), m_time.Second * 6);
    const POINT tail = on(around(8), m_time.Second * 6 + 180);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    {
        Selected penIn(target, red);
        DrawLine(target, tip.x, tip.y, tail.x, tail.y);
    }
    const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    for (const POINT& dot : {centre, POINT{centre.x - 1, centre.y}, POINT{centre.x + 1, centre.y},
                             POINT{centre.x, centre.y - 1}, POINT{centre.x, centre.y + 1}}) {
        ::SetPixelV(target, dot.x, dot.y, light);
    }
    // Last, over the hands: a hand passing below the centre would otherwise cover the label.
    if (!m_child) DrawOkLabel(target);
}

void CClockCtrl::DrawOkLabel(HDC dc) {
    if (m_hWnd == nullptr) return;
    DrawingDC target(m_hWnd, dc);
    const bool enabled = IsWindowEnabled() != FALSE;
    Selected font(target, m_font.m_hObject);
    ::SetTextColor(target, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    ::SetBkMode(target, TRANSPARENT);
    SIZE extent{};
    ::GetTextExtentPoint32A(target, "[ O.K ]", 7, &extent);
    const RECT face = m_layout.Face;
    const int cx = (face.left + face.right) / 2;
    const int cy = (face.top + face.bottom) / 2;
    RECT label{cx - extent.cx / 2, cy + 10, cx + extent.cx / 2 + 1, cy + 10 + extent.cy};
    ::InflateRect(&label, 1, 1);
    FillWithColor(target, label, ::GetSysColor(COLOR_BTNFACE));
    Draw3dFrame(target, label, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawAlignedText(target, "O.K", label.left, label.top, label.right, label.bottom, 0, 0, DAT_HCENTER | DAT_VCENTER);
}

int CClockCtrl::HitTest(UINT message, int x, int y) {
    const RECT face = m_layout.Face;
    const POINT point{x, y};
    if (!::PtInRect(&face, point)) return 0;
    CRgn centre;
    CRgn hourRing;
    CRgn whole;
    centre.CreateEllipticRgnIndirect(Shrunk(face, 20));
    hourRing.CreateEllipticRgnIndirect(Shrunk(face, 10));
    whole.CreateEllipticRgnIndirect(face);
    if (message == WM_LBUTTONUP && centre.PtInRegion(point)) return 4;
    if (message != WM_LBUTTONDOWN) return 0;
    if (hourRing.PtInRegion(point)) return PickMark(x, y, TRUE) ? 1 : 0;
    if (whole.PtInRegion(point)) return PickMark(x, y, FALSE) ? 2 : 0;
    return 0;
}

BOOL CClockCtrl::PickMark(int x, int y, BOOL hour) {
    const int index = clock_face::FindMark(m_layout.Face, x, y, hour != FALSE);
    if (index < 0) return FALSE;
    if (hour) {
        SetField(IDC_CLOCK_HOUR_SPIN, clock_face::HourFromMark(m_time.Hour, index));
        DrawDigits(nullptr, clock_face::kHour);
    } else {
        SetField(IDC_CLOCK_MINUTE_SPIN, clock_face::MinuteFromMark(index));
        DrawDigits(nullptr, clock_face::kMinute);
    }
    return TRUE;
}

bool CClockCtrl::RepostToSpin(UINT message, UINT flags, int x, int y) {
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return false;
    for (CCaptureSpinButton* spin : {&m_hourSpin, &m_minuteSpin, &m_secondSpin}) {
        if (spin->m_hWnd == nullptr || !spin->IsWindowEnabled()) continue;
        const POINT point = MapClientPoint({x, y}, m_hWnd, spin->m_hWnd);
        const RECT client = spin->GetClientRect();
        if (::PtInRect(&client, point)) {
            spin->PostMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
            return true;
        }
    }
    return false;
}

int CClockCtrl::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (CCustomCmbDropDownWnd::OnMouseEvent(message, flags, x, y) == 0) return 0;
    if (m_dropDownMode && RepostToSpin(message, flags, x, y)) return -1;
    switch (message) {
        case WM_LBUTTONDOWN: {
            const int hit = HitTest(message, x, y);
            if (hit == 1 || hit == 2) NotifyOwner(DDN_CHANGE);
            break;
        }
        case WM_LBUTTONUP:
            if (HitTest(message, x, y) == 4) NotifyOwner(m_dropDownMode || IsPopupWindow() ? DDN_OK : DDN_CHANGE);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            if (m_dropDownMode) NotifyOwner(DDN_CANCEL);
            break;
        default:
            break;
    }
    return -1;
}

LRESULT CClockCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC dc(this);
            PaintClock(dc);
            return 0;
        }
        case WM_ENABLE:
            for (CCaptureSpinButton* spin : {&m_hourSpin, &m_minuteSpin, &m_secondSpin}) {
                spin->EnableWindow(static_cast<BOOL>(wParam));
            }
            DrawFace(nullptr);
            DrawDigits(nullptr, clock_face::kAllFields);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == static_cast<UINT>(UDN_DELTAPOS) && header->idFrom >= IDC_CLOCK_SECOND_SPIN &&
                header->idFrom <= IDC_CLOCK_HOUR_SPIN) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
                const int mask = StepField(static_cast<UINT>(header->idFrom), change->iPos, change->iDelta);
                DrawDigits(nullptr, mask);
                NotifyOwner(DDN_CHANGE);
                // The spins already show the new values: stepping themselves would stop at
                // their ends instead of wrapping.
                return 1;
            }
            break;
        }
        default:
            break;
    }
    return CCustomCmbDropDownWnd::WindowProc(message, wParam, lParam);
}

int CDateTimeCtrlClock::OnMouseEvent(UINT message, UINT flags, int x, int y) {
    if (RepostToSpin(message, flags, x, y)) return -1;
    return CClockCtrl::OnMouseEvent(message, flags, x, y) == 0 ? 0 : -1;
}
