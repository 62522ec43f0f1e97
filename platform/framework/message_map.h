// Message maps: static tables that bind window messages and control
// notifications to handler methods, walked from the class to its bases.
#pragma once

#include "platform/wintypes.h"

class CCmdTarget;

// One message as it reaches a map: which message, which control and
// notification, its parameters, and the result a handler reports.
struct MessageArgs {
    UINT message = 0;
    UINT code = 0; // notification code for WM_COMMAND and WM_NOTIFY
    int id = 0;    // control or command id
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    NMHDR* notification = nullptr;
    LRESULT result = 0;
};

struct MessageMapEntry {
    UINT message; // 0 ends the table
    UINT code;
    int id;
    void (*invoke)(CCmdTarget* target, MessageArgs& args);
};

struct MessageMap {
    const MessageMap* (*base)(); // nullptr at the root
    const MessageMapEntry* entries;
};

class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;

    // Runs the handler that the map of this object's class, or of a base
    // class, has for the message. False when none has one.
    bool DispatchMessage(MessageArgs& args);

  protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
};

#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MessageMap* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

// void handler(UINT command, LPARAM parameter)
#define ON_WM_SYSCOMMAND(handler)                                                                  \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* t, MessageArgs& a) {                                      \
         (static_cast<ThisClass*>(t)->*(handler))(static_cast<UINT>(a.wParam), a.lParam);          \
     }},

// void handler()
#define ON_WM_PAINT(handler)                                                                       \
    {WM_PAINT, 0, 0,                                                                               \
     [](CCmdTarget* t, MessageArgs&) { (static_cast<ThisClass*>(t)->*(handler))(); }},

// HCURSOR handler()
#define ON_WM_QUERYDRAGICON(handler)                                                               \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* t, MessageArgs& a) {                                   \
         a.result = reinterpret_cast<LRESULT>((static_cast<ThisClass*>(t)->*(handler))());         \
     }},

// void handler()
#define ON_WM_DESTROY(handler)                                                                     \
    {WM_DESTROY, 0, 0,                                                                             \
     [](CCmdTarget* t, MessageArgs&) { (static_cast<ThisClass*>(t)->*(handler))(); }},

// void handler(): a push button, check box or radio button clicked.
#define ON_BN_CLICKED(controlId, handler)                                                          \
    {WM_COMMAND, BN_CLICKED, controlId,                                                            \
     [](CCmdTarget* t, MessageArgs&) { (static_cast<ThisClass*>(t)->*(handler))(); }},

// void handler(): a menu or accelerator command.
#define ON_COMMAND(commandId, handler) ON_BN_CLICKED(commandId, handler)

// void handler(NMHDR* notification, LRESULT* result)
#define ON_NOTIFY(notificationCode, controlId, handler)                                            \
    {WM_NOTIFY, notificationCode, controlId, [](CCmdTarget* t, MessageArgs& a) {                   \
         (static_cast<ThisClass*>(t)->*(handler))(a.notification, &a.result);                      \
     }},
