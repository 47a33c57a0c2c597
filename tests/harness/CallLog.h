// The platform calls a test watches, in the order the program made them, each
// written like the call itself ("KillTimer(1)") and stamped with the tick it came at.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class CallLog {
public:
    struct Entry {
        std::string call;
        DWORD tick;
    };

    void Add(std::string call) { m_entries.push_back({ std::move(call), ::GetTickCount() }); }
    void Clear() { m_entries.clear(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    // The calls that hold one of the texts, in order.
    std::vector<std::string> Calls(const std::vector<std::string>& texts) const;
    // The first entry that holds the text, or null.
    const Entry* First(const std::string& text) const;

private:
    std::vector<Entry> m_entries;
};

// A handle or pointer as the log writes it.
std::string HandleText(const void* p);
