#include "http/HeaderMap.h"

#include "http/HttpStrings.h"

int SetHeaderIn(HeaderMap& headers, const std::string& name, const std::string& value)
{
    std::string key = name;
    Trim(key);
    if (key.empty() || key.find(':') != std::string::npos || key.find(' ') != std::string::npos)
        return -1;
    std::string clean = value;
    Trim(clean);
    ReplaceAll(clean, "\t", " ");
    ReplaceAll(clean, "\r", " ");
    ReplaceAll(clean, "\n", " ");
    headers[key] = clean;
    return 0;
}

int GetHeaderIn(const HeaderMap& headers, const std::string& name, std::string& out)
{
    auto it = headers.find(name);
    if (it == headers.end())
        return -1;
    out = it->second;
    return 0;
}
