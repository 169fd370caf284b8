#pragma once

#include "framework/window/Dialog.h"
#include "framework/window/Edit.h"
#include "framework/window/EditFill.h"
#include "framework/portable/String.h"

#include <cstdint>

// The main window: a query box and a read-only results box. A search runs
// once typing has paused; Return selects the query, a second Return erases it.
class CSearchDlg : public CDialog {
public:
    CSearchDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    bool OnIdle() override;
    const MessageMap* GetMessageMap() const override { return &s_messageMap; }

private:
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnChangeQuery();
    void OnTimer(UINT_PTR nIDEvent);

    void AddAboutEntry();
    void RunSearch();
    void ShowResults(const CString& strText);

    static const MessageMapEntry s_messageEntries[];
    static const MessageMap s_messageMap;

    CEdit m_editResults;
    CEdit m_editQuery;
    HICON m_hIcon;
    std::uint32_t m_nLastChange = 0;  // clock at the last change of the query
    BYTE m_bPending = 0;              // a search is due when the timer fires
    BYTE m_bSelected = 0;             // the last Return selected the query
    CString m_strDir;
    CEditFill m_fill;          // a large result still being shown
    bool m_bFillHeld = false;  // its first screenful stands alone for now
};
