#pragma once

// What a screen reader hears of a program's window, heard as a reader hears
// it, from another process: the live region's changes (SetWinEventHook out
// of context, with the name of the object each is for), and where the
// system has them, UI Automation's notifications with their text, which
// come on UI Automation's own threads: this thread is in the multithreaded
// apartment, as Microsoft asks of a client with event handlers.

#include "framework/window/ComApartment.h"
#include "framework/window/ComPtr.h"

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

struct IUnknown;
class CProgramWindow;

class CAnnouncementListener {
public:
    explicit CAnnouncementListener(const CProgramWindow& program);
    CAnnouncementListener(const CAnnouncementListener&) = delete;
    CAnnouncementListener& operator=(const CAnnouncementListener&) = delete;
    ~CAnnouncementListener();

    // What was heard since the last call (UTF-8), once nAtLeast came or
    // five seconds went by; the program's thread first answers its window,
    // so that every live region change it made is here.
    std::vector<std::string> Heard(std::size_t nAtLeast);
    // Whether this system's UI Automation hears notifications, and how many
    // of all heard came as one of a search done (Listener.cpp).
    bool HearsNotifications() const { return static_cast<bool>(m_client); }
    std::size_t Notifications();
    void Hear(const std::string& words, bool bNotification);

private:
    const CComApartment m_com{COINIT_MULTITHREADED};
    const HWND m_hDialog;
    HWINEVENTHOOK m_hHook;
    CComPtr<IUnknown> m_client;  // IUIAutomation5, where the system has it
    std::mutex m_mutex;             // notifications may come on another thread
    std::vector<std::string> m_heard;
    std::size_t m_nNotifications = 0;
};

// A window's name as Active Accessibility gives it, in UTF-8.
std::string AccessibleNameOf(HWND hWnd, LONG idObject = OBJID_CLIENT, LONG idChild = CHILDID_SELF);
