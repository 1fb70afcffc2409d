#include "http/HttpForm.h"

#include <cstdlib>

#include "http/Encoding.h"

namespace {

const char kBoundaryAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// "--------" and 32 characters drawn with the process-wide, never seeded rand.
std::string MakeBoundary()
{
    std::string boundary(8, '-');
    for (int i = 0; i < 32; ++i)
        boundary += kBoundaryAlphabet[std::rand() % 36];
    return boundary;
}

bool OccursInFields(const std::map<std::string, std::string>& fields, const std::string& text)
{
    for (const auto& field : fields) {
        if (field.first.find(text) != std::string::npos ||
            field.second.find(text) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

int CHttpForm::Encode(std::string& out, bool multipart)
{
    out.clear();
    if (!multipart) {
        for (const auto& field : m_fields)
            out += field.first + "=" + UrlEncode(field.second) + "&";
        if (!out.empty())
            out.pop_back();
        return 0;
    }
    do {
        m_boundary = MakeBoundary();
    } while (OccursInFields(m_fields, m_boundary));
    for (const auto& field : m_fields) {
        out += "--" + m_boundary + "\r\n";
        out += "Content-Disposition: form-data; name=\"" + field.first + "\"\r\n\r\n";
        out += field.second + "\r\n";
    }
    out += "--" + m_boundary + "--\r\n";
    return 0;
}
