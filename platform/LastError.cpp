#include "platform/LastError.h"

#include "framework/Afx.h"

unsigned LastErrorOr(unsigned fallback)
{
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}
