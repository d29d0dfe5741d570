#include "app/ExportPrompts.h"

#include "export/Clipboard.h"
#include "framework/SystemError.h"
#include "framework/Wnd.h"
#include "inspect/FileDialog.h"
#include "platform/TextConversion.h"

void CopyOrSayWhy(CWnd& owner, Clipboard& clipboard, const std::string& text)
{
    if (const unsigned error = clipboard.SetText(owner, text)) {
        const std::string message = "Vorlane could not copy to the clipboard.\r\n\r\n" + SystemErrorText(error);
        owner.MessageBox(message.c_str(), "Vorlane", MB_ICONEXCLAMATION);
    }
}

void SaveCsvAsked(CWnd& owner, CommonFileDialogs& fileDialogs, const char* fileName, const char* what,
                  const std::function<unsigned(const std::wstring& path)>& save)
{
    CSaveFileDialog dialog(L"csv", WideText(fileName).c_str(),
                           OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR,
                           kCsvFilter, &owner, fileDialogs);
    if (dialog.RunModal() != IDOK)
        return;
    const std::wstring path = dialog.GetPathName();
    if (const unsigned error = save(path)) {
        const std::wstring message = WideText(what) + L" could not be saved as " + path + L".\r\n\r\n" +
                                     WideText(SystemErrorText(error));
        ::MessageBoxW(owner, message.c_str(), L"Vorlane", MB_ICONEXCLAMATION);
    }
}
