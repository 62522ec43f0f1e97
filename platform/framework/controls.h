// Control wrappers, bound to a dialog's controls by id during its first data
// exchange.
#pragma once

#include "platform/framework/cwnd.h"

// Push buttons, check boxes, radio buttons and group boxes.
class CButton : public CWnd {
  public:
    int GetCheck() const;
    void SetCheck(int state);
};

class CEdit : public CWnd {
  public:
    // Selects characters from `start` up to `end`; (0, -1) selects all.
    void SetSel(int start, int end);
};

class CSpinButtonCtrl : public CWnd {
  public:
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int GetPos() const;
    // UDM_SETRANGE, UDM_GETRANGE, UDM_SETPOS and UDM_GETPOS.
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

// A paint device context for the window being painted.
class CPaintDC {
  public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    void DrawIcon(int x, int y, HICON icon);
    // The handle given to WM_ICONERASEBKGND.
    WPARAM GetSafeHdc() const { return reinterpret_cast<WPARAM>(dc_); }

  private:
    void* dc_;
};
