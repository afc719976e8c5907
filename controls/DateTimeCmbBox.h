// The time-stamp field: an edit field holding "yyyy/mm/dd hh:mm:ss" (or nothing) that opens
// the date-and-time control.
#pragma once

#include "controls/DateCmbBox.h"
#include "controls/DateTimeCtrl.h"

class CDateTimeCmbBox : public CDateTextCmbBox {
public:
    CDateTimeCmbBox();

    BOOL Create(UINT placeholderId, UINT newId, CWnd* parent, const char* fontName, int pointSize);

    BOOL OpenDropDown() override;
    LRESULT OnDropDownNotify(int code, LPARAM value) override;

    CDateTimeCtrl* GetDateTimeCtrl() const { return static_cast<CDateTimeCtrl*>(m_dropDown.get()); }
};
