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
    CSaveFileDialog dialog("csv", fileName,
                           OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR,
                           "CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0", &owner, fileDialogs);
    if (dialog.RunModal() != IDOK)
        return;
    const std::string path = dialog.GetPathName().str();
    if (const unsigned error = save(WideText(path))) {
        const std::string message =
            std::string(what) + " could not be saved as " + path + ".\r\n\r\n" + SystemErrorText(error);
        owner.MessageBox(message.c_str(), "Vorlane", MB_ICONEXCLAMATION);
    }
}
