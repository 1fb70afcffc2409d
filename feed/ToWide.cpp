#include "feed/ToWide.h"

#include <cstring>
#include <iterator>

#include <utf8.h>

std::u16string ToWide(const std::string& utf8)
{
    const char* begin = utf8.c_str();
    const char* end = begin + std::strlen(begin);
    std::string valid;
    valid.reserve(end - begin);
    utf8::replace_invalid(begin, end, std::back_inserter(valid));
    std::u16string wide;
    wide.reserve(valid.size());
    utf8::unchecked::utf8to16(valid.begin(), valid.end(), std::back_inserter(wide));
    return wide;
}
