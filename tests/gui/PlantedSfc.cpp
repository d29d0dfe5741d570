// A stranger's sfc.dll, put beside the test program: it protects every file
// and lists one file of its own. The program must never load it.
#include <windows.h>

extern "C" {

__declspec(dllexport) BOOL WINAPI SfcIsFileProtected(HANDLE, LPCWSTR)
{
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI SfcGetNextProtectedFile(HANDLE, void* data)
{
    auto* fileName = static_cast<WCHAR*>(data);
    lstrcpyW(fileName, L"C:\\planted.dll");
    return TRUE;
}

}
