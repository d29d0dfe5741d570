#include "scan/ServiceErrorText.h"

#include "framework/SystemError.h"

std::string ServiceErrorText(unsigned code)
{
    return "The file protection service could not be used: " + SystemErrorText(code);
}
