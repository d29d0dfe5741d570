#pragma once

// The calling thread's last error, or `fallback` when the call that failed
// left none.
unsigned LastErrorOr(unsigned fallback);
