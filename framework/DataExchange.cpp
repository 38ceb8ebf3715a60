#include "DataExchange.h"

#include "DataExchangeRules.h"
#include "FrameworkResource.h"
#include "WinApp.h"
#include "Wnd.h"

#include <string>

namespace {

// The text that is read: at most the first characters the rules look at.
std::string ReadField(HWND hWnd)
{
    char text[kFieldReadLimit + 1] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// Writes only a changed text, so that an unchanged field neither flickers
// nor loses its selection.
void WriteField(HWND hWnd, const std::string& text)
{
    const int length = ::GetWindowTextLengthA(hWnd);
    if (length == static_cast<int>(text.size())) {
        std::string current(text.size() + 1, '\0');
        ::GetWindowTextA(hWnd, current.data(), length + 1);
        current.resize(text.size());
        if (current == text)
            return;
    }
    ::SetWindowTextA(hWnd, text.c_str());
}

// One edit field both ways: the member's written form into the field, or
// the field's text read back, refused with the string `refusalId` names.
template <typename T>
void ExchangeField(CDataExchange* pDX, int nIDC, T& value, std::string (*format)(T),
                   std::optional<T> (*parse)(std::string_view), UINT refusalId)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        WriteField(hWnd, format(value));
        return;
    }
    const std::optional<T> read = parse(ReadField(hWnd));
    if (!read) {
        AfxMessageBox(refusalId);
        pDX->Fail();
    }
    value = *read;
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_hWndLastControl = hWnd;
    m_bEditLastControl = false;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::int32_t& value)
{
    ExchangeField(pDX, nIDC, value, &FormatIntegerField, &ParseIntegerField, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeField(pDX, nIDC, value, &FormatDoubleField, &ParseDoubleField, AFX_IDP_PARSE_REAL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control)
{
    if (control.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr || !control.SubclassWindow(hWnd))
        pDX->Fail();
}
