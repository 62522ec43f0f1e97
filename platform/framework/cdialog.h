// CDialog: a modal dialog built from a numbered template, with its open, OK
// and Cancel steps and its data exchange.
//
// Names in the framework follow one rule:
// - An operation with a counterpart in the classic Windows class library
//   keeps that name and signature (DoModal, EndDialog, UpdateData,
//   GetDlgItem, SendMessage, SetIcon, EnableWindow, LoadIcon, ...).
// - A step a dialog overrides is named for what starts it, On<Event> (OnOpen,
//   OnConfirm, OnCancel, OnPaint, OnDestroy, OnSysCommand); the exchange it
//   overrides is ExchangeData.
// - Names the framework adds start with a verb: Get... for accessors,
//   Is.../Has... for questions, Press... for input as the user gives it.
//   The exception: CDataExchange's steps are named for the value they move
//   (Control, Radio, Check, Integer, Range), as they read in ExchangeData.
//   Its free functions carry the Afx prefix; its helpers below the classes
//   (templates, rules, registry) live in namespace kvn.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/framework/controls.h"
#include "platform/framework/cwnd.h"
#include "platform/framework/dialog_template.h"

class CDialog;

namespace kvn {
class NativeDialog;
} // namespace kvn

// One data exchange: the direction, and the steps that move one value each.
// Every step returns false after a failure (message shown, focus on the
// offending control); the caller then ends the exchange.
class CDataExchange {
  public:
    CDataExchange(CDialog& dialog, bool fromControls) : dialog_(dialog), from_(fromControls) {}
    bool FromControls() const { return from_; }

    // Binds `control` to the dialog's control `id` the first time.
    bool Control(int id, CWnd& control);
    // The radio group starting at `firstId` and the index of its checked button.
    bool Radio(int firstId, int& value);
    bool Check(int id, int& value);
    // An edit holding an integer.
    bool Integer(int id, std::int32_t& value);
    // From the controls only: `value` within [low, high], else the range
    // message, with the focus on the control of the last Integer step.
    bool Range(std::int32_t value, std::int32_t low, std::int32_t high);

  private:
    bool Fail(const std::string& message, int id);

    CDialog& dialog_;
    bool from_;
    int lastEditId_ = 0;
};

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the window from the template, runs the open step and the modal
    // loop. IDOK or IDCANCEL, or -1 when the template cannot be loaded.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    // Runs an exchange; false when one from the controls failed.
    BOOL UpdateData(BOOL fromControls = TRUE);

    CWnd* GetDlgItem(int id);
    // True while one of the dialog's controls has the keyboard focus.
    bool HasFocusedControl() const;
    // Before the window is made (in DoModal, before CDialog::DoModal), the
    // control is made with this text: no relabelling once made.
    void SetDlgItemText(int id, const char* text);
    // WM_SYSCOMMAND, WM_SETICON, WM_QUERYDRAGICON, WM_ICONERASEBKGND, and the
    // up-down messages when sent to an item.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;
    UINT GetTemplateId() const { return templateId_; }

    // Escape, Enter and the close box as the dialog would get them; used by
    // the dialog's own key handling and by tests.
    void PressEscape();
    void PressClose();

    // The live dialog window, or nullptr outside DoModal.
    static CDialog* GetActiveDialog();

  protected:
    // Moves values between members and controls in the exchange's direction.
    virtual bool ExchangeData(CDataExchange& exchange);
    // The open step: an exchange to the controls. True gives the focus to the
    // first tab-stop control.
    virtual BOOL OnOpen();
    // OK: an exchange from the controls, then the end with IDOK.
    virtual void OnConfirm();
    // Cancel: ends with IDCANCEL.
    virtual void OnCancel();
    // The framework's own handling of these messages.
    void OnSysCommand(UINT command, LPARAM parameter);
    void OnPaint();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

  private:
    friend class CDataExchange;
    friend class kvn::NativeDialog;
    struct Impl;

    void Dispatch(MessageArgs& args);
    void RememberBound(CWnd& wrapper);
    std::span<const kvn::ControlTemplate> TemplateControls() const;
    void Command(int id);
    void RefuseOrCancel();
    void Help();
    // The platform's window of the running dialog, or nullptr.
    kvn::NativeDialog* Native() const;

    UINT templateId_;
    CWnd* parent_;
    std::unique_ptr<Impl> impl_;
};
