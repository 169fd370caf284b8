#pragma once

#include "framework/portable/String.h"
#include "framework/window/Announcer.h"
#include "framework/window/Annotation.h"
#include "framework/window/Dialog.h"
#include "framework/window/Edit.h"
#include "framework/window/EditFill.h"
#include "ui/ReturnToggle.h"
#include "ui/TypingPause.h"

// The main window: a query box and a read-only results box. A search runs
// once typing has paused, and screen readers are told what it showed;
// Return selects the query, a second Return erases it.
class CSearchDlg : public CDialog {
public:
    CSearchDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    DWORD OnIdle() override;
    const MessageMap* GetMessageMap() const override { return &s_messageMap; }

private:
    HandlerResult OnSysCommand(UINT nID, LPARAM lParam);
    HandlerResult OnPaint();
    HandlerResult OnDestroy();
    HCURSOR OnQueryDragIcon();
    void OnChangeQuery();
    void OnResultsOutOfMemory();
    HandlerResult OnTimer(UINT_PTR nIDEvent);

    void AddAboutEntry();
    void ShowHeldFileWait(bool bWaiting);
    void SelectOrEraseQuery();
    void RunSearch();

    static const MessageMapEntry s_messageEntries[];
    static const MessageMap s_messageMap;

    CEdit m_editResults;
    CEdit m_editQuery;
    HICON m_hIcon;
    CTypingPause m_typing;
    CReturnToggle m_returnToggle;
    CString m_strDir;
    std::wstring m_caption;  // while the caption tells of a wait
    int m_nWaits = 0;  // for held files, one within another
    CEditFill m_fill{m_editResults};  // a large result still being shown
    CAnnotation m_queryName;
    CAnnotation m_resultsName;
    CAnnouncer m_announcer;  // tells screen readers what a search showed
};
