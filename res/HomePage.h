// The maker's home page, opened by the About box's link and by the logo.
// Shared by the resource script and the code.
#pragma once

#define HOME_PAGE_URL "https://halvory.com/"
