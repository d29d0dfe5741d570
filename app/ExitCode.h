#pragma once

// Exit codes of Vorlane.exe /save FILE, /verify FILE and /compare BASELINE REPORT.
enum ExitCode {
    kWritten = 0,           // the whole list was written (and, for /verify, every file is trusted)
    kNotWritten = 1,        // nothing was written: the file or a service failed
    kWrongArguments = 2,    // the command line was not understood
    kWrittenCut = 3,        // written, but the walk stopped at the row limit or could not list some folder
    kWrittenUntrusted = 4,  // /verify: written, and some file is not signed and trusted
    kWrittenDifferent = 5,  // /compare: written, and files differ from the baseline by more than updates
};
