#include "SwathUnit.h"

std::string SwathUnit::feed(const std::string& bytes)
{
    std::string out;
    for (char c : bytes)
        out += command(c);
    return out;
}

std::string SwathUnit::command(char c)
{
    switch (pendingCommand_) {
    case 'a': // address character, then CR
        if (c >= '0' && c <= '6')
            selected_ = c - '3';
        else if (c == '\r')
            pendingCommand_ = 0;
        return {};
    case 'c':
    case 'v':
    case 'd':
    case 'h': // one flag character
        pendingCommand_ = 0;
        return {};
    case 'i':
    case 'w':
    case 'j': // decimal values each ending in CR: one, or six jam values
        if (c == '\r' && --valuesLeft_ == 0)
            pendingCommand_ = 0;
        return {};
    default:
        break;
    }
    switch (c) {
    case 'a':
    case 'c':
    case 'v':
    case 'd':
    case 'h':
        pendingCommand_ = c;
        return {};
    case 'i':
    case 'w':
    case 'j':
        pendingCommand_ = c;
        valuesLeft_ = c == 'j' ? 6 : 1;
        return {};
    case 'p':
    case 'P':
        ++pings_;
        return answer_(selected_);
    default:
        return {}; // line ends and unknown bytes
    }
}
