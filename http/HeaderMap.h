#pragma once

#include <map>
#include <string>

// Header names map to one value each. std::string compares through
// char_traits<char>, which orders bytes as unsigned char: names therefore sort
// byte-wise, case-sensitively, a prefix before its extensions.
using HeaderMap = std::map<std::string, std::string>;

// Stores a header after cleaning it: the name is trimmed and refused (-1, map
// unchanged) when empty or holding ":" or a space; the value is trimmed and
// inner tabs, CR and LF become spaces. An existing entry is replaced. 0 when
// stored.
int SetHeaderIn(HeaderMap& headers, const std::string& name, const std::string& value);

// Copies the value of the exactly named header into out (0), or leaves out
// alone (-1).
int GetHeaderIn(const HeaderMap& headers, const std::string& name, std::string& out);
