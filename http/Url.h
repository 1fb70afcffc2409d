#pragma once

#include <string>

// Cuts a URL into host, port and path at "://", ":" and "/". The scheme is not
// looked at. Port 80 when absent or not positive; path "/" when absent.
// 0 when a host was found; -1 when the host is empty (outputs written all the
// same) or the URL is empty (outputs untouched).
int SplitUrl(std::string url, std::string& host, int& port, std::string& path);

// Resolves a redirect's reference against the URL that was redirected. The
// result starts with "http://" unless the reference is absolute. -1 with an
// empty out when the base is not http:// or ftp://, has no "/" in its path, or
// its path (2047) or directory (499) is too long.
int ResolveUrl(std::string base, std::string reference, std::string& out);
