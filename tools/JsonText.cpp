#include "tools/JsonText.h"

std::string JsonText::Text() const
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, m_value);
}
