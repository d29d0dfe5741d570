#pragma once

// WOW64's file system redirection: on 64-bit Windows, a 32-bit program that
// opens <windows>\System32 is sent to SysWOW64 instead. It is a setting of
// each thread, and nothing may load a DLL while it is off: the 64-bit DLL
// would be found.
class FileSystemRedirection {
public:
    virtual ~FileSystemRedirection() = default;
    // True when this process's reads of System32 are redirected: a 32-bit
    // build on 64-bit Windows.
    virtual bool Active() const = 0;
    // Turns redirection off for the calling thread and keeps in `previous`
    // what TurnOn needs to turn it back on; false when it stays on.
    virtual bool TurnOff(void*& previous) = 0;
    virtual void TurnOn(void* previous) = 0;
};

// Redirection off on the calling thread for as long as it lives, where there
// is any.
class RedirectionOff {
public:
    explicit RedirectionOff(FileSystemRedirection& redirection)
        : m_redirection(redirection), m_bOff(redirection.Active() && redirection.TurnOff(m_previous))
    {
    }
    ~RedirectionOff()
    {
        if (m_bOff)
            m_redirection.TurnOn(m_previous);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    FileSystemRedirection& m_redirection;
    void* m_previous = nullptr;
    const bool m_bOff;
};
