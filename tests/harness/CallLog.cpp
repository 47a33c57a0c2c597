#include "CallLog.h"
#include <cstdio>

std::vector<std::string> CallLog::Calls(const std::vector<std::string>& texts) const
{
    std::vector<std::string> calls;
    for (const Entry& e : m_entries) {
        for (const std::string& text : texts) {
            if (e.call.find(text) != std::string::npos) {
                calls.push_back(e.call);
                break;
            }
        }
    }
    return calls;
}

const CallLog::Entry* CallLog::First(const std::string& text) const
{
    for (const Entry& e : m_entries) {
        if (e.call.find(text) != std::string::npos)
            return &e;
    }
    return nullptr;
}

std::string HandleText(const void* p)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", p);
    return text;
}
